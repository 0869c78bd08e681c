// The customer record on screen and the commands that store it.
#include <algorithm>
#include <span>
#include <string>
#include <unordered_set>

#include "customers/customer_screen.h"
#include "shell/calendar_dates.h"
#include "shell/input_framework.h"
#include "util/cp932.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

std::string WriteFailureNotice(const Status& st) {
  if (st.error == StoreError::TooManyCustomers) {
    return "顧客は" + std::to_string(Store::kMaxActive) +
           "件までしか登録できません。登録しませんでした。";
  }
  return "顧客を保存できませんでした: " + st.detail;
}

// After a customer write: the sorted file and its index, the list slots.
// The record is on disk already, so a failed sort is told but changes nothing.
void SortAndIndex(Session::State& s) {
  const Status st =
      s.store.KokyakuCount() > 1 ? s.store.KokyakuSortAndIndex() : s.store.RebuildIndex();
  if (!st) s.SetNotice("顧客の並べ替えができませんでした: " + st.detail);
  KokyakuSlotsRebuild(s);
}

int SlotOf(const Session::State& s, int recNo) {
  const auto it = std::find(s.slots.begin(), s.slots.end(), recNo);
  return it != s.slots.end() ? static_cast<int>(it - s.slots.begin()) : -1;
}

// The slot of the customer whose whole image is `image` (the sort moves
// records, so the record number written is not where the customer stays);
// failing that, the first customer of that name. Only the customers of the
// name are read: the live ones, and the deleted ones too while they are listed.
int SlotOfImage(Session::State& s, std::string_view image) {
  const std::size_t offset = KokyakuLayout().Offset(Kokyaku::Name);
  const std::string_view name = image.substr(offset, 20);
  if (s.showDeleted) {
    const std::span<const int> named = s.store.KokyakuOfNameAll(name);
    std::unordered_set<int> sameName(named.begin(), named.end());
    std::unordered_set<int> same;
    RecordReader reader(s.store.KokyakuFile());
    Record stored(KokyakuLayout());
    for (const int n : named) {
      if (reader.Read(n, stored) && stored.Pack() == image) same.insert(n);
    }
    for (const auto* set : {&same, &sameName}) {
      for (int slot = 0; slot < s.SlotCount(); ++slot) {
        if (set->count(s.slots[static_cast<std::size_t>(slot)])) return slot;
      }
    }
    return -1;
  }
  const std::span<const int> named = s.store.KokyakuNameIndex().Of(name);
  Record stored(KokyakuLayout());
  for (const int n : named) {
    if (s.store.KokyakuFile().ReadRecord(n, stored) && stored.Pack() == image) {
      return SlotOf(s, n);
    }
  }
  return named.empty() ? -1 : SlotOf(s, named.front());
}

// Whether record n already holds exactly what `record` would write.
bool StoredAlready(Session::State& s, int n, Record& record) {
  if (n < 1 || n > s.store.KokyakuCount()) return false;
  Record stored(KokyakuLayout());
  return s.store.KokyakuFile().ReadRecord(n, stored) && stored.Pack() == record.Pack();
}

}  // namespace

void CustomerStart(Session::State& s) {
  s.showDeleted = false;
  s.view.SetChecked("CheckBox_AllDispSW", false);
  s.view.SetVisible("Panel_KensinSyuukinMonth", false);
  s.monthPanelShown = false;
  KokyakuSlotsRebuild(s);
  s.kokyaku.Clear();
  s.loadedRecNo = 0;
  KokyakuShow(s);
  KokyakuPlaceNewRow(s);
  KokyakuListRedraw(s);
}

void KokyakuShow(Session::State& s) {
  if (s.seams.customerShown) s.seams.customerShown(s.session);
  ShowRecordFields(s, Screen::Customer, RecordKind::Kokyaku);
  MonthPlanShow(s);
}

