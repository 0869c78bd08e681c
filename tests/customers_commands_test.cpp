// F1 登録, F2 削除, F8 追加, the deleted-customer switch, the 2000 limit,
// the store for the slip screen and the customer shown in the edits.
#include <gtest/gtest.h>

#include <fstream>

#include "customers/customer_screen.h"
#include "fake_view.h"

namespace tankora::testing {
namespace {

void TypeCustomer(Harness& h, std::string_view kanaUtf8, std::string_view name) {
  h.session->SwitchScreen(Screen::Customer);
  h.view.TypeUtf8("Edit_Kokyaku_Kana", kanaUtf8);
  h.view.Press(Key::Enter);
  h.view.Type("Edit_Kokyaku_Name", name);
  h.view.Press(Key::Enter);
}

TEST(CustomersCommands, StoreANewCustomerAppendsSortsAndEmptiesTheScreen) {
  Harness h(0);
  TypeCustomer(h, "ｲ", "Ii");
  h.view.Press(Key::F1);
  TypeCustomer(h, "ｱ", "Aa");
  h.view.Press(Key::F1);
  TypeCustomer(h, "", "Blank");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->KokyakuCount(), 3);
  EXPECT_EQ(h.view.Text("Label_KokyakuDs"), "3");
  EXPECT_EQ(h.RowName(1), "Blank");
  EXPECT_EQ(h.RowName(2), "Aa");
  EXPECT_EQ(h.RowName(3), "Ii");
  EXPECT_EQ(h.RowKana(2), Sj("ｱ"));
  EXPECT_EQ(h.SelectedRow(), 4);
  EXPECT_EQ(h.view.Text("Label_KokyakuChoose_Line"), "4");
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "");
  EXPECT_EQ(h.s().loadedRecNo, 0);
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Kana");
}

TEST(CustomersCommands, StoreAStoredCustomerRewritesItInPlace) {
  Harness h(5);
  h.session->SwitchScreen(Screen::Customer);
  h.ClickRow(3);
  h.view.Type("Edit_Kokyaku_Tel", "0123");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->KokyakuCount(), 5);
  EXPECT_EQ(h.store->ActiveCount(), 5);
  EXPECT_EQ(h.Stored(3).Trimmed(Kokyaku::Tel), "0123");
  EXPECT_EQ(h.Stored(3).Trimmed(Kokyaku::Name), "C0003");
}

TEST(CustomersCommands, BlankOrIndentedNameStoresNothing) {
  Harness h(1);
  h.session->SwitchScreen(Screen::Customer);
  h.view.Type("Edit_Kokyaku_Tel", "99");
  h.view.Press(Key::F1);
  h.view.Type("Edit_Kokyaku_Name", "  Indented");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->KokyakuCount(), 1);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Tel"), "99");  // the screen is left as it was
  // ... and says why, or the refusal looks like a store.
  EXPECT_NE(h.session->Notice().find("名前"), std::string::npos);
  h.view.Press(Key::F8);  // the typing is named once, then F8 empties the screen
  EXPECT_NE(h.session->Notice().find("顧客の変更が登録されていません"), std::string::npos);
  h.view.Press(Key::F8);
  EXPECT_TRUE(h.session->Notice().empty());
}

TEST(CustomersCommands, StoreAfterPagingStoresTheLoadedCustomer) {
  Harness h(60);
  h.view.ClickLabel("Label_KokyakuBeforePage");  // slots 11..35
  h.ClickRow(5);                                 // C0016
  ASSERT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "C0016");
  h.view.ClickLabel("Label_KokyakuBeforePage");  // slots 0..24: row 5 is C0005 now
  h.session->SwitchScreen(Screen::Customer);
  h.view.Type("Edit_Kokyaku_Tel", "555");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.Stored(16).Trimmed(Kokyaku::Tel), "555");
  EXPECT_EQ(h.Stored(5).Trimmed(Kokyaku::Tel), "");
  EXPECT_EQ(h.Stored(5).Trimmed(Kokyaku::Name), "C0005");
  EXPECT_EQ(h.store->KokyakuCount(), 60);
}

