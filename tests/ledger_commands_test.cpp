// The construction ledger on real files: F1 appending and rewriting, F3
// creating and updating the customer, paging at both ends, the newest live
// entry of a customer, the delete mark and its undoing, the refusals.
#include <gtest/gtest.h>

#include <fstream>

#include "fake_view.h"
#include "ledger/ledger_screen.h"

namespace tankora::testing {
namespace {

// Ledger entries {name, address}; entry `deletedNo` (1-based) carries the mark.
Seeder Entries(const std::vector<std::array<std::string_view, 2>>& entries, int deletedNo = 0) {
  std::vector<std::string> images;
  for (const auto& [name, address] : entries) {
    Record r(KoujiLayout());
    r.Set(Kouji::Name, name);
    r.Set(Kouji::Address, address);
    if (static_cast<int>(images.size()) + 1 == deletedNo) r.Set(Kouji::DeleteFlag, "1");
    images.push_back(Image(r));
  }
  return SeedFile("Kouji.120", std::move(images));
}

Record StoredEntry(Harness& h, int n) {
  Record r(KoujiLayout());
  EXPECT_TRUE(h.store->KoujiFile().ReadRecord(n, r).ok()) << n;
  return r;
}

bool NoticeShown(const Harness& h) {
  const auto it = h.view.visible.find("Label_KoujiDeleteMsg");
  return it != h.view.visible.end() && it->second;
}

void OpenLedger(Harness& h) { h.view.ClickLabel("Label_Kouji"); }

// Types into a ledger edit and confirms it with Enter.
void Enter(Harness& h, std::string_view control, std::string_view text) {
  h.view.Type(control, text);
  h.view.Press(Key::Enter);
}

TEST(LedgerWrite, AppendsANewEntryThenRewritesItInPlace) {
  Harness h(0);
  OpenLedger(h);
  EXPECT_EQ(h.view.Focused(), "Edit_Kouji_Name");
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "1");
  EXPECT_EQ(h.view.Text("Label_Kouji_ds"), "0");

  Enter(h, "Edit_Kouji_Name", "Tanaka");
  Enter(h, "Edit_Kouji_Address", "Tokyo");
  h.view.Press(Key::F1);
  ASSERT_EQ(h.store->KoujiCount(), 1);
  EXPECT_EQ(h.view.Text("Label_Kouji_ds"), "1");
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "1");
  EXPECT_EQ(StoredEntry(h, 1).Trimmed(Kouji::Address), "Tokyo");

  // The same entry again: rewritten, not appended; F1 alone makes no customer.
  Enter(h, "Edit_Kouji_Address", "Osaka");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->KoujiCount(), 1);
  EXPECT_EQ(StoredEntry(h, 1).Trimmed(Kouji::Address), "Osaka");
  EXPECT_EQ(StoredEntry(h, 1).Bytes().size(), 1000u);
  EXPECT_EQ(StoredEntry(h, 1).Bytes().back(), '\n');
  EXPECT_EQ(h.store->KokyakuCount(), 0);
}

// A blank or indented name stores nothing, by F1 or F3, and F3 makes no customer.
TEST(LedgerWrite, AnEntryWithoutANameIsNotStored) {
  for (Key key : {Key::F1, Key::F3}) {
    Harness h(1);
    OpenLedger(h);
    Enter(h, "Edit_Kouji_Address", "Tokyo");
    h.view.Press(key);
    Enter(h, "Edit_Kouji_Name", "  Indented");
    h.view.Press(key);
    EXPECT_EQ(h.store->KoujiCount(), 0) << (key == Key::F1 ? "F1" : "F3");
    EXPECT_EQ(h.store->KokyakuCount(), 1);
    EXPECT_EQ(h.view.Text("Label_Kouji_ds"), "0");
  }
}

