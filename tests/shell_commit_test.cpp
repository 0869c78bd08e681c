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
                        {"Edit_Kokyaku_StartYear", "26", "  ", "    "},
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
                        {"Edit_Kokyaku_UseStartYear", "10", "  ", "    "},
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
