#!/usr/bin/env python3
"""Writes the seed corpus of store_fuzz into fuzz/corpus (run from the repository root).

Each seed is a Data folder in the target's input format (per file a 16-bit
little-endian length, 0xffff for an absent file, then its bytes) followed by
screen actions. The folders come from tests/data/foreign-office and a few odd
files the store must survive."""
import os
import random
import struct

FILES = ["Kokyaku.120", "TenkenDenp.120", "Kouji.120", "Jisya.120", "Kokyaku.120.journal",
         "TenkenDenp.120.journal", "Kouji.120.journal", "BackupFolder.500"]
FOREIGN = "tests/data/foreign-office/Data"


def fnv1a(data):
    h = 2166136261
    for b in data:
        h = ((h ^ b) * 16777619) & 0xFFFFFFFF
    return h


def journal(n, old, new, stands=b"N"):
    head = b"TKJ2" + stands + b"%010d%010d" % (n, len(new))
    body = head + old + new
    return body + b"%08x" % fnv1a(body[:4] + body[5:])


def folder(files):
    out = b""
    for name in FILES:
        data = files.get(name)
        out += struct.pack("<H", 0xFFFF) if data is None else struct.pack("<H", len(data)) + data
    return out


def actions(seed, count):
    rng = random.Random(seed)
    return bytes(rng.randrange(256) for _ in range(count * 3))


def foreign():
    files = {}
    for name in FILES:
        path = os.path.join(FOREIGN, name)
        if os.path.exists(path):
            files[name] = open(path, "rb").read()
    return files


def main():
    os.makedirs("fuzz/corpus", exist_ok=True)
    seeds = {}
    seeds["empty-folder"] = folder({}) + actions(1, 60)
    seeds["foreign-office"] = folder(foreign()) + actions(2, 150)
    f = foreign()
    cust = f["Kokyaku.120"]
    old = cust[1000:2000]
    new = b"X" + old[1:]
    f["Kokyaku.120.journal"] = journal(2, old, new)
    slips = f["TenkenDenp.120"]
    f["TenkenDenp.120.journal"] = journal(3, slips[400:600], slips[0:200], b"O")
    seeds["foreign-with-journals"] = folder(f) + actions(3, 150)
    f = foreign()
    f["Kokyaku.120"] = f["Kokyaku.120"][:3000] + b"\0" * 1000
    f["Kouji.120"] = f["Kouji.120"][:1500]
    f["Jisya.120"] = f["Jisya.120"][:300]
    f["BackupFolder.500"] = b"/media/USB DISK" + b" " * 10 + b"\0tail"
    seeds["torn-and-short-files"] = folder(f) + actions(4, 150)
    # A customer file out of reading order, as a crash before the sort leaves it.
    f = foreign()
    recs = [f["Kokyaku.120"][i:i + 1000] for i in range(0, len(f["Kokyaku.120"]), 1000)]
    f["Kokyaku.120"] = b"".join(reversed(recs))
    seeds["unsorted-customers"] = folder(f) + actions(5, 200)
    for name, data in seeds.items():
        with open(os.path.join("fuzz/corpus", name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
