// The three contract lists (浄化槽工事一覧) as selections: what the list
// screen shows and the reports print, from the same functions with the same
// inputs. Each takes the store and its parameters and returns customer
// record numbers in customer-list order (the live-customer index), with no
// limit on how many; KokyakuRows (store/kokyaku_snapshot.h) reads the rows of
// any part of a selection.
//
//   KeiyakuGeppouSelect(store, westernYear, month)  contract monthly report
//   KeiyakuEndSelect(store, westernYear, month)     contracts ending in a month
//   SyuukinYoteiSelect(store, month)                collection schedule
//   SyuukinAmount(kokyaku, month)                   its amount column
//
// Years are Western years (an era year typed on screen goes through
// EraCalendar::ParseYear first).
#pragma once

#include <string_view>
#include <vector>

#include "store/kokyaku_snapshot.h"
#include "store/record_layout.h"
#include "store/store.h"

namespace tankora {

// Customers whose contract date (the 6 bytes of KeiyakuYear and
// KeiyakuMonth) falls in westernYear/month, a blank read as "0" (see
// YearMonthMatches): " 5" is May, a blank year never matches. None for a
// month outside 1..12.
std::vector<int> KeiyakuGeppouSelect(const Store& store, int westernYear, int month);

// The same over KeiyakuEndYear and KeiyakuEndMonth: contracts ending in the month.
std::vector<int> KeiyakuEndSelect(const Store& store, int westernYear, int month);

// Customers whose SyuukinMonths has a non-blank byte for `month`, whatever
// the amount (an empty amount is listed empty). None for a month outside 1..12.
std::vector<int> SyuukinYoteiSelect(const Store& store, int month);

// The 8 bytes of Syukinngaku of `month` as stored; "" for a month outside 1..12.
std::string_view SyuukinAmount(const Record& kokyaku, int month);

}  // namespace tankora
