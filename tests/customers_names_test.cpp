// One live customer per 20-byte name: slips and ledger entries find their
// customer by it, so a second customer of a name would take the first one's
// slips. Every screen that stores a customer keeps to it.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "fake_view.h"

namespace tankora::testing {
namespace {

// Live C0001 and C0002, then a deleted C0003 and a deleted second C0002.
Seeder Office() {
  return SeedFile("Kokyaku.120", {CustomerImage("0001", "C0001"), CustomerImage("0002", "C0002"),
                                  CustomerImage("0003", "C0003", /*deleted=*/true),
                                  CustomerImage("0004", "C0002", /*deleted=*/true)});
}

std::map<std::string, int> LiveNames(Harness& h) {
  std::map<std::string, int> names;
  for (int n = 1; n <= h.store->KokyakuCount(); ++n) {
    const Record r = h.Stored(n);
    if (!r.Deleted()) ++names[r.Trimmed(Kokyaku::Name)];
  }
  return names;
}

void Enter(Harness& h, std::string_view control, std::string_view text) {
  h.view.Type(control, text);
  h.view.Press(Key::Enter);
}

// Shows the deleted customers and selects the one of record `n` (file order).
void SelectDeleted(Harness& h, int n) {
  h.session->SwitchScreen(Screen::Customer);
  h.view.ClickBox("CheckBox_AllDispSW");
  h.ClickRow(n);
  ASSERT_TRUE(h.s().kokyaku.Deleted());
}

struct NameCase {
  const char* what;
  std::function<void(Harness&)> act;
  std::map<std::string, int> live;  // live customers by name afterwards
  int slips;                        // slips stored, each then C0002's and C0002 current
  bool noticeNamesC0002;
};

TEST(CustomerNames, NoScreenStoresASecondLiveCustomerOfAName) {
  const NameCase cases[] = {
      {"customer F1 of a new customer named like a live one",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         Enter(h, "Edit_Kokyaku_Name", "C0002");
         Enter(h, "Edit_Kokyaku_Tel", "99");
         h.view.Press(Key::F1);
         // Refused: the screen keeps what was typed.
         EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Tel"), "99");
       },
       {{"C0001", 1}, {"C0002", 1}},
       0,
       true},
      {"customer F1 renaming a stored customer to a live one's name",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.ClickRow(1);
         Enter(h, "Edit_Kokyaku_Name", "C0002");
         h.view.Press(Key::F1);
       },
       {{"C0001", 1}, {"C0002", 1}},
       0,
       true},
      {"customer F1 on a deleted customer whose name nobody holds: brought back",
       [](Harness& h) {
         SelectDeleted(h, 3);
         h.view.Press(Key::F1);
       },
       {{"C0001", 1}, {"C0002", 1}, {"C0003", 1}},
       0,
       false},
      {"customer F1 on a deleted customer whose name a live one holds",
       [](Harness& h) {
         SelectDeleted(h, 4);
         h.view.Press(Key::F1);
         EXPECT_TRUE(h.Stored(4).Deleted());
       },
       {{"C0001", 1}, {"C0002", 1}},
       0,
       true},
      {"slip F1 for a new customer named like a live one: the slip goes to it",
       [](Harness& h) {
         Enter(h, "Edit_Panel_Tenken_Name", "C0002");
         Enter(h, "Edit_Panel_Tenken_Ph", "7.1");
         h.view.Press(Key::F1);
         EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "1");
         EXPECT_EQ(h.view.Text("Label_Tenken_Ph_01"), "7.1");
       },
       {{"C0001", 1}, {"C0002", 1}},
       1,
       true},
      {"slip F1 for a deleted customer whose name a live one holds",
       [](Harness& h) {
         SelectDeleted(h, 4);
         h.session->SwitchScreen(Screen::Slip);
         h.view.Press(Key::F1);
         EXPECT_TRUE(h.Stored(4).Deleted());
       },
       {{"C0001", 1}, {"C0002", 1}},
       1,
       true},
      {"slip F1 renaming a stored customer to a live one's name: nothing stored",
       [](Harness& h) {
         h.ClickRow(1);
         Enter(h, "Edit_Panel_Tenken_Name", "C0002");
         h.view.Press(Key::F1);
         EXPECT_TRUE(h.view.Alerted("Shape_Panel_Tenken_Address"));
       },
       {{"C0001", 1}, {"C0002", 1}},
       0,
       true},
      {"ledger F8, a live customer's name, F1, then slip F1",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Press(Key::F8);
         Enter(h, "Edit_Kouji_Name", "C0002");
         Enter(h, "Edit_Kouji_Address", "Kita 1");
         h.view.Press(Key::F1);
         EXPECT_EQ(h.store->KoujiCount(), 1);
         EXPECT_EQ(h.view.Trimmed("Edit_Kouji_Address"), "Kita 1");  // the entry stays shown
         EXPECT_NE(h.session->Notice().find("C0002"), std::string::npos);
         // The slip screen shows C0002 itself, with its history.
         h.session->SwitchScreen(Screen::Slip);
         EXPECT_EQ(h.s().loadedRecNo, h.store->KokyakuFind("C0002"));
         EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Name"), "C0002");
         h.view.Press(Key::F1);
       },
       {{"C0001", 1}, {"C0002", 1}},
       1,
       false},
      {"ledger F3 on a deleted customer whose name a live one holds",
       [](Harness& h) {
         SelectDeleted(h, 4);
         h.session->SwitchScreen(Screen::Ledger);
         Enter(h, "Edit_Kouji_Address", "Minami 2");
         h.view.Press(Key::F3);
         EXPECT_TRUE(h.Stored(4).Deleted());
         EXPECT_EQ(h.Stored(h.store->KokyakuFind("C0002")).Trimmed(Kokyaku::Address), "Minami 2");
       },
       {{"C0001", 1}, {"C0002", 1}},
       0,
       false},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.what);
    Harness h(0, Office());
    c.act(h);
    EXPECT_EQ(LiveNames(h), c.live);
    EXPECT_EQ(h.store->KokyakuCount(), 4) << "no customer appended";
    EXPECT_EQ(h.store->TenkenCount(), c.slips);
    if (c.slips > 0) {
      Record slip(TenkenDenpLayout());
      ASSERT_TRUE(h.store->TenkenFile().ReadRecord(1, slip).ok());
      EXPECT_EQ(slip.Trimmed(TenkenDenp::KokyakuName), "C0002");
      EXPECT_EQ(h.s().loadedRecNo, h.store->KokyakuFind("C0002"));
    }
    EXPECT_EQ(h.session->Notice().find("C0002") != std::string::npos, c.noticeNamesC0002)
        << h.session->Notice();
  }
}

// Files written elsewhere may already hold two live customers of one name:
// each still stores as it is, under its own record.
TEST(CustomerNames, TwoOfANameAlreadyInTheFileStoreAsBefore) {
  Harness h(
      0, SeedFile("Kokyaku.120", {CustomerImage("0001", "Twin"), CustomerImage("0002", "Twin")}));
  h.session->SwitchScreen(Screen::Customer);
  h.ClickRow(2);
  Enter(h, "Edit_Kokyaku_Tel", "22");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.Stored(2).Trimmed(Kokyaku::Tel), "22");
  EXPECT_EQ(h.session->Notice(), "");
}

}  // namespace
}  // namespace tankora::testing
