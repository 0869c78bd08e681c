// The commit rule of every field kind, and what a commit reaches: the
// control, its mirrors and its target fields.
#include <gtest/gtest.h>

#include "fake_view.h"
#include "shell/input_framework.h"

namespace tankora::testing {
namespace {

const InputField& Field(std::string_view control) {
  RegisterAllScreens();
  const InputField* f = FindField(control);
  EXPECT_NE(f, nullptr) << control;
  return *f;
}

struct EditCase {
  const char* control;
  const char* typed;
  const char* shown;
  const char* stored;
};

void ExpectCases(const EraCalendar& eras, std::initializer_list<EditCase> cases) {
  for (const EditCase& c : cases) {
    const CommittedValue v = NormalizeEdit(Field(c.control), c.typed, eras);
    EXPECT_EQ(v.shown, c.shown) << c.control << " typed '" << c.typed << "'";
    EXPECT_EQ(v.stored, c.stored) << c.control << " typed '" << c.typed << "'";
  }
}

TEST(ShellCommit, YearPartsInHeisei24) {
  const EraCalendar eras(Date{2012, 10, 29});
  ExpectCases(eras, {
                        {"Edit_Kokyaku_StartYear", "5", " 5", "1993"},
                        {"Edit_Kokyaku_StartYear", "24", "24", "2012"},
                        {"Edit_Kokyaku_StartYear", "25", "25", "2013"},
                        // Customer and ledger dates reach ten years on, a visit one.
                        {"Edit_Kokyaku_StartYear", "34", "34", "2022"},
                        {"Edit_Kokyaku_StartYear", "35", "  ", "    "},
                        {"Edit_Keiyaku_EndYear", "34", "34", "2022"},
                        {"Edit_Keiyaku_EndYear", "35", "  ", "    "},
                        {"Edit_Panel_Tenken_Year", "25", "25", "2013"},
                        {"Edit_Panel_Tenken_Year", "26", "  ", "    "},
                        {"Edit_Kokyaku_StartYear", "0", "  ", "    "},
                        {"Edit_Kokyaku_StartYear", "", "  ", "    "},
                        {"Edit_Kokyaku_StartYear", "x", "  ", "    "},
                        {"Edit_Kokyaku_Keiyaku_EndYear", "S60", "S60", "1985"},
                        // Today's era is shown without its letter, as a reload shows it.
                        {"Edit_Kokyaku_Keiyaku_EndYear", "h5", " 5", "1993"},
                        {"Edit_Kokyaku_Keiyaku_EndYear", "R1", "  ", "    "},
                    });
}

TEST(ShellCommit, YearPartsInReiwa) {
  const EraCalendar eras(Date{2026, 12, 7});
  ExpectCases(eras, {
                        {"Edit_Kokyaku_UseStartYear", "8", " 8", "2026"},
                        {"Edit_Kokyaku_UseStartYear", "9", " 9", "2027"},
                        {"Edit_Kokyaku_Keiyaku_EndYear", "R10", "10", "2028"},
                        {"Edit_Kokyaku_UseStartYear", "18", "18", "2036"},
                        {"Edit_Kokyaku_UseStartYear", "19", "  ", "    "},
                        {"Edit_Kouji_UseStartYear", "18", "18", "2036"},
                        {"Edit_Panel_Tenken_Year", "9", " 9", "2027"},
                        {"Edit_Panel_Tenken_Year", "10", "  ", "    "},
                        {"Edit_Kokyaku_UseStartYear", "H30", "H30", "2018"},
                        {"Edit_Kokyaku_UseStartYear", "H24", "H24", "2012"},
                        {"Edit_Kokyaku_UseStartYear", "h5", "H 5", "1993"},
                        {"Edit_Kokyaku_UseStartYear", "R8", " 8", "2026"},
                        {"Edit_Kokyaku_UseStartYear", "r08", " 8", "2026"},
                    });
  // The era as a kanji: four bytes, which the year edit must take whole.
  ExpectCases(eras, {{"Edit_Kokyaku_UseStartYear", Sj("平25").c_str(), "H25", "2013"},
                     {"Edit_Kokyaku_UseStartYear", Sj("令8").c_str(), " 8", "2026"},
                     {"Edit_Kokyaku_UseStartYear", Sj("Ｈ２５").c_str(), "H25", "2013"}});
  EXPECT_GE(InputBytes(Field("Edit_Kokyaku_UseStartYear")), Sj("平25").size());
  EXPECT_GE(InputBytes(Field("Edit_Panel_Tenken_Year")), Sj("平25").size());
  EXPECT_GE(InputBytes(Field("Edit_Kouji_StartYear")), Sj("平25").size());
}

TEST(ShellCommit, AYearShowsTheEraOfItsWholeDateAsAReloadDoes) {
  Harness h(0, Date{2026, 12, 7});
  h.session->SwitchScreen(Screen::Customer);
  // 2019 was Heisei until April and Reiwa from May; with no month yet the
  // year counts to its end.
  h.view.Type("Edit_Kokyaku_StartYear", "H31");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.s().kokyaku.Get(Kokyaku::StartYear), "2019");
  EXPECT_EQ(h.view.Text("Edit_Kokyaku_StartYear"), " 1");
  h.view.Type("Edit_Kokyaku_StartMonth", "3");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Text("Edit_Kokyaku_StartYear"), "H31");
  EXPECT_EQ(h.view.Text("Edit_Kouji_StartYear"), "H31") << "the ledger twin";
  h.view.Type("Edit_Kokyaku_StartMonth", "6");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Text("Edit_Kokyaku_StartYear"), " 1");

  // With the month known, the year's own commit uses it; a reload agrees.
  h.view.Type("Edit_Kokyaku_StartMonth", "4");
  h.view.Press(Key::Enter);
  h.view.Type("Edit_Kokyaku_StartYear", "1");
  h.view.Press(Key::Enter);
  const std::string committed = h.view.Text("Edit_Kokyaku_StartYear");
  EXPECT_EQ(committed, "H31");
  h.view.Type("Edit_Kokyaku_Name", "Taro");
  h.view.Press(Key::F1);
  h.ClickRow(1);
  EXPECT_EQ(h.view.Text("Edit_Kokyaku_StartYear"), committed);
}