TEST(LedgerWrite, ValuesFollowTheirRulesAndReachTheCustomerTwins) {
  Harness h(0);
  OpenLedger(h);
  Enter(h, "Edit_Kouji_StartYear", "24");
  Enter(h, "Edit_Kouji_Money", "1234567");
  Enter(h, "Edit_Keiyaku_EndYear", "35");  // beyond ten years on: refused, stays blank
  Enter(h, "Edit_Kouji_Ninsou", "0");
  Session::State& s = h.s();
  EXPECT_EQ(s.kouji.Get(Kouji::StartYear), "2012");
  EXPECT_EQ(s.kokyaku.Get(Kokyaku::StartYear), "2012");
  EXPECT_EQ(h.view.Text("Edit_Kokyaku_StartYear"), "24");
  EXPECT_EQ(s.kouji.Get(Kouji::Money), "   1234567");
  EXPECT_EQ(s.kokyaku.Get(Kokyaku::UkeoiKingaku), "   1234567");
  EXPECT_EQ(h.view.Text("Edit_Kokyaku_UkeoiKingaku"), "   1234567");
  EXPECT_EQ(s.kouji.Get(Kouji::KeiyakuEndYear), "    ");
  EXPECT_EQ(s.kouji.Get(Kouji::Ninsou), "   ");

  // Treatment and persons reach all three screens.
  Enter(h, "Edit_Kouji_Kind_Syorihouhou", "Kasseiodei");
  for (const char* c : {"Edit_Kokyaku_Kind_Syorihouhou", "Edit_Kokyaku_Basic_SyoriWay",
                        "Edit_Panel_Tenken_SyoriWay"}) {
    EXPECT_EQ(h.view.Trimmed(c), "Kasseiodei") << c;
  }

  // The customer screen's edits reach the ledger the other way.
  h.session->SwitchScreen(Screen::Customer);
  Enter(h, "Edit_Kokyaku_Tel", "03-1111");
  EXPECT_EQ(s.kouji.Trimmed(Kouji::Tel), "03-1111");
  EXPECT_EQ(h.view.Trimmed("Edit_Kouji_Tel"), "03-1111");
}

TEST(LedgerWrite, TheRadioPairSetsBothRecordsAndTheCustomerButtons) {
  Harness h(0);
  OpenLedger(h);
  h.view.ClickBox("RadioButton_Kouji_SinyouHaisui", /*radio=*/true);
  EXPECT_EQ(h.s().kouji.Get(Kouji::Sinyou), "1");
  EXPECT_EQ(h.s().kokyaku.Get(Kokyaku::Sinyou), "1");
  EXPECT_TRUE(h.view.Checked("RadioButton_SinyouHaisui"));
  EXPECT_FALSE(h.view.Checked("RadioButton_SinyouOnly"));
  // Enter on the other button stores its value.
  h.view.Focus("RadioButton_Kouji_SinyouOnly");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Focused(), "Edit_Kouji_Youto_1");
  EXPECT_EQ(h.s().kouji.Get(Kouji::Sinyou), " ");
  EXPECT_TRUE(h.view.Checked("RadioButton_SinyouOnly"));
}

TEST(LedgerCommandField, EnterAfterTheLastDateSelectsF1AndEnterThereStores) {
  Harness h(0);
  OpenLedger(h);
  Enter(h, "Edit_Kouji_Name", "Tanaka");
  h.view.Focus("Edit_Keiyaku_EndDay");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Focused(), "Edit_PanelKouji_CommandChoose");
  EXPECT_EQ(h.view.Frame("Shape_MotocyouWrite"), FrameState::Selected);
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.store->KoujiCount(), 1);
  // The store leaves no command selected.
  EXPECT_EQ(h.view.Frame("Shape_MotocyouWrite"), FrameState::Plain);
  h.view.Press(Key::Home);
  EXPECT_EQ(h.view.Focused(), "Edit_Keiyaku_EndDay");
}

// --- F3 -----------------------------------------------------------------------

