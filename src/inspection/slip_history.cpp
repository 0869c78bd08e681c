// The customer's slip history: which slips are listed, the seven rows shown,
// the chosen row and paging.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "inspection/slip_screen.h"
#include "shell/input_framework.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

struct RowLabel {
  int field;         // TenkenDenp field shown, -1 for the year (shown in its era)
  const char* item;  // as the labels spell it
};

constexpr RowLabel kRowLabels[] = {
    {-1, "Year"},
    {TenkenDenp::Month, "Month"},
    {TenkenDenp::Day, "Day"},
    {TenkenDenp::Gaikan, "Gaikan"},
    {TenkenDenp::Syuuki, "Syuuki"},
    {TenkenDenp::Ph, "Ph"},
    {TenkenDenp::Tousido, "Tousido"},
    {TenkenDenp::Asyousan, "Asyousan"},
    {TenkenDenp::Zanen, "Zannenn"},
    {TenkenDenp::Ion, "Ion"},
    {TenkenDenp::Kanrisya, "Kanrisya"},
    {TenkenDenp::Bikou, "Tekiyou"},
};
constexpr std::size_t kItems = std::size(kRowLabels);

// Control names built once: labels[row][item], shapes[row][item].
struct RowNames {
  std::array<std::array<std::string, kItems>, kTenkenRows> label, shape;
  RowNames() {
    char text[64];
    for (std::size_t r = 0; r < kTenkenRows; ++r) {
      for (std::size_t i = 0; i < kItems; ++i) {
        std::snprintf(text, sizeof text, "Label_Tenken_%s_%02zu", kRowLabels[i].item, r + 1);
        label[r][i] = text;
        std::snprintf(text, sizeof text, "Shape_Tenken_%s_%02zu", kRowLabels[i].item, r + 1);
        shape[r][i] = text;
      }
    }
  }
};

const RowNames& Names() {
  static const RowNames names;
  return names;
}

constexpr std::size_t kPhItem = 5;
constexpr std::size_t kTousidoItem = 6;

int Count(const Session::State& s) { return static_cast<int>(s.tenkenRireki.size()); }

void ChooseLineShow(Session::State& s, int position) {
  s.view.SetText("Label_TenkenDenpChoose_Line", std::to_string(position));
}

// The slip at first shown index + selected row becomes the entry line's.
void SelectedIntoEntry(Session::State& s) {
  const int index = s.tenkenTop + s.tenkenRow;
  if (s.tenkenRow < 0 || index >= Count(s)) return;
  const int n = s.tenkenRireki[static_cast<std::size_t>(index)];
  Record slip(TenkenDenpLayout());
  if (Status st = s.store.TenkenFile().ReadRecord(n, slip); !st) {
    s.SetNotice("点検伝票を読めませんでした: " + st.detail);
    return;
  }
  s.tenken = slip;
  s.currentTenkenNo = n;
  ChooseLineShow(s, index + 1);
  TenkenShow(s);
}

}  // namespace

std::vector<int> TenkenRireki(const Store& store, std::string_view name20, int cap) {
  std::vector<int> found;
  if (name20.size() != TenkenDenpLayout().Width(TenkenDenp::KokyakuName)) return found;
  // Only "1" deletes, as in every file: a slip another program flagged with
  // some other byte is still the customer's visit and stays listed (the
  // store's index keeps it so).
  const std::span<const int> slips = store.TenkenOfName(name20);
  // The newest stored come first. With more than the cap, the newest are kept:
  // a slip just registered must show at the top, not vanish past the limit.
  const std::size_t keep =
      cap >= 0 ? std::min(slips.size(), static_cast<std::size_t>(cap)) : slips.size();
  found.assign(slips.rbegin(), slips.rbegin() + static_cast<std::ptrdiff_t>(keep));
  return found;
}

int TenkenRirekiLoad(Session::State& s) {
  s.tenkenTop = 0;
  s.tenkenRow = -1;
  const std::string_view name = s.kokyaku.Get(Kokyaku::Name);
  // A customer without a name has no slips: slips are never stored without one.
  if (name.empty() || name[0] == ' ') {
    s.tenkenRireki.clear();
  } else {
    s.tenkenRireki = TenkenRireki(s.store, name);
  }
  s.view.SetText("Label_TenkenDenpDs", std::to_string(Count(s)));
  return Count(s);
}

