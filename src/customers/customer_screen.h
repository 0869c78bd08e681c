// The customer screen: the 25-row customer list with paging, the customer
// record's edits and commands, and the month plan sub-panel.
#pragma once

#include <string>
#include <string_view>

#include "shell/screen_def.h"
#include "shell/session_state.h"
#include "store/status.h"

namespace tankora {

const ScreenDef& CustomerScreenDef();

// --- start-up and focus ------------------------------------------------------

// Start-up: the list index, the empty customer, the new-customer row selected.
void CustomerStart(Session::State& s);
// The first control of the customer screen as it stands (the month panel's
// first box while that panel covers the record).
std::string_view CustomerFirstFocus(const Session::State& s);

// --- list (customer_list.cpp) -----------------------------------------------

// Re-reads the list slots from the store's index (or, when deleted customers
// are shown, every record in file order).
void KokyakuSlotsRebuild(Session::State& s);
void KokyakuListShow(Session::State& s);
void KokyakuRowHighlight(Session::State& s);
// Label_KokyakuChoose_Line and Label_KokyakuDs.
void KokyakuPositionShow(Session::State& s);
// The page, the red frame and the position labels, after the slots or the
// current slot changed.
void KokyakuListRedraw(Session::State& s);
// Makes slot `slot` the current one and the loaded customer's (its record
// number), on the page that shows it in its last row when it lies beyond the
// first page, and redraws the list.
void KokyakuShowSlot(Session::State& s, int slot);
// A click on row `row` (0..24) of the page.
void KokyakuRowClick(Session::State& s, int row);
// Makes row `row` current and loads its customer everywhere.
void KokyakuRowSelect(Session::State& s, int row);
void KokyakuPageBack(Session::State& s);
void KokyakuPageNext(Session::State& s);
// The new-customer row becomes current, on the last page.
void KokyakuPlaceNewRow(Session::State& s);
// Shows and selects the first listed customer whose 20-byte name equals
// `name` and makes it the loaded customer's slot; returns its slot, or -1
// (then the first page is shown and the selection stays).
int KokyakuLocate(Session::State& s, std::string_view name);
// A list view's row was clicked: the customer of record `recNo` is shown on
// the page a row click would find it on and selected as that click selects
// it (the one already selected stays as it is, edits and all). False when
// the list does not hold it.
bool KokyakuSelectRecord(Session::State& s, int recNo);
// The "削除した顧客も表示" switch.
void KokyakuShowDeleted(Session::State& s, bool on);

// --- record and commands (customer_commands.cpp) ----------------------------

// The working customer record into the customer screen's controls.
void KokyakuShow(Session::State& s);
// F1 登録: stores the loaded customer (its own record number, or a new one),
// restores a deleted one, re-sorts, and empties the screen for the next.
void KokyakuWrite(Session::State& s);
// F2 削除: marks the loaded customer deleted and empties the screen. An
// unregistered slip or ledger entry typed for it holds the first press back.
void KokyakuDelete(Session::State& s);
// An empty customer on the new-customer row (F8 追加 asks first, see
// customer_fields.cpp; after a store nothing is left to ask about).
void KokyakuNew(Session::State& s);
// Stores the customer being edited and keeps it loaded and selected (for the
// slip screen's register command). The working record is unchanged.
Status KokyakuStoreCurrent(Session::State& s);
// Slips and ledger entries belong to a customer by its name alone: a stored
// customer stored under another name leaves them behind under the old one,
// where nothing shows them with it any more. Before a store that would do so
// (the loaded customer's name changed while its stored name still has live
// slips or entries) this says once what stays behind and returns true, the
// store not to go ahead; the same command again, nothing said in between,
// returns false. `slipGoingAlong` is a stored slip the command rewrites
// under the new name (it is not left behind), 0 for none.
bool KokyakuRenameHeld(Session::State& s, int slipGoingAlong = 0);
// The loaded customer's name typed again as the same text in other codes
// (髙 typed here is FB FC, its record may hold EE E0) keeps the bytes it is
// stored under: its slips and entries are found by those bytes, and a name
// that only looks retyped is no rename.
void KokyakuNameKeepsItsCode(Session::State& s);

// --- one customer per name (customer_commands.cpp) ---------------------------

// Slips and ledger entries find their customer by its 20-byte name, so two
// live customers of one name would share them. The live customer, other than
// the loaded one, that holds the working customer's name (in any of its CP932
// spellings, see SameTextSpellings; the typed bytes first) when storing the
// working customer would make it a second of that name; 0 when it would not.
// A customer already live under this name (files written elsewhere may hold
// two of a name) is no new second and stores as before.
int KokyakuNameClash(Session::State& s);
// The notice naming customer `recNo` as the holder of the name, followed by
// `outcome` (UTF-8).
std::string KokyakuClashNotice(Session::State& s, int recNo, std::string_view outcome);
// Makes stored customer `recNo` the current one on every screen, as a click
// on its row does, but leaves the focus where it is. False (with a notice)
// when it cannot be read or is not listed.
bool KokyakuSelectStored(Session::State& s, int recNo);

// --- month plan (customer_months.cpp) ----------------------------------------

// The month panel's line on the statutory inspection interval, and its note.
inline constexpr std::string_view kIntervalLabel = "Label_HouteiKankaku";
inline constexpr std::string_view kIntervalNoteLabel = "Label_HouteiKankakuNote";

// Label_TenkenKaisuu, Label_SyuukinKaisuu, Label_SyuukinnTotal and the
// interval line.
void MonthPlanShow(Session::State& s);
// Chains the customer screen's part into the seams: the month panel is
// brought up to date whenever the screen comes to the front, since the
// slip and ledger screens edit the tank's size and method too.
void InstallCustomerSeams(Session::State& s);
void MonthPanelShow(Session::State& s);
void MonthPanelHide(Session::State& s, bool focusRecord);

}  // namespace tankora