TEST(LedgerKokyakuWrite, CreatesTheCustomerOnceThenUpdatesIt) {
  Harness h(3);  // C0001..C0003
  OpenLedger(h);
  Enter(h, "Edit_Kouji_Name", "Aoki");
  Enter(h, "Edit_Kouji_Address", "Tokyo");
  Enter(h, "Edit_Kouji_StartYear", "23");
  h.view.Press(Key::F3);

  ASSERT_EQ(h.store->KoujiCount(), 1);
  ASSERT_EQ(h.store->KokyakuCount(), 4);
  const Record entry = StoredEntry(h, 1);
  // The sort puts the blank reading first: the new customer is record 1 now.
  const int n = h.store->KokyakuFind("Aoki");
  ASSERT_NE(n, 0);
  const Record customer = h.Stored(n);
  for (int f = Kouji::Name; f <= Kouji::Ninsou; ++f) {
    EXPECT_EQ(customer.Get(Kouji::TwinOf(f)), entry.Get(f)) << "ledger field " << f;
  }
  EXPECT_FALSE(customer.Deleted());
  // The list shows and selects it, the customer screen shows it.
  EXPECT_EQ(h.RowName(1), "Aoki");
  EXPECT_EQ(h.SelectedRow(), 1);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "Aoki");
  EXPECT_EQ(h.view.Text("Label_KokyakuDs"), "4");
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "1");

  // A second F3 on the same entry updates that customer.
  Enter(h, "Edit_Kouji_Address", "Kyoto");
  h.view.Press(Key::F3);
  EXPECT_EQ(h.store->KoujiCount(), 1);
  EXPECT_EQ(h.store->KokyakuCount(), 4);
  EXPECT_EQ(h.Stored(h.store->KokyakuFind("Aoki")).Trimmed(Kokyaku::Address), "Kyoto");
  EXPECT_EQ(StoredEntry(h, 1).Trimmed(Kouji::Address), "Kyoto");
  EXPECT_EQ(h.s().kouji.Trimmed(Kouji::Address), "Kyoto");
}

Record RichCustomer(std::string_view kana, std::string_view name) {
  Record r(KokyakuLayout());
  r.Set(Kokyaku::Kana, kana);
  r.Set(Kokyaku::Name, name);
  r.Set(Kokyaku::TenkenMonths, "1  1  1  1  ");
  r.Set(Kokyaku::SyuukinMonths, "   1     1  ");
  r.Set(Kokyaku::Syukinngaku04, "   12000");
  r.Set(Kokyaku::Address, "Old");
  r.Set(Kokyaku::Tandoku, "1");
  return r;
}

TEST(LedgerKokyakuWrite, KeepsTheFieldsTheEntryHasNoTwinFor) {
  const Record rich = RichCustomer(Sj("ｱｵｷ"), "Aoki");
  Harness h(0, SeedFile("Kokyaku.120", {Image(rich)}));
  OpenLedger(h);
  // On the new-customer row, the orderer's name names the stored customer.
  Enter(h, "Edit_Kouji_Name", "Aoki");
  Enter(h, "Edit_Kouji_Address", "New");
  h.view.Press(Key::F3);
  ASSERT_EQ(h.store->KokyakuCount(), 1);
  const Record c = h.Stored(1);
  EXPECT_EQ(c.Trimmed(Kokyaku::Address), "New");
  for (int f : {Kokyaku::Kana, Kokyaku::TenkenMonths, Kokyaku::SyuukinMonths,
                Kokyaku::Syukinngaku04, Kokyaku::Tandoku}) {
    EXPECT_EQ(c.Get(f), rich.Get(f)) << "customer field " << f;
  }
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Kana"), Sj("ｱｵｷ"));
}

TEST(LedgerKokyakuWrite, TheLoadedCustomerKeepsWhatWasTypedForIt) {
  Harness h(2);
  h.ClickRow(2);  // C0002
  OpenLedger(h);
  h.session->SwitchScreen(Screen::Customer);
  Enter(h, "Edit_Kokyaku_Kana", "0002");  // unchanged reading, typed again
  Enter(h, "Edit_Kokyaku_Tel", "555");
  h.session->SwitchScreen(Screen::Ledger);
  Enter(h, "Edit_Kouji_Money", "800000");
  h.view.Press(Key::F3);
  EXPECT_EQ(h.store->KokyakuCount(), 2);
  const Record c = h.Stored(h.store->KokyakuFind("C0002"));
  EXPECT_EQ(c.Trimmed(Kokyaku::Tel), "555");
  EXPECT_EQ(c.Trimmed(Kokyaku::UkeoiKingaku), "800000");
}