TEST(CustomersCommands, DeleteAfterPagingDeletesTheLoadedCustomer) {
  Harness h(60);
  h.ClickRow(1);  // C0037 on the last page
  h.view.ClickLabel("Label_KokyakuBeforePage");
  h.view.ClickLabel("Label_KokyakuDelete");
  EXPECT_TRUE(h.Stored(37).Deleted());
  EXPECT_FALSE(h.Stored(12).Deleted());
  EXPECT_EQ(h.store->ActiveCount(), 59);
  EXPECT_EQ(h.view.Text("Label_KokyakuDs"), "59");
}

TEST(CustomersCommands, DeleteMarksTheRecordAndItLeavesTheList) {
  Harness h(3);
  h.session->SwitchScreen(Screen::Customer);
  h.view.Press(Key::F2);  // the new-customer row: nothing
  EXPECT_EQ(h.store->ActiveCount(), 3);
  h.ClickRow(2);
  h.view.Type("Edit_Kokyaku_Tel", "kept");
  h.view.Press(Key::F2);
  const Record r = h.Stored(2);
  EXPECT_TRUE(r.Deleted());
  EXPECT_EQ(r.Trimmed(Kokyaku::Tel), "kept");  // deleted with its typed values
  EXPECT_EQ(h.RowName(2), "C0003");
  EXPECT_EQ(h.SelectedRow(), 3);
}

TEST(CustomersCommands, DeletingTheOnlyCustomerEmptiesTheListAtOnce) {
  Harness h(1);
  h.ClickRow(1);
  h.session->SwitchScreen(Screen::Customer);
  h.view.Press(Key::F2);
  EXPECT_EQ(h.store->ActiveCount(), 0);
  EXPECT_EQ(h.RowName(1), "");
  EXPECT_EQ(h.view.Text("Label_KokyakuDs"), "0");
}

TEST(CustomersCommands, DeletedCustomersCanBeShownAndRestored) {
  Harness h(3);
  h.ClickRow(2);
  h.session->SwitchScreen(Screen::Customer);
  h.view.Press(Key::F2);
  ASSERT_EQ(h.RowName(2), "C0003");

  h.view.ClickBox("CheckBox_AllDispSW");
  EXPECT_EQ(h.view.Text("Label_KokyakuDs"), "3");
  EXPECT_EQ(h.view.Text("Label_Kokyaku_Name_02").substr(0, 2), Sj("削"));
  EXPECT_EQ(h.view.rowStyle[1], RowStyle::Deleted);
  EXPECT_EQ(h.view.rowStyle[0], RowStyle::Normal);
  EXPECT_EQ(h.SelectedRow(), 4);

  h.ClickRow(2);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "C0002");
  EXPECT_FALSE(h.session->Notice().empty());
  h.session->SwitchScreen(Screen::Customer);
  h.view.Press(Key::F2);  // already deleted: nothing
  h.view.Press(Key::F1);  // restores it
  EXPECT_FALSE(h.Stored(2).Deleted());
  EXPECT_EQ(h.store->ActiveCount(), 3);
  EXPECT_EQ(h.view.rowStyle[1], RowStyle::Normal);

  h.view.ClickBox("CheckBox_AllDispSW");
  EXPECT_EQ(h.RowName(2), "C0002");
}

