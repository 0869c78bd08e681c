// F1 登録, F2 削除, F8 追加 of the slip screen, its date check, the customer
// header and what the customer screen's commands do to this screen.
#include <gtest/gtest.h>

#include <fstream>

#include "fake_view.h"
#include "inspection/slip_screen.h"

namespace tankora::testing {
namespace {

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

Record StoredSlip(Harness& h, int n) {
  Record r(TenkenDenpLayout());
  EXPECT_TRUE(h.store->TenkenFile().ReadRecord(n, r).ok());
  return r;
}

void TypeDate(Harness& h, std::string_view year, std::string_view month, std::string_view day) {
  h.view.Type("Edit_Panel_Tenken_Year", year);
  h.view.Press(Key::Enter);
  h.view.Type("Edit_Panel_Tenken_Month", month);
  h.view.Press(Key::Enter);
  h.view.Type("Edit_Panel_Tenken_Day", day);
  h.view.Press(Key::Enter);
}

// Runs the date check on what the three edits hold.
bool Check(Harness& h, std::string_view year, std::string_view month, std::string_view day) {
  h.view.text["Edit_Panel_Tenken_Year"] = std::string(year);
  h.view.text["Edit_Panel_Tenken_Month"] = std::string(month);
  h.view.text["Edit_Panel_Tenken_Day"] = std::string(day);
  return TenkenFromEdits(h.s());
}

TEST(InspectionCommands, DateCheckInHeisei24) {
  Harness h(1);
  h.ClickRow(1);
  EXPECT_TRUE(Check(h, "24", "10", "29"));
  EXPECT_EQ(h.s().tenken.Get(TenkenDenp::Year), "2012");
  EXPECT_TRUE(Check(h, "25", "1", "31"));  // next year is allowed
  EXPECT_EQ(h.s().tenken.Get(TenkenDenp::Year), "2013");
  EXPECT_EQ(h.s().tenken.Get(TenkenDenp::Month), " 1");
  EXPECT_TRUE(Check(h, "22", "11", "31"));  // the day is not checked against the month
  EXPECT_FALSE(Check(h, "21", "5", "5"));   // 2009: before the first slip year
  EXPECT_EQ(h.s().tenken.Get(TenkenDenp::Year), "2009");
  EXPECT_FALSE(Check(h, "26", "5", "5"));
  EXPECT_EQ(h.s().tenken.Get(TenkenDenp::Year), "    ");
  EXPECT_FALSE(Check(h, "0", "5", "5"));
  EXPECT_FALSE(Check(h, "24", "13", "5"));
  EXPECT_EQ(h.s().tenken.Get(TenkenDenp::Month), "  ");
  EXPECT_FALSE(Check(h, "24", "12", "32"));
  EXPECT_FALSE(Check(h, "24", "1a", "1"));
  EXPECT_FALSE(Check(h, "24", "", "1"));
  // No customer name: never valid.
  h.ClickRow(2);
  EXPECT_FALSE(Check(h, "24", "10", "29"));
}

TEST(InspectionCommands, DateCheckInReiwa) {
  Harness h(1, {2024, 5, 10});
  h.ClickRow(1);
  // A new slip shows today in the current era.
  EXPECT_EQ(h.view.Text("Edit_Panel_Tenken_Year"), "6");
  EXPECT_TRUE(Check(h, "6", "5", "10"));
  EXPECT_EQ(h.s().tenken.Get(TenkenDenp::Year), "2024");
  EXPECT_TRUE(Check(h, "R7", "1", "1"));
  EXPECT_FALSE(Check(h, "8", "1", "1"));
  EXPECT_TRUE(Check(h, "H31", "4", "30"));
  EXPECT_EQ(h.s().tenken.Get(TenkenDenp::Year), "2019");
  EXPECT_TRUE(Check(h, "h22", "1", "1"));
  EXPECT_FALSE(Check(h, "H21", "12", "31"));
  EXPECT_FALSE(Check(h, "H32", "1", "1"));
}

TEST(InspectionCommands, RegisterForANewCustomerStoresTheCustomerAndTheSlip) {
  Harness h(2);
  // Start-up: the new-customer row, a new slip dated today.
  EXPECT_EQ(h.view.Text("Edit_Panel_Tenken_Year"), "24");
  EXPECT_EQ(h.view.Text("Edit_Panel_Tenken_Day"), "29");
  EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "0");
  EXPECT_EQ(h.s().currentTenkenNo, 1);

