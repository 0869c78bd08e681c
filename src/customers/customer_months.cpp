// The yearly plan: inspection and collection months and the amounts.
#include <string>

#include "customers/customer_screen.h"
#include "customers/inspection_interval.h"
#include "shell/input_framework.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

// Counted by the rule the boxes are checked by, so the counter always
// matches the boxes shown, whatever byte another program marked a month with.
int MonthsSet(const Record& rec, int field) {
  int count = 0;
  for (int m = 1; m <= 12; ++m) count += rec.MonthPlanned(field, m);
  return count;
}

// An amount as the office means it: "1,500" is fifteen hundred yen, though
// the number at its start is 1 (the record keeps the text as typed). Without
// this the yearly total would add 1 for it.
long AmountValue(std::string_view stored) {
  std::string digits;
  for (const char c : stored) {
    if (c != ',') digits += c;
  }
  return ValueOf(digits);
}

}  // namespace

void MonthPlanShow(Session::State& s) {
  const Record& rec = s.kokyaku;
  s.view.SetText("Label_TenkenKaisuu", std::to_string(MonthsSet(rec, Kokyaku::TenkenMonths)));
  s.view.SetText("Label_SyuukinKaisuu", std::to_string(MonthsSet(rec, Kokyaku::SyuukinMonths)));
  long total = 0;
  for (int f = Kokyaku::Syukinngaku01; f <= Kokyaku::Syukinngaku12; ++f) {
    total += AmountValue(rec.Get(f));
  }
  s.view.SetText("Label_SyuukinnTotal", std::to_string(total));
  // Beside the counters: the least the law asks for this tank and whether
  // the months ticked keep to it. Said, never enforced: the plan is the
  // office's, and the table cannot know every tank.
  const IntervalLine line = DescribeInterval(CheckInspectionInterval(rec));
  s.view.SetCaptionUtf8(kIntervalLabel, line.text);
  s.view.SetAlert(kIntervalLabel, line.fault);
  s.view.SetCaptionUtf8(kIntervalNoteLabel, line.note);
}

void MonthPanelShow(Session::State& s) {
  s.monthPanelShown = true;
  s.view.SetVisible("Panel_KensinSyuukinMonth", true);
  FocusControl(s, "CheckBox_Tenken_01");
}

void MonthPanelHide(Session::State& s, bool focusRecord) {
  if (s.monthPanelShown) {
    s.monthPanelShown = false;
    s.view.SetVisible("Panel_KensinSyuukinMonth", false);
  }
  if (focusRecord) FocusControl(s, "Edit_Kokyaku_Zip1");
}

}  // namespace tankora
