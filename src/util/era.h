// Today's date and the Japanese eras: how years are typed, stored and shown.
// Stored years are four-digit Western years ("%4d"); screens and prints show
// the year of the era in force on that date.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tankora {

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  auto operator<=>(const Date&) const = default;
};

enum class Era { Showa, Heisei, Reiwa };  // in the order they began

// "YYYY-MM-DD" as a real calendar day on which some era is in force (from
// 1926-12-25 on), else nullopt: the form TANKORA_TODAY takes.
std::optional<Date> ParseIsoDate(std::string_view text);

// A year as an era shows it: 平成25 is {Era::Heisei, 25}.
struct EraYear {
  Era era;
  int year;
};

// How far past today's year a typed or stored year may lie. A visit, and a
// month a report is for, lie at most in next year; contracts run for years
// and are signed ahead, so their dates (and the construction and use-start
// dates beside them) reach ten years on.
inline constexpr int kYearsAheadVisit = 1;
inline constexpr int kYearsAheadContract = 10;

class EraCalendar final {
 public:
  explicit EraCalendar(Date today);
  // TANKORA_TODAY=YYYY-MM-DD when set and valid, else the system clock's local date.
  // (The program refuses to start on an invalid value before it gets here.)
  static Date TodayFromEnvironment();

  Date Today() const { return today_; }
  Era CurrentEra() const { return currentEra_; }
  // Year of the current era on today's date (what was once the Heisei year).
  int CurrentEraYear() const { return currentEraYear_; }

  // The era in force on a date, if any (nullopt before 1926-12-25).
  static std::optional<Era> EraOf(Date date);
  static char Letter(Era era);    // 'S', 'H', 'R'
  static Date FirstDay(Era era);  // 1926-12-25, 1989-01-08, 2019-05-01
  // The era year a Western year has in an era (1 in the era's first year).
  static int YearInEra(Era era, int westernYear);
  static std::string_view Name(Era era);  // CP932 bytes of 昭和, 平成, 令和 (4 bytes each)

  // The last era year that may be typed with this era's prefix: the era's
  // final year for an earlier era (S64, H31), the current era year +
  // `yearsAhead` for the current era, nullopt for an era that has not begun
  // on today's date.
  std::optional<int> LastYear(Era era, int yearsAhead = kYearsAheadVisit) const;

  // A typed year part (CP932 bytes: optional era prefix S/H/R in either case,
  // half- or full-width, or 昭/平/令, then one or two digits, half- or
  // full-width; blanks around them are ignored) as the Western year it means,
  // or nullopt when not valid. Without a prefix it is a year of the current
  // era; either way it must lie between 1 and LastYear of its era.
  std::optional<int> ParseYear(std::string_view typed, int yearsAhead = kYearsAheadVisit) const;
  // The same as the four bytes stored in a record: "%4d" or four blanks.
  std::string YearToStored(std::string_view typed, int yearsAhead = kYearsAheadVisit) const;
  // The era and era year a stored year shows as: the era in force on the
  // date (a blank or out-of-range month or day counts as the end of the
  // year), where an era that begins after today's counts as today's; nullopt
  // when the year holds no number, lies before 1926-12-25 or after today's
  // year + `yearsAhead`.
  std::optional<EraYear> ShownEraYear(std::string_view storedYear, std::string_view month = {},
                                      std::string_view day = {},
                                      int yearsAhead = kYearsAheadVisit) const;
  // That year as shown in a year edit: "%2d" for the current era (two bytes),
  // the era letter and "%2d" for an earlier one (three bytes: "H25", "S60",
  // "H 5"), two blanks when ShownEraYear has none.
  std::string YearForDisplay(std::string_view storedYear, std::string_view month = {},
                             std::string_view day = {}, int yearsAhead = kYearsAheadVisit) const;

 private:
  Date today_;
  Era currentEra_;
  int currentEraYear_;
};

}  // namespace tankora
