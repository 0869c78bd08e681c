// One live customer per 20-byte name: slips and ledger entries find their
// customer by it, so a second customer of a name would take the first one's
// slips. Every screen that stores a customer keeps to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string_view>

#include "fake_view.h"
#include "util/cp932.h"

namespace tankora::testing {
namespace {

// 髙北 as a file written elsewhere spells it (髙 as EE E0), and as this
// program encodes it when typed (髙 as FB FC).
constexpr std::string_view kTakakitaStored = "\xEE\xE0\x96\x6B";
constexpr std::string_view kTakakitaTyped = "\xFB\xFC\x96\x6B";

// Live C0001 and C0002, then a deleted C0003 and a deleted second C0002, then
// a live 髙北 spelt as files written elsewhere may spell it.
Seeder Office() {
  return SeedFile("Kokyaku.120", {CustomerImage("0001", "C0001"), CustomerImage("0002", "C0002"),
                                  CustomerImage("0003", "C0003", /*deleted=*/true),
                                  CustomerImage("0004", "C0002", /*deleted=*/true),
                                  CustomerImage("0005", kTakakitaStored)});
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
  std::map<std::string, int> live;  // live customers by name afterwards, besides 髙北
  int slips;                        // slips stored, each then the namesake's and it current
  bool noticeNamesNamesake;
  std::string_view namesake = "C0002";
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
      {"customer F1 of a new customer typed 髙北, stored with the other code of 髙",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         Enter(h, "Edit_Kokyaku_Name", kTakakitaTyped);
         Enter(h, "Edit_Kokyaku_Tel", "99");
         h.view.Press(Key::F1);
         EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Tel"), "99");
       },
       {{"C0001", 1}, {"C0002", 1}},
       0,
       true,
       kTakakitaStored},
      {"customer F1 renaming a stored customer to 髙北 typed",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.ClickRow(1);
         Enter(h, "Edit_Kokyaku_Name", kTakakitaTyped);
         h.view.Press(Key::F1);
       },
       {{"C0001", 1}, {"C0002", 1}},
       0,
       true,
       kTakakitaStored},
      {"slip F1 for a new customer typed 髙北: the slip goes to the stored one, under its bytes",
       [](Harness& h) {
         Enter(h, "Edit_Panel_Tenken_Name", kTakakitaTyped);
         Enter(h, "Edit_Panel_Tenken_Ph", "7.1");
         h.view.Press(Key::F1);
         EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "1");
         EXPECT_EQ(h.view.Text("Label_Tenken_Ph_01"), "7.1");
       },
       {{"C0001", 1}, {"C0002", 1}},
       1,
       true,
       kTakakitaStored},
      {"customer F1 on 髙北 with its name typed again: the code it is stored under kept",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.ClickRow(3);
         Enter(h, "Edit_Kokyaku_Name", kTakakitaTyped);
         Enter(h, "Edit_Kokyaku_Tel", "99");
         h.view.Press(Key::F1);
         EXPECT_EQ(h.Stored(5).Trimmed(Kokyaku::Tel), "99");
       },
       {{"C0001", 1}, {"C0002", 1}},
       0,
       false,
       kTakakitaStored},
      {"slip F1 on 髙北 with the header's name typed again: the slip under the stored code",
       [](Harness& h) {
         h.ClickRow(3);
         Enter(h, "Edit_Panel_Tenken_Name", kTakakitaTyped);
         Enter(h, "Edit_Panel_Tenken_Ph", "7.1");
         h.view.Press(Key::F1);
         EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "1");
       },
       {{"C0001", 1}, {"C0002", 1}},
       1,
       false,
       kTakakitaStored},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.what);
    Harness h(0, Office());
    c.act(h);
    std::map<std::string, int> live = c.live;
    ++live[std::string(kTakakitaStored)];
    EXPECT_EQ(LiveNames(h), live);
    EXPECT_EQ(h.store->KokyakuCount(), 5) << "no customer appended";
    EXPECT_EQ(h.store->TenkenCount(), c.slips);
    if (c.slips > 0) {
      Record slip(TenkenDenpLayout());
      ASSERT_TRUE(h.store->TenkenFile().ReadRecord(1, slip).ok());
      const int namesake = h.store->KokyakuFind(std::string(c.namesake));
      // All 20 bytes: the namesake's history finds its slips by them.
      EXPECT_EQ(slip.Get(TenkenDenp::KokyakuName), h.Stored(namesake).Get(Kokyaku::Name));
      EXPECT_EQ(h.s().loadedRecNo, namesake);
    }
    EXPECT_EQ(h.session->Notice().find(Cp932ToUtf8(c.namesake)) != std::string::npos,
              c.noticeNamesNamesake)
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

