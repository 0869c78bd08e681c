// The inspection slip screen (Panel_Tenken): the current customer's header,
// the entry line of one slip, and the customer's slips seven at a time.
#pragma once

#include <string_view>
#include <vector>

#include "shell/screen_def.h"
#include "shell/session_state.h"

namespace tankora {

// Rows of the history block, and the most slips one customer lists.
inline constexpr int kTenkenRows = 7;
inline constexpr int kTenkenRirekiMax = 2000;

const ScreenDef& SlipScreenDef();
// Chains the slip screen's parts into the customer screen's seams: header on
// every customer shown, history and a new slip on selection and clearing,
// the empty screen at start-up.
void InstallSlipSeams(Session::State& s);

// --- history (slip_history.cpp) ----------------------------------------------

// The record numbers of the live slips whose 20-byte KokyakuName is `name20`,
// newest stored (largest number) first. More than `cap` slips keep the newest
// `cap`. From the store's index: nothing is read.
std::vector<int> TenkenRireki(const Store& store, std::string_view name20,
                              int cap = kTenkenRirekiMax);
// Rebuilds TenkenRireki for the current customer, from its top with no row
// selected; shows the count in Label_TenkenDenpDs and returns it.
int TenkenRirekiLoad(Session::State& s);
// Redraws the seven history rows from TenkenRireki.
void TenkenRirekiShow(Session::State& s);
// Frames the selected row green and every other row plain (-1: none).
void TenkenRowHighlight(Session::State& s);
// A click on history row r (0..6): that slip into the entry line.
void TenkenRowSelect(Session::State& s, int row);
void TenkenPageUp(Session::State& s);
void TenkenPageDown(Session::State& s);
// The position of record `n` in TenkenRireki, 1-based, or 0.
int TenkenRirekiPosition(const Session::State& s, int n);

// --- entry line and commands (slip_commands.cpp) -----------------------------

// The slip fields in memory into the entry line, readings marked.
void TenkenShow(Session::State& s);
// The customer's header edits from the current customer record.
void TenkenHeaderShow(Session::State& s);
// The date check of F1: the three date edits into Year, Month and Day (blanks
// where out of range); true when the slip may be stored.
bool TenkenFromEdits(Session::State& s);
// F1 登録, F2 削除, F8 追加.
void TenkenWrite(Session::State& s);
void TenkenDelete(Session::State& s);
void TenkenNew(Session::State& s);
// Clears the red frames of a refused register.
void TenkenAlertsClear(Session::State& s);

// --- readings outside the usual acceptance criteria (slip_marks.cpp) ---------

// Which tank the transparency limit is judged by.
enum class TankKind { Unknown, Tandoku, Gappei };
TankKind TankKindOf(const Record& kokyaku);
// pH outside 5.8 to 8.6; a text that is no number is never marked.
bool PhOutOfRange(std::string_view ph);
// Transparency below 20 for a combined-treatment tank, below 7 for a
// stand-alone one; never for an unknown tank or a text that is no number.
bool TousidoLow(std::string_view tousido, TankKind tank);
// Marks (or unmarks) the entry line's pH and transparency edits.
void TenkenMarkEntry(Session::State& s);

}  // namespace tankora