void TenkenRirekiShow(Session::State& s) {
  const RowNames& names = Names();
  const TankKind tank = TankKindOf(s.kokyaku);
  Record slip(TenkenDenpLayout());
  RecordReader reader(s.store.TenkenFile());
  for (int r = 0; r < kTenkenRows; ++r) {
    const auto row = static_cast<std::size_t>(r);
    const int index = s.tenkenTop + r;
    bool have = false;
    if (index < Count(s)) {
      have = reader.Read(s.tenkenRireki[static_cast<std::size_t>(index)], slip).ok();
    }
    for (std::size_t i = 0; i < kItems; ++i) {
      std::string text;
      if (!have) {
        text = FillBlanks(kRowLabels[i].field < 0 ? 2 : slip.Layout().Width(kRowLabels[i].field));
      } else if (kRowLabels[i].field < 0) {
        text = s.eras.YearForDisplay(slip.Get(TenkenDenp::Year), slip.Get(TenkenDenp::Month),
                                     slip.Get(TenkenDenp::Day));
      } else {
        text = std::string(slip.Get(kRowLabels[i].field));
      }
      s.view.SetText(names.label[row][i], text);
    }
    s.view.SetAlert(names.label[row][kPhItem], have && PhOutOfRange(slip.Get(TenkenDenp::Ph)));
    s.view.SetAlert(names.label[row][kTousidoItem],
                    have && TousidoLow(slip.Get(TenkenDenp::Tousido), tank));
  }
}

void TenkenRowHighlight(Session::State& s) {
  const RowNames& names = Names();
  for (int r = 0; r < kTenkenRows; ++r) {
    const FrameState want = r == s.tenkenRow ? FrameState::Chosen : FrameState::Plain;
    for (const std::string& shape : names.shape[static_cast<std::size_t>(r)]) {
      if (s.view.Frame(shape) != want) s.view.SetFrame(shape, want);
    }
  }
}

void TenkenRowSelect(Session::State& s, int row) {
  if (row < 0 || row >= kTenkenRows || Count(s) == 0) return;
  if (s.tenkenTop + row >= Count(s) || row == s.tenkenRow) return;
  if (MoveHeldForTyping(s, kUnsavedSlip, MoveBy::Click)) return;
  s.tenkenRow = row;
  TenkenRowHighlight(s);
  SelectedIntoEntry(s);
  FocusControl(s, "Edit_Panel_Tenken_Year");
}

void TenkenPageUp(Session::State& s) {
  if (Count(s) <= kTenkenRows || s.tenkenTop == 0) return;
  if (MoveHeldForTyping(s, kUnsavedSlip, MoveBy::Key)) return;
  if (s.tenkenTop - kTenkenRows >= 0) {
    s.tenkenTop -= kTenkenRows;
    // With no row chosen the page's first row is taken: the slip shown in the
    // entry line is always one of the rows on screen.
    if (s.tenkenRow < 0) s.tenkenRow = 0;
  } else {
    s.tenkenTop = 0;
    s.tenkenRow = 0;
  }
  TenkenRowHighlight(s);
  TenkenRirekiShow(s);
  SelectedIntoEntry(s);
}

void TenkenPageDown(Session::State& s) {
  const int count = Count(s);
  if (count <= kTenkenRows) return;
  const int last = count - kTenkenRows;
  if (s.tenkenTop == last) return;
  if (MoveHeldForTyping(s, kUnsavedSlip, MoveBy::Key)) return;
  if (s.tenkenTop + kTenkenRows <= last) {
    s.tenkenTop += kTenkenRows;
    if (s.tenkenRow < 0) s.tenkenRow = 0;
  } else {
    s.tenkenTop = last;
    s.tenkenRow = kTenkenRows - 1;
  }
  TenkenRowHighlight(s);
  TenkenRirekiShow(s);
  SelectedIntoEntry(s);
}

int TenkenRirekiPosition(const Session::State& s, int n) {
  const auto it = std::find(s.tenkenRireki.begin(), s.tenkenRireki.end(), n);
  return it == s.tenkenRireki.end() ? 0 : static_cast<int>(it - s.tenkenRireki.begin()) + 1;
}

}  // namespace tankora
