#include "inspection/tenken_lists.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_map>

#include "util/cp932.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

// The six bytes "%4d%02d" a matching record holds once its blanks read as "0".
bool YearMonthKey(int westernYear, int month, char key[7]) {
  if (month < 1 || month > 12 || westernYear < 1 || westernYear > 9999) return false;
  std::snprintf(key, 7, "%4d%02d", westernYear, month);
  for (int i = 0; i < 6; ++i) {
    if (key[i] == ' ') key[i] = '0';
  }
  return true;
}

bool Matches(std::string_view six, const char key[7]) {
  if (six.size() < 6) return false;
  for (std::size_t i = 0; i < 6; ++i) {
    if ((six[i] == ' ' ? '0' : six[i]) != key[i]) return false;
  }
  return true;
}

// Whether two ascending lists of record numbers share one: the shorter is
// looked up in the longer.
bool SharesRecord(std::span<const int> a, std::span<const int> b) {
  if (a.size() > b.size()) std::swap(a, b);
  for (const int n : a) {
    if (std::binary_search(b.begin(), b.end(), n)) return true;
  }
  return false;
}

}  // namespace

bool YearMonthMatches(std::string_view sixBytes, int westernYear, int month) {
  char key[7];
  return YearMonthKey(westernYear, month, key) && Matches(sixBytes, key);
}

std::vector<int> TenkenGeppouSelect(const Store& store, int westernYear, int month) {
  const std::span<const int> slips = store.TenkenOfMonth(westernYear, month);
  return {slips.begin(), slips.end()};
}

std::vector<int> TenkenKobetuSelect(const Store& store, std::string_view name) {
  std::vector<int> found;
  const std::size_t width = TenkenDenpLayout().Width(TenkenDenp::KokyakuName);
  std::string_view body = name;
  while (!body.empty() && body.back() == ' ') body.remove_suffix(1);
  if (body.empty() || body.front() == ' ' || body.size() > width) return found;
  // The name as typed, else as files written elsewhere may spell it (髙 typed
  // here is FB FC, such a file may hold EE E0): the same text is the same customer.
  for (const std::string& spelling : SameTextSpellings(body)) {
    const std::span<const int> slips =
        store.TenkenOfName(PadField(spelling, TextAlign::Left, width));
    if (!slips.empty()) return {slips.begin(), slips.end()};
  }
  return found;
}

std::vector<TenkenYoteiEntry> TenkenYoteiSelect(const Store& store, int month, int doneYear,
                                                int doneMonth) {
  std::vector<TenkenYoteiEntry> found;
  if (month < 1 || month > 12) return found;
  // From the digest the store keeps of each customer: no record is read.
  const auto bit = static_cast<std::uint16_t>(1u << (month - 1));
  const std::vector<int>& order = store.ActiveIndex();
  for (std::size_t i = 0; i < order.size(); ++i) {
    if ((store.KokyakuDigestOf(order[i]).tenkenMonths & bit) != 0) {
      found.push_back({order[i], static_cast<int>(i) + 1, false});
    }
  }
  if (found.empty()) return found;

  // Done: one of the customer's live slips is one of the month's.
  const std::span<const int> ofMonth = store.TenkenOfMonth(doneYear, doneMonth);
  if (ofMonth.empty()) return found;
  for (TenkenYoteiEntry& e : found) {
    e.done = SharesRecord(store.TenkenOfName(store.KokyakuNameOf(e.kokyakuNo)), ofMonth);
  }
  return found;
}

std::vector<TenkenYoteiEntry> NotDoneFirst(std::vector<TenkenYoteiEntry> entries) {
  std::stable_partition(entries.begin(), entries.end(),
                        [](const TenkenYoteiEntry& e) { return !e.done; });
  return entries;
}

int DoneCount(std::span<const TenkenYoteiEntry> entries) {
  return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                        [](const TenkenYoteiEntry& e) { return e.done; }));
}

std::vector<TenkenListRow> TenkenListRows(const Store& store, std::span<const int> slipNos) {
  std::vector<TenkenListRow> rows(slipNos.size());
  if (rows.empty()) return rows;
  // Each customer is read once however many of its slips the rows hold.
  std::unordered_map<int, Record> customers;
  RecordReader slips(store.TenkenFile());
  RecordReader kokyaku(store.KokyakuFile());
  for (std::size_t i = 0; i < slipNos.size(); ++i) {
    TenkenListRow& row = rows[i];
    row.slipNo = slipNos[i];
    if (!slips.Read(row.slipNo, row.slip)) {
      row.slip.Clear();
      continue;
    }
    // A slip without a name belongs to nobody, whatever a foreign file holds.
    const std::string_view name = row.slip.Get(TenkenDenp::KokyakuName);
    if (name.empty() || name[0] == ' ') continue;
    row.kokyakuNo = store.KokyakuOfName(name);
    if (row.kokyakuNo == 0) continue;
    auto [it, added] = customers.try_emplace(row.kokyakuNo, KokyakuLayout());
    if (added && !kokyaku.Read(row.kokyakuNo, it->second)) it->second.Clear();
    row.kokyaku = it->second;
  }
  return rows;
}

}  // namespace tankora
