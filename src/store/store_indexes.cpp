#include "store/store_indexes.h"

#include <algorithm>
#include <cstdio>

#include "store/record_layout.h"

namespace tankora {

void KeyIndex::Clear() {
  idOf_.clear();
  keys_.clear();
  ids_.clear();
  records_.clear();
}

void KeyIndex::Put(int n, std::string_view image) {
  if (n < 1 || n > Records() + 1) return;
  std::uint32_t id = 0;
  if (keyOf_(image, scratch_)) {
    auto [it, added] = ids_.try_emplace(scratch_, static_cast<std::uint32_t>(keys_.size()));
    if (added) {
      keys_.push_back(scratch_);
      records_.emplace_back();
    }
    id = it->second + 1;
  }
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

std::span<const int> KeyIndex::Of(std::string_view key) const {
  const auto it = ids_.find(std::string(key));
  if (it == ids_.end()) return {};
  return records_[it->second];
}

std::unordered_map<std::string, std::vector<int>> KeyIndex::All() const {
  std::unordered_map<std::string, std::vector<int>> all;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (!records_[i].empty()) all.emplace(keys_[i], records_[i]);
  }
  return all;
}

namespace index_keys {

namespace {

bool LiveField(std::string_view image, const RecordLayout& layout, int field, std::string& key) {
  // Only "1" deletes, in every file.
  if (image.size() < layout.RecordLength() || image[0] == '1') return false;
  key.assign(image.substr(layout.Offset(field), layout.Width(field)));
  return true;
}

}  // namespace

bool SlipName(std::string_view image, std::string& key) {
  return LiveField(image, TenkenDenpLayout(), TenkenDenp::KokyakuName, key);
}

bool KoujiName(std::string_view image, std::string& key) {
  return LiveField(image, KoujiLayout(), Kouji::Name, key);
}

bool KokyakuName(std::string_view image, std::string& key) {
  return LiveField(image, KokyakuLayout(), Kokyaku::Name, key);
}

bool SlipYearMonth(std::string_view image, std::string& key) {
  const RecordLayout& layout = TenkenDenpLayout();
  if (image.size() < layout.RecordLength() || image[0] == '1') return false;
  key.assign(image.substr(layout.Offset(TenkenDenp::Year), 6));
  std::replace(key.begin(), key.end(), ' ', '0');
  return true;
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
