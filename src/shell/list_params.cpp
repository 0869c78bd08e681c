#include "shell/list_params.h"

#include <cstdio>

#include "shell/input_framework.h"
#include "util/cp932.h"
#include "util/fixed_text.h"
#include "util/paging.h"

namespace tankora {

namespace {

// The years ahead a year edit takes (the contract lists' reach further).
int AheadOf(std::string_view yearEdit) {
  const InputField* f = FindField(yearEdit);
  return f ? YearsAheadOf(*f) : kYearsAheadVisit;
}

std::string MonthText(const Session::State& s, std::string_view monthEdit, int low, int high) {
  const std::string t = TrimBlanks(s.view.Text(monthEdit));
  const long v = ValueOf(t);
  if (t.empty() || v < low || v > high) return FillBlanks(2);
  char text[8];
  std::snprintf(text, sizeof text, "%2ld", v);
  return text;
}

}  // namespace

TypedMonth ReadTypedMonth(const Session::State& s, std::string_view yearEdit,
                          std::string_view monthEdit) {
  TypedMonth m;
  const int ahead = AheadOf(yearEdit);
  if (const std::optional<int> y = s.eras.ParseYear(s.view.Text(yearEdit), ahead)) {
    m.westernYear = *y;
  }
  m.month = ReadMonth(s, monthEdit);
  m.stored = s.eras.YearToStored(s.view.Text(yearEdit), ahead) + MonthText(s, monthEdit, 1, 12);
  return m;
}

int ReadMonth(const Session::State& s, std::string_view monthEdit) {
  const std::string t = TrimBlanks(s.view.Text(monthEdit));
  const long v = ValueOf(t);
  return v >= 1 && v <= 12 ? static_cast<int>(v) : 0;
}

TypedDate ReadTypedDate(const Session::State& s, std::string_view yearEdit,
                        std::string_view monthEdit, std::string_view dayEdit) {
  return {s.eras.YearToStored(s.view.Text(yearEdit), AheadOf(yearEdit)),
          MonthText(s, monthEdit, 1, 12), MonthText(s, dayEdit, 1, 31)};
}

void EraDateShow(Session::State& s, const EraDateGroup& g) {
  const int ahead = AheadOf(g.year);
  const std::string year = s.eras.YearToStored(s.view.Text(g.year), ahead);
  const std::string month = MonthText(s, g.month, 1, 12);
  const std::string day = g.day.empty() ? std::string() : MonthText(s, g.day, 1, 31);
  const std::optional<EraYear> shown = s.eras.ShownEraYear(year, month, day, ahead);
  s.view.SetText(g.caption, EraCalendar::Name(shown ? shown->era : s.eras.CurrentEra()));
  if (!shown) return;
  // The focused edit keeps its bare text (it is being typed in).
  std::string text = s.eras.YearForDisplay(year, month, day, ahead);
  if (s.view.Focused() == g.year) text = TrimBlanks(text);
  if (s.view.Text(g.year) != text) s.view.SetText(g.year, text);
}

void CompanyFieldCommitted(Session::State& s, const InputField& field) {
  if (field.targets[0].record != RecordKind::Jisya) return;
  (void)s.session.SaveCompany();  // a failure is shown in the notice line
}

void ListParamCommitted(Session::State& s, const InputField& field,
                        std::span<const EraDateGroup> groups) {
  CompanyFieldCommitted(s, field);
  for (const EraDateGroup& g : groups) {
    if (field.control == g.year || field.control == g.month || field.control == g.day) {
      EraDateShow(s, g);
    }
  }
}

int ViewTabOf(std::string_view label, std::string_view prefix) {
  if (label.size() != prefix.size() + 2 || label.substr(0, prefix.size()) != prefix) return -1;
  const std::string_view number = label.substr(prefix.size());
  if (number[0] != '0' || number[1] < '1' || number[1] > '3') return -1;
  return number[1] - '1';
}

void ListPrint(Session& session, Screen screen) {
  Session::State& s = session.state();
  if (s.seams.listPrint) {
    s.seams.listPrint(session, screen);
  } else {
    s.SetNotice("印刷はまだできません。");
  }
}

std::string EraMonthText(const Session::State& s, int westernYear, int month) {
  char text[16];
  std::snprintf(text, sizeof text, "%4d", westernYear);
  const std::optional<EraYear> shown =
      s.eras.ShownEraYear(text, TwoDigitText(month), {}, kYearsAheadContract);
  const std::string year =
      shown ? Cp932ToUtf8(EraCalendar::Name(shown->era)) + std::to_string(shown->year)
            : std::to_string(westernYear);
  return year + "年" + std::to_string(month) + "月";
}

std::string WithUnit(std::string_view value, std::string_view unitCp932, bool unitFirst) {
  if (TrimBlanks(value).empty()) return {};
  return unitFirst ? std::string(unitCp932) + std::string(value)
                   : std::string(value) + std::string(unitCp932);
}

void PageLabelsShow(Session::State& s, std::string_view nowLabel, std::string_view allLabel,
                    int top, int entries, int rows) {
  s.view.SetText(nowLabel, std::to_string(PageNumber(top, entries, rows)));
  s.view.SetText(allLabel, std::to_string(PageCount(entries, rows)));
}

}  // namespace tankora
