// Every input control and command of the construction ledger screen, as
// tables for the input framework, and the ledger's hooks into the customer
// screen.
#include <string_view>

#include "ledger/ledger_screen.h"
#include "shell/input_framework.h"

namespace tankora {

namespace {

using K = FieldKind;
using sv = std::string_view;
constexpr ImeMode Hira = ImeMode::Hira;
constexpr ImeMode Off = ImeMode::Off;
// Telephone numbers, postcodes and numbers: half-width characters only.
constexpr ImeMode Half = ImeMode::HalfWidth;

constexpr FieldTarget Ledger(int field) { return {RecordKind::Kouji, field}; }
constexpr FieldTarget Cust(int field) { return {RecordKind::Kokyaku, field}; }

// The ledger field comes first among the targets: it is the one the ledger
// screen shows the control from.
constexpr InputField F(sv control, K kind, int width, sv frame, std::array<FieldTarget, 2> targets,
                       std::array<sv, 4> mirrors, sv next, sv previous, ImeMode ime = Hira) {
  return InputField{control,  Screen::Ledger,
                    kind,     static_cast<std::uint8_t>(width),
                    frame,    targets,
                    mirrors,  next,
                    previous, ime,
                    0};
}

namespace L = Kouji;
namespace C = Kokyaku;

// A date as year, month and day edits, each mirrored into the customer
// screen's edit of the same twin field. The year edit takes an era letter
// as the customer screen's does.
#define DATE3(Y, M, D, frame, lf, cf, custY, custM, custD, prev, next)                  \
  F(Y, K::YearPart, 3, frame, {Ledger(lf), Cust(cf)}, {custY}, M, prev, Off),           \
      F(M, K::MonthPart, 2, frame, {Ledger(lf + 1), Cust(cf + 1)}, {custM}, D, Y, Half), \
      F(D, K::DayPart, 2, frame, {Ledger(lf + 2), Cust(cf + 2)}, {custD}, next, M, Half)

// In focus order. Name, address and installation place also reach the slip
// screen's customer header, as the customer screen's edits of them do.
constexpr InputField kLedgerFields[] = {
    F("Edit_Kouji_Name", K::Text, 20, "Shape_Panel_Kouji_Name", {Ledger(L::Name), Cust(C::Name)},
      {"Edit_Kokyaku_Name", "Edit_Panel_Tenken_Name"}, "Edit_Kouji_Zip1", ""),
    F("Edit_Kouji_Zip1", K::Text, 3, "Shape_Kouji_Address", {Ledger(L::Zip1), Cust(C::Zip1)},
      {"Edit_Kokyaku_Zip1"}, "Edit_Kouji_Zip2", "Edit_Kouji_Name", Half),
    F("Edit_Kouji_Zip2", K::Text, 4, "Shape_Kouji_Address", {Ledger(L::Zip2), Cust(C::Zip2)},
      {"Edit_Kokyaku_Zip2"}, "Edit_Kouji_Address", "Edit_Kouji_Zip1", Half),
    F("Edit_Kouji_Address", K::Text, 40, "Shape_Kouji_Address",
      {Ledger(L::Address), Cust(C::Address)}, {"Edit_Kokyaku_Address", "Edit_Panel_Tenken_Address"},
      "Edit_Kouji_Tel", "Edit_Kouji_Zip2"),
    F("Edit_Kouji_Tel", K::Text, 14, "Shape_Kouji_Address", {Ledger(L::Tel), Cust(C::Tel)},
      {"Edit_Kokyaku_Tel"}, "Edit_Kouji_SekouPlace", "Edit_Kouji_Address", Half),
    F("Edit_Kouji_SekouPlace", K::Text, 40, "Shape_Kouji_SekouPlace",
      {Ledger(L::SekouPlace), Cust(C::SettiAddress)},
      {"Edit_Kokyaku_SettiAddress", "Edit_Panel_Tenken_SettiPlace"}, "Edit_Kouji_StartYear",
      "Edit_Kouji_Tel"),
    DATE3("Edit_Kouji_StartYear", "Edit_Kouji_StartMonth", "Edit_Kouji_StartDay",
          "Shape_Kouji_Date", L::StartYear, C::StartYear, "Edit_Kokyaku_StartYear",
          "Edit_Kokyaku_StartMonth", "Edit_Kokyaku_StartDay", "Edit_Kouji_SekouPlace",
          "Edit_Kouji_EndYear"),
    DATE3("Edit_Kouji_EndYear", "Edit_Kouji_EndMonth", "Edit_Kouji_EndDay", "Shape_Kouji_Date",
          L::EndYear, C::EndYear, "Edit_Kokyaku_EndYear", "Edit_Kokyaku_EndMonth",
          "Edit_Kokyaku_EndDay", "Edit_Kouji_StartDay", "Edit_Kouji_UseStartYear"),
    DATE3("Edit_Kouji_UseStartYear", "Edit_Kouji_UseStartMonth", "Edit_Kouji_UseStartDay",
          "Shape_Kouji_UseStartDate", L::UseStartYear, C::UseStartYear, "Edit_Kokyaku_UseStartYear",
          "Edit_Kokyaku_UseStartMonth", "Edit_Kokyaku_UseStartDay", "Edit_Kouji_EndDay",
          "Edit_Kouji_Money"),
    F("Edit_Kouji_Money", K::Amount, 10, "Shape_Kouji_Money",
      {Ledger(L::Money), Cust(C::UkeoiKingaku)}, {"Edit_Kokyaku_UkeoiKingaku"},
      "Edit_Kouji_Setubisi", "Edit_Kouji_UseStartDay", Half),
    F("Edit_Kouji_Setubisi", K::Text, 20, "Shape_Kouji_Setubisi",
      {Ledger(L::Setubisi), Cust(C::Setubisi)}, {"Edit_Kokyaku_Setubisi"}, "Edit_Kouji_KoufuNo",
      "Edit_Kouji_Money"),
    F("Edit_Kouji_KoufuNo", K::Text, 20, "Shape_Kouji_Setubisi",
      {Ledger(L::KoufuNo), Cust(C::KoufuNo)}, {"Edit_Kokyaku_KoufuNo"}, "Edit_Kouji_Kind_Meisyou",
      "Edit_Kouji_Setubisi", Off),
    F("Edit_Kouji_Kind_Meisyou", K::Text, 20, "Shape_Kouji_Kind",
      {Ledger(L::KindMeisyou), Cust(C::KindMeisyou)}, {"Edit_Kokyaku_Kind_Meisyou"},
      "Edit_Kouji_Kind_NinteiNo", "Edit_Kouji_KoufuNo"),
    F("Edit_Kouji_Kind_NinteiNo", K::Text, 20, "Shape_Kouji_Kind",
      {Ledger(L::KindNinteiNo), Cust(C::KindNinteiNo)}, {"Edit_Kokyaku_Kind_NinteiNo"},
      "Edit_Kouji_Kind_Katasiki", "Edit_Kouji_Kind_Meisyou", Off),
    F("Edit_Kouji_Kind_Katasiki", K::Text, 20, "Shape_Kouji_Kind",
      {Ledger(L::KindKatasiki), Cust(C::KindKatasiki)}, {"Edit_Kokyaku_Kind_Katasiki"},
      "Edit_Kouji_Kind_Syorihouhou", "Edit_Kouji_Kind_NinteiNo"),
    F("Edit_Kouji_Kind_Syorihouhou", K::Text, 20, "Shape_Kouji_Kind",
      {Ledger(L::KindSyorihouhou), Cust(C::KindSyorihouhou)},
      {"Edit_Kokyaku_Kind_Syorihouhou", "Edit_Kokyaku_Basic_SyoriWay",
       "Edit_Panel_Tenken_SyoriWay"},
      "Edit_Kouji_Ninsou", "Edit_Kouji_Kind_Katasiki"),
    F("Edit_Kouji_Ninsou", K::Amount, 3, "Shape_Kouji_Kind", {Ledger(L::Ninsou), Cust(C::Ninsou)},
      {"Edit_Kokyaku_Kouji_Ninsou", "Edit_Kokyaku_Basic_Ninsou", "Edit_Panel_Tenken_Ninsou"},
      kRadio, "Edit_Kouji_Kind_Syorihouhou", Half),
    // Radio pair: mirrors[0] is the customer screen's button of the same
    // value, mirrors[1] its partner there.
    F("RadioButton_Kouji_SinyouOnly", K::RadioOnly, 1, "Shape_Kouji_Sinyou",
      {Ledger(L::Sinyou), Cust(C::Sinyou)}, {"RadioButton_SinyouOnly", "RadioButton_SinyouHaisui"},
      "Edit_Kouji_Youto_1", "Edit_Kouji_Ninsou", Off),
    F("RadioButton_Kouji_SinyouHaisui", K::RadioHaisui, 1, "Shape_Kouji_Sinyou",
      {Ledger(L::Sinyou), Cust(C::Sinyou)}, {"RadioButton_SinyouHaisui", "RadioButton_SinyouOnly"},
      "Edit_Kouji_Youto_1", "Edit_Kouji_Ninsou", Off),
    F("Edit_Kouji_Youto_1", K::Text, 64, "Shape_Kouji_Youto", {Ledger(L::Youto1), Cust(C::Youto1)},
      {"Edit_Kokyaku_Youto_1"}, "Edit_Kouji_Youto_2", kRadio),
    F("Edit_Kouji_Youto_2", K::Text, 64, "Shape_Kouji_Youto", {Ledger(L::Youto2), Cust(C::Youto2)},
      {"Edit_Kokyaku_Youto_2"}, "Edit_Kouji_Youto_3", "Edit_Kouji_Youto_1"),
    F("Edit_Kouji_Youto_3", K::Text, 64, "Shape_Kouji_Youto", {Ledger(L::Youto3), Cust(C::Youto3)},
      {"Edit_Kokyaku_Youto_3"}, "Edit_Kouji_KanriGyousya", "Edit_Kouji_Youto_2"),
    F("Edit_Kouji_KanriGyousya", K::Text, 20, "Shape_Kouji_KanriGyousya",
      {Ledger(L::KanriGyousya), Cust(C::KanriGyousya)}, {"Edit_Kokyaku_KanriGyousya"},
      "Edit_Kouji_SeisouGyousya", "Edit_Kouji_Youto_3"),
    F("Edit_Kouji_SeisouGyousya", K::Text, 20, "Shape_Kouji_SeisouGyousya",
      {Ledger(L::SeisouGyousya), Cust(C::SeisouGyousya)}, {"Edit_Kokyaku_SeisouGyousya"},
      "Edit_Keiyaku_Year", "Edit_Kouji_KanriGyousya"),
    DATE3("Edit_Keiyaku_Year", "Edit_Keiyaku_Month", "Edit_Keiyaku_Day", "Shape_Keiyaku_Date",
          L::KeiyakuYear, C::KeiyakuYear, "Edit_Kokyaku_Keiyaku_Year", "Edit_Kokyaku_Keiyaku_Month",
          "Edit_Kokyaku_Keiyaku_Day", "Edit_Kouji_SeisouGyousya", "Edit_Keiyaku_StartYear"),
    DATE3("Edit_Keiyaku_StartYear", "Edit_Keiyaku_StartMonth", "Edit_Keiyaku_StartDay",
          "Shape_KeiyakuKikan_Date", L::KeiyakuStartYear, C::KeiyakuStartYear,
          "Edit_Kokyaku_Keiyaku_StartYear", "Edit_Kokyaku_Keiyaku_StartMonth",
          "Edit_Kokyaku_Keiyaku_StartDay", "Edit_Keiyaku_Day", "Edit_Keiyaku_EndYear"),
    DATE3("Edit_Keiyaku_EndYear", "Edit_Keiyaku_EndMonth", "Edit_Keiyaku_EndDay",
          "Shape_KeiyakuKikan_Date", L::KeiyakuEndYear, C::KeiyakuEndYear,
          "Edit_Kokyaku_Keiyaku_EndYear", "Edit_Kokyaku_Keiyaku_EndMonth",
          "Edit_Kokyaku_Keiyaku_EndDay", "Edit_Keiyaku_StartDay", "Edit_PanelKouji_CommandChoose"),
    F("Edit_PanelKouji_CommandChoose", K::Command, 0, "", {}, {}, "", "Edit_Keiyaku_EndDay", Off),
};

#undef DATE3

void AfterCommit(Session& s, const InputField&) { KoujiEditCommitted(s.state()); }

void CmdWrite(Session& s) { KoujiWrite(s.state()); }
void CmdDelete(Session& s) { KoujiDelete(s.state()); }
void CmdKokyakuWrite(Session& s) { KoujiKokyakuWrite(s.state()); }
void CmdPrePage(Session& s) { KoujiPrePage(s.state()); }
void CmdNextPage(Session& s) { KoujiNextPage(s.state()); }
void CmdNew(Session& s) { KoujiNew(s.state()); }

// The cursor positions are those of the command field's selection; F8 has
// none there, so Enter in the command field never starts a new entry.
constexpr CommandDef kLedgerCommands[] = {
    {Screen::Ledger, Key::F1, "Label_MotocyouWrite", "Shape_MotocyouWrite", 0, CmdWrite},
    {Screen::Ledger, Key::F2, "Label_MotocyouDelete", "Shapel_MotocyouDelete", 1, CmdDelete},
    {Screen::Ledger, Key::F3, "Label_MotocyouKokyakuWrite", "Shape_MotocyouKokyakuWrite", 2,
     CmdKokyakuWrite},
    {Screen::Ledger, Key::F5, "Label_MotocyouPrePage", "Shape_MotocyouPrePage", 4, CmdPrePage},
    {Screen::Ledger, Key::F6, "Label_MotocyouNextPage", "Shape_MotocyouNextPage", 5, CmdNextPage},
    {Screen::Ledger, Key::F8, "Label_MotocyouNewData", "Shape_MotocyouNewData", -1, CmdNew},
};

constexpr ScreenDef kLedgerScreen{
    .screen = Screen::Ledger,
    .fields = kLedgerFields,
    .commands = kLedgerCommands,
    .firstFocus = "Edit_Kouji_Name",
    .afterCommit = AfterCommit,
    .labelClick = nullptr,
    // Enter in the last date selects F1, so a second Enter there stores the
    // entry, as on the customer screen.
    .enterSelectsFirstCommand = true,
    .commandFieldClearsCursor = false,
};

}  // namespace

const ScreenDef& LedgerScreenDef() { return kLedgerScreen; }

}  // namespace tankora