void KokyakuWrite(Session::State& s) {
  KokyakuNameKeepsItsCode(s);
  const std::string_view name = s.kokyaku.Get(Kokyaku::Name);
  if (name.empty() || name[0] == ' ') {
    // Nothing is stored and the screen keeps what was typed; said, so that
    // the typing is not taken as stored and thrown away with the next F8.
    s.SetNotice("名前（必須項目）が空欄か空白で始まるため、登録しませんでした。");
    return;
  }
  if (const int other = KokyakuNameClash(s); other != 0) {
    // The screen keeps what was typed, so the name can be changed, or the
    // listed customer chosen instead.
    s.SetNotice(KokyakuClashNotice(
        s, other, "登録しませんでした。名前を変えるか、一覧からその顧客を選んでください。"));
    return;
  }
  const int n = s.loadedRecNo != 0 ? s.loadedRecNo : s.store.KokyakuCount() + 1;
  // A deleted customer shown with "削除した顧客も表示" comes back to life.
  const bool restoring = s.kokyaku.Deleted();
  if (restoring) s.kokyaku.SetFlagAt(Kokyaku::DeleteFlag, 0, false);
  // Nothing changed: nothing is written (the list is still put in order,
  // which in a sorted file reads and writes nothing either).
  if (StoredAlready(s, n, s.kokyaku)) {
    SortAndIndex(s);
    KokyakuNew(s);
    return;
  }
  // A contract ending on 31 April would be listed and printed as if it did;
  // the screen keeps the typing so that the day can be put right.
  if (const std::string why = ImpossibleDateNotice(s, s.kokyaku, KokyakuDates()); !why.empty()) {
    if (restoring) s.kokyaku.SetFlagAt(Kokyaku::DeleteFlag, 0, true);
    s.SetNotice(why + "顧客を登録しませんでした。");
    return;
  }
  // Asked after the checks that refuse anyway, so that a confirmed rename
  // is not then turned down for a date.
  if (KokyakuRenameHeld(s)) {
    if (restoring) s.kokyaku.SetFlagAt(Kokyaku::DeleteFlag, 0, true);
    return;
  }
  if (Status st = s.store.WriteKokyaku(n, s.kokyaku); !st) {
    if (restoring) s.kokyaku.SetFlagAt(Kokyaku::DeleteFlag, 0, true);
    // The screen keeps what was typed: nothing is lost by a refused store.
    s.SetNotice(WriteFailureNotice(st));
    return;
  }
  SortAndIndex(s);
  KokyakuNew(s);
}

void KokyakuDelete(Session::State& s) {
  if (s.loadedRecNo == 0 || s.kokyaku.Deleted()) return;
  // The delete stores the customer as typed, then empties the screens: a
  // slip or a ledger entry typed for the customer and not registered would
  // go with them. The customer's typing reaching the entry's twins is stored
  // by the delete; what a ledger edit typed there is the entry's own.
  if (MoveHeldForTyping(s, kUnsavedSlip | kUnsavedLedgerTyped, MoveBy::Key)) return;
  s.kokyaku.SetFlagAt(Kokyaku::DeleteFlag, 0, true);
  if (Status st = s.store.WriteKokyaku(s.loadedRecNo, s.kokyaku); !st) {
    s.kokyaku.SetFlagAt(Kokyaku::DeleteFlag, 0, false);
    s.SetNotice(WriteFailureNotice(st));
    return;
  }
  // Even with a single record the index is rebuilt, so the customer leaves
  // the list at once.
  SortAndIndex(s);
  KokyakuNew(s);
}

void KokyakuNew(Session::State& s) {
  s.kokyaku.Clear();
  s.loadedRecNo = 0;
  KokyakuShow(s);
  if (s.seams.customerCleared) s.seams.customerCleared(s.session);
  KokyakuPlaceNewRow(s);
  KokyakuListRedraw(s);
  MonthPanelHide(s, /*focusRecord=*/false);
  FocusControl(s, FirstFocusOf(s, s.currentScreen));
}

Status KokyakuStoreCurrent(Session::State& s) {
  const std::string image(s.kokyaku.Pack());
  const int n = s.loadedRecNo != 0 ? s.loadedRecNo : s.store.KokyakuCount() + 1;
  // A customer stored exactly as it is (a slip or ledger entry of a customer
  // nobody changed) is not written again: nothing moves.
  if (!StoredAlready(s, n, s.kokyaku)) {
    // Checked only when the customer is written: one stored so elsewhere
    // still takes its slips and entries while nobody changes it.
    if (std::string why = ImpossibleDateNotice(s, s.kokyaku, KokyakuDates()); !why.empty()) {
      why += "顧客を登録しませんでした。";
      s.SetNotice(why);
      return Status::Fail(StoreError::Refused, why);
    }
    if (Status st = s.store.WriteKokyaku(n, s.kokyaku); !st) {
      s.SetNotice(WriteFailureNotice(st));
      return st;
    }
  }
  SortAndIndex(s);
  if (const int slot = SlotOfImage(s, image); slot >= 0) {
    KokyakuShowSlot(s, slot);
  } else {
    // Not listed (a deleted customer while deleted ones are hidden): deleted
    // records never move, so its record number still holds.
    s.loadedRecNo = n;
    KokyakuListRedraw(s);
  }
  return Status::Ok();
}

