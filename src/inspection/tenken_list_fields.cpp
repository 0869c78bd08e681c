// Every input control and command of the inspection list screen, as tables
// for the input framework.
#include <string_view>

#include "inspection/tenken_list_screen.h"
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
  return InputField{control,  Screen::TenkenList,
                    kind,     static_cast<std::uint8_t>(width),
                    "",       targets,
                    mirrors,  next,
                    previous, ime,
                    0};
}

constexpr sv kCommand = "Edit_TenkenList_Command";

// The report parameters, in focus order; then the schedule month and the
// print margins. The company texts and the margins are the company profile's
// and show on the contract list screen too. In the per-customer view the
// addressee's place holds the customer name (a print parameter, never the
// company's addressee): the redirect below swaps one for the other.
constexpr InputField kTenkenListFields[] = {
    F("Edit_TenkenGeppou_Year", K::YearPart, kYearPartBytes, {}, {}, "Edit_TenkenGeppou_Month", "",
      Off),
    F("Edit_TenkenGeppou_Month", K::MonthPart, 2, {}, {}, "Edit_TenkenGeppou_Day",
      "Edit_TenkenGeppou_Year", Off),
    F("Edit_TenkenGeppou_Day", K::DayPart, 2, {}, {}, "Edit_TenkenGeppou_Teisyutusaki",
      "Edit_TenkenGeppou_Month", Off),
    F("Edit_TenkenGeppou_Teisyutusaki", K::Text, 30, {Company(Jisya::Teisyutusaki)},
      {"Edit_HosyuKeiyaku_Geppou_Teisyutusaki"}, "Edit_TenkenGeppou_Address",
      "Edit_TenkenGeppou_Day"),
    F("Edit_TenkenGeppou_KokyakuName", K::Text, 20, {}, {}, "Edit_TenkenGeppou_Address",
      "Edit_TenkenGeppou_Day"),
    F("Edit_TenkenGeppou_Address", K::Text, 40, {Company(Jisya::Address)},
      {"Edit_HosyuKeiyaku_Geppou_Address"}, "Edit_TenkenGeppou_KaisyaName",
      "Edit_TenkenGeppou_Teisyutusaki"),
    F("Edit_TenkenGeppou_KaisyaName", K::Text, 30, {Company(Jisya::KaisyaName)},
      {"Edit_HosyuKeiyaku_Geppou_KaisyaName"}, "Edit_TenkenGeppou_Name",
      "Edit_TenkenGeppou_Address"),
    F("Edit_TenkenGeppou_Name", K::Text, 30, {Company(Jisya::Name)},
      {"Edit_HosyuKeiyaku_Geppou_Name"}, "Edit_TenkenGeppou_Tel", "Edit_TenkenGeppou_KaisyaName"),
    F("Edit_TenkenGeppou_Tel", K::Text, 14, {Company(Jisya::Tel)}, {"Edit_HosyuKeiyaku_Geppou_Tel"},
      "Edit_TenkenGeppou_ChooseYear", "Edit_TenkenGeppou_Name", Off),
    F("Edit_TenkenGeppou_ChooseYear", K::YearPart, kYearPartBytes, {}, {},
      "Edit_TenkenGeppou_ChooseMonth", "Edit_TenkenGeppou_Tel", Off),
    F("Edit_TenkenGeppou_ChooseMonth", K::MonthPart, 2, {}, {}, kCommand,
      "Edit_TenkenGeppou_ChooseYear", Off),
    F(kCommand, K::Command, 0, {}, {}, "", "Edit_TenkenGeppou_ChooseMonth", Off),

    F("Edit_TenkenYotei_Month", K::MonthPart, 2, {}, {}, kCommand, "", Off),

    // Home does nothing in either margin.
    F("Edit_TopMargine", K::Amount, 2, {Company(Jisya::TopMargine)}, {"Edit_TopMargine_Kouji"},
      "Edit_LeftMargine", "", Off),
    F("Edit_LeftMargine", K::Amount, 2, {Company(Jisya::LeftMargine)}, {"Edit_LeftMargine_Kouji"},
      kCommand, "", Off),
};