  h.view.Type("Edit_Panel_Tenken_Name", "NEWCUST");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "NEWCUST");  // mirrored
  TypeDate(h, "24", "10", "3");
  h.view.Type("Edit_Panel_Tenken_Ph", "7.2");
  h.view.Press(Key::Enter);
  h.view.TypeUtf8("Edit_Panel_Tenken_Bikou", "異常なし");
  h.view.Press(Key::Enter);
  ASSERT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Command");
  EXPECT_EQ(h.view.Frame("Shape_Tenken_Write"), FrameState::Selected);
  h.view.Press(Key::Enter);  // the command field registers

  EXPECT_EQ(h.view.Frame("Shape_Tenken_Write"), FrameState::Plain);
  // Appended, then sorted: without a reading it comes before the others.
  ASSERT_EQ(h.store->KokyakuCount(), 3);
  EXPECT_EQ(h.Stored(1).Trimmed(Kokyaku::Name), "NEWCUST");
  EXPECT_EQ(h.s().loadedRecNo, 1);
  ASSERT_EQ(h.store->TenkenCount(), 1);
  const Record slip = StoredSlip(h, 1);
  EXPECT_FALSE(slip.Deleted());
  EXPECT_EQ(slip.Trimmed(TenkenDenp::KokyakuName), "NEWCUST");
  EXPECT_EQ(slip.Get(TenkenDenp::Year), "2012");
  EXPECT_EQ(slip.Get(TenkenDenp::Month), "10");
  EXPECT_EQ(slip.Get(TenkenDenp::Day), " 3");
  EXPECT_EQ(slip.Get(TenkenDenp::Ph), "7.2");
  EXPECT_EQ(slip.Trimmed(TenkenDenp::Bikou), Sj("異常なし"));
  EXPECT_EQ(FileBytes(h.dir.path() / "TenkenDenp.120").size(), 200u);

  // The history shows it on top; the entry line keeps it, at position 1.
  EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "1");
  EXPECT_EQ(h.view.Text("Label_TenkenDenpChoose_Line"), "1");
  EXPECT_EQ(h.view.Text("Label_Tenken_Day_01"), " 3");
  EXPECT_EQ(h.view.Text("Edit_Panel_Tenken_Day"), " 3");
  EXPECT_EQ(h.s().currentTenkenNo, 1);
  // The customer list shows the new customer, selected.
  EXPECT_EQ(h.RowName(1), "NEWCUST");
  EXPECT_EQ(h.SelectedRow(), 1);
}

TEST(InspectionCommands, RegisterAgainRewritesTheSameSlip) {
  Harness h(1);
  h.ClickRow(1);
  TypeDate(h, "24", "9", "1");
  h.view.Press(Key::F1);
  ASSERT_EQ(h.store->TenkenCount(), 1);
  h.view.Type("Edit_Panel_Tenken_Kanrisya", "SATO");
  h.view.Press(Key::F1);  // the focused field's text is part of the slip
  EXPECT_EQ(h.store->TenkenCount(), 1);
  EXPECT_EQ(StoredSlip(h, 1).Trimmed(TenkenDenp::Kanrisya), "SATO");
  // A new slip then appends.
  h.view.Press(Key::F8);
  EXPECT_EQ(h.view.Text("Label_TenkenDenpChoose_Line"), "2");
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Kanrisya"), "");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->TenkenCount(), 2);
  EXPECT_EQ(h.s().tenkenRireki, (std::vector<int>{2, 1}));
  EXPECT_EQ(StoredSlip(h, 2).Get(TenkenDenp::Day), "29");  // today
}

TEST(InspectionCommands, EnterInTheCommandFieldRegistersEveryTime) {
  Harness h(1);
  h.ClickRow(1);
  h.view.Type("Edit_Panel_Tenken_Bikou", "A");
  h.view.Press(Key::Enter);
  ASSERT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Command");
  h.view.Press(Key::Enter);
  ASSERT_EQ(h.store->TenkenCount(), 1);
  EXPECT_EQ(h.view.Frame("Shape_Tenken_Write"), FrameState::Plain);
  // A new slip, and Enter in the command field registers it too.
  h.view.Press(Key::F8);
  h.view.Focus("Edit_Panel_Tenken_Command");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.store->TenkenCount(), 2);
  EXPECT_EQ(h.view.Frame("Shape_Tenken_Write"), FrameState::Plain);
}

TEST(InspectionCommands, RegisterForADeletedCustomerBringsItBack) {
  Harness h(2);
  h.ClickRow(1);
  h.session->SwitchScreen(Screen::Customer);
  h.view.Press(Key::F2);
  ASSERT_TRUE(h.Stored(1).Deleted());
  h.view.ClickBox("CheckBox_AllDispSW");
  h.ClickRow(1);
  ASSERT_TRUE(h.s().kokyaku.Deleted());
  h.session->SwitchScreen(Screen::Slip);
  h.view.Press(Key::F1);
  ASSERT_EQ(h.store->TenkenCount(), 1);
  EXPECT_EQ(StoredSlip(h, 1).Trimmed(TenkenDenp::KokyakuName), "C0001");
  // The slip's customer is live again, and listed once the deleted ones are hidden.
  EXPECT_FALSE(h.Stored(1).Deleted());
  EXPECT_EQ(h.store->ActiveCount(), 2);
  EXPECT_FALSE(h.session->Notice().empty());
  h.view.ClickBox("CheckBox_AllDispSW");
  EXPECT_EQ(h.RowName(1), "C0001");
  EXPECT_EQ(h.s().loadedRecNo, 1);
  EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "1");
}

