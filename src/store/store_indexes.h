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
  // The longest key any index uses (a 20-byte name, a 6-byte year-month).
  static constexpr std::size_t kMaxKey = 32;
  // Writes the key of a record image into `key` (kMaxKey bytes) and returns
  // its length; -1 when the record is listed under none (a deleted record).
  using KeyOf = int (*)(std::string_view image, char* key);

  explicit KeyIndex(KeyOf keyOf) : keyOf_(keyOf) {}

  void Clear();
  // Room for `records` records, so a build from a file does not regrow.
  void Reserve(int records);
  // Record n (1..Records()+1, the latter appending) now holds `image`.
  void Put(int n, std::string_view image);
  // A build from a whole file, after Clear: Add each record in file order,
  // then Finish. Each key's list is filled once at its exact size at the end
  // instead of growing record by record.
  void Add(std::string_view image);
  void Finish();
  int Records() const { return static_cast<int>(idOf_.size()); }

  // The live records of `key`, ascending record numbers (the order stored).
  std::span<const int> Of(std::string_view key) const;
  // The key record n is listed under; "" for none. Valid until the next Put.
  std::string_view KeyOfRecord(int n) const;
  // Every key with at least one record, and its records (for checks).
  std::unordered_map<std::string, std::vector<int>> All() const;

 private:
  // A key zero-padded to kMaxKey bytes: compared and hashed a word at a
  // time, no call, no allocation.
  struct Key {
    std::uint64_t words[kMaxKey / 8] = {};
    std::uint32_t size = 0;
    bool operator==(const Key&) const = default;
  };
  static Key MakeKey(const char* bytes, std::size_t size);
  static std::uint64_t Hash(const Key& key);
  // The id + 1 of `key`, 0 when it has none; Intern gives it one.
  std::uint32_t Find(const Key& key) const;
  std::uint32_t Intern(const Key& key);
  void Grow();

  KeyOf keyOf_;
  std::vector<std::uint32_t> idOf_;  // per record: key id + 1, 0 for none
  std::vector<Key> keys_;
  // Open addressing over the key ids (id + 1, 0 empty), a power of two long
  // and at most half full: the build looks a key up for every record, and a
  // node-based map with a std::string per lookup was most of its time.
  std::vector<std::uint32_t> slots_;
  std::uint32_t lastId_ = 0;  // the key last put: consecutive records often share it
  std::vector<std::vector<int>> records_;  // per key id, ascending
};

// The keys the store indexes by.
namespace index_keys {
// A live record's 20-byte name.
int SlipName(std::string_view image, char* key);
int KoujiName(std::string_view image, char* key);
int KokyakuName(std::string_view image, char* key);
// Any customer record's name, deleted ones too (for the list that shows them).
int KokyakuNameAny(std::string_view image, char* key);
// A live slip's year and month bytes, a blank read as "0" (as the monthly
// selections compare them).
int SlipYearMonth(std::string_view image, char* key);
// The key SlipYearMonth gives the slips dated westernYear/month; "" for a
// month outside 1..12 or a year outside 1..9999.
std::string YearMonthKey(int westernYear, int month);
}  // namespace index_keys

}  // namespace tankora
