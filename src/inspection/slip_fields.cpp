// Every input control and command of the slip screen, as tables for the
// input framework, and the clicks on its history rows.
#include <array>
#include <string_view>

#include "customers/customer_screen.h"
#include "inspection/slip_screen.h"
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
constexpr FieldTarget Slip(int field) { return {RecordKind::TenkenDenp, field}; }

constexpr InputField F(sv control, K kind, int width, sv frame, std::array<FieldTarget, 2> targets,
                       std::array<sv, 4> mirrors, sv next, sv previous, ImeMode ime = Hira) {
  return InputField{control,  Screen::Slip, kind,    static_cast<std::uint8_t>(width),
                    frame,    targets,      mirrors, next,
                    previous, ime,          0};
}

namespace C = Kokyaku;
namespace L = Kouji;
namespace T = TenkenDenp;

constexpr sv kDateFrame = "Shape_Panel_Tenken_Date";

// The header edits are the current customer's own fields: they store into the
// customer record (and its ledger twin, as the customer screen's edits do) and
// show the value on the customer and ledger screens.
constexpr InputField kSlipFields[] = {
    F("Edit_Panel_Tenken_Address", K::Text, 40, "Shape_Panel_Tenken_Address",
      {Cust(C::Address), Ledger(L::Address)}, {"Edit_Kokyaku_Address", "Edit_Kouji_Address"},
      "Edit_Panel_Tenken_Name", ""),
    F("Edit_Panel_Tenken_Name", K::Text, 20, "Shape_Panel_Tenken_Address",
      {Cust(C::Name), Ledger(L::Name)}, {"Edit_Kokyaku_Name", "Edit_Kouji_Name"},
      "Edit_Panel_Tenken_SettiPlace", "Edit_Panel_Tenken_Address"),
    F("Edit_Panel_Tenken_SettiPlace", K::Text, 40, "Shape_Panel_Tenken_SettiPlace",
      {Cust(C::SettiAddress), Ledger(L::SekouPlace)},
      {"Edit_Kokyaku_SettiAddress", "Edit_Kouji_SekouPlace"}, "Edit_Panel_Tenken_Ninsou",
      "Edit_Panel_Tenken_Name"),
    F("Edit_Panel_Tenken_Ninsou", K::Amount, 3, "Shape_Panel_Tenken_SyoriWay",
      {Cust(C::Ninsou), Ledger(L::Ninsou)},
      {"Edit_Kokyaku_Basic_Ninsou", "Edit_Kokyaku_Kouji_Ninsou", "Edit_Kouji_Ninsou"},
      "Edit_Panel_Tenken_SyoriWay", "Edit_Panel_Tenken_SettiPlace", Half),
    F("Edit_Panel_Tenken_SyoriWay", K::Text, 20, "Shape_Panel_Tenken_SyoriWay",
      {Cust(C::KindSyorihouhou), Ledger(L::KindSyorihouhou)},
      {"Edit_Kokyaku_Basic_SyoriWay", "Edit_Kokyaku_Kind_Syorihouhou",
       "Edit_Kouji_Kind_Syorihouhou"},
      "Edit_Panel_Tenken_Year", "Edit_Panel_Tenken_Ninsou"),

    // The entry line: the visit date, then the readings in the history's columns.
    F("Edit_Panel_Tenken_Year", K::YearPart, 3, kDateFrame, {Slip(T::Year)}, {},
      "Edit_Panel_Tenken_Month", "Edit_Panel_Tenken_SyoriWay", Off),
    F("Edit_Panel_Tenken_Month", K::MonthPart, 2, kDateFrame, {Slip(T::Month)}, {},
      "Edit_Panel_Tenken_Day", "Edit_Panel_Tenken_Year", Half),
    F("Edit_Panel_Tenken_Day", K::DayPart, 2, kDateFrame, {Slip(T::Day)}, {},
      "Edit_Panel_Tenken_Gaikan", "Edit_Panel_Tenken_Month", Half),
    // 外観 takes ten bytes of its twelve.
    F("Edit_Panel_Tenken_Gaikan", K::Text, 10, "Shape_Panel_Tenken_Gaikan", {Slip(T::Gaikan)}, {},
      "Edit_Panel_Tenken_Syuuki", "Edit_Panel_Tenken_Day"),
    F("Edit_Panel_Tenken_Syuuki", K::Reading, 2, "Shape_Panel_Tenken_Syuuki", {Slip(T::Syuuki)}, {},
      "Edit_Panel_Tenken_Ph", "Edit_Panel_Tenken_Gaikan"),
    F("Edit_Panel_Tenken_Ph", K::Reading, 3, "Shape_Panel_Tenken_Ph", {Slip(T::Ph)}, {},
      "Edit_Panel_Tenken_Tousido", "Edit_Panel_Tenken_Syuuki", Half),
    F("Edit_Panel_Tenken_Tousido", K::Reading, 2, "Shape_Panel_Tenken_Tousido", {Slip(T::Tousido)},
      {}, "Edit_Panel_Tenken_Asyousan", "Edit_Panel_Tenken_Ph", Half),
    F("Edit_Panel_Tenken_Asyousan", K::Reading, 2, "Shape_Panel_Tenken_Asyousan",
      {Slip(T::Asyousan)}, {}, "Edit_Panel_Tenken_Zanen", "Edit_Panel_Tenken_Tousido"),
    F("Edit_Panel_Tenken_Zanen", K::Reading, 3, "Shape_Panel_Tenken_Zanen", {Slip(T::Zanen)}, {},
      "Edit_Panel_Tenken_Ion", "Edit_Panel_Tenken_Asyousan", Half),
    F("Edit_Panel_Tenken_Ion", K::Reading, 3, "Shape_Panel_Tenken_Ion", {Slip(T::Ion)}, {},
      "Edit_Panel_Tenken_Kanrisya", "Edit_Panel_Tenken_Zanen", Half),
    F("Edit_Panel_Tenken_Kanrisya", K::Text, 16, "Shape_Panel_Tenken_Kanrisya", {Slip(T::Kanrisya)},
      {}, "Edit_Panel_Tenken_Bikou", "Edit_Panel_Tenken_Ion"),
    F("Edit_Panel_Tenken_Bikou", K::Text, 64, "Shape_Panel_Tenken_Bikou", {Slip(T::Bikou)}, {},
      "Edit_Panel_Tenken_Command", "Edit_Panel_Tenken_Kanrisya"),
    F("Edit_Panel_Tenken_Command", K::Command, 0, "", {}, {}, "", "Edit_Panel_Tenken_Bikou", Off),
};

