#include "util/era.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "util/fixed_text.h"

namespace tankora {

namespace {

constexpr Era kEras[] = {Era::Showa, Era::Heisei, Era::Reiwa};

int Rank(Era era) { return static_cast<int>(era); }

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// A decimal digit, half-width or full-width (82 4F .. 82 58), at the start
// of `text`: its value and byte length, or -1.
int DigitAt(std::string_view text, std::size_t& length) {
  if (text.empty()) return -1;
  const auto b0 = static_cast<unsigned char>(text[0]);
  if (b0 >= '0' && b0 <= '9') {
    length = 1;
    return b0 - '0';
  }
  if (b0 == 0x82 && text.size() >= 2) {
    const auto b1 = static_cast<unsigned char>(text[1]);
    if (b1 >= 0x4F && b1 <= 0x58) {
      length = 2;
      return b1 - 0x4F;
    }
  }
  return -1;
}

// An era prefix at the start of `text`: S/H/R in either case, half- or
// full-width, or the first kanji of the era's name.
std::optional<Era> PrefixAt(std::string_view text, std::size_t& length) {
  if (text.empty()) return std::nullopt;
  switch (text[0]) {
    case 'S':
    case 's':
      length = 1;
      return Era::Showa;
    case 'H':
    case 'h':
      length = 1;
      return Era::Heisei;
    case 'R':
    case 'r':
      length = 1;
      return Era::Reiwa;
    default:
      break;
  }
  if (text.size() < 2) return std::nullopt;
  struct Spelling {
    const char* bytes;
    Era era;
  };
  static constexpr Spelling kSpellings[] = {
      {"\x82\x72", Era::Showa},  {"\x82\x93", Era::Showa},  {"\x8F\xBA", Era::Showa},  // Ｓ ｓ 昭
      {"\x82\x67", Era::Heisei}, {"\x82\x88", Era::Heisei}, {"\x95\xBD", Era::Heisei},  // Ｈ ｈ 平
      {"\x82\x71", Era::Reiwa},  {"\x82\x92", Era::Reiwa},  {"\x97\xDF", Era::Reiwa},  // Ｒ ｒ 令
  };
  for (const Spelling& s : kSpellings) {
    if (text.substr(0, 2) == std::string_view(s.bytes, 2)) {
      length = 2;
      return s.era;
    }
  }
  return std::nullopt;
}

// Blanks a typed year may carry around and inside it: the one-byte blank
// and the full-width one (81 40).
std::string_view SkipBlanks(std::string_view text) {
  for (;;) {
    if (!text.empty() && text[0] == ' ') {
      text.remove_prefix(1);
    } else if (text.size() >= 2 && text.substr(0, 2) == "\x81\x40") {
      text.remove_prefix(2);
    } else {
      return text;
    }
  }
}

// A stored month or day as a number in its range, or the end of the year.
int PartOr(std::string_view text, int low, int high, int fallback) {
  const long value = ValueOf(text);
  return value >= low && value <= high ? static_cast<int>(value) : fallback;
}

}  // namespace

std::optional<Date> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  auto number = [&](std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  const Date date{number(0, 4), number(5, 2), number(8, 2)};
  if (date.year < 0 || date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > DaysInMonth(date.year, date.month)) {
    return std::nullopt;
  }
  if (!EraCalendar::EraOf(date)) return std::nullopt;
  return date;
}

EraCalendar::EraCalendar(Date today)
    : today_(today),
      currentEra_(EraOf(today).value_or(Era::Showa)),
      currentEraYear_(YearInEra(currentEra_, today.year)) {}

Date EraCalendar::TodayFromEnvironment() {
  if (const char* text = std::getenv("TANKORA_TODAY")) {
    if (const std::optional<Date> date = ParseIsoDate(text)) return *date;
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

Date EraCalendar::FirstDay(Era era) {
  switch (era) {
    case Era::Showa:
      return {1926, 12, 25};
    case Era::Heisei:
      return {1989, 1, 8};
    case Era::Reiwa:
      return {2019, 5, 1};
  }
  return {};
}

int EraCalendar::YearInEra(Era era, int westernYear) {
  return westernYear - FirstDay(era).year + 1;
}

std::optional<Era> EraCalendar::EraOf(Date date) {
  for (int i = static_cast<int>(std::size(kEras)) - 1; i >= 0; --i) {
    if (date >= FirstDay(kEras[i])) return kEras[i];
  }
  return std::nullopt;
}

char EraCalendar::Letter(Era era) {
  switch (era) {
    case Era::Showa:
      return 'S';
    case Era::Heisei:
      return 'H';
    case Era::Reiwa:
      return 'R';
  }
  return ' ';
}

std::string_view EraCalendar::Name(Era era) {
  switch (era) {
    case Era::Showa:
      return "\x8F\xBA\x98\x61";  // 昭和
    case Era::Heisei:
      return "\x95\xBD\x90\xAC";  // 平成
    case Era::Reiwa:
      return "\x97\xDF\x98\x61";  // 令和
  }
  return "    ";
}

std::optional<int> EraCalendar::LastYear(Era era, int yearsAhead) const {
  if (era == currentEra_) return currentEraYear_ + yearsAhead;
  if (Rank(era) > Rank(currentEra_)) return std::nullopt;  // not begun as far as today knows
  const Era next = kEras[Rank(era) + 1];
  return YearInEra(era, FirstDay(next).year);
}

std::optional<int> EraCalendar::ParseYear(std::string_view typed, int yearsAhead) const {
  const std::string trimmed = TrimBlanks(typed);
  std::string_view rest = SkipBlanks(trimmed);
  Era era = currentEra_;
  std::size_t length = 0;
  if (const std::optional<Era> prefix = PrefixAt(rest, length)) {
    era = *prefix;
    rest = SkipBlanks(rest.substr(length));
  }
  int value = 0;
  int digits = 0;
  for (int digit; digits < 3 && (digit = DigitAt(rest, length)) >= 0; ++digits) {
    value = value * 10 + digit;
    rest.remove_prefix(length);
  }
  rest = SkipBlanks(rest);
  if (digits < 1 || digits > 2 || !rest.empty()) return std::nullopt;
  const std::optional<int> last = LastYear(era, yearsAhead);
  if (!last || value < 1 || value > *last) return std::nullopt;
  return FirstDay(era).year + value - 1;
}

std::string EraCalendar::YearToStored(std::string_view typed, int yearsAhead) const {
  const std::optional<int> year = ParseYear(typed, yearsAhead);
  if (!year) return FillBlanks(4);
  char text[16];
  std::snprintf(text, sizeof text, "%4d", *year);
  return text;
}

std::optional<EraYear> EraCalendar::ShownEraYear(std::string_view storedYear,
                                                 std::string_view month, std::string_view day,
                                                 int yearsAhead) const {
  const long year = ValueOf(storedYear);
  if (year < FirstDay(Era::Showa).year || year > today_.year + yearsAhead) return std::nullopt;
  const Date date{static_cast<int>(year), PartOr(month, 1, 12, 12), PartOr(day, 1, 31, 31)};
  std::optional<Era> era = EraOf(date);
  if (!era) return std::nullopt;
  // An era that begins after today's is not in force yet as far as today
  // knows: such a year is typed, and so shown, as a year of the current era.
  if (Rank(*era) > Rank(currentEra_)) era = currentEra_;
  return EraYear{*era, YearInEra(*era, date.year)};
}

std::string EraCalendar::YearForDisplay(std::string_view storedYear, std::string_view month,
                                        std::string_view day, int yearsAhead) const {
  const std::optional<EraYear> shown = ShownEraYear(storedYear, month, day, yearsAhead);
  if (!shown) return FillBlanks(2);
  char text[16];
  // The current era's years fill the two positions of the old year edit; an
  // earlier era's year keeps the same "%2d" behind its letter, so the text
  // is always three bytes ("H 5", "S60") and parses back to the same year.
  if (shown->era == currentEra_) {
    std::snprintf(text, sizeof text, "%2d", shown->year);
  } else {
    std::snprintf(text, sizeof text, "%c%2d", Letter(shown->era), shown->year);
  }
  return text;
}

}  // namespace tankora