// Enter from the first field of a screen to its command field, committing
// every field on the way, then Enter there (runs the first command).
void EnterThrough(Harness& h, std::string_view first, std::string_view command) {
  h.view.Focus(first);
  for (int i = 0; i < 200 && h.view.Focused() != command; ++i) h.view.Press(Key::Enter);
  ASSERT_EQ(h.view.Focused(), command);
  h.view.Press(Key::Enter);
}

// A stored year reaches the file again as it was, whether the edit can show
// it or not: shown, passed over by Enter and stored by the customer screen's
// F1 and by the ledger's F3, the customer's bytes do not change.
TEST(ShellCommit, StoredYearsSurviveBeingShownAndPassedThrough) {
  struct Case {
    const char* stored;  // KeiyakuEndYear on disk
    const char* shown;   // in the customer and ledger edits on 2026-12-07
  };
  const Case cases[] = {
      {"2028", "10"},   // a contract end two years on
      {"2036", "18"},   // ten years on: the last shown
      {"2040", "  "},   // past that: not shown, still kept
      {"1900", "  "},   // before any era known
      {"abcd", "  "},   // foreign bytes
      {"2019", "H31"},  // April 2019 was still Heisei
  };
  for (const Case& c : cases) {
    Record r(KokyakuLayout());
    r.Set(Kokyaku::Kana, "ｱ");
    r.Set(Kokyaku::Name, "Keiyaku");
    r.Set(Kokyaku::KeiyakuEndYear, c.stored);
    r.Set(Kokyaku::KeiyakuEndMonth, " 4");
    r.Set(Kokyaku::StartYear, "2031");
    // A month and a day no edit would store survive being passed over too.
    r.Set(Kokyaku::StartMonth, "13");
    r.Set(Kokyaku::StartDay, "5 ");
    const std::string before = Image(r);
    Harness h(0, Date{2026, 12, 7}, SeedFile("Kokyaku.120", {before}));
    h.session->SwitchScreen(Screen::Customer);
    h.ClickRow(1);
    EXPECT_EQ(h.view.Text("Edit_Kokyaku_Keiyaku_EndYear"), c.shown) << c.stored;
    EXPECT_EQ(h.view.Text("Edit_Kokyaku_StartYear"), "13") << c.stored;
    EnterThrough(h, "Edit_Kokyaku_Kana", "Edit_PanelKanri_CommandChoose");
    EXPECT_EQ(Image(h.Stored(1)), before) << c.stored << ": customer screen F1";
    EXPECT_EQ(h.session->Notice(), "") << c.stored;

    h.ClickRow(1);
    h.session->SwitchScreen(Screen::Ledger);
    EXPECT_EQ(h.view.Text("Edit_Keiyaku_EndYear"), c.shown) << c.stored;
    EnterThrough(h, "Edit_Kouji_Name", "Edit_PanelKouji_CommandChoose");  // F1: the entry
    h.view.Press(Key::F3);
    EXPECT_EQ(Image(h.Stored(1)), before) << c.stored << ": ledger F3";
    Record entry(KoujiLayout());
    ASSERT_TRUE(h.store->KoujiFile().ReadRecord(1, entry).ok());
    EXPECT_EQ(entry.Get(Kouji::KeiyakuEndYear), r.Get(Kokyaku::KeiyakuEndYear)) << c.stored;
  }
}

