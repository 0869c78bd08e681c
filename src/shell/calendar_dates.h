// Dates of the customer and ledger records that no calendar has.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "shell/session_state.h"
#include "store/record_layout.h"

namespace tankora {

// One date of a record: its three fields and what the screens call it.
struct RecordDate {
  int year;
  int month;
  int day;
  std::string_view caption;  // UTF-8
};

// The six dates a customer holds, and the same six of a ledger entry.
std::span<const RecordDate> KokyakuDates();
std::span<const RecordDate> KoujiDates();

// False for a day its month never has (31 April, 30 February) or, with the
// year known, does not have that year (29 February 2027). A date with a part
// blank or out of range is not judged here: the edits keep those out.
bool DayExists(std::string_view year, std::string_view month, std::string_view day);

// The first date of `dates` in `record` that does not exist, or nullptr.
const RecordDate* FirstImpossibleDate(const Record& record, std::span<const RecordDate> dates);

// "契約日「令和9年2月29日」は暦にない日のため、" (UTF-8) for the first date of
// `dates` in `record` that does not exist; "" when every date may exist.
std::string ImpossibleDateNotice(const Session::State& s, const Record& record,
                                 std::span<const RecordDate> dates);

}  // namespace tankora
