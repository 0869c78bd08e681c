#include "util/templates.h"

#include <cstdio>

#include "util/fixed_text.h"

namespace tankora {

namespace {

std::string_view RowTemplate(RowDateStyle style) {
  switch (style) {
    case RowDateStyle::Kanji:
      return templates::kRowDateKanji;
    case RowDateStyle::Dash:
      return templates::kRowDateDash;
    case RowDateStyle::From:
      return templates::kRowDateFrom;
    case RowDateStyle::Dot:
      return templates::kRowDateDot;
  }
  return templates::kRowDateDash;
}

// The era year a row date is shown with. A year after next year (a contract
// that ends years ahead) cannot be typed, but a stored one is a year of
// today's era all the same and is shown as such, not left blank.
std::optional<EraYear> RowEraYear(const EraCalendar& eras, StoredDate date) {
  if (std::optional<EraYear> shown = eras.ShownEraYear(date.year, date.month, date.day)) {
    return shown;
  }
  const long year = ValueOf(date.year);
  if (year <= eras.Today().year + 1 || year > 9999) return std::nullopt;
  return EraYear{eras.CurrentEra(),
                 EraCalendar::YearInEra(eras.CurrentEra(), static_cast<int>(year))};
}

}  // namespace

std::string FillTemplate(std::string_view templ, std::initializer_list<std::string_view> values) {
  std::string out(templ);
  const std::string_view* value = values.begin();
  std::size_t i = 0;
  while (i < out.size() && value != values.end()) {
    // No CP932 trail byte is an asterisk (0x2A), but stepping over whole
    // characters keeps that from ever mattering.
    if (IsCp932LeadByte(static_cast<unsigned char>(out[i]))) {
      i += 2;
      continue;
    }
    if (out[i] != '*') {
      ++i;
      continue;
    }
    std::size_t run = 0;
    while (i + run < out.size() && out[i + run] == '*') ++run;
    out = FillSlot(out, i, run, *value++);
    i += run;
  }
  return out;
}

std::string TwoDigitText(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%2d", value);
  return text;
}

std::string FillEraTemplate(const EraCalendar& eras, std::string_view templ, StoredDate date,
                            std::initializer_list<std::string_view> rest) {
  const std::optional<EraYear> shown = eras.ShownEraYear(date.year, date.month, date.day);
  std::string out(templ);
  const std::string_view heisei = EraCalendar::Name(Era::Heisei);
  if (out.compare(0, heisei.size(), heisei) == 0) {
    const std::string_view name = EraCalendar::Name(shown ? shown->era : eras.CurrentEra());
    out.replace(0, heisei.size(), name);
  }
  // The era year goes into the first run, the other values after it.
  const std::string year = shown ? TwoDigitText(shown->year) : std::string();
  const std::size_t first = out.find('*', heisei.size());
  if (first == std::string::npos) return out;
  std::size_t run = 0;
  while (first + run < out.size() && out[first + run] == '*') ++run;
  const std::string withYear = FillSlot(out, first, run, year);
  return withYear.substr(0, first + run) + FillTemplate(withYear.substr(first + run), rest);
}

std::string DateLine(const EraCalendar& eras, StoredDate date) {
  return FillEraTemplate(eras, templates::kDateLine, date, {date.month, date.day});
}

std::string MonthPageHeading(const EraCalendar& eras, StoredDate yearMonth, int page, int pages) {
  const StoredDate monthEnd{yearMonth.year, yearMonth.month, {}};
  return FillEraTemplate(eras, templates::kMonthPageHeading, monthEnd,
                         {yearMonth.month, TwoDigitText(page), TwoDigitText(pages)});
}

std::string YearPageHeading(const EraCalendar& eras, std::string_view storedYear, int page,
                            int pages) {
  return FillEraTemplate(eras, templates::kYearPageHeading, StoredDate{storedYear, {}, {}},
                         {TwoDigitText(page), TwoDigitText(pages)});
}

std::string RowDate(const EraCalendar& eras, RowDateStyle style, StoredDate date) {
  const std::optional<EraYear> shown = RowEraYear(eras, date);
  const std::string year = shown ? TwoDigitText(shown->year) : std::string();
  std::string out = FillTemplate(RowTemplate(style), {year, date.month, date.day});
  if (shown && shown->era != eras.CurrentEra())
    out.insert(out.begin(), EraCalendar::Letter(shown->era));
  return out;
}

}  // namespace tankora