// A year, month or day the rules refuse is not stored as blanks: the record
// keeps its value, the edit shows it again and the notice line says what was
// refused. A command pressed on the refused year does not run: it would store
// a year other than the one on screen.
TEST(ShellCommit, ARefusedDatePartKeepsTheStoredValueAndSaysSo) {
  struct Case {
    const char* control;
    const char* typed;
    RecordKind record;
    int field;
    const char* kept;
    const char* shown;
  };
  const Case cases[] = {
      {"Edit_Kokyaku_Keiyaku_EndYear", "R19", RecordKind::Kokyaku, Kokyaku::KeiyakuEndYear, "2028",
       "10"},
      {"Edit_Kokyaku_Keiyaku_EndYear", "0", RecordKind::Kokyaku, Kokyaku::KeiyakuEndYear, "2028",
       "10"},
      {"Edit_Keiyaku_EndYear", "H32", RecordKind::Kouji, Kouji::KeiyakuEndYear, "2028", "10"},
      {"Edit_Panel_Tenken_Year", "10", RecordKind::TenkenDenp, TenkenDenp::Year, "2026", " 8"},
      {"Edit_Panel_Tenken_Year", "x1", RecordKind::TenkenDenp, TenkenDenp::Year, "2026", " 8"},
      {"Edit_Kokyaku_Keiyaku_EndMonth", "13", RecordKind::Kokyaku, Kokyaku::KeiyakuEndMonth, " 3",
       " 3"},
      {"Edit_Keiyaku_EndDay", "32", RecordKind::Kouji, Kouji::KeiyakuEndDay, "31", "31"},
      {"Edit_Panel_Tenken_Month", "ab", RecordKind::TenkenDenp, TenkenDenp::Month, "12", "12"},
      {"Edit_Panel_Tenken_Day", "0", RecordKind::TenkenDenp, TenkenDenp::Day, " 7", " 7"},
      {"Edit_Kokyaku_UkeoiKingaku", "abc", RecordKind::Kokyaku, Kokyaku::UkeoiKingaku,
       "   1250000", "   1250000"},
      {"Edit_Kouji_Ninsou", "x", RecordKind::Kouji, Kouji::Ninsou, "  5", "  5"},
  };
  Record r(KokyakuLayout());
  r.Set(Kokyaku::Name, "Keiyaku");
  r.Set(Kokyaku::KeiyakuEndYear, "2028");
  r.Set(Kokyaku::KeiyakuEndMonth, " 3");
  r.Set(Kokyaku::KeiyakuEndDay, "31");
  r.Set(Kokyaku::UkeoiKingaku, "   1250000");
  r.Set(Kokyaku::Ninsou, "  5");
  for (const Case& c : cases) {
    Harness h(0, Date{2026, 12, 7}, SeedFile("Kokyaku.120", {Image(r)}));
    h.ClickRow(1);
    const Screen screen = FindField(c.control)->screen;
    h.session->SwitchScreen(screen);
    h.view.Type(c.control, c.typed);
    h.view.Press(Key::Enter);
    EXPECT_EQ(h.s().RecordOf(c.record)->Get(c.field), c.kept) << c.control << " " << c.typed;
    EXPECT_EQ(h.view.Text(c.control), c.shown) << c.control << " " << c.typed;
    EXPECT_NE(h.session->Notice().find(c.typed), std::string::npos) << h.session->Notice();
  }

  Harness h(0, Date{2026, 12, 7}, SeedFile("Kokyaku.120", {Image(r)}));
  h.session->SwitchScreen(Screen::Customer);
  h.ClickRow(1);
  h.view.Type("Edit_Kokyaku_Tel", "03-1");
  h.view.Press(Key::Enter);
  h.view.Type("Edit_Kokyaku_Keiyaku_EndYear", "R19");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.Stored(1).Trimmed(Kokyaku::Tel), "") << "F1 ran on a refused year";
  EXPECT_FALSE(h.session->Notice().empty());
  h.view.Press(Key::F1);  // now the year on screen is the stored one
  EXPECT_EQ(h.Stored(1).Trimmed(Kokyaku::Tel), "03-1");
  EXPECT_EQ(h.Stored(1).Get(Kokyaku::KeiyakuEndYear), "2028");

  // Emptying the edit is no refusal: the year is cleared.
  h.ClickRow(1);
  h.view.Type("Edit_Kokyaku_Keiyaku_EndYear", "");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.Stored(1).Get(Kokyaku::KeiyakuEndYear), "    ");
  h.ClickRow(1);
  h.view.Type("Edit_Kokyaku_Keiyaku_EndMonth", "");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.Stored(1).Get(Kokyaku::KeiyakuEndMonth), "  ");
}

