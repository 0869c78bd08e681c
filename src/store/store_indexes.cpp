#include "store/store_indexes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "store/record_layout.h"

namespace tankora {

KeyIndex::Key KeyIndex::MakeKey(const char* bytes, std::size_t size) {
  Key key;
  key.size = static_cast<std::uint32_t>(std::min(size, kMaxKey));
  std::memcpy(key.words, bytes, key.size);
  return key;
}

std::uint64_t KeyIndex::Hash(const Key& key) {
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ key.size;
  for (const std::uint64_t word : key.words) {
    h = (h ^ word) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  }
  // The table takes the low bits: mix every bit into them.
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 33);
}

void KeyIndex::Clear() {
  idOf_.clear();
  keys_.clear();
  slots_.clear();
  lastId_ = 0;
  records_.clear();
}

void KeyIndex::Reserve(int records) {
  if (records > 0) idOf_.reserve(static_cast<std::size_t>(records));
}

std::uint32_t KeyIndex::Find(const Key& key) const {
  if (slots_.empty()) return 0;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = Hash(key) & mask;; i = (i + 1) & mask) {
    const std::uint32_t id = slots_[i];
    if (id == 0 || keys_[id - 1] == key) return id;
  }
}

void KeyIndex::Grow() {
  slots_.assign(std::max<std::size_t>(64, slots_.size() * 2), 0);
  const std::size_t mask = slots_.size() - 1;
  for (std::uint32_t id = 1; id <= keys_.size(); ++id) {
    std::size_t i = Hash(keys_[id - 1]) & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = id;
  }
}

std::uint32_t KeyIndex::Intern(const Key& key) {
  if (lastId_ != 0 && keys_[lastId_ - 1] == key) return lastId_;
  if ((keys_.size() + 1) * 2 > slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = Hash(key) & mask;
  while (slots_[i] != 0 && !(keys_[slots_[i] - 1] == key)) i = (i + 1) & mask;
  if (slots_[i] == 0) {
    keys_.push_back(key);
    records_.emplace_back();
    slots_[i] = static_cast<std::uint32_t>(keys_.size());
  }
  return lastId_ = slots_[i];
}

void KeyIndex::Put(int n, std::string_view image) {
  if (n < 1 || n > Records() + 1) return;
  char bytes[kMaxKey];
  const int length = keyOf_(image, bytes);
  const std::uint32_t id =
      length < 0 ? 0 : Intern(MakeKey(bytes, static_cast<std::size_t>(length)));
  if (n == Records() + 1) {
    idOf_.push_back(0);
  } else if (idOf_[static_cast<std::size_t>(n - 1)] == id) {
    return;
  }
  std::uint32_t& slot = idOf_[static_cast<std::size_t>(n - 1)];
  if (slot != 0) {
    std::vector<int>& old = records_[slot - 1];
    const auto at = std::lower_bound(old.begin(), old.end(), n);
    if (at != old.end() && *at == n) old.erase(at);
  }
  slot = id;
  if (id != 0) {
    std::vector<int>& list = records_[id - 1];
    // Appends (the usual write, and the whole build) land at the end.
    if (list.empty() || list.back() < n) {
      list.push_back(n);
    } else {
      list.insert(std::lower_bound(list.begin(), list.end(), n), n);
    }
  }
}

void KeyIndex::Add(std::string_view image) {
  char bytes[kMaxKey];
  const int length = keyOf_(image, bytes);
  idOf_.push_back(length < 0 ? 0 : Intern(MakeKey(bytes, static_cast<std::size_t>(length))));
}

void KeyIndex::Finish() {
  std::vector<int> counts(keys_.size(), 0);
  for (const std::uint32_t id : idOf_) {
    if (id != 0) ++counts[id - 1];
  }
  for (std::size_t i = 0; i < records_.size(); ++i) {
    records_[i].clear();
    records_[i].reserve(static_cast<std::size_t>(counts[i]));
  }
  for (std::size_t n = 0; n < idOf_.size(); ++n) {
    if (idOf_[n] != 0) records_[idOf_[n] - 1].push_back(static_cast<int>(n) + 1);
  }
}

std::string_view KeyIndex::KeyOfRecord(int n) const {
  if (n < 1 || n > Records()) return {};
  const std::uint32_t id = idOf_[static_cast<std::size_t>(n - 1)];
  if (id == 0) return {};
  const Key& key = keys_[id - 1];
  return std::string_view(reinterpret_cast<const char*>(key.words), key.size);
}

std::span<const int> KeyIndex::Of(std::string_view key) const {
  // No key is longer; a longer one would be cut to a key it is not.
  if (key.size() > kMaxKey) return {};
  const std::uint32_t id = Find(MakeKey(key.data(), key.size()));
  if (id == 0) return {};
  return records_[id - 1];
}

std::unordered_map<std::string, std::vector<int>> KeyIndex::All() const {
  std::unordered_map<std::string, std::vector<int>> all;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (!records_[i].empty()) {
      all.emplace(std::string(reinterpret_cast<const char*>(keys_[i].words), keys_[i].size),
                  records_[i]);
    }
  }
  return all;
}

namespace index_keys {

namespace {

int LiveField(std::string_view image, const RecordLayout& layout, int field, char* key) {
  // Only "1" deletes, in every file.
  if (image.size() < layout.RecordLength() || image[0] == '1') return -1;
  const std::size_t width = std::min<std::size_t>(layout.Width(field), KeyIndex::kMaxKey);
  std::memcpy(key, image.data() + layout.Offset(field), width);
  return static_cast<int>(width);
}

}  // namespace

int SlipName(std::string_view image, char* key) {
  return LiveField(image, TenkenDenpLayout(), TenkenDenp::KokyakuName, key);
}

int KoujiName(std::string_view image, char* key) {
  return LiveField(image, KoujiLayout(), Kouji::Name, key);
}

int KokyakuName(std::string_view image, char* key) {
  return LiveField(image, KokyakuLayout(), Kokyaku::Name, key);
}

int KokyakuNameAny(std::string_view image, char* key) {
  const RecordLayout& layout = KokyakuLayout();
  if (image.size() < layout.RecordLength()) return -1;
  std::memcpy(key, image.data() + layout.Offset(Kokyaku::Name), layout.Width(Kokyaku::Name));
  return static_cast<int>(layout.Width(Kokyaku::Name));
}

int SlipYearMonth(std::string_view image, char* key) {
  const RecordLayout& layout = TenkenDenpLayout();
  if (image.size() < layout.RecordLength() || image[0] == '1') return -1;
  std::memcpy(key, image.data() + layout.Offset(TenkenDenp::Year), 6);
  std::replace(key, key + 6, ' ', '0');
  return 6;
}

std::string YearMonthKey(int westernYear, int month) {
  if (month < 1 || month > 12 || westernYear < 1 || westernYear > 9999) return {};
  char key[8];
  std::snprintf(key, sizeof key, "%4d%02d", westernYear, month);
  std::string text(key, 6);
  std::replace(text.begin(), text.end(), ' ', '0');
  return text;
}

}  // namespace index_keys

}  // namespace tankora
