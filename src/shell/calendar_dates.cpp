#include "shell/calendar_dates.h"

#include <chrono>

#include "shell/list_params.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

constexpr RecordDate kKokyakuDates[] = {
    {Kokyaku::StartYear, Kokyaku::StartMonth, Kokyaku::StartDay, "着工日"},
    {Kokyaku::EndYear, Kokyaku::EndMonth, Kokyaku::EndDay, "竣工日"},
    {Kokyaku::UseStartYear, Kokyaku::UseStartMonth, Kokyaku::UseStartDay, "使用開始日"},
    {Kokyaku::KeiyakuYear, Kokyaku::KeiyakuMonth, Kokyaku::KeiyakuDay, "契約日"},
    {Kokyaku::KeiyakuStartYear, Kokyaku::KeiyakuStartMonth, Kokyaku::KeiyakuStartDay,
     "契約期間の初日"},
    {Kokyaku::KeiyakuEndYear, Kokyaku::KeiyakuEndMonth, Kokyaku::KeiyakuEndDay, "契約期間の末日"},
};

constexpr RecordDate kKoujiDates[] = {
    {Kouji::StartYear, Kouji::StartMonth, Kouji::StartDay, "着工日"},
    {Kouji::EndYear, Kouji::EndMonth, Kouji::EndDay, "竣工日"},
    {Kouji::UseStartYear, Kouji::UseStartMonth, Kouji::UseStartDay, "使用開始日"},
    {Kouji::KeiyakuYear, Kouji::KeiyakuMonth, Kouji::KeiyakuDay, "契約日"},
    {Kouji::KeiyakuStartYear, Kouji::KeiyakuStartMonth, Kouji::KeiyakuStartDay, "契約期間の初日"},
    {Kouji::KeiyakuEndYear, Kouji::KeiyakuEndMonth, Kouji::KeiyakuEndDay, "契約期間の末日"},
};

// The number a right-aligned field holds, or -1 when it holds anything else.
int NumberIn(std::string_view field) {
  const std::string digits = TrimBlanks(field);
  if (digits.empty() || digits.size() > 4) return -1;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

std::span<const RecordDate> KokyakuDates() { return kKokyakuDates; }
std::span<const RecordDate> KoujiDates() { return kKoujiDates; }

bool DayExists(std::string_view year, std::string_view month, std::string_view day) {
  const int m = NumberIn(month);
  const int d = NumberIn(day);
  if (m < 1 || m > 12 || d < 1 || d > 31) return true;
  // Without a year, 29 February may be right: a leap year stands in.
  const int y = NumberIn(year);
  const std::chrono::year_month_day date{std::chrono::year{y >= 1 ? y : 2024},
                                         std::chrono::month{static_cast<unsigned>(m)},
                                         std::chrono::day{static_cast<unsigned>(d)}};
  return date.ok();
}

const RecordDate* FirstImpossibleDate(const Record& record, std::span<const RecordDate> dates) {
  for (const RecordDate& date : dates) {
    if (!DayExists(record.Get(date.year), record.Get(date.month), record.Get(date.day))) {
      return &date;
    }
  }
  return nullptr;
}

std::string ImpossibleDateNotice(const Session::State& s, const Record& record,
                                 std::span<const RecordDate> dates) {
  const RecordDate* date = FirstImpossibleDate(record, dates);
  if (!date) return {};
  const int year = NumberIn(record.Get(date->year));
  const int month = NumberIn(record.Get(date->month));
  const std::string yearMonth =
      year >= 1 ? EraMonthText(s, year, month) : std::to_string(month) + "月";
  return std::string(date->caption) + "「" + yearMonth +
         std::to_string(NumberIn(record.Get(date->day))) + "日」は暦にない日のため、";
}

}  // namespace tankora
