// The fixed texts with asterisk slots that the prints and the backup screen
// fill ("平成 **年 **月 **日"). Every text is CP932; a run of asterisks is a
// slot that receives a value right-aligned in exactly the run's width.
//
// Dates follow the era of the date that fills them: the 平成 of a heading
// becomes the date's era name (every era name takes four bytes, so the slots
// stay where they are), and a row date of an earlier era than today's carries
// the era letter before its year ("H25年 4月 1日"), one byte longer than the
// template.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "util/era.h"

namespace tankora {

// A date as a record or a print parameter holds it: the stored year ("%4d"
// Western year, or blanks), the month and the day (" 7", "10", or blanks).
struct StoredDate {
  std::string_view year;
  std::string_view month;
  std::string_view day;
};

namespace templates {
// 平成 **年 **月 **日: the date line of every printed report.
inline constexpr std::string_view kDateLine = "\x95\xBD\x90\xAC **\x94N **\x8C\x8E **\x93\xFA";
// 平成 **年 **月分  **頁/全**頁: the page heading of the monthly reports.
inline constexpr std::string_view kMonthPageHeading =
    "\x95\xBD\x90\xAC **\x94N **\x8C\x8E\x95\xAA  **\x95\xC5/\x91S**\x95\xC5";
// 平成 **年分       **頁/全**頁: the page heading of the per-customer list.
inline constexpr std::string_view kYearPageHeading =
    "\x95\xBD\x90\xAC **\x94N\x95\xAA       **\x95\xC5/\x91S**\x95\xC5";
// **月分       **頁/全**頁: the page heading of the inspection schedule.
inline constexpr std::string_view kSchedulePageHeading =
    "**\x8C\x8E\x95\xAA       **\x95\xC5/\x91S**\x95\xC5";
// **月分  **頁/全**頁: the page heading of the collection schedule.
inline constexpr std::string_view kCollectionPageHeading =
    "**\x8C\x8E\x95\xAA  **\x95\xC5/\x91S**\x95\xC5";
// **年**月**日, **-**-**, **.**.**～ and **.**.**: dates in report and list rows.
inline constexpr std::string_view kRowDateKanji = "**\x94N**\x8C\x8E**\x93\xFA";
inline constexpr std::string_view kRowDateDash = "**-**-**";
inline constexpr std::string_view kRowDateFrom = "**.**.**\x81\x60";
inline constexpr std::string_view kRowDateDot = "**.**.**";
// ***人: a tank's size in persons.
inline constexpr std::string_view kPersons = "***\x90l";
// ****年**月**日保存のデータが存在: the backup screen's notice (Western year).
inline constexpr std::string_view kSavedDataNotice =
    "****\x94N**\x8C\x8E**\x93\xFA\x95\xDB\x91\xB6\x82\xCC\x83\x66\x81[\x83^"
    "\x82\xAA\x91\xB6\x8D\xDD";
}  // namespace templates

// The template with its asterisk runs, in order, replaced by the values
// right-aligned in each run's width; a blank value leaves blanks, a value
// longer than its run keeps its start. Runs beyond the last value keep their
// asterisks.
std::string FillTemplate(std::string_view templ, std::initializer_list<std::string_view> values);

// "%2d" of a number (page numbers and counts in headings).
std::string TwoDigitText(int value);

// A template that begins with 平成 and whose first run is the era year:
// the name becomes the era the date shows in (today's era when its year is
// blank or cannot be shown), the first run that era's year, and the runs
// after it take `rest`. The date's month and day choose the era only; put
// them into `rest` where the template shows them.
std::string FillEraTemplate(const EraCalendar& eras, std::string_view templ, StoredDate date,
                            std::initializer_list<std::string_view> rest);

// 平成 **年 **月 **日 for a date.
std::string DateLine(const EraCalendar& eras, StoredDate date);
// 平成 **年 **月分  **頁/全**頁 for a year and month (the day is not used).
std::string MonthPageHeading(const EraCalendar& eras, StoredDate yearMonth, int page, int pages);
// 平成 **年分       **頁/全**頁 for a stored year.
std::string YearPageHeading(const EraCalendar& eras, std::string_view storedYear, int page,
                            int pages);

enum class RowDateStyle {
  Kanji,  // **年**月**日
  Dash,   // **-**-**
  From,   // **.**.**～
  Dot,    // **.**.**
};
// A date in a row: the era year of the date's own era ("%2d"), preceded by
// the era letter when that era is earlier than today's. A year after next
// year counts in today's era.
std::string RowDate(const EraCalendar& eras, RowDateStyle style, StoredDate date);

}  // namespace tankora
