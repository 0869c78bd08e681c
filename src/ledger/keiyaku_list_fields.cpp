// Every input control and command of the contract list screen, as tables
// for the input framework.
#include <string_view>

#include "ledger/keiyaku_list_screen.h"
#include "shell/input_framework.h"

namespace tankora {

namespace {

using K = FieldKind;
using sv = std::string_view;
constexpr ImeMode Hira = ImeMode::Hira;
constexpr ImeMode Off = ImeMode::Off;

constexpr FieldTarget Company(int field) { return {RecordKind::Jisya, field}; }

constexpr InputField F(sv control, K kind, int width, std::array<FieldTarget, 2> targets,
                       std::array<sv, 4> mirrors, sv next, sv previous, ImeMode ime = Hira) {
  return InputField{control,  Screen::KeiyakuList,
                    kind,     static_cast<std::uint8_t>(width),
                    "",       targets,
                    mirrors,  next,
                    previous, ime,
                    0};
}

constexpr sv kCommand = "Edit_KeiyakuList_Command";
constexpr sv kGeppouPrefix = "Edit_HosyuKeiyaku_Geppou_";

// Each view's parameters, in focus order, end in the command field; the
// company texts and the margins are the company profile's and show on the
// inspection list screen too.
constexpr InputField kKeiyakuListFields[] = {
    F("Edit_HosyuKeiyaku_Geppou_Year", K::YearPart, kYearPartBytes, {}, {},
      "Edit_HosyuKeiyaku_Geppou_Month", "", Off),
    F("Edit_HosyuKeiyaku_Geppou_Month", K::MonthPart, 2, {}, {}, "Edit_HosyuKeiyaku_Geppou_Day",
      "Edit_HosyuKeiyaku_Geppou_Year", Off),
    F("Edit_HosyuKeiyaku_Geppou_Day", K::DayPart, 2, {}, {},
      "Edit_HosyuKeiyaku_Geppou_Teisyutusaki", "Edit_HosyuKeiyaku_Geppou_Month", Off),
    F("Edit_HosyuKeiyaku_Geppou_Teisyutusaki", K::Text, 30, {Company(Jisya::Teisyutusaki)},
      {"Edit_TenkenGeppou_Teisyutusaki"}, "Edit_HosyuKeiyaku_Geppou_Address",
      "Edit_HosyuKeiyaku_Geppou_Day"),
    F("Edit_HosyuKeiyaku_Geppou_Address", K::Text, 40, {Company(Jisya::Address)},
      {"Edit_TenkenGeppou_Address"}, "Edit_HosyuKeiyaku_Geppou_KaisyaName",
      "Edit_HosyuKeiyaku_Geppou_Teisyutusaki"),
    F("Edit_HosyuKeiyaku_Geppou_KaisyaName", K::Text, 30, {Company(Jisya::KaisyaName)},
      {"Edit_TenkenGeppou_KaisyaName"}, "Edit_HosyuKeiyaku_Geppou_Name",
      "Edit_HosyuKeiyaku_Geppou_Address"),
    F("Edit_HosyuKeiyaku_Geppou_Name", K::Text, 30, {Company(Jisya::Name)},
      {"Edit_TenkenGeppou_Name"}, "Edit_HosyuKeiyaku_Geppou_Tel",
      "Edit_HosyuKeiyaku_Geppou_KaisyaName"),
    F("Edit_HosyuKeiyaku_Geppou_Tel", K::Text, 14, {Company(Jisya::Tel)}, {"Edit_TenkenGeppou_Tel"},
      "Edit_HosyuKeiyaku_Geppou_ChooseYear", "Edit_HosyuKeiyaku_Geppou_Name", Off),
    F("Edit_HosyuKeiyaku_Geppou_ChooseYear", K::YearPart, kYearPartBytes, {}, {},
      "Edit_HosyuKeiyaku_Geppou_ChooseMonth", "Edit_HosyuKeiyaku_Geppou_Tel", Off),
    F("Edit_HosyuKeiyaku_Geppou_ChooseMonth", K::MonthPart, 2, {}, {}, kCommand,
      "Edit_HosyuKeiyaku_Geppou_ChooseYear", Off),
    F(kCommand, K::Command, 0, {}, {}, "", "Edit_HosyuKeiyaku_Geppou_ChooseMonth", Off),

    F("Edit_Kouji_KokyakuEndYear", K::YearPart, kYearPartBytes, {}, {},
      "Edit_Kouji_KokyakuEndMonth", "", Off),
    F("Edit_Kouji_KokyakuEndMonth", K::MonthPart, 2, {}, {}, kCommand, "Edit_Kouji_KokyakuEndYear",
      Off),

    F("Edit_Kouji_SyuukinMonth", K::MonthPart, 2, {}, {}, kCommand, "", Off),

    // Enter in the second margin goes back to the first; Home does nothing.
    F("Edit_TopMargine_Kouji", K::Amount, 2, {Company(Jisya::TopMargine)}, {"Edit_TopMargine"},
      "Edit_LeftMargine_Kouji", "", Off),
    F("Edit_LeftMargine_Kouji", K::Amount, 2, {Company(Jisya::LeftMargine)}, {"Edit_LeftMargine"},
      "Edit_TopMargine_Kouji", "", Off),
};

void Print(Session& session) { ListPrint(session, Screen::KeiyakuList); }
void ReDisp(Session& s) { KeiyakuListReDisp(s.state()); }
void PrePage(Session& s) { KeiyakuListPrePage(s.state()); }
void NextPage(Session& s) { KeiyakuListNextPage(s.state()); }

// The 再表示 of each view holds cursor 0: Enter after a view's last
// parameter frames it, and a second Enter shows the list for what was
// typed. Only the one of the view in front is visible; each runs the view
// in front.
constexpr CommandDef kKeiyakuListCommands[] = {
    {Screen::KeiyakuList, Key::Other, "Label_Panel_HosyuKeiyaku_Geppou_ReDisp",
     "Shape_Panel_HosyuKeiyaku_Geppou_ReDisp", 0, ReDisp},
    {Screen::KeiyakuList, Key::Other, "Label_Panel_KeiyakuEnd_ReDisp",
     "Shape_Panel_KeiyakuEnd_ReDisp", 0, ReDisp},
    {Screen::KeiyakuList, Key::Other, "Label_Panel_SyuukinYotei_ReDisp",
     "Shape_Panel_SyuukinYotei_ReDisp", 0, ReDisp},
    {Screen::KeiyakuList, Key::F1, "Label_Panel_KeiyakuList_Print", "Shape_Panel_KeiyakuList_Print",
     -1, Print},
    {Screen::KeiyakuList, Key::F5, "Label_Panel_KeiyakuList_PrePage",
     "Shape_Panel_KeiyakuList_PrePage", -1, PrePage},
    {Screen::KeiyakuList, Key::F6, "Label_Panel_KeiyakuList_NextPage",
     "Shape_Panel_KeiyakuList_NextPage", -1, NextPage},
};

constexpr sv kFirstOf[3] = {"Edit_HosyuKeiyaku_Geppou_Year", "Edit_Kouji_KokyakuEndYear",
                            "Edit_Kouji_SyuukinMonth"};
constexpr sv kLastOf[3] = {"Edit_HosyuKeiyaku_Geppou_ChooseMonth", "Edit_Kouji_KokyakuEndMonth",
                           "Edit_Kouji_SyuukinMonth"};

std::string_view FirstFocus(Session& session) {
  const int mode = session.state().keiyakuListMode;
  return kFirstOf[mode >= 0 && mode < 3 ? mode : 0];
}

int ViewOf(sv control) {
  if (control.substr(0, kGeppouPrefix.size()) == kGeppouPrefix) return kKeiyakuGeppou;
  if (control == "Edit_Kouji_KokyakuEndYear" || control == "Edit_Kouji_KokyakuEndMonth") {
    return kKeiyakuEnd;
  }
  if (control == "Edit_Kouji_SyuukinMonth") return kSyuukinYotei;
  return -1;  // the margins and the command field are on every view
}

// Home from the command field goes back to the last parameter of the view
// in front; an edit of a hidden view is never reached.
std::string_view Redirect(Session& session, std::string_view target) {
  const int mode = session.state().keiyakuListMode;
  const int view = ViewOf(target);
  if (view < 0 || view == mode) return target;
  return target == kLastOf[kKeiyakuGeppou] ? kLastOf[mode] : kFirstOf[mode];
}

constexpr EraDateGroup kDateGroups[] = {
    {"Label_HosyuKeiyaku_Geppou_Era", "Edit_HosyuKeiyaku_Geppou_Year",
     "Edit_HosyuKeiyaku_Geppou_Month", "Edit_HosyuKeiyaku_Geppou_Day"},
    {"Label_HosyuKeiyaku_Geppou_ChooseEra", "Edit_HosyuKeiyaku_Geppou_ChooseYear",
     "Edit_HosyuKeiyaku_Geppou_ChooseMonth", ""},
    {"Label_Kouji_KokyakuEndEra", "Edit_Kouji_KokyakuEndYear", "Edit_Kouji_KokyakuEndMonth", ""},
};

void AfterCommit(Session& session, const InputField& field) {
  ListParamCommitted(session.state(), field, kDateGroups);
}

bool LabelClick(Session& session, std::string_view label) {
  Session::State& s = session.state();
  if (const int mode = ViewTabOf(label, "Label_KoujiItiran_"); mode >= 0) {
    KeiyakuListModeSet(s, mode);
    return true;
  }
  return KeiyakuListLabelClick(s, label);
}

constexpr ScreenDef kKeiyakuListScreen{
    .screen = Screen::KeiyakuList,
    .fields = kKeiyakuListFields,
    .commands = kKeiyakuListCommands,
    .firstFocus = "Edit_HosyuKeiyaku_Geppou_Year",
    .firstFocusNow = FirstFocus,
    .afterCommit = AfterCommit,
    .labelClick = LabelClick,
    .redirect = Redirect,
    .enterSelectsFirstCommand = true,
    .commandFieldClearsCursor = false,
};

void OnStarted(Session& session) {
  Session::State& s = session.state();
  for (const EraDateGroup& g : kDateGroups) EraDateShow(s, g);
  KeiyakuListModeDraw(s);
}

}  // namespace

const ScreenDef& KeiyakuListScreenDef() { return kKeiyakuListScreen; }

void InstallKeiyakuListSeams(Session::State& s) {
  ChainSeam(s.seams.started, OnStarted);
  s.seams.screenShown = [before = std::move(s.seams.screenShown)](Session& session, Screen screen) {
    if (before) before(session, screen);
    if (screen == Screen::KeiyakuList) KeiyakuListSelect(session.state());
  };
}

}  // namespace tankora