TEST(ShellCommit, MonthDayAmountAndText) {
  const EraCalendar eras(Date{2012, 10, 29});
  ExpectCases(eras, {
                        {"Edit_Kokyaku_StartMonth", "13", "  ", "  "},
                        {"Edit_Kokyaku_StartMonth", "0", "  ", "  "},
                        {"Edit_Kokyaku_StartMonth", "2", " 2", " 2"},
                        {"Edit_Kokyaku_StartMonth", "02", "02", "02"},
                        {"Edit_Kokyaku_StartMonth", "12", "12", "12"},
                        {"Edit_Kokyaku_StartDay", "31", "31", "31"},
                        {"Edit_Kokyaku_StartDay", "32", "  ", "  "},
                        {"Edit_Syukinngaku_01", "0", "        ", "        "},
                        {"Edit_Syukinngaku_01", "abc", "        ", "        "},
                        {"Edit_Syukinngaku_01", "3000", "    3000", "    3000"},
                        {"Edit_Syukinngaku_01", "1,000", "   1,000", "   1,000"},
                        {"Edit_Kokyaku_Basic_Ninsou", "5", "  5", "  5"},
                        {"Edit_Kokyaku_Zip1", "12", "12 ", "12 "},
                        {"Edit_Kokyaku_Kana", "  ab", "  ab", "  ab"},
                    });
}

TEST(ShellCommit, ReadingsAreRightAlignedAndUnchecked) {
  const EraCalendar eras(Date{2012, 10, 29});
  InputField ph{};
  ph.control = "Edit_Reading";
  ph.screen = Screen::Slip;
  ph.kind = FieldKind::Reading;
  ph.width = 3;
  EXPECT_EQ(NormalizeEdit(ph, "7.2", eras).stored, "7.2");
  EXPECT_EQ(NormalizeEdit(ph, "7 ", eras).stored, "  7");
  EXPECT_EQ(NormalizeEdit(ph, "0", eras).stored, "  0");
  EXPECT_EQ(NormalizeEdit(ph, "", eras).stored, "   ");
}