// Slips and ledger entries stay under the name they were stored with, so a
// stored customer renamed leaves them behind: the store that would do so
// says so once and stores nothing; the same command again goes ahead.
Record Slip(std::string_view name, bool deleted = false) {
  Record r(TenkenDenpLayout());
  r.Set(TenkenDenp::KokyakuName, name);
  r.Set(TenkenDenp::Year, "2012");
  r.Set(TenkenDenp::Month, " 9");
  r.Set(TenkenDenp::Day, " 1");
  if (deleted) r.SetFlagAt(TenkenDenp::DeleteFlag, 0, true);
  return r;
}

Record Entry(std::string_view name, bool deleted = false) {
  Record r(KoujiLayout());
  r.Set(Kouji::Name, name);
  if (deleted) r.Set(Kouji::DeleteFlag, "1");
  return r;
}

// C0001: two live slips, a deleted one, a ledger entry. C0002: an entry.
// C0003: a deleted entry only. C0004: one slip.
Seeder History() {
  return [](const std::filesystem::path& dir) {
    SeedCustomers(dir, 4);
    SeedFile("TenkenDenp.120", {Image(Slip("C0001")), Image(Slip("C0001")),
                                Image(Slip("C0001", true)), Image(Slip("C0004"))})(dir);
    SeedFile("Kouji.120",
             {Image(Entry("C0001")), Image(Entry("C0002")), Image(Entry("C0003", true))})(dir);
  };
}

// Row `row` of the customer list, its name typed over with C0009 and its
// telephone with 99, on the customer screen.
void Rename(Harness& h, int row) {
  h.session->SwitchScreen(Screen::Customer);
  h.ClickRow(row);
  Enter(h, "Edit_Kokyaku_Name", "C0009");
  Enter(h, "Edit_Kokyaku_Tel", "99");
}

std::string RenameWarning(const char* from, const char* left) {
  return std::string("名前を「") + from + "」から「C0009」に変えると、これまでの" + left +
         "はこの顧客から外れます（元の名前のまま残ります）。"
         "このまま登録するなら、もう一度 F1 を押してください。";
}

struct RenameCase {
  const char* what;
  std::function<void(Harness&)> act;
  std::string notice;
  std::vector<std::string> live;  // live customers' names afterwards, sorted
  int slips;                      // records in TenkenDenp.120 afterwards
};