// The sort leaves deleted records where they are in the file; listed, they
// still take their place by their reading, ties by record number.
TEST(CustomersCommands, DeletedCustomersAreListedInReadingOrder) {
  Harness h(0, SeedFile("Kokyaku.120", {CustomerImage("C", "Cho"), CustomerImage("B", "Bo", true),
                                        CustomerImage("D", "Do"), CustomerImage("A", "Ao", true),
                                        CustomerImage("B", "Bi"), CustomerImage("E", "Eo", true),
                                        CustomerImage("A", "Aa")}));
  h.ClickRow(1);
  h.session->SwitchScreen(Screen::Customer);
  h.view.Press(Key::F1);  // sorts the live ones: Aa Bi Cho Do
  h.view.ClickBox("CheckBox_AllDispSW");
  std::vector<std::string> names;
  for (int row = 1; row <= 7; ++row) names.push_back(h.RowName(row));
  const std::string del = Sj("削");
  EXPECT_EQ(names, (std::vector<std::string>{"Aa", del + "Ao", del + "Bo", "Bi", "Cho", "Do",
                                             del + "Eo"}));
  // Choosing a row still loads that row's record.
  h.ClickRow(3);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "Bo");
  EXPECT_EQ(h.view.Text("Label_KokyakuChoose_Line"), "3");
  // Found by name while listed: a deleted one too, even with no live namesake.
  EXPECT_EQ(KokyakuLocate(h.s(), "Eo"), 6);
  EXPECT_EQ(KokyakuLocate(h.s(), "Bo"), 2);
}

TEST(CustomersCommands, HidingDeletedOnesWhileOneIsShownStartsANewCustomer) {
  Harness h(2);
  h.ClickRow(1);
  h.session->SwitchScreen(Screen::Customer);
  h.view.Press(Key::F2);
  h.view.ClickBox("CheckBox_AllDispSW");
  h.ClickRow(1);
  ASSERT_EQ(h.s().loadedRecNo, 1);
  h.view.ClickBox("CheckBox_AllDispSW");
  EXPECT_EQ(h.s().loadedRecNo, 0);
  EXPECT_EQ(h.SelectedRow(), 2);
  EXPECT_EQ(h.RowName(1), "C0002");
}

TEST(CustomersCommands, TheTwoThousandthCustomerIsTheLast) {
  Harness h(Store::kMaxActive);
  TypeCustomer(h, "ｱ", "OneTooMany");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->KokyakuCount(), Store::kMaxActive);
  EXPECT_NE(h.session->Notice().find("2000"), std::string::npos);
  EXPECT_FALSE(h.view.Text(kNoticeLabel).empty());
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "OneTooMany");  // nothing lost on screen

  // Restoring a deleted customer beyond the limit is refused the same way.
  h.s().kokyakuPageTop = 0;
  KokyakuListShow(h.s());
  // The refused customer is still typing no command stored: the first
  // click says so, the second leaves it.
  h.ClickRow(1);
  ASSERT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Name), "OneTooMany");
  EXPECT_EQ(h.session->Notice(),
            "顧客の変更が登録されていません。F1 登録で保存できます。もう一度選ぶと、登録せずに移ります。");
  h.ClickRow(1);
  ASSERT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Name), "C0001");
  h.session->SwitchScreen(Screen::Customer);
  h.view.Press(Key::F2);
  ASSERT_EQ(h.store->ActiveCount(), Store::kMaxActive - 1);
  TypeCustomer(h, "ｱ", "Fits");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->ActiveCount(), Store::kMaxActive);
  EXPECT_TRUE(h.session->Notice().empty());
  h.view.ClickBox("CheckBox_AllDispSW");
  h.s().kokyakuPageTop = 0;  // record 1, the deleted C0001, heads the full list
  KokyakuRowSelect(h.s(), 0);
  ASSERT_TRUE(h.s().kokyaku.Deleted());
  ASSERT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Name), "C0001");
  h.view.Press(Key::F1);
  EXPECT_TRUE(h.s().kokyaku.Deleted());
  EXPECT_NE(h.session->Notice().find("2000"), std::string::npos);
}

TEST(CustomersCommands, AFailedSortIsToldButTheCustomerIsStored) {
  Harness h(3);
  Store::SetFaultHook([](std::string_view point) { return point != "sort:before-rename"; });
  TypeCustomer(h, "", "First");  // a blank reading moves it to the front
  h.view.Press(Key::F1);
  Store::SetFaultHook({});
  EXPECT_EQ(h.store->KokyakuCount(), 4);
  EXPECT_EQ(h.Stored(4).Trimmed(Kokyaku::Name), "First");
  EXPECT_FALSE(h.session->Notice().empty());
  EXPECT_EQ(h.view.Text("Label_KokyakuDs"), "4");  // listed in file order
}