TEST(LedgerKokyakuWrite, ANewNameOnAnotherCustomersEntryMakesANewCustomerFromTheEntry) {
  const Record rich = RichCustomer(Sj("ｱｵｷ"), "Aoki");
  Harness h(0, SeedFile("Kokyaku.120", {Image(rich)}));
  h.ClickRow(1);
  OpenLedger(h);
  Enter(h, "Edit_Kouji_Name", "Baba");
  h.view.Press(Key::F3);
  ASSERT_EQ(h.store->KokyakuCount(), 2);
  const Record aoki = h.Stored(h.store->KokyakuFind("Aoki"));
  const Record baba = h.Stored(h.store->KokyakuFind("Baba"));
  EXPECT_EQ(aoki, rich);  // untouched on disk
  // Aoki's reading and months are not Baba's.
  EXPECT_EQ(baba.Trimmed(Kokyaku::Kana), "");
  EXPECT_EQ(baba.Trimmed(Kokyaku::TenkenMonths), "");
  EXPECT_EQ(baba.Trimmed(Kokyaku::Address), "Old");  // a twin: taken from the entry
}

// F3 from an old entry: only the entry's fields that hold something reach
// the customer; what the entry lacks (entered later on the customer screen)
// stays, and what was typed reaches it either way.
TEST(LedgerKokyakuWrite, BlankEntryFieldsLeaveTheCustomersValues) {
  struct Twin {
    int customerField;
    int entryField;
    const char* customer;  // stored before
    const char* entry;     // in the old entry
    const char* after;     // the customer after F3
  };
  const Twin twins[] = {
      {Kokyaku::KeiyakuYear, Kouji::KeiyakuYear, "2011", "", "2011"},
      {Kokyaku::KeiyakuStartMonth, Kouji::KeiyakuStartMonth, " 4", "", " 4"},
      {Kokyaku::KeiyakuEndYear, Kouji::KeiyakuEndYear, "2013", "", "2013"},
      {Kokyaku::KindKatasiki, Kouji::KindKatasiki, "ABC-5", "", "ABC-5"},
      {Kokyaku::KindSyorihouhou, Kouji::KindSyorihouhou, "Bunri", "", "Bunri"},
      {Kokyaku::KanriGyousya, Kouji::KanriGyousya, "Kanri", "", "Kanri"},
      {Kokyaku::Sinyou, Kouji::Sinyou, "1", "", "1"},
      {Kokyaku::Address, Kouji::Address, "Cust addr", "Entry addr", "Entry addr"},
      {Kokyaku::UkeoiKingaku, Kouji::Money, "", "    500000", "    500000"},
      {Kokyaku::Tel, Kouji::Tel, "03-old", "", "03-new"},  // typed before F3
  };
  Record customer(KokyakuLayout());
  customer.Set(Kokyaku::Kana, Sj("ｴﾝﾄﾞ"));
  customer.Set(Kokyaku::Name, "Endo");
  Record entry(KoujiLayout());
  entry.Set(Kouji::Name, "Endo");
  for (const Twin& t : twins) {
    customer.Set(t.customerField, t.customer);
    entry.Set(t.entryField, t.entry);
  }
  Harness h(0, [&](const std::filesystem::path& dir) {
    SeedFile("Kokyaku.120", {Image(customer)})(dir);
    SeedFile("Kouji.120", {Image(entry)})(dir);
  });
  OpenLedger(h);
  h.view.Press(Key::F5);
  ASSERT_EQ(h.view.Text("Label_Kouji_rec"), "1");
  ASSERT_EQ(h.s().loadedRecNo, 1);
  Enter(h, "Edit_Kouji_Tel", "03-new");
  h.view.Press(Key::F3);
  ASSERT_EQ(h.store->KokyakuCount(), 1);
  const Record after = h.Stored(1);
  for (const Twin& t : twins) {
    EXPECT_EQ(after.Trimmed(t.customerField), TrimBlanks(t.after)) << t.customer;
  }
  EXPECT_EQ(after.Trimmed(Kokyaku::Kana), Sj("ｴﾝﾄﾞ"));
}

