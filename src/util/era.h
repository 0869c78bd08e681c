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

enum class Era { Showa, Heisei, Reiwa };

class EraCalendar final {
 public:
  explicit EraCalendar(Date today);
  // TANKORA_TODAY=YYYY-MM-DD when set and valid, else the system clock's local date.
  static Date TodayFromEnvironment();

  Date Today() const { return today_; }
  Era CurrentEra() const { return currentEra_; }
  // Year of the current era on today's date (what was once the Heisei year).
  int CurrentEraYear() const { return currentEraYear_; }

  // The era in force on a date, if any (nullopt before 1926-12-25).
  static std::optional<Era> EraOf(Date date);
  static char Letter(Era era);           // 'S', 'H', 'R'
  static std::string_view Name(Era era); // CP932 bytes of 昭和, 平成, 令和 (4 bytes each)

  // A typed year part (CP932 bytes: optional era prefix S/H/R in either case,
  // half- or full-width, or 昭/平/令, then one or two digits, half- or
  // full-width) as the Western year it means, or nullopt when not valid.
  std::optional<int> ParseYear(std::string_view typed) const;
  // The same as the four bytes stored in a record: "%4d" or four blanks.
  std::string YearToStored(std::string_view typed) const;
  // A stored year (with the date's month and day, which choose the era; blank
  // ones count as the end of the year) as shown in a year edit: "%2d" for the
  // current era, the era letter and the year ("H25", "S60") for an earlier one,
  // two blanks when the year holds no number, lies before 1926-12-25 or after
  // today's year + 1.
  std::string YearForDisplay(std::string_view storedYear, std::string_view month = {},
                             std::string_view day = {}) const;

 private:
  Date today_;
  Era currentEra_;
  int currentEraYear_;
};

}  // namespace tankora
