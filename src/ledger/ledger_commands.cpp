// The ledger entry on screen, its link with the customer record, and the
// commands of the ledger's command bar.
#include <string>

#include "customers/customer_screen.h"
#include "ledger/ledger_screen.h"
#include "shell/calendar_dates.h"
#include "shell/input_framework.h"

namespace tankora {

namespace {

constexpr std::string_view kRecLabel = "Label_Kouji_rec";
constexpr std::string_view kCountLabel = "Label_Kouji_ds";
constexpr std::string_view kDeleteShape = "Shape_KoujiDeleteMsg";
constexpr std::string_view kDeleteLabel = "Label_KoujiDeleteMsg";

// The name is what ties an entry to its customer; an entry without one is
// never stored.
bool NameMissing(const Record& kouji) {
  const std::string_view name = kouji.Get(Kouji::Name);
  return name.empty() || name[0] == ' ';
}

// Only "1" deletes, as in every file: an entry flagged with another byte by
// another program is found, listed and paged as live, so it must not be
// announced as deleted either.
bool MarkedDeleted(const Record& kouji) { return kouji.Deleted(); }

int NewEntryNo(const Session::State& s) { return s.store.KoujiCount() + 1; }

void CommandBarPlain(Session::State& s) {
  s.CursorOf(Screen::Ledger) = -1;
  CommandCursorDraw(s, Screen::Ledger);
}

void DeleteNoticeShow(Session::State& s) {
  const bool deleted = MarkedDeleted(s.kouji);
  s.view.SetVisible(kDeleteShape, deleted);
  s.view.SetVisible(kDeleteLabel, deleted);
}

// What the entry on screen holds now is where it starts from: no typing of
// its own yet (see KoujiEditCommitted).
void EntryBegins(Session::State& s) {
  s.koujiNewImage = std::string(s.kouji.Pack());
  s.koujiTyped = false;
}

std::string LedgerFailure(const Status& st) {
  return "工事元帳を保存できませんでした: " + st.detail;
}

// Stores the working entry at its number, live. False when nothing was
// stored (no name, or the write failed: then the notice says why).
bool StoreEntry(Session::State& s) {
  if (NameMissing(s.kouji)) return false;
  if (const std::string why = ImpossibleDateNotice(s, s.kouji, KoujiDates()); !why.empty()) {
    s.SetNotice(why + "工事元帳を登録しませんでした。");
    return false;
  }
  int no = s.currentKoujiNo;
  if (no < 1 || no > NewEntryNo(s)) no = NewEntryNo(s);
  const std::string flag(s.kouji.Get(Kouji::DeleteFlag));
  s.kouji.Set(Kouji::DeleteFlag, " ");
  if (Status st = s.store.KoujiFile().WriteRecord(no, s.kouji); !st) {
    s.kouji.Set(Kouji::DeleteFlag, flag);
    s.SetNotice(LedgerFailure(st));
    return false;
  }
  s.currentKoujiNo = no;
  EntryBegins(s);
  DeleteNoticeShow(s);
  KoujiPositionShow(s);
  return true;
}

// While a ledger command shows a customer itself, the row-selection hook
// must not look up that customer's newest entry over the entry on screen.
class EntryHold final {
 public:
  explicit EntryHold(Session::State& s) : s_(s), was_(s.koujiEntryHeld) {
    s_.koujiEntryHeld = true;
  }
  ~EntryHold() { s_.koujiEntryHeld = was_; }
  EntryHold(const EntryHold&) = delete;
  EntryHold& operator=(const EntryHold&) = delete;