TEST(LedgerKokyakuWrite, AtTheLiveCustomerLimitOnlyTheEntryIsStored) {
  Harness h(Store::kMaxActive);
  OpenLedger(h);
  Enter(h, "Edit_Kouji_Name", "Extra");
  h.view.Press(Key::F3);
  EXPECT_EQ(h.store->KoujiCount(), 1);
  EXPECT_EQ(h.store->KokyakuCount(), Store::kMaxActive);
  EXPECT_EQ(h.store->KokyakuFind("Extra"), 0);
  EXPECT_NE(h.session->Notice().find("2000"), std::string::npos) << h.session->Notice();
  // An existing customer can still be updated.
  Enter(h, "Edit_Kouji_Name", "C0007");
  h.view.Press(Key::F3);
  EXPECT_EQ(h.session->Notice(), "");
  EXPECT_EQ(h.store->KokyakuCount(), Store::kMaxActive);
}

TEST(LedgerKokyakuWrite, ADeletedCustomerShownIsBroughtBackNotDuplicated) {
  Harness h(0, SeedFile("Kokyaku.120", {CustomerImage("0001", "Alive"),
                                        CustomerImage("0002", "Gone", /*deleted=*/true)}));
  h.session->SwitchScreen(Screen::Customer);
  h.view.ClickBox("CheckBox_AllDispSW");
  h.ClickRow(2);
  ASSERT_EQ(h.s().loadedRecNo, 2);
  OpenLedger(h);
  Enter(h, "Edit_Kouji_Address", "Back");
  h.view.Press(Key::F3);
  EXPECT_EQ(h.store->KokyakuCount(), 2);
  EXPECT_EQ(h.store->ActiveCount(), 2);
  const Record gone = h.Stored(h.store->KokyakuFind("Gone"));
  EXPECT_FALSE(gone.Deleted());
  EXPECT_EQ(gone.Trimmed(Kokyaku::Address), "Back");
}

// A deleted customer chosen on the ledger screen: the notice names the key
// that brings it back there, and the customer screen keeps its own.
TEST(LedgerKokyakuWrite, ADeletedCustomerChosenNamesTheKeyThatBringsItBack) {
  Harness h(0, [](const std::filesystem::path& dir) {
    SeedFile("Kokyaku.120",
             {CustomerImage("0001", "Alive"), CustomerImage("0002", "Gone", /*deleted=*/true),
              CustomerImage("0003", "Bare", /*deleted=*/true)})(dir);
    Entries({{"Gone", "Old"}})(dir);
  });
  h.session->SwitchScreen(Screen::Customer);
  h.view.ClickBox("CheckBox_AllDispSW");
  const struct {
    bool ledger;
    int row;
    std::string_view notice;
  } cases[] = {
      // Its stored entry on screen: F3 rewrites it and restores the customer.
      {true, 2, "削除された顧客です。F3 工事元帳と顧客を登録で元に戻せます。"},
      // No entry: F3 would append one.
      {true, 3, "削除された顧客です。顧客基本情報の画面の F1 登録で元に戻せます。"},
      {false, 2, "削除された顧客です。F1 登録で元に戻せます。"},
  };
  for (const auto& c : cases) {
    if (c.ledger) {
      OpenLedger(h);
    } else {
      h.session->SwitchScreen(Screen::Customer);
    }
    h.ClickRow(1);
    h.ClickRow(c.row);
    EXPECT_EQ(h.session->Notice(), c.notice) << c.row;
  }
  // What the notice promised: F3 brings Gone back with its one entry.
  OpenLedger(h);
  h.ClickRow(1);
  h.ClickRow(2);
  ASSERT_EQ(h.session->Notice(), cases[0].notice);
  h.view.Press(Key::F3);
  EXPECT_FALSE(h.Stored(h.store->KokyakuFind("Gone")).Deleted());
  EXPECT_EQ(h.store->KoujiCount(), 1);
}

// --- paging -------------------------------------------------------------------