// A refused register's red frames last until the next command.
template <void (*Run)(Session::State&)>
void Cmd(Session& s) {
  TenkenAlertsClear(s.state());
  Run(s.state());
}
// F8 and F2 leave a new slip in the entry line; the next visit is typed from
// its date on, so the caret goes there. Left in the invisible command field,
// the digits typed next would go nowhere.
template <void (*Run)(Session::State&)>
void CmdThenVisitDate(Session& s) {
  Cmd<Run>(s);
  if (s.state().currentScreen == Screen::Slip) FocusControl(s.state(), "Edit_Panel_Tenken_Year");
}
constexpr auto CmdWrite = Cmd<TenkenWrite>;
constexpr auto CmdDelete = CmdThenVisitDate<TenkenDelete>;
// A new slip over the one in the entry line: its unregistered typing is
// named first, and the caret stays where it was typing.
void CmdNew(Session& s) {
  if (MoveHeldForTyping(s.state(), kUnsavedSlip, MoveBy::Key)) return;
  CmdThenVisitDate<TenkenNew>(s);
}
constexpr auto CmdPageUp = Cmd<TenkenPageUp>;
constexpr auto CmdPageDown = Cmd<TenkenPageDown>;

// The customer list beside the slip keeps its "F5 前頁" / "F6 次頁" legends;
// here too the keys page it as on the customer screen, or the drawn legends
// would answer a click only. Key only: a click on the legends already runs
// the customer screen's command.
void CmdListBack(Session& s) { KokyakuPageBack(s.state()); }
void CmdListNext(Session& s) { KokyakuPageNext(s.state()); }

