// The three inspection lists (点検伝票一覧) as selections and rows: what the
// list screen shows and the reports print, from the same functions with the
// same inputs. A selection is the store plus its parameters in, record
// numbers out, with no limit on how many; the rows of any part of it are
// built separately, so a screen builds one page and a report all of them.
//
//   TenkenGeppouSelect(store, westernYear, month)   monthly report: slip numbers
//   TenkenKobetuSelect(store, name)                 one customer's slips: slip numbers
//   TenkenYoteiSelect(store, month, doneYear, doneMonth)
//                                                   schedule: customers, with done marks
//   TenkenListRows(store, slipNos)                  slip rows with their customers
//   KokyakuRows(store, kokyakuNos)                  customer rows (store/kokyaku_snapshot.h)
//
// Years are Western years (an era year typed on screen goes through
// EraCalendar::ParseYear first). Only "1" in the first byte deletes a record.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "store/kokyaku_snapshot.h"
#include "store/record_layout.h"
#include "store/store.h"

namespace tankora {

// The year and month bytes of a record (6 bytes, year then month) fall in
// westernYear/month: each blank counts as "0", then the bytes must equal
// "%4d%02d". So " 5" is May, a blank year never matches, and a month stored
// left-aligned ("5 ") is no month. False for a month outside 1..12 or a
// year outside 1..9999.
bool YearMonthMatches(std::string_view sixBytes, int westernYear, int month);

// Monthly report: the live slips dated westernYear/month, in record order
// (the order they were first stored). None for a month outside 1..12.
std::vector<int> TenkenGeppouSelect(const Store& store, int westernYear, int month);

// One customer's list: the live slips whose 20-byte KokyakuName equals
// `name` blank-padded to 20 bytes, of every year, in record order. None for
// a name that is empty, begins with a blank or is longer than 20 bytes (no
// customer's name can be).
std::vector<int> TenkenKobetuSelect(const Store& store, std::string_view name);

struct TenkenYoteiEntry {
  int kokyakuNo = 0;  // customer record number
  int position = 0;   // 1-based position in the customer list
  bool done = false;  // a live slip of its name is dated doneYear/doneMonth
};
// Schedule: the live customers, in customer-list order, whose TenkenMonths
// has a non-blank byte for `month`. None for a month outside 1..12. With
// doneYear 0 (or a doneMonth outside 1..12) nothing is marked done.
std::vector<TenkenYoteiEntry> TenkenYoteiSelect(const Store& store, int month, int doneYear,
                                                int doneMonth);
// The same entries, those still to visit first; list order within each group.
std::vector<TenkenYoteiEntry> NotDoneFirst(std::vector<TenkenYoteiEntry> entries);
int DoneCount(std::span<const TenkenYoteiEntry> entries);

// One row of the monthly or per-customer list: the slip and the customer
// whose name equals the slip's KokyakuName (the first listed one, as the
// customer file's lookup by name finds it).
struct TenkenListRow {
  int slipNo = 0;
  int kokyakuNo = 0;  // 0: no live customer of that name; `kokyaku` is blank
  Record slip{TenkenDenpLayout()};
  Record kokyaku{KokyakuLayout()};
};
// The rows of the slips `slipNos`, in that order. The customers are looked
// up in one read of the customer file; a slip that cannot be read gives a
// blank row that keeps its number.
std::vector<TenkenListRow> TenkenListRows(const Store& store, std::span<const int> slipNos);

}  // namespace tankora