TEST(LedgerPaging, StopsAtBothEndsAndSelectsEachEntrysCustomer) {
  Harness h(3, Entries({{"C0002", "E1"}, {"Nobody", "E2"}, {"C0003", "E3"}}));
  OpenLedger(h);
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "4");
  h.view.Press(Key::F6);  // on the new entry: nothing
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "4");

  h.view.Press(Key::F5);
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "3");
  EXPECT_EQ(h.view.Trimmed("Edit_Kouji_Address"), "E3");
  EXPECT_EQ(h.SelectedRow(), 3);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "C0003");
  // What the ledger shows is what it holds, not the customer's twins.
  EXPECT_EQ(h.s().kouji.Trimmed(Kouji::Address), "E3");

  h.view.Press(Key::F5);  // no customer of that name: the new-customer row
  EXPECT_EQ(h.view.Trimmed("Edit_Kouji_Name"), "Nobody");
  EXPECT_EQ(h.SelectedRow(), 4);
  EXPECT_EQ(h.s().loadedRecNo, 0);
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "");
  EXPECT_EQ(h.s().kouji.Trimmed(Kouji::Name), "Nobody");

  h.view.Press(Key::F5);
  h.view.Press(Key::F5);  // at entry 1: nothing
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "1");
  EXPECT_EQ(h.view.Trimmed("Edit_Kouji_Address"), "E1");
  EXPECT_EQ(h.SelectedRow(), 2);

  // F1 after paging stores the entry as read.
  h.view.Press(Key::F1);
  EXPECT_EQ(StoredEntry(h, 1).Trimmed(Kouji::Address), "E1");
  EXPECT_EQ(h.store->KoujiCount(), 3);

  for (int i = 0; i < 3; ++i) h.view.Press(Key::F6);
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "4");  // the new entry, cleared
  EXPECT_EQ(h.view.Trimmed("Edit_Kouji_Name"), "");
  EXPECT_EQ(h.s().kouji.Trimmed(Kouji::Address), "");
  EXPECT_EQ(h.SelectedRow(), 4);
  h.view.Press(Key::F6);
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "4");
}

TEST(LedgerPaging, AnEmptyLedgerDoesNotPage) {
  Harness h(0);
  OpenLedger(h);
  h.view.Press(Key::F5);
  h.view.Press(Key::F6);
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "1");
  EXPECT_EQ(h.view.Text("Label_Kouji_ds"), "0");
}

// --- the customer's entry ------------------------------------------------------

TEST(LedgerFind, SelectingACustomerShowsItsNewestLiveEntry) {
  Harness h(
      3,
      Entries(
          {{"C0001", "Old"}, {"C0002", "Other"}, {"C0001", "Newer"}, {"C0001", "NewestButDeleted"}},
          /*deletedNo=*/4));
  OpenLedger(h);
  h.ClickRow(1);
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "3");
  EXPECT_EQ(h.view.Trimmed("Edit_Kouji_Address"), "Newer");
  EXPECT_EQ(h.view.Focused(), "Edit_Kouji_Name");
  EXPECT_FALSE(NoticeShown(h));

  // No entry of its own: a new entry prefilled from the customer.
  h.session->SwitchScreen(Screen::Customer);
  h.ClickRow(3);
  h.view.Type("Edit_Kokyaku_Tel", "777");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "5");
  EXPECT_EQ(h.s().kouji.Trimmed(Kouji::Name), "C0003");
  EXPECT_EQ(h.view.Trimmed("Edit_Kouji_Tel"), "777");
}

TEST(LedgerFind, NewestLiveEntryByName) {
  TempDataDir dir;
  Entries({{"A", "1"}, {"B", "2"}, {"A", "3"}, {"A", "4"}}, /*deletedNo=*/4)(dir.path());
  Store store(dir.path());
  ASSERT_TRUE(store.Open().ok());
  Record r(KoujiLayout());
  EXPECT_EQ(KoujiFindNewest(store, PadField("A", TextAlign::Left, 20), &r), 3);
  EXPECT_EQ(r.Trimmed(Kouji::Address), "3");
  EXPECT_EQ(KoujiFindNewest(store, PadField("B", TextAlign::Left, 20), nullptr), 2);
  EXPECT_EQ(KoujiFindNewest(store, PadField("C", TextAlign::Left, 20), nullptr), 0);
  // A name that differs only past its text does not match.
  EXPECT_EQ(KoujiFindNewest(store, PadField("A ", TextAlign::Left, 20) + "x", nullptr), 0);
}

// --- delete and restore ---------------------------------------------------------