void Print(Session& session) { ListPrint(session, Screen::TenkenList); }
void ReDisp(Session& s) { TenkenItiranReDisp(s.state()); }
void PrePage(Session& s) { TenkenItiranPrePage(s.state()); }
void NextPage(Session& s) { TenkenItiranNextPage(s.state()); }
void OrderToggle(Session& s) { TenkenYoteiOrderToggle(s.state()); }

// The 再表示 of each view holds cursor 0: Enter after the last parameter
// frames it, and a second Enter shows the list for what was typed. Only the
// one of the view in front is visible; both run the view in front.
constexpr CommandDef kTenkenListCommands[] = {
    {Screen::TenkenList, Key::Other, "Label_TenkenGeppou_ReDisp", "Shape_TenkenGeppou_ReDisp", 0,
     ReDisp},
    {Screen::TenkenList, Key::Other, "Label_TenkenYotei", "Shape_TenkenYotei", 0, ReDisp},
    {Screen::TenkenList, Key::F1, "Label_TenkenItiran_F1", "Shape_TenkenItiran_F1", -1, Print},
    {Screen::TenkenList, Key::F3, "Label_TenkenItiran_F3", "Shape_TenkenItiran_F3", -1,
     OrderToggle},
    {Screen::TenkenList, Key::F5, "Label_TenkenItiran_F5", "Shape_TenkenItiran_F5", -1, PrePage},
    {Screen::TenkenList, Key::F6, "Label_TenkenItiran_F6", "Shape_TenkenItiran_F6", -1, NextPage},
};

std::string_view FirstFocus(Session& session) {
  return session.state().tenkenItiranMode == kTenkenYotei ? "Edit_TenkenYotei_Month"
                                                          : "Edit_TenkenGeppou_Year";
}

// The addressee and the customer name share one place; the schedule hides
// the report parameters, so its month stands in for the report month.
std::string_view Redirect(Session& session, std::string_view target) {
  const int mode = session.state().tenkenItiranMode;
  if (mode == kTenkenKobetu && target == "Edit_TenkenGeppou_Teisyutusaki") {
    return "Edit_TenkenGeppou_KokyakuName";
  }
  if (mode != kTenkenKobetu && target == "Edit_TenkenGeppou_KokyakuName") {
    return "Edit_TenkenGeppou_Teisyutusaki";
  }
  if (mode == kTenkenYotei && target.substr(0, 18) == "Edit_TenkenGeppou_") {
    return "Edit_TenkenYotei_Month";
  }
  if (mode != kTenkenYotei && target == "Edit_TenkenYotei_Month") return "Edit_TenkenGeppou_Year";
  return target;
}

// The report date and the report month.
constexpr EraDateGroup kDateGroups[] = {
    {"Label_TenkenGeppou_Era", "Edit_TenkenGeppou_Year", "Edit_TenkenGeppou_Month",
     "Edit_TenkenGeppou_Day"},
    {"Label_TenkenGeppou_ChooseEra", "Edit_TenkenGeppou_ChooseYear",
     "Edit_TenkenGeppou_ChooseMonth", ""},
};

void AfterCommit(Session& session, const InputField& field) {
  ListParamCommitted(session.state(), field, kDateGroups);
}

bool LabelClick(Session& session, std::string_view label) {
  Session::State& s = session.state();
  if (const int mode = ViewTabOf(label, "Label_TenkenItiran_"); mode >= 0) {
    TenkenItiranModeSet(s, mode);
    return true;
  }
  return TenkenItiranLabelClick(s, label);
}

constexpr ScreenDef kTenkenListScreen{
    .screen = Screen::TenkenList,
    .fields = kTenkenListFields,
    .commands = kTenkenListCommands,
    .firstFocus = "Edit_TenkenGeppou_Year",
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
  TenkenItiranModeDraw(s);
}

}  // namespace

const ScreenDef& TenkenListScreenDef() { return kTenkenListScreen; }

void InstallTenkenListSeams(Session::State& s) {
  ChainSeam(s.seams.started, OnStarted);
  s.seams.screenShown = [before = std::move(s.seams.screenShown)](Session& session, Screen screen) {
    if (before) before(session, screen);
    if (screen == Screen::TenkenList) TenkenItiranEntered(session.state());
  };
}

}  // namespace tankora
