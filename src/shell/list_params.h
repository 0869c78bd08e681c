// What the two list screens share: their print parameters read back from
// the edits (era years into Western years), the era captions beside their
// date edits, the company profile edits saved as they are committed, and
// the page labels of a paged view.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "shell/input_field.h"
#include "shell/session_state.h"
#include "util/templates.h"

namespace tankora {

// A year and month typed into two edits, as the selections take them.
struct TypedMonth {
  int westernYear = 0;  // 0 when the year is not valid
  int month = 0;        // 0 when not 1..12
  std::string stored;   // the six bytes "%4d%2d" (blanks where not valid)
  bool ok() const { return westernYear > 0 && month > 0; }
};
// The year edit goes through the era rules ("8", "R8", "H30", "平30").
TypedMonth ReadTypedMonth(const Session::State& s, std::string_view yearEdit,
                          std::string_view monthEdit);
// A month edit alone: 1..12, else 0.
int ReadMonth(const Session::State& s, std::string_view monthEdit);

// A date typed into three edits, as a record would store it ("%4d" year,
// "%2d" month and day, blanks where not valid): what the date line of a
// report is filled from.
struct TypedDate {
  std::string year, month, day;
  StoredDate AsStored() const { return {year, month, day}; }
};
TypedDate ReadTypedDate(const Session::State& s, std::string_view yearEdit,
                        std::string_view monthEdit, std::string_view dayEdit);

// A date group on a list screen: its era caption (平成 on the old screens)
// and the edits of its date. `day` is "" for a report month.
struct EraDateGroup {
  std::string_view caption, year, month, day;
};
// The caption shows the era of the date typed (today's era when the year is
// not valid), and the year edit the year as the other screens show it (an
// earlier era with its letter).
void EraDateShow(Session::State& s, const EraDateGroup& group);

// For a screen's afterCommit: a company profile field (record Jisya) was
// committed, so the company record is written now; a crash or a kill
// before the window closes loses nothing. Unchanged values write nothing.
void CompanyFieldCommitted(Session::State& s, const InputField& field);

// A list screen's afterCommit: the company field stored as above, and the
// era caption of the date group the field belongs to (if any) shown again.
void ListParamCommitted(Session::State& s, const InputField& field,
                        std::span<const EraDateGroup> groups);

// The view a list screen's view tab stands for: 0..2 for
// "<prefix>01".."<prefix>03", -1 for any other label.
int ViewTabOf(std::string_view label, std::string_view prefix);

// A list screen's F1 印刷: the view in front of `screen` goes to the printer
// (or its PDF) through the window's print seam.
void ListPrint(Session& session, Screen screen);

// "令和8年10月" (UTF-8), for the notice line: the era of that month.
std::string EraMonthText(const Session::State& s, int westernYear, int month);

// A row's value followed by its unit ("  5人", "   12000円", "TEL 027…"); ""
// when the value is blank, so an empty row shows no stray unit.
std::string WithUnit(std::string_view value, std::string_view unitCp932, bool unitFirst = false);
inline constexpr std::string_view kPersonsUnit = "\x90\x6c";  // 人
inline constexpr std::string_view kYenUnit = "\x89\x7e";      // 円

// "page" and "pages" into a view's two page labels.
void PageLabelsShow(Session::State& s, std::string_view nowLabel, std::string_view allLabel,
                    int top, int entries, int rows);

}  // namespace tankora