TEST(LedgerDelete, MarksTheEntryAndF1BringsItBack) {
  Harness h(0, Entries({{"A", "1"}, {"B", "2"}}));
  OpenLedger(h);
  h.view.Press(Key::F5);  // entry 2
  Enter(h, "Edit_Kouji_Address", "typed");
  h.view.Press(Key::F2);
  EXPECT_TRUE(NoticeShown(h));
  Record stored = StoredEntry(h, 2);
  EXPECT_TRUE(stored.Deleted());
  EXPECT_EQ(stored.Trimmed(Kouji::Address), "2");  // a delete stores no edits
  EXPECT_EQ(h.store->KoujiCount(), 2);
  h.view.Press(Key::F2);  // already deleted: nothing more
  EXPECT_TRUE(StoredEntry(h, 2).Deleted());

  // Paging away and back shows the mark. The address typed is still not
  // stored (in the entry, nor in the customer the page empties): the first
  // F5 says so and stays, the second goes.
  h.view.Press(Key::F5);
  EXPECT_EQ(h.s().currentKoujiNo, 2);
  EXPECT_EQ(h.session->Notice(),
            "顧客・工事元帳の変更が登録されていません。F3 工事元帳と顧客を登録で保存できます。"
            "もう一度押すと、登録せずに移ります。");
  h.view.Press(Key::F5);
  EXPECT_FALSE(NoticeShown(h));
  h.view.Press(Key::F6);
  EXPECT_TRUE(NoticeShown(h));

  h.view.Press(Key::F1);
  EXPECT_FALSE(NoticeShown(h));
  EXPECT_FALSE(StoredEntry(h, 2).Deleted());
  EXPECT_EQ(h.store->KoujiCount(), 2);
}

TEST(LedgerDelete, ANewEntryHasNothingToDelete) {
  Harness h(0, Entries({{"A", "1"}}));
  OpenLedger(h);
  Enter(h, "Edit_Kouji_Name", "B");
  h.view.Press(Key::F2);
  EXPECT_FALSE(NoticeShown(h));
  EXPECT_FALSE(StoredEntry(h, 1).Deleted());
  EXPECT_EQ(h.store->KoujiCount(), 1);
}

TEST(LedgerDelete, F3OnADeletedEntryStoresItLiveAgain) {
  Harness h(0, Entries({{"A", "1"}}, /*deletedNo=*/1));
  OpenLedger(h);
  h.view.Press(Key::F5);
  EXPECT_TRUE(NoticeShown(h));
  h.view.Press(Key::F3);
  EXPECT_FALSE(StoredEntry(h, 1).Deleted());
  EXPECT_FALSE(NoticeShown(h));
  EXPECT_EQ(h.store->KokyakuFind("A"), 1);
}

// --- the customer screen's commands reach the ledger ---------------------------

TEST(LedgerNew, F8EmptiesBothScreensAndSelectsTheNewCustomerRow) {
  Harness h(3, Entries({{"C0002", "E1"}}));
  OpenLedger(h);
  h.ClickRow(2);
  ASSERT_EQ(h.view.Text("Label_Kouji_rec"), "1");
  h.view.Press(Key::F8);
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "2");
  EXPECT_EQ(h.view.Trimmed("Edit_Kouji_Name"), "");
  EXPECT_EQ(h.view.Trimmed("Edit_Kokyaku_Name"), "");
  EXPECT_EQ(h.s().kouji.Trimmed(Kouji::Address), "");
  EXPECT_EQ(h.SelectedRow(), 4);
  EXPECT_EQ(h.view.Focused(), "Edit_Kouji_Name");

  // Clicking the selected row again makes what is shown a new entry.
  h.ClickRow(2);
  h.ClickRow(2);
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "2");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->KoujiCount(), 2);
  EXPECT_EQ(StoredEntry(h, 2).Trimmed(Kouji::Address), "E1");
}

// An entry flagged "X" by another program is live everywhere: found as the
// customer's newest entry, and never announced as deleted.
TEST(LedgerFind, AForeignFlagByteIsNoDelete) {
  Harness h(1, [](const std::filesystem::path& dir) {
    Entries({{"C0001", "Old"}, {"C0001", "Flagged"}})(dir);
    PokeByte(dir / "Kouji.120", 1000, 'X');
  });
  OpenLedger(h);
  h.ClickRow(1);
  EXPECT_EQ(h.view.Text("Label_Kouji_rec"), "2");
  EXPECT_FALSE(NoticeShown(h));
}

}  // namespace
}  // namespace tankora::testing
