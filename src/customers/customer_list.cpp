// The customer list: 25 rows over the list slots, paging, row selection and
// finding a customer's row by name.
#include <array>
#include <cstdio>
#include <string>
#include <unordered_set>
#include <vector>

#include "customers/customer_screen.h"
#include "shell/input_framework.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

struct RowNames {
  std::array<std::string, kListRows> kana, name, shape;
  RowNames() {
    char text[64];
    for (int r = 0; r < kListRows; ++r) {
      std::snprintf(text, sizeof text, "Label_Kokyaku_Kana_%02d", r + 1);
      kana[static_cast<std::size_t>(r)] = text;
      std::snprintf(text, sizeof text, "Label_Kokyaku_Name_%02d", r + 1);
      name[static_cast<std::size_t>(r)] = text;
      std::snprintf(text, sizeof text, "Shape_Kokyaku_%02d", r + 1);
      shape[static_cast<std::size_t>(r)] = text;
    }
  }
};

const RowNames& Rows() {
  static const RowNames names;
  return names;
}

// 削 in CP932: the mark before a deleted customer's name.
constexpr std::string_view kDeletedMark = "\x8D\xED";

// The page that shows `slot` in its last row when it is beyond the first page.
void PageTo(Session::State& s, int slot) {
  s.kokyakuPageTop = slot > kListRows - 1 ? slot - (kListRows - 1) : 0;
}

}  // namespace

void KokyakuSlotsRebuild(Session::State& s) {
  s.slots = s.store.ActiveIndex();
  if (!s.showDeleted) return;
  // Deleted records keep their places when the file is sorted, so in file
  // order they would sit among unrelated customers ("安藤" between two
  // "清水"). Each is listed before the first customer whose reading sorts
  // after its own (the record number breaks ties).
  // The readings and flags are the store's (no record is read).
  std::vector<int> deleted;
  for (int n = 1; n <= s.store.KokyakuCount(); ++n) {
    if (!s.store.KokyakuLive(n)) deleted.push_back(n);
  }
  const auto after = [&](int a, int b) {
    const std::uint32_t ka = s.store.KokyakuReading(a);
    const std::uint32_t kb = s.store.KokyakuReading(b);
    return ka != kb ? ka > kb : a > b;
  };
  for (const int d : deleted) {
    auto at = s.slots.begin();
    while (at != s.slots.end() && !after(*at, d)) ++at;
    s.slots.insert(at, d);
  }
}

void KokyakuListShow(Session::State& s) {
  // A row record of its own: drawing the list never touches the customer
  // being edited.
  Record row(KokyakuLayout());
  RecordReader reader(s.store.KokyakuFile());
  const RowNames& names = Rows();
  for (int r = 0; r < kListRows; ++r) {
    const int slot = s.kokyakuPageTop + r;
    std::string kana = FillBlanks(4);
    std::string name = FillBlanks(20);
    RowStyle style = RowStyle::Normal;
    if (slot >= 0 && slot < s.SlotCount() &&
        reader.Read(s.slots[static_cast<std::size_t>(slot)], row)) {
      kana = row.Get(Kokyaku::Kana);
      name = row.Get(Kokyaku::Name);
      if (row.Deleted()) {
        style = RowStyle::Deleted;
        name = std::string(kDeletedMark) + name;
      }
    }
    const auto i = static_cast<std::size_t>(r);
    s.view.SetText(names.kana[i], kana);
    s.view.SetText(names.name[i], name);
    s.view.SetRowStyle(r, style);
  }
}

void KokyakuRowHighlight(Session::State& s) {
  const int selected = s.KokyakuRow();
  const RowNames& names = Rows();
  for (int r = 0; r < kListRows; ++r) {
    const std::string& shape = names.shape[static_cast<std::size_t>(r)];
    if (r == selected) {
      FrameOn(s.view, shape);
    } else {
      FrameOff(s.view, shape);
    }
  }
}

void KokyakuPositionShow(Session::State& s) {
  s.view.SetText("Label_KokyakuChoose_Line", std::to_string(s.currentSlot + 1));
  s.view.SetText("Label_KokyakuDs", std::to_string(s.SlotCount()));
}

void KokyakuListRedraw(Session::State& s) {
  KokyakuListShow(s);
  KokyakuRowHighlight(s);
  KokyakuPositionShow(s);
}

void KokyakuShowSlot(Session::State& s, int slot) {
  s.currentSlot = slot;
  s.loadedRecNo = s.slots[static_cast<std::size_t>(slot)];
  PageTo(s, slot);
  KokyakuListRedraw(s);
}

void KokyakuPlaceNewRow(Session::State& s) {
  s.currentSlot = s.SlotCount();
  PageTo(s, s.currentSlot);
}

namespace {

// Another customer replaces the customer in the edits, begins a new slip for
// it and finds its ledger entry. On the ledger screen the entry is named for
// any change; elsewhere only for what a ledger edit typed into it (the other
// screens' typing reaches its twins as the customer's, named as such).
unsigned PartsAnotherCustomerReplaces(const Session::State& s) {
  return kUnsavedCustomer | kUnsavedSlip |
         (s.currentScreen == Screen::Ledger ? kUnsavedLedger : kUnsavedLedgerTyped);
}

}  // namespace