// The paging legends name their keys, so the keys page in every field of the
// screen as well as the labels do.
constexpr CommandDef kSlipCommands[] = {
    {Screen::Slip, Key::F1, "Label_Tenken_Write", "Shape_Tenken_Write", 0, CmdWrite},
    {Screen::Slip, Key::F2, "Label_Tenken_Delete", "Shape_Tenken_Delete", 1, CmdDelete},
    {Screen::Slip, Key::PageUp, "Label_Tenken_PageUp", "Shape_Tenken_PageUp", 3, CmdPageUp},
    {Screen::Slip, Key::PageDown, "Label_Tenken_PageDown", "Shape_Tenken_PageDown", 4, CmdPageDown},
    {Screen::Slip, Key::F8, "Label_Tenken_New", "Shape_Tenken_New", 5, CmdNew},
    {Screen::Slip, Key::F5, "", "", -1, CmdListBack},
    {Screen::Slip, Key::F6, "", "", -1, CmdListNext},
};

// The twelve labels of a history row, as their names spell them.
constexpr sv kRowItems[] = {"Year",    "Month",    "Day",     "Gaikan", "Syuuki",   "Ph",
                            "Tousido", "Asyousan", "Zannenn", "Ion",    "Kanrisya", "Tekiyou"};

// "Label_Tenken_Ph_03" → 2; -1 for anything else.
int HistoryRowOfLabel(sv label) {
  constexpr sv prefix = "Label_Tenken_";
  if (label.size() < prefix.size() + 4 || label.substr(0, prefix.size()) != prefix) return -1;
  const sv rest = label.substr(prefix.size());
  const sv item = rest.substr(0, rest.size() - 3);
  if (rest[rest.size() - 3] != '_') return -1;
  bool known = false;
  for (sv i : kRowItems) known = known || i == item;
  if (!known) return -1;
  const char a = rest[rest.size() - 2];
  const char b = rest[rest.size() - 1];
  if (a != '0' || b < '1' || b > '0' + kTenkenRows) return -1;
  return b - '1';
}

bool LabelClicked(Session& session, sv label) {
  Session::State& s = session.state();
  if (const int row = HistoryRowOfLabel(label); row >= 0) {
    TenkenAlertsClear(s);
    TenkenRowSelect(s, row);
    return true;
  }
  // The history caption, on the customer screen and above the history,
  // leads to this screen.
  if (label == "Label_KokyakuTenkenRireki" || label == "Label_TenkenRireki") {
    session.SwitchScreen(Screen::Slip);
    return true;
  }
  return false;
}

// A committed reading may cross (or leave) its acceptance limit.
void AfterCommit(Session& session, const InputField& f) {
  if (f.targets[0].record == RecordKind::TenkenDenp) TenkenMarkEntry(session.state());
}

constexpr ScreenDef kSlipScreen{
    .screen = Screen::Slip,
    .fields = kSlipFields,
    .commands = kSlipCommands,
    .firstFocus = "Edit_Panel_Tenken_Address",
    .afterCommit = AfterCommit,
    .labelClick = LabelClicked,
    .enterSelectsFirstCommand = true,
    .commandFieldClearsCursor = true,
};

}  // namespace

const ScreenDef& SlipScreenDef() { return kSlipScreen; }

namespace {

// Every customer shown on the customer screen is shown in the header too.
void OnCustomerShown(Session& session) { TenkenHeaderShow(session.state()); }

// Another customer, or none: its history from the top, and a new slip for it
// (never the previous customer's slip, which F1 would otherwise overwrite).
void OnCustomerChanged(Session& session) {
  Session::State& s = session.state();
  TenkenAlertsClear(s);
  TenkenRirekiLoad(s);
  TenkenRirekiShow(s);
  TenkenRowHighlight(s);
  TenkenNew(s);
}

void OnStarted(Session& session) {
  Session::State& s = session.state();
  s.currentTenkenNo = 0;
  OnCustomerChanged(session);
}

}  // namespace

void InstallSlipSeams(Session::State& s) {
  ScreenSeams& seams = s.seams;
  ChainSeam(seams.customerShown, OnCustomerShown);
  ChainSeam(seams.customerSelected, OnCustomerChanged);
  ChainSeam(seams.customerCleared, OnCustomerChanged);
  ChainSeam(seams.started, OnStarted);
}

}  // namespace tankora