TEST(CustomersCommands, ACommandStartedInsideAnotherIsIgnored) {
  Harness h(1);
  int nested = 0;
  h.s().seams.customerCleared = [&](Session& s) {
    ++nested;
    EXPECT_FALSE(s.FieldKeyDown(h.view.Focused(), Key::F1));
    s.LabelClick("Label_KokyakuNew");
  };
  TypeCustomer(h, "", "Again");
  h.view.Press(Key::F1);
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(h.store->KokyakuCount(), 2);
}

TEST(CustomersCommands, NewEmptiesTheScreenAndHidesTheMonthPanel) {
  Harness h(25);
  h.ClickRow(3);
  h.session->SwitchScreen(Screen::Customer);
  h.view.ClickLabel("Label_KokyakuTenkenSyuukinInfo_1");
  h.view.Press(Key::F8);
  EXPECT_FALSE(h.view.visible["Panel_KensinSyuukinMonth"]);
  EXPECT_EQ(h.RowName(1), "C0002");
  EXPECT_EQ(h.RowName(24), "C0025");
  EXPECT_EQ(h.SelectedRow(), 25);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "");
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Kana");
}

TEST(CustomersCommands, StoreCurrentKeepsTheCustomerLoadedAndSelected) {
  Harness h(30);
  h.ClickRow(25);  // the new-customer row
  h.session->SwitchScreen(Screen::Customer);
  TypeCustomer(h, "", "AAA New");  // a blank reading sorts first
  ASSERT_TRUE(KokyakuStoreCurrent(h.s()).ok());
  EXPECT_EQ(h.store->ActiveCount(), 31);
  EXPECT_EQ(h.s().currentSlot, 0);
  EXPECT_EQ(h.RowName(1), "AAA New");
  EXPECT_EQ(h.SelectedRow(), 1);
  EXPECT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Name), "AAA New");
  const int n = h.s().loadedRecNo;
  EXPECT_EQ(h.Stored(n).Trimmed(Kokyaku::Name), "AAA New");

  // Storing again rewrites the same record, no second copy.
  h.view.Type("Edit_Kokyaku_Tel", "42");
  h.view.Press(Key::Enter);
  ASSERT_TRUE(KokyakuStoreCurrent(h.s()).ok());
  EXPECT_EQ(h.store->KokyakuCount(), 31);
  EXPECT_EQ(h.Stored(h.s().loadedRecNo).Trimmed(Kokyaku::Tel), "42");
}

TEST(CustomersCommands, ShowPutsYearsInTheirEraAndTheMonthPlan) {
  Record r(KokyakuLayout());
  r.Set(Kokyaku::Name, "Dated");
  r.Set(Kokyaku::StartYear, "2010");
  r.Set(Kokyaku::EndYear, "1985");
  r.Set(Kokyaku::Ninsou, "5");
  r.Set(Kokyaku::TenkenMonths, "1  1  1  1  ");
  r.Set(Kokyaku::SyuukinMonths, "1           ");
  r.Set(Kokyaku::Syukinngaku01, "3000");
  r.Set(Kokyaku::Syukinngaku07, "1,500");
  r.Set(Kokyaku::Sinyou, "1");
  r.Set(Kokyaku::Gappei, "1");
  const Seeder seed = SeedFile("Kokyaku.120", {Image(r)});
  {
    Harness h(0, Date{2012, 10, 29}, seed);
    h.ClickRow(1);
    const std::pair<const char*, const char*> texts[] = {
        {"Edit_Kokyaku_StartYear", "22"},     {"Edit_Kokyaku_EndYear", "S60"},
        {"Edit_Kokyaku_UseStartYear", "  "},  {"Edit_Kokyaku_Basic_Ninsou", "  5"},
        {"Edit_Kokyaku_Kouji_Ninsou", "  5"}, {"Label_TenkenKaisuu", "4"},
        {"Label_SyuukinKaisuu", "1"},         {"Label_SyuukinnTotal", "4500"}};
    for (const auto& [control, shown] : texts) EXPECT_EQ(h.view.Text(control), shown) << control;
    const std::pair<const char*, bool> boxes[] = {
        {"CheckBox_Tenken_01", true},     {"CheckBox_Tenken_10", true},
        {"CheckBox_Tenken_02", false},    {"CheckBoxGappei", true},
        {"CheckBox_Tandoku", false},      {"RadioButton_SinyouHaisui", true},
        {"RadioButton_SinyouOnly", false}};
    for (const auto& [box, on] : boxes) EXPECT_EQ(h.view.Checked(box), on) << box;
  }
  {
    Harness h(0, Date{2026, 12, 7}, seed);
    h.ClickRow(1);
    EXPECT_EQ(h.view.Text("Edit_Kokyaku_StartYear"), "H22");
  }
}