namespace {

// The name the loaded customer is stored under, from the index (deleted
// customers too): no record read. "" for a customer not stored yet.
std::string_view StoredName(const Session::State& s) {
  const int n = s.loadedRecNo;
  if (n < 1 || n > s.store.KokyakuCount()) return {};
  return s.store.KokyakuAnyNameIndex().KeyOfRecord(n);
}

}  // namespace

bool KokyakuRenameHeld(Session::State& s, int slipGoingAlong) {
  const std::string was(StoredName(s));
  const std::string_view now = s.kokyaku.Get(Kokyaku::Name);
  if (was.empty() || was == now) return false;
  const std::span<const int> slipsOf = s.store.TenkenOfName(was);
  const std::size_t slips =
      slipsOf.size() - (std::binary_search(slipsOf.begin(), slipsOf.end(), slipGoingAlong) ? 1 : 0);
  const std::size_t entries = s.store.KoujiNameIndex().Of(was).size();
  if (slips == 0 && entries == 0) return false;
  std::string left;
  if (slips > 0) left = "点検伝票 " + std::to_string(slips) + "件";
  if (entries > 0) {
    left += (left.empty() ? "" : "と") + std::string("工事元帳 ") + std::to_string(entries) + "件";
  }
  const std::string warning = "名前を「" + Cp932ToUtf8(TrimBlanks(was)) + "」から「" +
                              Cp932ToUtf8(TrimBlanks(now)) + "」に変えると、これまでの" + left +
                              "はこの顧客から外れます（元の名前のまま残ります）。"
                              "このまま登録するなら、もう一度 F1 を押してください。";
  return AskFirst(s, warning);
}

void KokyakuNameKeepsItsCode(Session::State& s) {
  const std::string_view was = StoredName(s);
  const std::string_view now = s.kokyaku.Get(Kokyaku::Name);
  if (was.empty() || was == now) return;
  for (const std::string& spelling : SameTextSpellings(now)) {
    if (spelling == was) {
      s.kokyaku.Set(Kokyaku::Name, std::string(was));
      return;
    }
  }
}

int KokyakuNameClash(Session::State& s) {
  // The name as typed first, then as files written elsewhere may spell it (髙
  // typed here is FB FC, such a file may hold EE E0): the same text on two
  // customers splits their slips all the same. The loaded customer found
  // under any spelling is this customer, its name merely typed again.
  int holder = 0;
  for (const std::string& spelling : SameTextSpellings(s.kokyaku.Get(Kokyaku::Name))) {
    const std::span<const int> named = s.store.KokyakuNameIndex().Of(spelling);
    if (std::binary_search(named.begin(), named.end(), s.loadedRecNo)) return 0;
    if (holder == 0 && !named.empty()) holder = named.front();
  }
  return holder;
}

std::string KokyakuClashNotice(Session::State& s, int recNo, std::string_view outcome) {
  Record other(KokyakuLayout());
  std::string who = "「" + Cp932ToUtf8(s.kokyaku.Trimmed(Kokyaku::Name)) + "」";
  if (s.store.KokyakuFile().ReadRecord(recNo, other)) {
    who = "「" + Cp932ToUtf8(other.Trimmed(Kokyaku::Name)) + "」";
    const std::string kana = other.Trimmed(Kokyaku::Kana);
    std::string detail;
    if (!kana.empty()) detail = "かな " + Cp932ToUtf8(kana);
    for (int slot = 0; slot < s.SlotCount(); ++slot) {
      if (s.slots[static_cast<std::size_t>(slot)] != recNo) continue;
      detail +=
          (detail.empty() ? "" : "、") + std::string("一覧の") + std::to_string(slot + 1) + "番目";
    }
    if (!detail.empty()) who += "（" + detail + "）";
  }
  return "同じ名前の顧客" + who + "が登録済みです。" + std::string(outcome);
}

bool KokyakuSelectStored(Session::State& s, int recNo) {
  int slot = -1;
  for (int i = 0; i < s.SlotCount() && slot < 0; ++i) {
    if (s.slots[static_cast<std::size_t>(i)] == recNo) slot = i;
  }
  Record customer(KokyakuLayout());
  if (slot < 0) return false;
  if (Status st = s.store.KokyakuFile().ReadRecord(recNo, customer); !st) {
    s.SetNotice("顧客を読めませんでした: " + st.detail);
    return false;
  }
  s.kokyaku = customer;
  KokyakuShowSlot(s, slot);
  KokyakuShow(s);
  if (s.seams.customerSelected) s.seams.customerSelected(s.session);
  return true;
}

}  // namespace tankora