TEST(CustomerNames, RenamingACustomerWithHistoryAsksFirst) {
  const std::string w1 = RenameWarning("C0001", "点検伝票 2件と工事元帳 1件");
  const std::vector<std::string> before = {"C0001", "C0002", "C0003", "C0004"};
  const RenameCase cases[] = {
      {"customer F1 renaming one with slips and an entry: warned, nothing stored",
       [](Harness& h) {
         Rename(h, 1);
         h.view.Press(Key::F1);
         // Nothing typed is lost by the warning.
         EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "C0009");
         EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Tel"), "99");
         EXPECT_EQ(h.s().loadedRecNo, 1);
       },
       w1, before, 4},
      {"customer F1 renaming one with a ledger entry only",
       [](Harness& h) {
         Rename(h, 2);
         h.view.Press(Key::F1);
       },
       RenameWarning("C0002", "工事元帳 1件"), before, 4},
      {"customer F1 renaming one with nothing live (a deleted entry): stored",
       [](Harness& h) {
         Rename(h, 3);
         h.view.Press(Key::F1);
       },
       "",
       {"C0001", "C0002", "C0004", "C0009"},
       4},
      {"customer F1 with the name unchanged",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.ClickRow(1);
         Enter(h, "Edit_Kokyaku_Tel", "99");
         h.view.Press(Key::F1);
         EXPECT_EQ(h.Stored(1).Trimmed(Kokyaku::Tel), "99");
       },
       "", before, 4},
      {"customer F1 on a new customer",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         Enter(h, "Edit_Kokyaku_Name", "C0009");
         h.view.Press(Key::F1);
       },
       "",
       {"C0001", "C0002", "C0003", "C0004", "C0009"},
       4},
      {"customer F1 again right after the warning: stored, the history left as it was",
       [](Harness& h) {
         Rename(h, 1);
         h.view.Press(Key::F1);
         h.view.Press(Key::F1);
         EXPECT_EQ(h.Stored(1).Trimmed(Kokyaku::Tel), "99");
       },
       "",
       {"C0002", "C0003", "C0004", "C0009"},
       4},
      {"another notice in between: warned again",
       [](Harness& h) {
         Rename(h, 1);
         h.view.Press(Key::F1);
         Enter(h, "Edit_Kokyaku_Basic_Ninsou", "abc");
         h.view.Press(Key::F1);
       },
       w1, before, 4},
      {"slip F1 renaming the customer in the slip's header: neither stored",
       [](Harness& h) {
         h.ClickRow(1);
         Enter(h, "Edit_Panel_Tenken_Name", "C0009");
         h.view.Press(Key::F1);
       },
       w1, before, 4},
      {"slip F1 again: the customer renamed, the new slip under the new name",
       [](Harness& h) {
         h.ClickRow(1);
         Enter(h, "Edit_Panel_Tenken_Name", "C0009");
         h.view.Press(Key::F1);
         h.view.Press(Key::F1);
         Record slip(TenkenDenpLayout());
         ASSERT_TRUE(h.store->TenkenFile().ReadRecord(5, slip).ok());
         EXPECT_EQ(slip.Trimmed(TenkenDenp::KokyakuName), "C0009");
       },
       "",
       {"C0002", "C0003", "C0004", "C0009"},
       5},
      {"slip F1 storing the name's only slip again: it goes along, nothing left behind",
       [](Harness& h) {
         h.ClickRow(4);
         h.view.ClickLabel("Label_Tenken_Day_01");
         ASSERT_EQ(h.s().currentTenkenNo, 4);
         Enter(h, "Edit_Panel_Tenken_Name", "C0009");
         h.view.Press(Key::F1);
         Record slip(TenkenDenpLayout());
         ASSERT_TRUE(h.store->TenkenFile().ReadRecord(4, slip).ok());
         EXPECT_EQ(slip.Trimmed(TenkenDenp::KokyakuName), "C0009");
       },
       "",
       {"C0001", "C0002", "C0003", "C0009"},
       4},
      {"ledger F3 under a new name: another customer, the stored one kept as it is",
       [](Harness& h) {
         h.ClickRow(1);
         h.session->SwitchScreen(Screen::Ledger);
         Enter(h, "Edit_Kouji_Name", "C0009");
         h.view.Press(Key::F3);
       },
       "",
       {"C0001", "C0002", "C0003", "C0004", "C0009"},
       4},
  };
  for (const RenameCase& c : cases) {
    SCOPED_TRACE(c.what);
    Harness h(0, History());
    const auto firstThree = [&h] {
      std::string all;
      EXPECT_TRUE(h.store->TenkenFile().ReadAll(all).ok());
      return all.substr(0, 3 * kTenkenDenpRecordLength);
    };
    const std::string slips = firstThree();
    c.act(h);
    EXPECT_EQ(h.session->Notice(), c.notice);
    std::vector<std::string> live;
    for (int n = 1; n <= h.store->KokyakuCount(); ++n) {
      if (const Record r = h.Stored(n); !r.Deleted()) live.push_back(r.Trimmed(Kokyaku::Name));
    }
    std::sort(live.begin(), live.end());
    EXPECT_EQ(live, c.live);
    EXPECT_EQ(h.store->TenkenCount(), c.slips);
    // The old slips are never moved or rewritten.
    EXPECT_EQ(firstThree(), slips);
  }
}

}  // namespace
}  // namespace tankora::testing