TEST(ShellCommit, EditCommitReachesControlMirrorsAndBothRecords) {
  Harness h;
  h.view.session->SwitchScreen(Screen::Customer);
  h.view.TypeUtf8("Edit_Kokyaku_Name", "  浄化 太郎");
  h.view.Press(Key::Enter);
  const std::string padded = PadField(Sj("  浄化 太郎"), TextAlign::Left, 20);
  EXPECT_EQ(h.view.Text("Edit_Kokyaku_Name"), padded);
  EXPECT_EQ(h.view.Text("Edit_Panel_Tenken_Name"), padded);
  EXPECT_EQ(h.view.Text("Edit_Kouji_Name"), padded);
  EXPECT_EQ(h.s().kokyaku.Get(Kokyaku::Name), padded);
  EXPECT_EQ(h.s().kouji.Get(Kouji::Name), padded);

  // Entering the field again shows the bare text; the record keeps it until
  // the next commit, which drops the leading blanks too.
  h.view.Focus("Edit_Kokyaku_Name");
  EXPECT_EQ(h.view.Text("Edit_Kokyaku_Name"), Sj("浄化 太郎"));
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Name), Sj("浄化 太郎"));
  EXPECT_EQ(h.s().kokyaku.Get(Kokyaku::Name)[0], static_cast<char>(0x8F));

  // Persons: both customer edits, the slip header and the ledger show it.
  h.view.Type("Edit_Kokyaku_Kouji_Ninsou", "7");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Text("Edit_Kokyaku_Basic_Ninsou"), "  7");
  EXPECT_EQ(h.view.Text("Edit_Panel_Tenken_Ninsou"), "  7");
  EXPECT_EQ(h.s().kouji.Get(Kouji::Ninsou), "  7");

  h.view.Type("Edit_Kokyaku_StartYear", "22");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.s().kokyaku.Get(Kokyaku::StartYear), "2010");
  EXPECT_EQ(h.s().kouji.Get(Kouji::StartYear), "2010");
  EXPECT_EQ(h.view.Text("Edit_Kouji_StartYear"), "22");
}

TEST(ShellCommit, BoxesStoreOnClickAndEnterDoesNotToggle) {
  Harness h;
  h.session->SwitchScreen(Screen::Customer);
  h.view.ClickBox("CheckBox_Tandoku");
  EXPECT_TRUE(h.s().kokyaku.FlagAt(Kokyaku::Tandoku));
  h.view.Press(Key::Enter);  // moves on without toggling
  EXPECT_TRUE(h.view.Checked("CheckBox_Tandoku"));
  EXPECT_EQ(h.view.Focused(), "CheckBoxGappei");
  h.view.ClickBox("CheckBox_Tandoku");
  EXPECT_FALSE(h.s().kokyaku.FlagAt(Kokyaku::Tandoku));

  h.view.ClickBox("CheckBox_Tenken_04");
  h.view.ClickBox("CheckBox_Tenken_10");
  h.view.ClickBox("CheckBox_Syuukin_12");
  EXPECT_EQ(h.s().kokyaku.Get(Kokyaku::TenkenMonths), "   1     1  ");
  EXPECT_EQ(h.s().kokyaku.Get(Kokyaku::SyuukinMonths), "           1");
  EXPECT_EQ(h.view.Text("Label_TenkenKaisuu"), "2");
  EXPECT_EQ(h.view.Text("Label_SyuukinKaisuu"), "1");
}

