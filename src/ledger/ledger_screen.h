// The construction ledger screen (浄化槽工事登録): one ledger entry at a time,
// paged by record number, tied to the customer file by the orderer's name.
// Its 38 twin fields stay equal to the customer's while either is edited.
#pragma once

#include <string_view>

#include "shell/screen_def.h"
#include "shell/session_state.h"

namespace tankora {

const ScreenDef& LedgerScreenDef();

// Chains the ledger's parts of the customer screen's seams (customer shown,
// row selected or selected again, customer cleared, start-up).
void InstallLedgerSeams(Session::State& s);

// --- display -----------------------------------------------------------------

// The working ledger record into the ledger's edits and radio pair, the
// delete notice, and Label_Kouji_rec / Label_Kouji_ds.
void KoujiShow(Session::State& s);
// Label_Kouji_rec (CurrentKoujiNo) and Label_Kouji_ds (KoujiCount).
void KoujiPositionShow(Session::State& s);

// --- the link with the customer record ----------------------------------------

// Ledger fields 1..38 from their customer twins.
void KoujiFromKokyaku(Session::State& s);
// The customer twins from the ledger fields that are not blank. An old
// entry lacks what was entered on the customer screen later (contract
// dates, model, contractor): its blanks must not wipe those out. A blank
// chosen on purpose reaches the customer as it is typed, through the edits.
void KokyakuFromKouji(const Record& kouji, Record& kokyaku);
// The customer in the edits was selected: the newest live entry of that
// name becomes the entry on screen; without one, a new entry prefilled from
// the customer. Shows the ledger.
void KoujiFindForKokyaku(Session::State& s);
// A ledger edit was committed: one that changed the entry is that entry's
// own typing, not only the customer's (the customer screen reaches the
// twins too). A new entry holds no other typing; a stored entry's typing is
// what differs from its record.
void KoujiEditCommitted(Session::State& s);
// The newest live entry whose 20-byte name equals `name20`, read into `out`;
// its record number, or 0.
int KoujiFindNewest(const Store& store, std::string_view name20, Record* out);

// --- commands ----------------------------------------------------------------

// F1 工事元帳のみ登録: stores the entry at its number (a new one appended);
// an entry shown as deleted is stored live again. Nothing without a name.
void KoujiWrite(Session::State& s);
// F2 削除: marks the stored entry on screen deleted, at once.
void KoujiDelete(Session::State& s);
// F3 工事元帳と顧客を登録: F1, then the customer of that name updated from the
// entry (or created from it), sorted, selected and shown.
void KoujiKokyakuWrite(Session::State& s);
// F3 would store the customer in the edits, with what was typed on the
// customer screen: the edits hold the stored customer of the entry's name,
// or a new customer while none has it (or the name is still to be typed).
// Otherwise F3 stores the entry to another customer, or a new one from the
// entry alone.
bool KoujiKokyakuWriteStoresEdits(Session::State& s);
// The entry on screen is a stored, live one: F1 or F3 rewrite it and add no
// entry (a new entry would be appended, a deleted one brought back).
bool KoujiEntryStoredAsShown(const Session::State& s);
// F5 前頁 / F6 次頁: the previous or next entry, with its customer selected.
void KoujiPrePage(Session::State& s);
void KoujiNextPage(Session::State& s);
// F8 追加: a new entry, with an empty customer on the new-customer row.
void KoujiNew(Session::State& s);

}  // namespace tankora
