// The customer list: paging, the new-customer row, row selection and locate.
#include <gtest/gtest.h>

#include "customers/customer_screen.h"
#include "fake_view.h"

namespace tankora::testing {
namespace {

// The first slot shown (0-based).
int TopSlot(Harness& h) { return h.s().kokyakuPageTop; }

TEST(CustomersList, NoCustomersOnlyTheNewCustomerRow) {
  Harness h(0);
  EXPECT_EQ(h.SelectedRow(), 1);
  for (int r = 1; r <= 25; ++r) EXPECT_EQ(h.RowName(r), "");
  h.view.ClickLabel("Label_KokyakuNextPage");
  h.view.ClickLabel("Label_KokyakuBeforePage");
  EXPECT_EQ(TopSlot(h), 0);
  EXPECT_EQ(h.SelectedRow(), 1);
}

TEST(CustomersList, TwentyFourCustomersFillOnePage) {
  Harness h(24);
  EXPECT_EQ(h.RowName(1), "C0001");
  EXPECT_EQ(h.RowName(24), "C0024");
  EXPECT_EQ(h.RowName(25), "");
  EXPECT_EQ(h.SelectedRow(), 25);
  EXPECT_EQ(h.view.Text("Label_KokyakuChoose_Line"), "25");
  h.view.ClickLabel("Label_KokyakuBeforePage");
  EXPECT_EQ(TopSlot(h), 0);
  h.view.ClickLabel("Label_KokyakuNextPage");
  EXPECT_EQ(TopSlot(h), 0);
}

TEST(CustomersList, TwentyFiveCustomersPageByOne) {
  Harness h(25);
  EXPECT_EQ(TopSlot(h), 1);
  EXPECT_EQ(h.RowName(1), "C0002");
  EXPECT_EQ(h.RowName(25), "");
  EXPECT_EQ(h.SelectedRow(), 25);
  h.view.ClickLabel("Label_KokyakuBeforePage");
  EXPECT_EQ(TopSlot(h), 0);
  EXPECT_EQ(h.RowName(1), "C0001");
  EXPECT_EQ(h.SelectedRow(), 0);  // the new-customer row is off this page
  h.view.ClickLabel("Label_KokyakuNextPage");
  EXPECT_EQ(TopSlot(h), 1);
  EXPECT_EQ(h.SelectedRow(), 25);
}

TEST(CustomersList, SixtyCustomersPageBackAndForward) {
  Harness h(60);
  h.session->SwitchScreen(Screen::Customer);
  EXPECT_EQ(TopSlot(h), 36);
  EXPECT_EQ(h.view.Text("Label_KokyakuDs"), "60");
  EXPECT_EQ(h.view.Text("Label_KokyakuChoose_Line"), "61");
  h.view.ClickLabel("Label_KokyakuBeforePage");
  EXPECT_EQ(TopSlot(h), 11);
  EXPECT_EQ(h.RowName(1), "C0012");
  h.view.Press(Key::F5);  // the key pages as the label does
  EXPECT_EQ(TopSlot(h), 0);
  h.view.Press(Key::F5);
  EXPECT_EQ(TopSlot(h), 0);
  h.view.Press(Key::F6);
  EXPECT_EQ(TopSlot(h), 25);
  EXPECT_EQ(h.RowName(1), "C0026");
  h.view.ClickLabel("Label_KokyakuNextPage");
  EXPECT_EQ(TopSlot(h), 36);
  EXPECT_EQ(h.RowName(24), "C0060");
  h.view.ClickLabel("Label_KokyakuNextPage");
  EXPECT_EQ(TopSlot(h), 36);
}

// The list and its "F5 前頁" / "F6 次頁" legends show on the customer and
// slip screens: there the keys page it as the legends do. The ledger's F5/F6
// are its own entry paging and leave the list where it is.
TEST(CustomersList, ListKeysPageWhereTheyAreTheListsOwn) {
  struct Case {
    Screen screen;
    int afterF5, afterF6;
  };
  for (const Case& c : {Case{Screen::Customer, 11, 36}, Case{Screen::Slip, 11, 36},
                        Case{Screen::Ledger, 36, 36}}) {
    SCOPED_TRACE(static_cast<int>(c.screen));
    Harness h(60);
    h.session->SwitchScreen(c.screen);
    h.view.Press(Key::F5);
    EXPECT_EQ(TopSlot(h), c.afterF5);
    h.view.Press(Key::F6);
    EXPECT_EQ(TopSlot(h), c.afterF6);
  }
}

TEST(CustomersList, ThirtyCustomersStartOnTheLastPage) {
  Harness h(30);
  EXPECT_EQ(h.RowName(1), "C0007");
  EXPECT_EQ(h.RowName(24), "C0030");
  EXPECT_EQ(h.SelectedRow(), 25);
  EXPECT_EQ(h.view.Text("Label_KokyakuChoose_Line"), "31");
}

TEST(CustomersList, RowSelectionLoadsTheCustomerAndReselectOnlyTellsTheLedger) {
  Harness h(3);
  int reselected = 0, selected = 0;
  h.s().seams.rowReselected = [&](Session&) { ++reselected; };
  h.s().seams.customerSelected = [&](Session&) { ++selected; };
  h.session->SwitchScreen(Screen::Customer);

  h.ClickRow(2, /*nameLabel=*/false);
  EXPECT_EQ(h.SelectedRow(), 2);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "C0002");
  EXPECT_EQ(h.view.Text("Label_KokyakuChoose_Line"), "2");
  EXPECT_EQ(h.s().loadedRecNo, 2);
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Kana");
  EXPECT_EQ(selected, 1);