TEST(InspectionCommands, RefusedSlipStoresNothingAndFramesTheFieldRed) {
  Harness h(1);
  // No name: neither a customer nor a slip.
  TypeDate(h, "24", "10", "1");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->KokyakuCount(), 1);
  EXPECT_EQ(h.store->TenkenCount(), 0);
  EXPECT_TRUE(h.view.Alerted("Shape_Panel_Tenken_Address"));
  EXPECT_FALSE(h.view.Alerted("Shape_Panel_Tenken_Date"));

  h.ClickRow(1);  // choosing a customer clears the marks
  EXPECT_FALSE(h.view.Alerted("Shape_Panel_Tenken_Address"));
  TypeDate(h, "24", "13", "1");  // the month is blanked on commit
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->TenkenCount(), 0);
  EXPECT_TRUE(h.view.Alerted("Shape_Panel_Tenken_Date"));
  EXPECT_FALSE(h.view.Alerted("Shape_Panel_Tenken_Address"));
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Month"), "");
  // The frame stays red while the user moves about, until the next command.
  h.view.Focus("Edit_Panel_Tenken_Month");
  h.view.Focus("Edit_Panel_Tenken_Gaikan");
  EXPECT_TRUE(h.view.Alerted("Shape_Panel_Tenken_Date"));
  h.view.Type("Edit_Panel_Tenken_Month", "10");
  h.view.Press(Key::F1);
  EXPECT_FALSE(h.view.Alerted("Shape_Panel_Tenken_Date"));
  EXPECT_EQ(h.store->TenkenCount(), 1);
}

TEST(InspectionCommands, DeleteRemovesTheShownSlipAndBeginsANewOne) {
  Harness h(1, {2012, 10, 29}, [](const std::filesystem::path& dir) {
    std::ofstream out(dir / "TenkenDenp.120", std::ios::binary);
    for (int k = 1; k <= 3; ++k) {
      Record r(TenkenDenpLayout());
      r.Set(TenkenDenp::KokyakuName, "C0001");
      r.Set(TenkenDenp::Year, "2012");
      r.Set(TenkenDenp::Month, " 5");
      r.Set(TenkenDenp::Day, std::to_string(k));
      r.Set(TenkenDenp::Ph, "7.0");
      out << r.Pack();
    }
  });
  h.ClickRow(1);
  h.view.Press(Key::F2);  // a new slip: nothing to delete
  EXPECT_EQ(h.s().tenkenRireki.size(), 3u);

  const std::string before = FileBytes(h.dir.path() / "TenkenDenp.120");
  h.view.ClickLabel("Label_Tenken_Day_02");    // record 2
  h.view.Type("Edit_Panel_Tenken_Ph", "9.9");  // typed, then deleted: not stored
  h.view.ClickLabel("Label_Tenken_Delete");
  std::string expected = before;
  expected[200] = '1';
  EXPECT_EQ(FileBytes(h.dir.path() / "TenkenDenp.120"), expected);
  EXPECT_EQ(h.s().tenkenRireki, (std::vector<int>{3, 1}));
  EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "2");
  EXPECT_EQ(h.view.Text("Label_TenkenDenpChoose_Line"), "3");
  EXPECT_EQ(h.s().currentTenkenNo, 4);
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Day"), "29");
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Ph"), "");
  EXPECT_EQ(h.view.Text("Label_Tenken_Day_02"), " 1");
}

TEST(InspectionCommands, AnotherCustomerNeverOverwritesTheFirstOnesSlip) {
  Harness h(2, {2012, 10, 29}, [](const std::filesystem::path& dir) {
    Record r(TenkenDenpLayout());
    r.Set(TenkenDenp::KokyakuName, "C0001");
    r.Set(TenkenDenp::Year, "2012");
    r.Set(TenkenDenp::Month, " 5");
    r.Set(TenkenDenp::Day, " 5");
    std::ofstream(dir / "TenkenDenp.120", std::ios::binary) << r.Pack();
  });
  h.ClickRow(1);
  h.view.ClickLabel("Label_Tenken_Year_01");
  ASSERT_EQ(h.s().currentTenkenNo, 1);
  h.ClickRow(2);
  EXPECT_EQ(h.s().currentTenkenNo, 2);
  h.view.Press(Key::F1);
  EXPECT_EQ(StoredSlip(h, 1).Trimmed(TenkenDenp::KokyakuName), "C0001");
  EXPECT_EQ(StoredSlip(h, 2).Trimmed(TenkenDenp::KokyakuName), "C0002");
}