void KokyakuRowClick(Session::State& s, int row) {
  if (row < 0 || row >= kListRows) return;
  const int slot = s.kokyakuPageTop + row;
  if (slot <= s.SlotCount() && slot != s.currentSlot) {
    if (MoveHeldForTyping(s, PartsAnotherCustomerReplaces(s), MoveBy::Click)) return;
    KokyakuRowSelect(s, row);
  } else if (s.seams.rowReselected) {
    s.seams.rowReselected(s.session);
  }
}

void KokyakuRowSelect(Session::State& s, int row) {
  const int slot = s.kokyakuPageTop + row;
  if (row < 0 || row >= kListRows || slot > s.SlotCount()) return;
  // Leave the field being edited first: its commit lands in the customer
  // being left, not in the one about to be loaded.
  FocusControl(s, "Edit_KokyakuList_Temp");

  s.currentSlot = slot;
  s.loadedRecNo = 0;
  s.kokyaku.Clear();
  s.SetNotice({});
  if (slot < s.SlotCount()) {
    const int n = s.slots[static_cast<std::size_t>(slot)];
    if (Status st = s.store.KokyakuFile().ReadRecord(n, s.kokyaku); st) {
      s.loadedRecNo = n;
      if (s.kokyaku.Deleted()) {
        s.SetNotice("削除された顧客です。F1 登録で元に戻せます。", NoticeKind::Info);
      }
    } else {
      s.kokyaku.Clear();
      s.SetNotice("顧客を読めませんでした: " + st.detail);
    }
  }
  KokyakuRowHighlight(s);
  KokyakuPositionShow(s);
  KokyakuShow(s);
  if (s.seams.customerSelected) s.seams.customerSelected(s.session);

  // The slip screen's customer is chosen to write a slip for: its date.
  FocusControl(s, s.currentScreen == Screen::Slip ? std::string("Edit_Panel_Tenken_Year")
                                                  : FirstFocusOf(s, s.currentScreen));
}

void KokyakuPageBack(Session::State& s) {
  const int count = s.SlotCount();
  if (count <= kListRows - 1) return;
  const int before = s.kokyakuPageTop;
  if (s.kokyakuPageTop - kListRows >= 0) {
    s.kokyakuPageTop -= kListRows;
  } else {
    s.kokyakuPageTop = 0;
  }
  if (s.kokyakuPageTop == before) return;
  KokyakuListShow(s);
  KokyakuRowHighlight(s);
}

void KokyakuPageNext(Session::State& s) {
  const int count = s.SlotCount();
  if (count <= kListRows - 1) return;
  const int last = count - (kListRows - 1);
  const int before = s.kokyakuPageTop;
  if (s.kokyakuPageTop + kListRows < last) {
    s.kokyakuPageTop += kListRows;
  } else {
    s.kokyakuPageTop = last;
  }
  if (s.kokyakuPageTop == before) return;
  KokyakuListShow(s);
  KokyakuRowHighlight(s);
}

int KokyakuLocate(Session::State& s, std::string_view name) {
  const std::string key = PadField(name, TextAlign::Left, 20);
  // Deleted customers are listed too while they are shown.
  const std::span<const int> named =
      s.showDeleted ? s.store.KokyakuOfNameAll(key) : s.store.KokyakuNameIndex().Of(key);
  const std::unordered_set<int> matches(named.begin(), named.end());
  int found = -1;
  for (int slot = 0; slot < s.SlotCount() && found < 0 && !matches.empty(); ++slot) {
    if (matches.count(s.slots[static_cast<std::size_t>(slot)])) found = slot;
  }
  if (found >= 0) {
    KokyakuShowSlot(s, found);
  } else {
    s.kokyakuPageTop = 0;
    KokyakuListRedraw(s);
  }
  return found;
}

bool KokyakuSelectRecord(Session::State& s, int recNo) {
  for (int slot = 0; recNo > 0 && slot < s.SlotCount(); ++slot) {
    if (s.slots[static_cast<std::size_t>(slot)] != recNo) continue;
    if (slot == s.currentSlot) {
      PageTo(s, slot);
      KokyakuListRedraw(s);
      return true;
    }
    if (MoveHeldForTyping(s, PartsAnotherCustomerReplaces(s), MoveBy::Click)) return false;
    PageTo(s, slot);
    KokyakuListShow(s);
    KokyakuRowSelect(s, slot - s.kokyakuPageTop);
    return true;
  }
  return false;
}

void KokyakuShowDeleted(Session::State& s, bool on) {
  if (on == s.showDeleted) return;
  s.showDeleted = on;
  KokyakuSlotsRebuild(s);
  int slot = -1;
  for (int i = 0; s.loadedRecNo != 0 && i < s.SlotCount(); ++i) {
    if (s.slots[static_cast<std::size_t>(i)] == s.loadedRecNo) slot = i;
  }
  if (slot >= 0) {
    KokyakuShowSlot(s, slot);
  } else if (s.loadedRecNo != 0) {
    // The deleted customer on screen is no longer listed.
    KokyakuNew(s);
  } else {
    KokyakuPlaceNewRow(s);
    KokyakuListRedraw(s);
  }
}

}  // namespace tankora