  // Clicking the selected row again does not reload: a change stays.
  h.view.Type("Edit_Kokyaku_Name", "Changed");
  h.ClickRow(2);
  EXPECT_EQ(reselected, 1);
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(h.view.Text("Edit_Kokyaku_Name"), "Changed");

  // Below the new-customer row: nothing is selected.
  h.ClickRow(10);
  EXPECT_EQ(h.SelectedRow(), 2);
  EXPECT_EQ(reselected, 2);

  // The edit being typed in is committed into the customer it belongs to,
  // not into the one loaded by the click: the first click says it is not
  // stored and stays, the second goes.
  h.ClickRow(1);
  EXPECT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Name), "Changed");
  EXPECT_EQ(h.SelectedRow(), 2);
  EXPECT_NE(h.session->Notice().find("顧客の変更が登録されていません"), std::string::npos);
  h.ClickRow(1);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "C0001");
  EXPECT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Name), "C0001");
  EXPECT_EQ(h.Stored(2).Trimmed(Kokyaku::Name), "C0002");

  // The new-customer row empties the edits.
  h.ClickRow(4);
  EXPECT_EQ(h.s().loadedRecNo, 0);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "");
}

TEST(CustomersList, RowSelectionFocusesTheScreenInFront) {
  Harness h(3);
  h.ClickRow(1);
  EXPECT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Year");
  h.session->SwitchScreen(Screen::Ledger);
  h.ClickRow(2);
  EXPECT_EQ(h.view.Focused(), "Edit_Kouji_Name");
}

TEST(CustomersList, ListDrawingLeavesTheWorkingRecordAlone) {
  Harness h(40);
  h.ClickRow(3);
  const std::string before(h.s().kokyaku.Bytes());
  h.view.ClickLabel("Label_KokyakuBeforePage");
  h.view.ClickLabel("Label_KokyakuNextPage");
  EXPECT_EQ(std::string(h.s().kokyaku.Bytes()), before);
}

TEST(CustomersList, LocateShowsTheCustomerInTheLastRowOrOnTheFirstPage) {
  Harness h(60);
  EXPECT_EQ(KokyakuLocate(h.s(), "C0030"), 29);
  EXPECT_EQ(TopSlot(h), 5);
  EXPECT_EQ(h.SelectedRow(), 25);
  EXPECT_EQ(h.RowName(25), "C0030");
  EXPECT_EQ(h.s().loadedRecNo, 30);

  EXPECT_EQ(KokyakuLocate(h.s(), "C0010"), 9);
  EXPECT_EQ(TopSlot(h), 0);
  EXPECT_EQ(h.SelectedRow(), 10);

  EXPECT_EQ(KokyakuLocate(h.s(), "Nobody"), -1);
  EXPECT_EQ(TopSlot(h), 0);
  EXPECT_EQ(h.s().loadedRecNo, 10);  // the loaded customer stays the current one
}

}  // namespace
}  // namespace tankora::testing
