// Helpers for the store tests: temporary folders, raw file bytes, and record
// images built by hand from the byte offsets (not through RecordLayout), so
// that the tests check the layouts instead of trusting them.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tankora::testing {

class TempDir final {
 public:
  TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "tankora-XXXXXX").string();
    path_ = ::mkdtemp(templ.data()) ? templ : std::string();
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& p, std::string_view bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string Hex(std::string_view bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

inline std::string Unhex(std::string_view hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
  }
  return out;
}

// A blank record of `length` bytes ending in a line feed.
inline std::string BlankImage(std::size_t length) {
  std::string image(length, ' ');
  image.back() = '\n';
  return image;
}

inline void Put(std::string& image, std::size_t offset, std::string_view bytes) {
  image.replace(offset, bytes.size(), bytes);
}

// A customer image: delete flag byte at 0, 4-byte reading at 1, 20-byte name at 5.
inline std::string CustomerImage(char flag, std::string_view kana, std::string_view name) {
  std::string image = BlankImage(1000);
  image[0] = flag;
  Put(image, 1, kana.substr(0, 4));
  Put(image, 5, name.substr(0, 20));
  return image;
}

// A journal entry as the store writes it: tag, the image that stands ('N'
// new, 'O' old), record number and length in ten digits each, the old and the
// new image, and the FNV-1a checksum of all but the standing byte in hex.
inline std::string JournalEntry(long long n, char stands, std::string_view oldImage,
                                std::string_view newImage) {
  char head[40];
  std::snprintf(head, sizeof head, "TKJ2%c%010lld%010zu", stands, n, newImage.size());
  std::string entry = std::string(head) + std::string(oldImage) + std::string(newImage);
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    if (i == 4) continue;
    h ^= static_cast<unsigned char>(entry[i]);
    h *= 16777619u;
  }
  char sum[16];
  std::snprintf(sum, sizeof sum, "%08x", h);
  return entry + sum;
}

inline std::string Concat(const std::vector<std::string>& records) {
  std::string out;
  for (const auto& r : records) out += r;
  return out;
}

// The customer file's exchange sort done the historical way, one record pair
// at a time, over a list of record images. It is the reference the store's
// sort must match byte for byte. Not-deleted means the first byte is not "1".
inline void ReferenceExchangeSort(std::vector<std::string>& recs) {
  const auto live = [](const std::string& r) { return r[0] != '1'; };
  const auto key = [](const std::string& r) { return r.substr(1, 4); };  // byte order
  const auto less = [](const std::string& a, const std::string& b) {
    for (std::size_t i = 0; i < 4; ++i) {
      const auto x = static_cast<unsigned char>(a[i]);
      const auto y = static_cast<unsigned char>(b[i]);
      if (x != y) return x < y;
    }
    return false;
  };
  if (recs.size() < 2) return;
  for (std::size_t i = 0; i + 1 < recs.size(); ++i) {
    std::string a = recs[i];
    if (!live(a)) continue;
    for (std::size_t k = i + 1; k < recs.size(); ++k) {
      std::string b = recs[k];
      if (!live(b)) continue;
      if (less(key(b), key(a))) {
        std::swap(a, b);
        recs[i] = a;
        recs[k] = b;
      }
    }
  }
}

// Random customers with many equal readings, some deleted records, some
// stray delete-flag bytes, and unique names ("N0000123") to tell them apart.
inline std::vector<std::string> RandomCustomers(std::size_t n, std::uint32_t seed,
                                                int deletedPercent = 10) {
  std::mt19937 rng(seed);
  const char letters[] = {' ', '\xb1', '\xb2', '\xb3', '\xde'};  // blank, ｱ, ｲ, ｳ, ﾞ
  std::vector<std::string> recs;
  for (std::size_t i = 0; i < n; ++i) {
    std::string kana(4, ' ');
    const std::size_t len = rng() % 3;
    for (std::size_t j = 0; j < len; ++j) kana[j] = letters[rng() % std::size(letters)];
    char flag = ' ';
    const unsigned roll = rng() % 100;
    if (roll < static_cast<unsigned>(deletedPercent))
      flag = '1';
    else if (roll < static_cast<unsigned>(deletedPercent) + 3)
      flag = 'X';
    char name[32];
    std::snprintf(name, sizeof name, "N%07zu", i + 1);
    recs.push_back(CustomerImage(flag, kana, name));
  }
  return recs;
}

}  // namespace tankora::testing