TEST(InspectionCommands, HeaderShowsAndEditsTheCurrentCustomer) {
  Harness h(0, {2012, 10, 29}, [](const std::filesystem::path& dir) {
    Record c(KokyakuLayout());
    c.Set(Kokyaku::Kana, "ｱ");
    c.Set(Kokyaku::Name, "AOKI");
    c.Set(Kokyaku::Address, "TOKYO");
    c.Set(Kokyaku::Ninsou, "5");
    c.Set(Kokyaku::KindSyorihouhou, "KATA");
    std::ofstream(dir / "Kokyaku.120", std::ios::binary) << c.Pack();
  });
  h.ClickRow(1);
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Name"), "AOKI");
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Address"), "TOKYO");
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Ninsou"), "5");
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_SyoriWay"), "KATA");

  h.view.Type("Edit_Panel_Tenken_SettiPlace", "YARD");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Ninsou");
  EXPECT_EQ(h.s().kokyaku.Trimmed(Kokyaku::SettiAddress), "YARD");
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_SettiAddress"), "YARD");
  EXPECT_EQ(h.view.Trimmed("Edit_Kouji_SekouPlace"), "YARD");
  h.view.Type("Edit_Panel_Tenken_Ninsou", "0");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Kouji_Ninsou"), "");
  // The other way: the customer screen's edit shows here.
  h.session->SwitchScreen(Screen::Customer);
  h.view.Type("Edit_Kokyaku_Name", "AOKI2");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Name"), "AOKI2");
  // F1 on the slip screen stores the edited customer in place.
  h.session->SwitchScreen(Screen::Slip);
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->KokyakuCount(), 1);
  EXPECT_EQ(h.Stored(1).Trimmed(Kokyaku::SettiAddress), "YARD");
  EXPECT_EQ(h.Stored(1).Trimmed(Kokyaku::Name), "AOKI2");
  EXPECT_EQ(StoredSlip(h, 1).Trimmed(TenkenDenp::KokyakuName), "AOKI2");
}

TEST(InspectionCommands, CustomerScreenNewEmptiesTheSlipScreen) {
  Harness h(1, {2012, 10, 29}, [](const std::filesystem::path& dir) {
    Record r(TenkenDenpLayout());
    r.Set(TenkenDenp::KokyakuName, "C0001");
    r.Set(TenkenDenp::Year, "2012");
    std::ofstream(dir / "TenkenDenp.120", std::ios::binary) << r.Pack();
  });
  h.ClickRow(1);
  h.view.ClickLabel("Label_Tenken_Year_01");
  h.session->SwitchScreen(Screen::Customer);
  h.view.Press(Key::F8);
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Name"), "");
  EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "0");
  EXPECT_EQ(TrimBlanks(h.view.Text("Label_Tenken_Year_01")), "");
  EXPECT_EQ(h.s().currentTenkenNo, 2);
  EXPECT_EQ(h.view.Text("Edit_Panel_Tenken_Year"), "24");
  EXPECT_EQ(h.view.Frame("Shape_Tenken_Year_01"), FrameState::Plain);
}

TEST(InspectionCommands, HistoryCaptionLeadsToTheSlipScreen) {
  Harness h(1);
  h.session->SwitchScreen(Screen::Customer);
  h.view.ClickLabel("Label_KokyakuTenkenRireki");
  EXPECT_EQ(h.session->CurrentScreen(), Screen::Slip);
  EXPECT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Address");
}

}  // namespace
}  // namespace tankora::testing

namespace tankora::testing {
namespace {

// After F8 or F2 the next thing typed is the new slip's date, wherever the
// command was given from; the command field would swallow it.
TEST(InspectionCommands, NewAndDeleteLeaveTheCaretInTheVisitYear) {
  Harness h(1);
  h.ClickRow(1);
  h.view.Focus("Edit_Panel_Tenken_Command");
  h.view.Press(Key::F8);
  EXPECT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Year");

  TypeDate(h, "24", "10", "3");
  h.view.Focus("Edit_Panel_Tenken_Command");
  h.view.Press(Key::Enter);
  ASSERT_EQ(h.store->TenkenCount(), 1);
  EXPECT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Command");  // a second Enter re-stores, no more

  h.view.Press(Key::F2);
  EXPECT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Year");
}

}  // namespace
}  // namespace tankora::testing