 private:
  Session::State& s_;
  bool was_;
};

// The loaded customer on the customer screen and in the slip screen's
// header, as a row selection shows it; then the ledger goes back to the
// entry `image` (showing a customer copies its twins over the ledger record).
void ShowCustomerKeepingEntry(Session::State& s, const std::string& image, int koujiNo) {
  KokyakuShow(s);
  {
    EntryHold hold(s);
    if (s.seams.customerSelected) s.seams.customerSelected(s.session);
  }
  s.currentKoujiNo = koujiNo;
  s.kouji.Unpack(image);
  EntryBegins(s);
  KoujiShow(s);
}

// Selects the first listed customer of the entry's name and loads it; the
// new-customer row with an empty customer when there is none.
void SelectCustomerOf(Session::State& s, std::string_view name) {
  const bool named = !name.empty() && name[0] != ' ';
  if (named && KokyakuLocate(s, name) >= 0) {
    const Status st = s.store.KokyakuFile().ReadRecord(s.loadedRecNo, s.kokyaku);
    if (st) return;
    s.SetNotice("顧客を読めませんでした: " + st.detail);
  }
  s.kokyaku.Clear();
  s.loadedRecNo = 0;
  KokyakuPlaceNewRow(s);
  KokyakuListRedraw(s);
}

void Page(Session::State& s, int step) {
  const int count = s.store.KoujiCount();
  int no = s.currentKoujiNo;
  if (step < 0 && no <= 1) return;
  if (step > 0 && no > count) return;
  // The page reads the entry's customer from the file (or empties it past
  // the last entry) and begins a new slip for it, even when the customer
  // is the one on screen: all three go.
  if (MoveHeldForTyping(s, kUnsavedCustomer | kUnsavedSlip | kUnsavedLedger, MoveBy::Key)) return;
  no += step;
  Record entry(KoujiLayout());
  if (no <= count) {
    if (Status st = s.store.KoujiFile().ReadRecord(no, entry); !st) {
      s.SetNotice("工事元帳を読めませんでした: " + st.detail);
      return;
    }
    SelectCustomerOf(s, entry.Get(Kouji::Name));
  } else {
    // Past the last entry: a new, empty entry with an empty customer.
    entry.Clear();
    SelectCustomerOf(s, {});
  }
  ShowCustomerKeepingEntry(s, std::string(entry.Pack()), no);
}

// The customer in the edits is the stored one of the entry's name `key`, so
// F3 stores it with what was typed on the customer screen. A deleted customer
// of the name (`restored`) counts only while no live one holds it: the entry
// then goes to the live one, never to a second of the same name.
bool EditsHoldStoredCustomerOf(Session::State& s, std::string_view key, bool* restored) {
  Record onDisk(KokyakuLayout());
  if (s.loadedRecNo == 0 || !s.store.KokyakuFile().ReadRecord(s.loadedRecNo, onDisk) ||
      onDisk.Get(Kokyaku::Name) != key) {
    return false;
  }
  if (onDisk.Deleted() && s.store.KokyakuFind(std::string(key)) != 0) return false;
  if (restored) *restored = onDisk.Deleted();
  return true;
}

std::string CustomerFailure(const Status& st) {
  if (st.error == StoreError::Refused) return st.detail + "工事元帳は登録しました。";
  if (st.error == StoreError::TooManyCustomers) {
    return "顧客は" + std::to_string(Store::kMaxActive) +
           "件までしか登録できません。工事元帳だけ登録しました。";
  }
  return "顧客を保存できませんでした（工事元帳は登録済み）: " + st.detail;
}

// The ledger's parts of the customer screen's seams.
void OnCustomerShown(Session& session) { KoujiFromKokyaku(session.state()); }

// A deleted customer chosen here (削除した顧客も表示) is brought back by F3
// only where F3 stores the customer in the edits over the stored entry on
// screen; else F3 would also add or bring back an entry nobody asked for, and
// the customer screen's F1 is the key that brings the customer back alone.
void OnCustomerSelected(Session& session) {
  Session::State& s = session.state();
  KoujiFindForKokyaku(s);
  if (s.currentScreen != Screen::Ledger || s.loadedRecNo == 0 || !s.kokyaku.Deleted() ||
      s.noticeKind != NoticeKind::Info) {
    return;
  }
  s.SetNotice(KoujiEntryStoredAsShown(s) && KoujiKokyakuWriteStoresEdits(s)
                  ? "削除された顧客です。F3 工事元帳と顧客を登録で元に戻せます。"
                  : "削除された顧客です。顧客基本情報の画面の F1 登録で元に戻せます。",
              NoticeKind::Info);
}

void OnCustomerCleared(Session& session) {
  Session::State& s = session.state();
  s.kouji.Clear();
  KoujiFromKokyaku(s);
  s.currentKoujiNo = NewEntryNo(s);
  EntryBegins(s);
  KoujiShow(s);
}

// The selected row clicked again: what the ledger shows becomes a new entry
// (F1 then stores it as another job). A new entry is never a deleted one.
void OnRowReselected(Session& session) {
  Session::State& s = session.state();
  s.currentKoujiNo = NewEntryNo(s);
  s.kouji.Set(Kouji::DeleteFlag, " ");
  EntryBegins(s);
  DeleteNoticeShow(s);
  KoujiPositionShow(s);
}

void OnStarted(Session& session) {
  Session::State& s = session.state();
  s.kouji.Clear();
  s.currentKoujiNo = NewEntryNo(s);
  EntryBegins(s);
  s.CursorOf(Screen::Ledger) = -1;
  CommandCursorDraw(s, Screen::Ledger);
  KoujiShow(s);
}

}  // namespace

void InstallLedgerSeams(Session::State& s) {
  ScreenSeams& seams = s.seams;
  ChainSeam(seams.customerShown, OnCustomerShown);
  ChainSeam(seams.customerSelected, OnCustomerSelected);
  ChainSeam(seams.customerCleared, OnCustomerCleared);
  ChainSeam(seams.rowReselected, OnRowReselected);
  ChainSeam(seams.started, OnStarted);
}

// --- display -----------------------------------------------------------------

void KoujiPositionShow(Session::State& s) {
  s.view.SetText(kRecLabel, std::to_string(s.currentKoujiNo));
  s.view.SetText(kCountLabel, std::to_string(s.store.KoujiCount()));
}

void KoujiShow(Session::State& s) {
  ShowRecordFields(s, Screen::Ledger, RecordKind::Kouji);
  DeleteNoticeShow(s);
  KoujiPositionShow(s);
}

// --- the link with the customer record ----------------------------------------

void KoujiFromKokyaku(Session::State& s) {
  for (int f = Kouji::Name; f <= Kouji::Ninsou; ++f) {
    s.kouji.Set(f, s.kokyaku.Get(Kouji::TwinOf(f)));
  }
}

void KokyakuFromKouji(const Record& kouji, Record& kokyaku) {
  for (int f = Kouji::Name; f <= Kouji::Ninsou; ++f) {
    const std::string_view value = kouji.Get(f);
    if (value.find_first_not_of(' ') != std::string_view::npos) {
      kokyaku.Set(Kouji::TwinOf(f), value);
    }
  }
}

int KoujiFindNewest(const Store& store, std::string_view name20, Record* out) {
  const int found = store.KoujiNewest(name20);
  if (found != 0 && out && !store.KoujiFile().ReadRecord(found, *out)) return 0;
  return found;
}

void KoujiFindForKokyaku(Session::State& s) {
  if (s.koujiEntryHeld) return;
  int found = 0;
  if (s.loadedRecNo != 0) found = KoujiFindNewest(s.store, s.kokyaku.Get(Kokyaku::Name), &s.kouji);
  if (found != 0) {
    s.currentKoujiNo = found;
  } else {
    // A new entry prefilled from the customer, with nothing left over from
    // the entry shown before (its delete mark, its reserve bytes).
    s.kouji.Clear();
    KoujiFromKokyaku(s);
    s.currentKoujiNo = NewEntryNo(s);
  }
  EntryBegins(s);
  KoujiShow(s);
}

void KoujiEditCommitted(Session::State& s) {
  if (s.commitChanged) s.koujiTyped = true;
}

// --- commands ----------------------------------------------------------------

void KoujiWrite(Session::State& s) {
  if (StoreEntry(s) && s.loadedRecNo == 0) {
    // The orderer of the entry just stored is a stored customer while the
    // screens hold a new one of that name: that customer becomes the current
    // one, as paging to this entry would show it, so the slip screen and
    // the customer screen show it rather than a second customer of the name
    // that their F1 would add.
    const std::string name(s.kouji.Get(Kouji::Name));
    if (s.store.KokyakuFind(name) != 0) {
      const std::string image(s.kouji.Pack());
      const int no = s.currentKoujiNo;
      const std::string notice = KokyakuClashNotice(s, s.store.KokyakuFind(name),
                                                    "工事元帳を登録し、その顧客を選びました。");
      SelectCustomerOf(s, name);
      ShowCustomerKeepingEntry(s, image, no);
      s.SetNotice(notice);
    }
  }
  CommandBarPlain(s);
}

void KoujiDelete(Session::State& s) {
  const int no = s.currentKoujiNo;
  if (no < 1 || no > s.store.KoujiCount() || MarkedDeleted(s.kouji)) return;
  // Only the mark goes to disk: edits not yet stored are not stored by a delete.
  Record stored(KoujiLayout());
  Status st = s.store.KoujiFile().ReadRecord(no, stored);
  if (st) {
    stored.Set(Kouji::DeleteFlag, "1");
    st = s.store.KoujiFile().WriteRecord(no, stored);
  }
  if (!st) {
    s.SetNotice("工事元帳の削除ができませんでした: " + st.detail);
    return;
  }
  s.kouji.Set(Kouji::DeleteFlag, "1");
  DeleteNoticeShow(s);
}

void KoujiKokyakuWrite(Session::State& s) {
  CommandBarPlain(s);
  // Without a name there is no customer to create or update, and the entry
  // itself is not stored either.
  if (!StoreEntry(s)) return;
  const std::string image(s.kouji.Pack());
  const int koujiNo = s.currentKoujiNo;
  const std::string key(s.kouji.Get(Kouji::Name));
  const Record keptCustomer = s.kokyaku;
  const int keptRecNo = s.loadedRecNo;

  // Which customer the entry goes to: the one in the edits when it is stored
  // under this very name (with what was typed on the customer screen, and
  // brought back when it is a deleted one shown by 削除した顧客も表示); else
  // the first listed customer of the name; else a new one: from the edits
  // when they hold a customer not stored yet, from the entry alone when they
  // hold another stored customer (whose reading and months are not this
  // customer's).
  Record customer(KokyakuLayout());
  int n = 0;
  bool restored = false;
  if (EditsHoldStoredCustomerOf(s, key, &restored)) {
    n = keptRecNo;
    customer = s.kokyaku;
  } else if ((n = s.store.KokyakuFind(key, &customer)) == 0) {
    if (keptRecNo == 0) {
      customer = s.kokyaku;
    } else {
      customer.Clear();
    }
  }
  customer.Set(Kokyaku::DeleteFlag, " ");
  KokyakuFromKouji(s.kouji, customer);

  s.kokyaku = customer;
  s.loadedRecNo = n;
  if (const Status st = KokyakuStoreCurrent(s); !st) {
    // Refused (the live-customer limit) or failed: the entry is stored, the
    // customer screen stays as it was.
    s.kokyaku = keptCustomer;
    s.loadedRecNo = keptRecNo;
    s.SetNotice(CustomerFailure(st));
    return;
  }
  if (restored) s.SetNotice("削除されていた顧客を元に戻しました。", NoticeKind::Info);
  ShowCustomerKeepingEntry(s, image, koujiNo);
}

bool KoujiKokyakuWriteStoresEdits(Session::State& s) {
  // Without a name nothing can be stored yet; once named, the edits are
  // the customer F3 stores unless a stored one holds that name.
  if (NameMissing(s.kouji)) return true;
  const std::string key(s.kouji.Get(Kouji::Name));
  if (s.loadedRecNo == 0) return s.store.KokyakuFind(key) == 0;
  return EditsHoldStoredCustomerOf(s, key, nullptr);
}

bool KoujiEntryStoredAsShown(const Session::State& s) {
  return s.currentKoujiNo >= 1 && s.currentKoujiNo <= s.store.KoujiCount() &&
         !MarkedDeleted(s.kouji);
}

void KoujiPrePage(Session::State& s) { Page(s, -1); }

void KoujiNextPage(Session::State& s) { Page(s, +1); }

void KoujiNew(Session::State& s) {
  // The customer screen's F8 empties the customer, the slip line and (through
  // the customer-cleared hook) the ledger, and selects the new-customer row:
  // all three go, as with a page.
  if (MoveHeldForTyping(s, kUnsavedCustomer | kUnsavedSlip | kUnsavedLedger, MoveBy::Key)) return;
  KokyakuNew(s);
}

}  // namespace tankora
