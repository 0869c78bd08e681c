// The inspection list screen (点検伝票一覧, Panel_TenkenList): three views,
// the monthly inspection report for submission, one customer's slips and
// the month's inspection schedule, each paged through its whole selection.
// The selections themselves are in tenken_lists.h.
#pragma once

#include <string>
#include <string_view>

#include "shell/list_params.h"
#include "shell/screen_def.h"
#include "shell/session_state.h"

namespace tankora {

const ScreenDef& TenkenListScreenDef();
// The screen's parts of the seams: today's era in its captions at start-up,
// the view reselected when the tab shows the screen.
void InstallTenkenListSeams(Session::State& s);

enum TenkenItiranMode : int { kTenkenGeppou = 0, kTenkenKobetu = 1, kTenkenYotei = 2 };
inline constexpr int kTenkenGeppouRows = 6;
inline constexpr int kTenkenYoteiRows = 12;

// What the views and their prints are made from, read from the edits as
// they stand: the report date, the report month (modes 0 and 1), the
// customer name (mode 1), the schedule month and the month its done marks
// count (mode 2).
struct TenkenListInputs {
  TypedDate reportDate;     // Edit_TenkenGeppou_Year / _Month / _Day
  TypedMonth reportMonth;   // Edit_TenkenGeppou_ChooseYear / _ChooseMonth
  std::string kokyakuName;  // Edit_TenkenGeppou_KokyakuName, CP932, without trailing blanks
  int yoteiMonth = 0;       // Edit_TenkenYotei_Month, 0 when not 1..12
  int doneYear = 0;         // the report date's Western year (0 when not valid)
};
TenkenListInputs TenkenListInputsRead(const Session::State& s);

// Selects the view of the current mode from the edits and draws its first
// page; a selection that comes out empty says why in the notice line.
void TenkenItiranSelect(Session::State& s);
// Draws the page of the current view that begins at tenkenItiranTop.
void TenkenItiranShow(Session::State& s);
// The sub-tabs, panels, title and command bar of the current mode.
void TenkenItiranModeDraw(Session::State& s);
// The tab showed the screen: the view of the current mode selected again
// (the per-customer view for the current customer, when one is chosen).
void TenkenItiranEntered(Session::State& s);
// Sub-tab clicks: another view in front, selected and drawn.
void TenkenItiranModeSet(Session::State& s, int mode);
// 再表示 (the label of the view in front, or Enter in the command field).
void TenkenItiranReDisp(Session::State& s);
// F5 前頁 / F6 次頁.
void TenkenItiranPrePage(Session::State& s);
void TenkenItiranNextPage(Session::State& s);
// F3 (schedule only): those still to visit first, or back to list order.
void TenkenYoteiOrderToggle(Session::State& s);
// A click on a row label: that row's customer becomes the current customer.
bool TenkenItiranLabelClick(Session::State& s, std::string_view label);

}  // namespace tankora
