// Every input control and command of the customer screen and its month
// panel, as tables for the input framework.
#include <string_view>

#include "backup/backup_screen.h"
#include "customers/customer_screen.h"
#include "shell/input_framework.h"

namespace tankora {

namespace {

using K = FieldKind;
using sv = std::string_view;
constexpr ImeMode Hira = ImeMode::Hira;
constexpr ImeMode Off = ImeMode::Off;
// Telephone numbers, postcodes and numbers: half-width characters only.
constexpr ImeMode Half = ImeMode::HalfWidth;

constexpr FieldTarget Cust(int field) { return {RecordKind::Kokyaku, field}; }
constexpr FieldTarget Ledger(int field) { return {RecordKind::Kouji, field}; }

constexpr InputField F(sv control, K kind, int width, sv frame, std::array<FieldTarget, 2> targets,
                       std::array<sv, 4> mirrors, sv next, sv previous, ImeMode ime = Hira,
                       int month = 0) {
  return InputField{
      control, Screen::Customer, kind, static_cast<std::uint8_t>(width), frame, targets, mirrors,
      next,    previous,         ime,  static_cast<std::int8_t>(month)};
}

namespace C = Kokyaku;
namespace L = Kouji;

// Basic part, in focus order. Fields 2 and 19-56 have a ledger twin and are
// mirrored into the ledger screen's edit of the same field; name, address,
// installation place, persons and treatment also into the slip screen's header.
#define DATE3(Y, M, D, frame, cf, lf, ledY, ledM, ledD, prev, next)                    \
  F(Y, K::YearPart, kYearPartBytes, frame, {Cust(cf), Ledger(lf)}, {ledY}, M, prev, Off),\
      F(M, K::MonthPart, 2, frame, {Cust(cf + 1), Ledger(lf + 1)}, {ledM}, D, Y, Half), \
      F(D, K::DayPart, 2, frame, {Cust(cf + 2), Ledger(lf + 2)}, {ledD}, next, M, Half)

// Month part: inspection box, collection box, amount for each month; Enter
// after December's amount wraps to January, Home from January's first box
// goes back to the basic part.
#define MONTH(MM, m, prevAmount, nextBox)                                                          \
  F("CheckBox_Tenken_" MM, K::MonthBox, 1, "Shape_Tenken_" MM, {Cust(C::TenkenMonths)}, {},        \
    "CheckBox_Syuukin_" MM, prevAmount, Off, m),                                                   \
      F("CheckBox_Syuukin_" MM, K::MonthBox, 1, "Shape_Syuukin_" MM, {Cust(C::SyuukinMonths)}, {}, \
        "Edit_Syukinngaku_" MM, "CheckBox_Tenken_" MM, Off, m),                                    \
      F("Edit_Syukinngaku_" MM, K::Amount, 8, "Shape_Syukinngaku_" MM,                             \
        {Cust(C::Syukinngaku01 + (m)-1)}, {}, nextBox, "CheckBox_Syuukin_" MM, Half)

constexpr InputField kCustomerFields[] = {
    F("Edit_Kokyaku_Kana", K::Text, 4, "Shape_Kokyaku_Kana", {Cust(C::Kana)}, {},
      "Edit_Kokyaku_Name", "", ImeMode::HalfKana),
    F("Edit_Kokyaku_Name", K::Text, 20, "Shape_Kokyaku_Name", {Cust(C::Name), Ledger(L::Name)},
      {"Edit_Panel_Tenken_Name", "Edit_Kouji_Name"}, "CheckBox_Tandoku", "Edit_Kokyaku_Kana"),
    F("CheckBox_Tandoku", K::FlagBox, 1, "Shape_Kubun", {Cust(C::Tandoku)}, {}, "CheckBoxGappei",
      "Edit_Kokyaku_Name", Off),
    F("CheckBoxGappei", K::FlagBox, 1, "Shape_Kubun", {Cust(C::Gappei)}, {}, "Edit_Kokyaku_Zip1",
      "CheckBox_Tandoku", Off),
    F("Edit_Kokyaku_Zip1", K::Text, 3, "Shape_Kokyaku_Address", {Cust(C::Zip1), Ledger(L::Zip1)},
      {"Edit_Kouji_Zip1"}, "Edit_Kokyaku_Zip2", "CheckBoxGappei", Half),
    F("Edit_Kokyaku_Zip2", K::Text, 4, "Shape_Kokyaku_Address", {Cust(C::Zip2), Ledger(L::Zip2)},
      {"Edit_Kouji_Zip2"}, "Edit_Kokyaku_Address", "Edit_Kokyaku_Zip1", Half),
    F("Edit_Kokyaku_Address", K::Text, 40, "Shape_Kokyaku_Address",
      {Cust(C::Address), Ledger(L::Address)}, {"Edit_Panel_Tenken_Address", "Edit_Kouji_Address"},
      "Edit_Kokyaku_Tel", "Edit_Kokyaku_Zip2"),
    F("Edit_Kokyaku_Tel", K::Text, 14, "Shape_Kokyaku_Address", {Cust(C::Tel), Ledger(L::Tel)},
      {"Edit_Kouji_Tel"}, "Edit_Kokyaku_SettiAddress", "Edit_Kokyaku_Address", Half),
    F("Edit_Kokyaku_SettiAddress", K::Text, 40, "Shape_Kokyaku_SettiAddress",
      {Cust(C::SettiAddress), Ledger(L::SekouPlace)},
      {"Edit_Panel_Tenken_SettiPlace", "Edit_Kouji_SekouPlace"}, "Edit_Kokyaku_Basic_Ninsou",
      "Edit_Kokyaku_Tel"),
    F("Edit_Kokyaku_Basic_Ninsou", K::Amount, 3, "Shape_Kokyaku_SyoriWay",
      {Cust(C::Ninsou), Ledger(L::Ninsou)},
      {"Edit_Kokyaku_Kouji_Ninsou", "Edit_Panel_Tenken_Ninsou", "Edit_Kouji_Ninsou"},
      "Edit_Kokyaku_Basic_SyoriWay", "Edit_Kokyaku_SettiAddress", Half),
    F("Edit_Kokyaku_Basic_SyoriWay", K::Text, 20, "Shape_Kokyaku_SyoriWay",
      {Cust(C::KindSyorihouhou), Ledger(L::KindSyorihouhou)},
      {"Edit_Kokyaku_Kind_Syorihouhou", "Edit_Panel_Tenken_SyoriWay",
       "Edit_Kouji_Kind_Syorihouhou"},
      "Edit_Kokyaku_StartYear", "Edit_Kokyaku_Basic_Ninsou"),
    DATE3("Edit_Kokyaku_StartYear", "Edit_Kokyaku_StartMonth", "Edit_Kokyaku_StartDay",
          "Shape_Kokyaku_Date", C::StartYear, L::StartYear, "Edit_Kouji_StartYear",
          "Edit_Kouji_StartMonth", "Edit_Kouji_StartDay", "Edit_Kokyaku_Basic_SyoriWay",
          "Edit_Kokyaku_EndYear"),
    DATE3("Edit_Kokyaku_EndYear", "Edit_Kokyaku_EndMonth", "Edit_Kokyaku_EndDay",
          "Shape_Kokyaku_Date", C::EndYear, L::EndYear, "Edit_Kouji_EndYear", "Edit_Kouji_EndMonth",
          "Edit_Kouji_EndDay", "Edit_Kokyaku_StartDay", "Edit_Kokyaku_UseStartYear"),
    DATE3("Edit_Kokyaku_UseStartYear", "Edit_Kokyaku_UseStartMonth", "Edit_Kokyaku_UseStartDay",
          "Shape_Kokyaku_UseStartDate", C::UseStartYear, L::UseStartYear, "Edit_Kouji_UseStartYear",
          "Edit_Kouji_UseStartMonth", "Edit_Kouji_UseStartDay", "Edit_Kokyaku_EndDay",
          "Edit_Kokyaku_UkeoiKingaku"),
    F("Edit_Kokyaku_UkeoiKingaku", K::Amount, 10, "Shape_Kokyaku_UkeoiKingaku",
      {Cust(C::UkeoiKingaku), Ledger(L::Money)}, {"Edit_Kouji_Money"}, "Edit_Kokyaku_Setubisi",
      "Edit_Kokyaku_UseStartDay", Half),
    F("Edit_Kokyaku_Setubisi", K::Text, 20, "Shape_Kokyaku_Setubisi",
      {Cust(C::Setubisi), Ledger(L::Setubisi)}, {"Edit_Kouji_Setubisi"}, "Edit_Kokyaku_KoufuNo",
      "Edit_Kokyaku_UkeoiKingaku"),
    F("Edit_Kokyaku_KoufuNo", K::Text, 20, "Shape_Kokyaku_Setubisi",
      {Cust(C::KoufuNo), Ledger(L::KoufuNo)}, {"Edit_Kouji_KoufuNo"}, "Edit_Kokyaku_Kind_Meisyou",
      "Edit_Kokyaku_Setubisi", Off),
    F("Edit_Kokyaku_Kind_Meisyou", K::Text, 20, "Shape_Kokyaku_Kind",
      {Cust(C::KindMeisyou), Ledger(L::KindMeisyou)}, {"Edit_Kouji_Kind_Meisyou"},
      "Edit_Kokyaku_Kind_NinteiNo", "Edit_Kokyaku_KoufuNo"),
    F("Edit_Kokyaku_Kind_NinteiNo", K::Text, 20, "Shape_Kokyaku_Kind",
      {Cust(C::KindNinteiNo), Ledger(L::KindNinteiNo)}, {"Edit_Kouji_Kind_NinteiNo"},
      "Edit_Kokyaku_Kind_Katasiki", "Edit_Kokyaku_Kind_Meisyou", Off),
    F("Edit_Kokyaku_Kind_Katasiki", K::Text, 20, "Shape_Kokyaku_Kind",
      {Cust(C::KindKatasiki), Ledger(L::KindKatasiki)}, {"Edit_Kouji_Kind_Katasiki"},
      "Edit_Kokyaku_Kind_Syorihouhou", "Edit_Kokyaku_Kind_NinteiNo"),
    F("Edit_Kokyaku_Kind_Syorihouhou", K::Text, 20, "Shape_Kokyaku_Kind",
      {Cust(C::KindSyorihouhou), Ledger(L::KindSyorihouhou)},
      {"Edit_Kokyaku_Basic_SyoriWay", "Edit_Panel_Tenken_SyoriWay", "Edit_Kouji_Kind_Syorihouhou"},
      "Edit_Kokyaku_Kouji_Ninsou", "Edit_Kokyaku_Kind_Katasiki"),
    F("Edit_Kokyaku_Kouji_Ninsou", K::Amount, 3, "Shape_Kokyaku_Kind",
      {Cust(C::Ninsou), Ledger(L::Ninsou)},
      {"Edit_Kokyaku_Basic_Ninsou", "Edit_Panel_Tenken_Ninsou", "Edit_Kouji_Ninsou"}, kRadio,
      "Edit_Kokyaku_Kind_Syorihouhou", Half),
    // Radio pair: mirrors[0] is the ledger's button of the same value, mirrors[1] its partner.
    F("RadioButton_SinyouOnly", K::RadioOnly, 1, "Shape_Sinyou",
      {Cust(C::Sinyou), Ledger(L::Sinyou)},
      {"RadioButton_Kouji_SinyouOnly", "RadioButton_Kouji_SinyouHaisui"}, "Edit_Kokyaku_Youto_1",
      "Edit_Kokyaku_Kouji_Ninsou", Off),
    F("RadioButton_SinyouHaisui", K::RadioHaisui, 1, "Shape_Sinyou",
      {Cust(C::Sinyou), Ledger(L::Sinyou)},
      {"RadioButton_Kouji_SinyouHaisui", "RadioButton_Kouji_SinyouOnly"}, "Edit_Kokyaku_Youto_1",
      "Edit_Kokyaku_Kouji_Ninsou", Off),
    F("Edit_Kokyaku_Youto_1", K::Text, 64, "Shape_Kokyaku_Youto",
      {Cust(C::Youto1), Ledger(L::Youto1)}, {"Edit_Kouji_Youto_1"}, "Edit_Kokyaku_Youto_2", kRadio),
    F("Edit_Kokyaku_Youto_2", K::Text, 64, "Shape_Kokyaku_Youto",
      {Cust(C::Youto2), Ledger(L::Youto2)}, {"Edit_Kouji_Youto_2"}, "Edit_Kokyaku_Youto_3",
      "Edit_Kokyaku_Youto_1"),
    F("Edit_Kokyaku_Youto_3", K::Text, 64, "Shape_Kokyaku_Youto",
      {Cust(C::Youto3), Ledger(L::Youto3)}, {"Edit_Kouji_Youto_3"}, "Edit_Kokyaku_KanriGyousya",
      "Edit_Kokyaku_Youto_2"),
    F("Edit_Kokyaku_KanriGyousya", K::Text, 20, "Shape_Kokyaku_KanriGyousya",
      {Cust(C::KanriGyousya), Ledger(L::KanriGyousya)}, {"Edit_Kouji_KanriGyousya"},
      "Edit_Kokyaku_SeisouGyousya", "Edit_Kokyaku_Youto_3"),
    F("Edit_Kokyaku_SeisouGyousya", K::Text, 20, "Shape_Kokyaku_SeisouGyousya",
      {Cust(C::SeisouGyousya), Ledger(L::SeisouGyousya)}, {"Edit_Kouji_SeisouGyousya"},
      "Edit_Kokyaku_Keiyaku_Year", "Edit_Kokyaku_KanriGyousya"),
    DATE3("Edit_Kokyaku_Keiyaku_Year", "Edit_Kokyaku_Keiyaku_Month", "Edit_Kokyaku_Keiyaku_Day",
          "Shape_Kokyaku_Keiyaku_Date", C::KeiyakuYear, L::KeiyakuYear, "Edit_Keiyaku_Year",
          "Edit_Keiyaku_Month", "Edit_Keiyaku_Day", "Edit_Kokyaku_SeisouGyousya",
          "Edit_Kokyaku_Keiyaku_StartYear"),
    DATE3("Edit_Kokyaku_Keiyaku_StartYear", "Edit_Kokyaku_Keiyaku_StartMonth",
          "Edit_Kokyaku_Keiyaku_StartDay", "Shape_Kokyaku_KeiyakuKikan_Date", C::KeiyakuStartYear,
          L::KeiyakuStartYear, "Edit_Keiyaku_StartYear", "Edit_Keiyaku_StartMonth",
          "Edit_Keiyaku_StartDay", "Edit_Kokyaku_Keiyaku_Day", "Edit_Kokyaku_Keiyaku_EndYear"),
    DATE3("Edit_Kokyaku_Keiyaku_EndYear", "Edit_Kokyaku_Keiyaku_EndMonth",
          "Edit_Kokyaku_Keiyaku_EndDay", "Shape_Kokyaku_KeiyakuKikan_Date", C::KeiyakuEndYear,
          L::KeiyakuEndYear, "Edit_Keiyaku_EndYear", "Edit_Keiyaku_EndMonth", "Edit_Keiyaku_EndDay",
          "Edit_Kokyaku_Keiyaku_StartDay", "Edit_PanelKanri_CommandChoose"),
    F("Edit_PanelKanri_CommandChoose", K::Command, 0, "", {}, {}, "", "Edit_Kokyaku_Keiyaku_EndDay",
      Off),
    // A display switch beside the list header, outside the focus order.
    F("CheckBox_AllDispSW", K::Check, 0, "", {}, {}, "", "", Off),

    MONTH("01", 1, "CheckBoxGappei", "CheckBox_Tenken_02"),
    MONTH("02", 2, "Edit_Syukinngaku_01", "CheckBox_Tenken_03"),
    MONTH("03", 3, "Edit_Syukinngaku_02", "CheckBox_Tenken_04"),
    MONTH("04", 4, "Edit_Syukinngaku_03", "CheckBox_Tenken_05"),
    MONTH("05", 5, "Edit_Syukinngaku_04", "CheckBox_Tenken_06"),
    MONTH("06", 6, "Edit_Syukinngaku_05", "CheckBox_Tenken_07"),
    MONTH("07", 7, "Edit_Syukinngaku_06", "CheckBox_Tenken_08"),
    MONTH("08", 8, "Edit_Syukinngaku_07", "CheckBox_Tenken_09"),
    MONTH("09", 9, "Edit_Syukinngaku_08", "CheckBox_Tenken_10"),
    MONTH("10", 10, "Edit_Syukinngaku_09", "CheckBox_Tenken_11"),
    MONTH("11", 11, "Edit_Syukinngaku_10", "CheckBox_Tenken_12"),
    MONTH("12", 12, "Edit_Syukinngaku_11", "CheckBox_Tenken_01"),
};

#undef DATE3
#undef MONTH

void CmdWrite(Session& s) { KokyakuWrite(s.state()); }
void CmdDelete(Session& s) { KokyakuDelete(s.state()); }
// F8 empties the customer and, through the seams, begins a new slip and a
// new ledger entry: typing in any of them is named before it goes. The
// entry counts for what a ledger edit typed in it; the typing of this
// screen that reaches its twins is named as the customer's. (The stores'
// own emptying after F1, F2 and F3 never asks: what it drops is stored.)
void CmdNew(Session& s) {
  Session::State& st = s.state();
  if (MoveHeldForTyping(st, kUnsavedCustomer | kUnsavedSlip | kUnsavedLedgerTyped, MoveBy::Key)) {
    return;
  }
  KokyakuNew(st);
}
// Asks first, in the notice line; F3 again takes the deleted records out.
void CmdDataSeiri(Session& s) { KokyakuDataSeiri(s.state()); }
void CmdPageBack(Session& s) { KokyakuPageBack(s.state()); }
void CmdPageNext(Session& s) { KokyakuPageNext(s.state()); }
// The window closes when it sees the request, saving the company record as
// every close does.
// F9 leaves standing what the line said before it (a close's warning among
// it), so the close it asks for judges the line as the window button does.
void CmdQuit(Session& s) {
  Session::State& st = s.state();
  st.quitRequested = true;
  st.SetNotice(st.noticeBeforeCommand);
}

constexpr CommandDef kCustomerCommands[] = {
    {Screen::Customer, Key::F1, "Label_KokyakuWrite", "Shape_KokyakuWrite", 0, CmdWrite},
    {Screen::Customer, Key::F2, "Label_KokyakuDelete", "Shape_KokyakuDelete", 1, CmdDelete},
    {Screen::Customer, Key::F3, "Label_KokyakuComplateDelete", "Shape_KokyakuComplateDelete", 2,
     CmdDataSeiri},
    {Screen::Customer, Key::F5, "Label_KokyakuBeforePage", "Shape_KokyakuBeforePage", 4,
     CmdPageBack},
    {Screen::Customer, Key::F6, "Label_KokyakuNextPage", "Shape_KokyakuNextPage", 5, CmdPageNext},
    {Screen::Customer, Key::F8, "Label_KokyakuNew", "Shape_KokyakuNew", 7, CmdNew},
    {Screen::Customer, Key::F9, "Label_ProgramEnd", "Shape_ProgramEnd", 8, CmdQuit},
};

bool IsMonthPlanField(const InputField& f) {
  return f.kind == FieldKind::MonthBox ||
         (f.kind == FieldKind::Amount && f.targets[0].field >= C::Syukinngaku01 &&
          f.targets[0].field <= C::Syukinngaku12);
}

// The interval line reads the tank's kind, size and method besides the months.
bool FeedsMonthPlan(const InputField& f) {
  if (IsMonthPlanField(f)) return true;
  const FieldTarget& t = f.targets[0];
  return t.record == RecordKind::Kokyaku && (t.field == C::Tandoku || t.field == C::Gappei ||
                                             t.field == C::Ninsou || t.field == C::KindSyorihouhou);
}

void AfterCommit(Session& session, const InputField& f) {
  Session::State& s = session.state();
  if (FeedsMonthPlan(f)) MonthPlanShow(s);
  if (f.control == "CheckBox_AllDispSW") KokyakuShowDeleted(s, s.view.Checked(f.control));
}

// "Label_Kokyaku_Kana_07" → 6; -1 for anything else.
int RowOfLabel(sv label) {
  for (sv prefix : {sv("Label_Kokyaku_Kana_"), sv("Label_Kokyaku_Name_")}) {
    if (label.size() != prefix.size() + 2 || label.substr(0, prefix.size()) != prefix) continue;
    const char a = label[prefix.size()];
    const char b = label[prefix.size() + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    const int n = (a - '0') * 10 + (b - '0');
    return n >= 1 && n <= kListRows ? n - 1 : -1;
  }
  return -1;
}

bool LabelClicked(Session& session, sv label) {
  Session::State& s = session.state();
  if (const int row = RowOfLabel(label); row >= 0) {
    KokyakuRowClick(s, row);
    return true;
  }
  if (label == "Label_KokyakuTenkenSyuukinInfo_1") {
    MonthPanelShow(s);
    return true;
  }
  if (label == "Label_KokyakuBasocInfo_2") {
    MonthPanelHide(s, /*focusRecord=*/true);
    return true;
  }
  return false;
}

// The month panel covers the record below 区分. Enter in 合併 would lead
// into the postcode under it, where keys typed next change a field nobody
// sees: while the panel is shown, the covered controls lead to its first box.
sv Redirect(Session& session, sv target) {
  if (!session.state().monthPanelShown) return target;
  for (sv open : {sv("Edit_Kokyaku_Kana"), sv("Edit_Kokyaku_Name"), sv("CheckBox_Tandoku"),
                  sv("CheckBoxGappei"), sv("CheckBox_AllDispSW")}) {
    if (target == open) return target;
  }
  const InputField* f = FindField(target);
  if (!f || f->screen != Screen::Customer || IsMonthPlanField(*f)) return target;
  return "CheckBox_Tenken_01";
}

sv FirstFocusNow(Session& session) { return CustomerFirstFocus(session.state()); }

constexpr ScreenDef kCustomerScreen{
    .screen = Screen::Customer,
    .fields = kCustomerFields,
    .commands = kCustomerCommands,
    .firstFocusNow = FirstFocusNow,
    .afterCommit = AfterCommit,
    .labelClick = LabelClicked,
    .redirect = Redirect,
    .enterSelectsFirstCommand = true,
    .commandFieldClearsCursor = false,
};

}  // namespace

const ScreenDef& CustomerScreenDef() { return kCustomerScreen; }

void InstallCustomerSeams(Session::State& s) {
  s.seams.screenShown = [before = std::move(s.seams.screenShown)](Session& session, Screen screen) {
    if (before) before(session, screen);
    if (screen == Screen::Customer) MonthPlanShow(session.state());
  };
}

std::string_view CustomerFirstFocus(const Session::State& s) {
  return s.monthPanelShown ? "CheckBox_Tenken_01" : "Edit_Kokyaku_Kana";
}

}  // namespace tankora
