#!/usr/bin/env bash
# Installs the Debian 12 packages that タンコラ needs to build, run and test,
# only those not installed yet (apt-get update first, then apt-get install),
# through sudo when not run as root. run.sh and test.sh both call it.
set -euo pipefail

PACKAGES=(qt6-base-dev qt6-base-dev-tools libqt6printsupport6 cmake g++ libgtest-dev
          libbenchmark-dev fonts-ipafont-gothic fonts-ipafont-mincho poppler-utils)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this as root, or install sudo, to install them." >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}" >&2
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