// A month is planned when its byte is not a blank, whatever byte another
// program marked it with: the boxes and their counter agree, and a box ticked
// here writes "1" beside the foreign marks, which it leaves as they are.
TEST(CustomersCommands, ForeignMonthBytesReadAlikeInBoxesAndCounters) {
  struct Case {
    const char* tenken;   // TenkenMonths on disk
    const char* syuukin;  // SyuukinMonths on disk
    const char* boxes;    // inspection boxes shown, "x" = checked
    const char* counts;   // Label_TenkenKaisuu / Label_SyuukinKaisuu
  };
  const Case cases[] = {
      {"X1          ", "            ", "xx..........", "2/0"},
      {"1  1  1  1  ", "*          *", "x..x..x..x..", "4/2"},
      {"            ", "111111111111", "............", "0/12"},
      {"0   a      ~", "\\           ", "x...x......x", "3/1"},
  };
  for (const Case& c : cases) {
    Record r(KokyakuLayout());
    r.Set(Kokyaku::Name, "Months");
    r.Set(Kokyaku::TenkenMonths, c.tenken);
    r.Set(Kokyaku::SyuukinMonths, c.syuukin);
    Harness h(0, Date{2012, 10, 29}, SeedFile("Kokyaku.120", {Image(r)}));
    h.session->SwitchScreen(Screen::Customer);
    h.ClickRow(1);
    std::string boxes;
    for (int m = 1; m <= 12; ++m) {
      char box[32];
      std::snprintf(box, sizeof box, "CheckBox_Tenken_%02d", m);
      boxes += h.view.Checked(box) ? 'x' : '.';
    }
    EXPECT_EQ(boxes, c.boxes) << c.tenken;
    EXPECT_EQ(h.view.Text("Label_TenkenKaisuu") + "/" + h.view.Text("Label_SyuukinKaisuu"),
              c.counts)
        << c.tenken;
  }

  Record r(KokyakuLayout());
  r.Set(Kokyaku::Name, "Months");
  r.Set(Kokyaku::TenkenMonths, "X1");
  Harness h(0, Date{2012, 10, 29}, SeedFile("Kokyaku.120", {Image(r)}));
  h.session->SwitchScreen(Screen::Customer);
  h.ClickRow(1);
  h.view.ClickLabel("Label_KokyakuTenkenSyuukinInfo_1");
  h.view.ClickBox("CheckBox_Tenken_03");
  EXPECT_EQ(h.view.Text("Label_TenkenKaisuu"), "3");
  h.view.ClickBox("CheckBox_Tenken_02");
  EXPECT_EQ(h.view.Text("Label_TenkenKaisuu"), "2");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.Stored(1).Get(Kokyaku::TenkenMonths), "X 1         ");
}

}  // namespace
}  // namespace tankora::testing
