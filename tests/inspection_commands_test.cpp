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

// A date typed into the three edits, whether the check passes, and (when
// given) the year and month it leaves in the slip.
struct DateCase {
  const char *year, *month, *day;
  bool ok;
  const char* storedYear = nullptr;
  const char* storedMonth = nullptr;
};

void ExpectDates(Harness& h, std::initializer_list<DateCase> cases) {
  for (const DateCase& c : cases) {
    const std::string typed = std::string(c.year) + "/" + c.month + "/" + c.day;
    EXPECT_EQ(Check(h, c.year, c.month, c.day), c.ok) << typed;
    if (c.storedYear) {
      EXPECT_EQ(h.s().tenken.Get(TenkenDenp::Year), c.storedYear) << typed;
    }
    if (c.storedMonth) {
      EXPECT_EQ(h.s().tenken.Get(TenkenDenp::Month), c.storedMonth) << typed;
    }
  }
}

// A slip of customer `name` dated 2012-`month`-`day`.
std::string SlipImage(std::string_view name, std::string_view month = "", std::string_view day = "",
                      std::string_view ph = "") {
  Record r(TenkenDenpLayout());
  r.Set(TenkenDenp::KokyakuName, name);
  r.Set(TenkenDenp::Year, "2012");
  r.Set(TenkenDenp::Month, month);
  r.Set(TenkenDenp::Day, day);
  r.Set(TenkenDenp::Ph, ph);
  return Image(r);
}

TEST(InspectionCommands, DateCheckInHeisei24) {
  Harness h(1);
  h.ClickRow(1);
  ExpectDates(h, {
                     {"24", "10", "29", true, "2012"},
                     {"25", "1", "31", true, "2013", " 1"},  // next year is allowed
                     // A day its month does not have: no such visit took place.
                     {"22", "11", "31", false},
                     {"24", "2", "30", false},
                     {"23", "2", "29", false},
                     {"24", "2", "29", true},  // 2012 is a leap year
                     {"24", "12", "31", true},
                     {"21", "5", "5", false, "2009"},  // before the first slip year
                     {"26", "5", "5", false, "    "},
                     {"0", "5", "5", false},
                     {"24", "13", "5", false, nullptr, "  "},
                     {"24", "12", "32", false},
                     {"24", "1a", "1", false},
                     {"24", "", "1", false},
                 });
  // No customer name: never valid.
  h.ClickRow(2);
  EXPECT_FALSE(Check(h, "24", "10", "29"));
}

TEST(InspectionCommands, DateCheckInReiwa) {
  Harness h(1, {2024, 5, 10});
  h.ClickRow(1);
  // A new slip shows today in the current era.
  EXPECT_EQ(h.view.Text("Edit_Panel_Tenken_Year"), "6");
  ExpectDates(h, {
                     {"6", "5", "10", true, "2024"},
                     {"R7", "1", "1", true},
                     {"8", "1", "1", false},
                     {"H31", "4", "30", true, "2019"},
                     {"h22", "1", "1", true},
                     {"H21", "12", "31", false},
                     {"H32", "1", "1", false},
                 });
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
  TypeDate(h, "24", "", "1");  // a date without its month
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
  Harness h(1, SeedFile("TenkenDenp.120",
                        {SlipImage("C0001", " 5", "1", "7.0"), SlipImage("C0001", " 5", "2", "7.0"),
                         SlipImage("C0001", " 5", "3", "7.0")}));
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
  Harness h(2, SeedFile("TenkenDenp.120", {SlipImage("C0001", " 5", " 5")}));
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
  Record c(KokyakuLayout());
  const std::pair<int, const char*> fields[] = {{Kokyaku::Name, "AOKI"},
                                                {Kokyaku::Address, "TOKYO"},
                                                {Kokyaku::Ninsou, "5"},
                                                {Kokyaku::KindSyorihouhou, "KATA"}};
  for (const auto& [field, value] : fields) c.Set(field, value);
  c.Set(Kokyaku::Kana, "ｱ");
  Harness h(0, SeedFile("Kokyaku.120", {Image(c)}));
  h.ClickRow(1);
  const char* shown[] = {"Edit_Panel_Tenken_Name", "Edit_Panel_Tenken_Address",
                         "Edit_Panel_Tenken_Ninsou", "Edit_Panel_Tenken_SyoriWay"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(h.view.Trimmed(shown[i]), fields[i].second) << shown[i];

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
  Harness h(1, SeedFile("TenkenDenp.120", {SlipImage("C0001")}));
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
