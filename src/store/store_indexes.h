// What the store keeps in memory about its files so that a command reads only
// the records it shows or changes: for each key (a customer name, a year and
// month) the live records that hold it. Built in one pass over each file when
// the store opens, and kept current by every write the store makes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tankora {

// The live records of one file by key. The key of each record is remembered,
// so an overwrite moves the record from its old key to its new one without
// reading the old record again.
class KeyIndex final {
 public:
  // The key of a record image; false when the record is listed under none
  // (a deleted record).
  using KeyOf = bool (*)(std::string_view image, std::string& key);

  explicit KeyIndex(KeyOf keyOf) : keyOf_(keyOf) {}

  void Clear();
  // Record n (1..Records()+1, the latter appending) now holds `image`.
  void Put(int n, std::string_view image);
  int Records() const { return static_cast<int>(idOf_.size()); }

  // The live records of `key`, ascending record numbers (the order stored).
  std::span<const int> Of(std::string_view key) const;
  // Every key with at least one record, and its records (for checks).
  std::unordered_map<std::string, std::vector<int>> All() const;

 private:
  KeyOf keyOf_;
  std::string scratch_;
  std::vector<std::uint32_t> idOf_;  // per record: key id + 1, 0 for none
  std::vector<std::string> keys_;
  std::unordered_map<std::string, std::uint32_t> ids_;
  std::vector<std::vector<int>> records_;  // per key id, ascending
};

// The keys the store indexes by.
namespace index_keys {
// A live record's 20-byte name at `offset`.
bool SlipName(std::string_view image, std::string& key);
bool KoujiName(std::string_view image, std::string& key);
bool KokyakuName(std::string_view image, std::string& key);
// A live slip's year and month bytes, a blank read as "0" (as the monthly
// selections compare them).
bool SlipYearMonth(std::string_view image, std::string& key);
// The key SlipYearMonth gives the slips dated westernYear/month; "" for a
// month outside 1..12 or a year outside 1..9999.
std::string YearMonthKey(int westernYear, int month);
}  // namespace index_keys

}  // namespace tankora
