// The contract list screen (浄化槽工事一覧, Panel_KeiyakuList): three views,
// the contract monthly report, the contracts ending in a month and the
// collection schedule, each paged through its whole selection. The
// selections themselves are in keiyaku_lists.h.
#pragma once

#include <string_view>

#include "shell/list_params.h"
#include "shell/screen_def.h"
#include "shell/session_state.h"

namespace tankora {

const ScreenDef& KeiyakuListScreenDef();
// The screen's parts of the seams: today's era in its captions at start-up,
// the view reselected when the tab shows the screen.
void InstallKeiyakuListSeams(Session::State& s);

enum KeiyakuListMode : int { kKeiyakuGeppou = 0, kKeiyakuEnd = 1, kSyuukinYotei = 2 };
inline constexpr int kKeiyakuGeppouRows = 14;
inline constexpr int kKeiyakuEndRows = 12;
inline constexpr int kSyuukinYoteiRows = 12;

// What the views and their prints are made from, read from the edits as
// they stand: the report date printed on all three reports, the month of
// each view.
struct KeiyakuListInputs {
  TypedDate reportDate;    // Edit_HosyuKeiyaku_Geppou_Year / _Month / _Day
  TypedMonth geppouMonth;  // Edit_HosyuKeiyaku_Geppou_ChooseYear / _ChooseMonth
  TypedMonth endMonth;     // Edit_Kouji_KokyakuEndYear / _KokyakuEndMonth
  int syuukinMonth = 0;    // Edit_Kouji_SyuukinMonth, 0 when not 1..12
};
KeiyakuListInputs KeiyakuListInputsRead(const Session::State& s);

// Selects the view of the current mode from the edits and draws its first
// page; a selection that comes out empty says why in the notice line.
void KeiyakuListSelect(Session::State& s);
// Draws the page of the current view that begins at keiyakuItiranTop.
void KeiyakuListShow(Session::State& s);
// The sub-tabs and sub-panels of the current mode.
void KeiyakuListModeDraw(Session::State& s);
// Sub-tab clicks: another view in front, selected, drawn, its first edit focused.
void KeiyakuListModeSet(Session::State& s, int mode);
// 再表示 of the view in front (its label, or Enter in the command field).
void KeiyakuListReDisp(Session::State& s);
// F5 前頁 / F6 次頁.
void KeiyakuListPrePage(Session::State& s);
void KeiyakuListNextPage(Session::State& s);
// A click on a row label: that row's customer becomes the current customer.
bool KeiyakuListLabelClick(Session::State& s, std::string_view label);

}  // namespace tankora
