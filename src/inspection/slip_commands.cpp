// The slip in the entry line and the commands that store, delete and begin it.
#include <chrono>
#include <cstdio>
#include <string>

#include "customers/customer_screen.h"
#include "inspection/slip_screen.h"
#include "shell/input_framework.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

constexpr std::string_view kNameFrame = "Shape_Panel_Tenken_Address";
constexpr std::string_view kDateFrame = "Shape_Panel_Tenken_Date";

std::string Formatted(const char* format, int value) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

bool AllDigits(std::string_view text) {
  const std::string t = TrimBlanks(text);
  if (t.empty()) return false;
  for (const char c : t) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool InRange(std::string_view text, long low, long high) {
  const long v = ValueOf(text);
  return AllDigits(text) && v >= low && v <= high;
}

// The date edit's text by its field's commit rule, as F1 stores it.
std::string DatePart(Session::State& s, std::string_view control) {
  const InputField* f = FindField(control);
  if (!f) return {};
  return NormalizeEdit(*f, s.view.Text(control), s.eras).stored;
}

bool NameMissing(std::string_view name) { return name.empty() || name[0] == ' '; }

// The earliest year a slip may carry: the program's slips begin there.
constexpr long kFirstSlipYear = 2010;

bool DateValid(const Session::State& s) {
  const Record& t = s.tenken;
  const std::string_view year = t.Get(TenkenDenp::Year);
  const std::string_view month = t.Get(TenkenDenp::Month);
  const std::string_view day = t.Get(TenkenDenp::Day);
  if (!InRange(year, kFirstSlipYear, s.eras.Today().year + 1) || !InRange(month, 1, 12) ||
      !InRange(day, 1, 31)) {
    return false;
  }
  // A visit on a day its month does not have (30 February, 31 November)
  // would be listed and printed in that month as if it had taken place.
  const std::chrono::year_month_day date{std::chrono::year{static_cast<int>(ValueOf(year))},
                                         std::chrono::month{static_cast<unsigned>(ValueOf(month))},
                                         std::chrono::day{static_cast<unsigned>(ValueOf(day))}};
  return date.ok();
}

void Alert(Session::State& s, std::string_view shape) {
  s.view.SetAlert(shape, true);
  s.slipAlerts.emplace_back(shape);
}

// The slip's customer name is a stored customer's, but the customer on the
// screen is a new one (or a deleted one brought back): storing it would add a
// second customer of that name, whose slips would mix with the first's. The
// stored customer becomes the current one and the slip goes to it, with the
// entry line as typed; the header typed for the new one is not stored. A
// stored customer renamed to another's name is refused: neither is stored.
// False when the slip must not be stored.
bool SlipGoesToNamesake(Session::State& s) {
  const int other = KokyakuNameClash(s);
  if (s.loadedRecNo != 0 && !s.kokyaku.Deleted()) {
    s.SetNotice(KokyakuClashNotice(
        s, other, "その名前に変えることはできません。顧客も伝票も登録しませんでした。"));
    Alert(s, kNameFrame);
    return false;
  }
  const Record slip = s.tenken;
  const int slipNo = s.currentTenkenNo;
  // Said whether or not the slip then passes its date check.
  const std::string notice = KokyakuClashNotice(
      s, other, "新しい顧客は作らず、その顧客を選びました。伝票はその顧客のものになります。");
  if (!KokyakuSelectStored(s, other)) return false;
  s.tenken = slip;
  // Under the stored customer's own bytes, which may spell the name otherwise
  // than it was typed: its history goes by them.
  s.tenken.Set(TenkenDenp::KokyakuName, s.kokyaku.Get(Kokyaku::Name));
  s.currentTenkenNo = slipNo;
  TenkenShow(s);
  s.SetNotice(notice);
  return true;
}

}  // namespace

void TenkenAlertsClear(Session::State& s) {
  for (const std::string& shape : s.slipAlerts) s.view.SetAlert(shape, false);
  s.slipAlerts.clear();
}

void TenkenShow(Session::State& s) {
  ShowRecordFields(s, Screen::Slip, RecordKind::TenkenDenp);
  TenkenMarkEntry(s);
}

void TenkenHeaderShow(Session::State& s) {
  ShowRecordFields(s, Screen::Slip, RecordKind::Kokyaku);
  // The transparency limit follows the customer's tank.
  TenkenMarkEntry(s);
}

bool TenkenFromEdits(Session::State& s) {
  Record& t = s.tenken;
  t.Set(TenkenDenp::Year, DatePart(s, "Edit_Panel_Tenken_Year"));
  t.Set(TenkenDenp::Month, DatePart(s, "Edit_Panel_Tenken_Month"));
  t.Set(TenkenDenp::Day, DatePart(s, "Edit_Panel_Tenken_Day"));
  return !NameMissing(t.Get(TenkenDenp::KokyakuName)) && DateValid(s);
}