TEST(ShellCommit, RadioPairStoresItsValueInBothRecordsAndChecksTheLedgerTwin) {
  Harness h;
  h.session->SwitchScreen(Screen::Customer);
  EXPECT_TRUE(h.view.Checked("RadioButton_SinyouOnly"));
  h.view.checked["RadioButton_SinyouOnly"] = false;  // the platform unchecks the partner
  h.view.ClickBox("RadioButton_SinyouHaisui", /*radio=*/true);
  EXPECT_TRUE(h.s().kokyaku.FlagAt(Kokyaku::Sinyou));
  EXPECT_TRUE(h.s().kouji.FlagAt(Kouji::Sinyou));
  EXPECT_TRUE(h.view.Checked("RadioButton_Kouji_SinyouHaisui"));
  EXPECT_FALSE(h.view.Checked("RadioButton_Kouji_SinyouOnly"));

  // Leaving an unchecked button stores nothing.
  h.view.Focus("RadioButton_SinyouOnly");
  h.view.Focus("Edit_Kokyaku_Youto_1");
  EXPECT_TRUE(h.s().kokyaku.FlagAt(Kokyaku::Sinyou));

  // Enter on the focused, unchecked button stores its value and checks it.
  h.view.Focus("RadioButton_SinyouOnly");
  h.view.Press(Key::Enter);
  EXPECT_FALSE(h.s().kokyaku.FlagAt(Kokyaku::Sinyou));
  EXPECT_TRUE(h.view.Checked("RadioButton_SinyouOnly"));
  EXPECT_FALSE(h.view.Checked("RadioButton_SinyouHaisui"));
  EXPECT_TRUE(h.view.Checked("RadioButton_Kouji_SinyouOnly"));
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Youto_1");
}

TEST(ShellCommit, EnterThenLeaveCommitsOnceAndMouseLeaveCommits) {
  Harness h;
  h.session->SwitchScreen(Screen::Customer);
  h.view.Type("Edit_Kokyaku_StartYear", "5");
  const int before = h.view.setTextCount["Edit_Kouji_StartYear"];
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_StartMonth");
  EXPECT_EQ(h.view.setTextCount["Edit_Kouji_StartYear"], before + 1);

  // Left by a click elsewhere, without Enter.
  h.view.Type("Edit_Kokyaku_Tel", "011-222");
  h.view.Focus("Edit_Kokyaku_Zip1");
  EXPECT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Tel), "011-222");
  EXPECT_EQ(h.view.Frame("Shape_Kokyaku_Address"), FrameState::Selected);
  h.view.Focus("Edit_Kokyaku_Name");
  EXPECT_EQ(h.view.Frame("Shape_Kokyaku_Address"), FrameState::Plain);
  EXPECT_EQ(h.view.Frame("Shape_Kokyaku_Name"), FrameState::Selected);
}

TEST(ShellCommit, FunctionKeyAndLabelClickCommitTheFocusedFieldFirst) {
  Harness h;
  h.view.session->SwitchScreen(Screen::Customer);
  h.view.Type("Edit_Kokyaku_Kana", "ｱ");  // confirmed
  h.view.Press(Key::Enter);
  h.view.Type("Edit_Kokyaku_Name", "Taro");  // typed, not confirmed
  EXPECT_TRUE(h.view.Press(Key::F1));
  ASSERT_EQ(h.store->KokyakuCount(), 1);
  EXPECT_EQ(h.Stored(1).Trimmed(Kokyaku::Name), "Taro");
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Kana");
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "");

  h.view.Type("Edit_Kokyaku_Name", "Hanako");
  h.view.ClickLabel("Label_KokyakuWrite");
  ASSERT_EQ(h.store->KokyakuCount(), 2);
  // A blank reading sorts before ｱ.
  EXPECT_EQ(h.RowName(1), "Hanako");
  EXPECT_EQ(h.RowName(2), "Taro");
}

TEST(ShellCommit, FieldStaysOpenAfterARefusedCommand) {
  Harness h;
  h.view.session->SwitchScreen(Screen::Customer);
  h.view.Type("Edit_Kokyaku_Tel", "1");
  h.view.Press(Key::F1);  // no name: refused, focus stays
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Tel");
  h.view.Type("Edit_Kokyaku_Tel", "0123");
  h.view.Focus("Edit_Kokyaku_Address");
  EXPECT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Tel), "0123");
}

}  // namespace
}  // namespace tankora::testing