void TenkenWrite(Session::State& s) {
  KokyakuNameKeepsItsCode(s);
  const std::string name(s.kokyaku.Get(Kokyaku::Name));
  s.tenken.Set(TenkenDenp::KokyakuName, name);
  // The slip's customer is stored first, so a slip typed for a new customer
  // creates it. A customer without a name is never stored (the customer
  // screen refuses it too), and a slip whose customer could not be stored
  // would belong to nobody: it is not stored either. A deleted customer
  // (shown by 削除した顧客も表示) comes back, as the customer screen's F1
  // brings it back: a slip of a deleted customer would be lost from every
  // list and history.
  if (!NameMissing(name) && KokyakuNameClash(s) != 0) {
    if (!SlipGoesToNamesake(s)) return;
  } else if (!NameMissing(name)) {
    // The slip on screen, when stored, is written under the new name too.
    const int slipNo = s.currentTenkenNo <= s.store.TenkenCount() ? s.currentTenkenNo : 0;
    if (KokyakuRenameHeld(s, slipNo)) return;
    const bool restoring = s.kokyaku.Deleted();
    if (restoring) s.kokyaku.SetFlagAt(Kokyaku::DeleteFlag, 0, false);
    if (const Status st = KokyakuStoreCurrent(s); !st) {
      if (restoring) s.kokyaku.SetFlagAt(Kokyaku::DeleteFlag, 0, true);
      if (st.error == StoreError::Refused) s.SetNotice(st.detail + "点検伝票も登録していません。");
      return;
    }
    if (restoring) s.SetNotice("削除されていた顧客を元に戻しました。", NoticeKind::Info);
  }

  if (!TenkenFromEdits(s)) {
    // Framed and said: a slip that silently stays unstored is typed again
    // the next day, or not at all.
    const bool noName = NameMissing(name);
    const bool badDate = !DateValid(s);
    if (noName) Alert(s, kNameFrame);
    if (badDate) Alert(s, kDateFrame);
    const std::string date = "点検年月日" + std::string(noName ? "も" : "が") + "空欄か、暦にない日か、範囲外（" +
                             std::to_string(kFirstSlipYear) + "年から来年まで）の";
    std::string why = noName ? (badDate ? "名前が空欄か空白で始まり、" + date
                                        : std::string("名前が空欄か空白で始まる"))
                             : date;
    why += "ため、点検伝票を登録しませんでした。";
    if (!NameMissing(name)) why += "顧客は登録しました。";
    s.SetNotice(why);
    TenkenShow(s);
    return;
  }

  RecordFile& file = s.store.TenkenFile();
  const int before = s.currentTenkenNo;
  const bool stored = before >= 1 && before <= file.Count();
  const int n = stored ? before : file.Count() + 1;
  if (Status st = file.WriteRecord(n, s.tenken); !st) {
    s.SetNotice("点検伝票を保存できませんでした: " + st.detail);
    return;
  }
  s.currentTenkenNo = n;

  TenkenRirekiLoad(s);
  TenkenRirekiShow(s);
  TenkenRowHighlight(s);
  if (before == 0) {
    TenkenNew(s);
  } else {
    TenkenShow(s);
    // The slip just stored stays in the entry line: say where it is now.
    s.view.SetText("Label_TenkenDenpChoose_Line", std::to_string(TenkenRirekiPosition(s, n)));
  }
}

void TenkenDelete(Session::State& s) {
  RecordFile& file = s.store.TenkenFile();
  const int n = s.currentTenkenNo;
  if (n < 1 || n > file.Count()) return;
  // The record keeps what was stored; only its flag changes.
  Record stored(TenkenDenpLayout());
  Status st = file.ReadRecord(n, stored);
  if (st) {
    stored.SetFlagAt(TenkenDenp::DeleteFlag, 0, true);
    st = file.WriteRecord(n, stored);
  }
  if (!st) {
    s.SetNotice("点検伝票を削除できませんでした: " + st.detail);
    return;
  }
  TenkenRirekiLoad(s);
  TenkenRirekiShow(s);
  TenkenRowHighlight(s);
  TenkenNew(s);
}

void TenkenNew(Session::State& s) {
  Record& t = s.tenken;
  t.Clear();
  const Date today = s.eras.Today();
  t.Set(TenkenDenp::Year, Formatted("%4d", today.year));
  t.Set(TenkenDenp::Month, Formatted("%2d", today.month));
  t.Set(TenkenDenp::Day, Formatted("%2d", today.day));
  s.currentTenkenNo = s.store.TenkenCount() + 1;
  t.Set(TenkenDenp::KokyakuName, s.kokyaku.Get(Kokyaku::Name));
  // The entry line no longer holds a row's slip.
  if (s.tenkenRow >= 0) {
    s.tenkenRow = -1;
    TenkenRowHighlight(s);
  }
  TenkenShow(s);
  s.view.SetText("Label_TenkenDenpChoose_Line",
                 std::to_string(static_cast<int>(s.tenkenRireki.size()) + 1));
}

}  // namespace tankora
