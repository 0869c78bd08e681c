// Moves to another record (a customer row, a history page or row, a ledger
// page) with typing no command stored: the first says so and stays, the same
// move right after goes; browsing without typing never warns.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "customers/customer_screen.h"
#include "fake_view.h"
#include "inspection/slip_screen.h"
#include "shell/screen_def.h"
#include "store/demo_office.h"

namespace tankora::testing {
namespace {

constexpr std::string_view kUnstored = "の変更が登録されていません。";
constexpr std::string_view kAgainKey = "もう一度押すと、登録せずに移ります。";
constexpr std::string_view kAgainClick = "もう一度選ぶと、登録せずに移ります。";

// Customers C0001..C0003; ten slips of C0001 (two history pages); one
// ledger entry for each customer.
Seeder Office() {
  return [](const std::filesystem::path& dir) {
    std::vector<std::string> slips;
    for (int k = 1; k <= 10; ++k) {
      Record r(TenkenDenpLayout());
      r.Set(TenkenDenp::KokyakuName, "C0001");
      r.Set(TenkenDenp::Year, "2012");
      r.Set(TenkenDenp::Month, " 1");
      r.Set(TenkenDenp::Day, (k < 10 ? " " : "") + std::to_string(k));
      r.Set(TenkenDenp::Ph, "7.0");
      slips.push_back(Image(r));
    }
    SeedFile("TenkenDenp.120", slips)(dir);
    std::vector<std::string> entries;
    for (const char* name : {"C0001", "C0002", "C0003"}) {
      Record r(KoujiLayout());
      r.Set(Kouji::Name, name);
      r.Set(Kouji::Address, "E");
      entries.push_back(Image(r));
    }
    SeedFile("Kouji.120", entries)(dir);
  };
}

void ClickHistoryRow(Harness& h, int row1) {
  char c[40];
  std::snprintf(c, sizeof c, "Label_Tenken_Ph_%02d", row1);
  h.view.ClickLabel(c);
}

bool Warned(const Harness& h) {
  return h.session->Notice().find("登録されていません") != std::string::npos;
}

TEST(UnsavedMoves, AMoveOverUnstoredTypingWarnsOnceAndTheRepeatGoes) {
  struct Case {
    const char* what;
    std::function<void(Harness&)> before;  // the record to move from, and any typing
    std::function<void(Harness&)> move;
    std::function<bool(Harness&)> moved;
    const char* named;  // "" when the move goes at once
    bool click;
    // The key that stores what is named, as the screen shown offers it.
    const char* saving = "F1 登録";
  };
  constexpr const char* kF3 = "F3 工事元帳と顧客を登録";
  const auto customerScreen = [](Harness& h) {
    h.session->SwitchScreen(Screen::Customer);
    h.ClickRow(1);
  };
  const auto ledgerAt2 = [](Harness& h) {
    h.session->SwitchScreen(Screen::Ledger);
    h.view.Press(Key::F5);
    h.view.Press(Key::F5);
  };
  // Entry 4 is a copy of entry 3, stored: two entries of C0003 side by side.
  const auto copiedEntry = [](Harness& h) {
    h.session->SwitchScreen(Screen::Ledger);
    h.ClickRow(3);
    h.ClickRow(3);  // the selected row again: the entry on screen becomes a new one
  };
  const auto sameCustomerEntries = [&](Harness& h) {
    copiedEntry(h);
    h.view.Press(Key::F1);
  };
  const auto toRow2 = [](Harness& h) { h.ClickRow(2); };
  const auto atC0002 = [](Harness& h) { return h.s().kokyaku.Trimmed(Kokyaku::Name) == "C0002"; };
  const auto pageDown = [](Harness& h) { h.view.Press(Key::PageDown); };
  const auto onSecondPage = [](Harness& h) { return h.s().tenkenTop > 0; };
  const auto press = [](Key key) { return [key](Harness& h) { h.view.Press(key); }; };
  const auto atEntry = [](int n) { return [n](Harness& h) { return h.s().currentKoujiNo == n; }; };
  const auto atNewCustomer = [](Harness& h) { return h.s().loadedRecNo == 0; };
  const Case cases[] = {
      {"customer row, nothing typed", customerScreen, toRow2, atC0002, "", true},
      {"customer row, a stored customer's telephone still in the edit",
       [&](Harness& h) {
         customerScreen(h);
         h.view.Type("Edit_Kokyaku_Tel", "0123");
       },
       toRow2, atC0002, "顧客", true},
      {"customer row, a new customer's name",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.view.Type("Edit_Kokyaku_Name", "Taro");
       },
       toRow2, atC0002, "顧客", true},
      {"customer row on the slip screen, nothing typed", [](Harness& h) { h.ClickRow(1); }, toRow2,
       atC0002, "", true},
      {"customer row on the slip screen, a new slip's reading",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Type("Edit_Panel_Tenken_Ph", "7.1");
       },
       toRow2, atC0002, "点検伝票", true},
      {"customer row on the ledger screen, a stored entry's amount",
       [&](Harness& h) {
         customerScreen(h);
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Money", "500");
       },
       toRow2, atC0002, "顧客・工事元帳", true, kF3},  // the amount is the customer's too
      {"customer row on the customer screen, a stored entry's amount typed on the ledger",
       [&](Harness& h) {
         customerScreen(h);
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Money", "500");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Customer);
       },
       toRow2, atC0002, "顧客・工事元帳", true, "浄化槽工事登録の画面の F3 工事元帳と顧客を登録"},
      {"customer row on the ledger screen, nothing typed",
       [&](Harness& h) {
         customerScreen(h);
         h.session->SwitchScreen(Screen::Ledger);
       },
       toRow2, atC0002, "", true},
      {"history PageDown, nothing typed", [](Harness& h) { h.ClickRow(1); }, pageDown, onSecondPage,
       "", false},
      {"history PageDown, a new slip's remark",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Type("Edit_Panel_Tenken_Bikou", "x");
       },
       pageDown, onSecondPage, "点検伝票", false},
      {"history PageUp, a stored slip's reading changed",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Press(Key::PageDown);
         h.view.Type("Edit_Panel_Tenken_Ph", "6.5");
       },
       press(Key::PageUp), [](Harness& h) { return h.s().tenkenTop == 0; }, "点検伝票", false},
      {"history PageDown, the customer's typing is not the slip's",
       [&](Harness& h) {
         customerScreen(h);
         h.view.Type("Edit_Kokyaku_Tel", "0123");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Slip);
       },
       pageDown, onSecondPage, "", false},
      {"history row, nothing typed", [](Harness& h) { h.ClickRow(1); },
       [](Harness& h) { ClickHistoryRow(h, 3); }, [](Harness& h) { return h.s().tenkenRow == 2; },
       "", true},
      {"history row, a stored slip's reading changed",
       [](Harness& h) {
         h.ClickRow(1);
         ClickHistoryRow(h, 1);
         h.view.Type("Edit_Panel_Tenken_Ph", "6.5");
       },
       [](Harness& h) { ClickHistoryRow(h, 3); }, [](Harness& h) { return h.s().tenkenRow == 2; },
       "点検伝票", true},
      {"ledger F5, nothing typed", ledgerAt2, press(Key::F5), atEntry(1), "", false},
      {"ledger F5, a stored entry's amount",
       [&](Harness& h) {
         ledgerAt2(h);
         h.view.Type("Edit_Kouji_Money", "500");
       },
       press(Key::F5), atEntry(1), "顧客・工事元帳", false, kF3},
      {"ledger F6, a stored entry's amount",
       [&](Harness& h) {
         ledgerAt2(h);
         h.view.Type("Edit_Kouji_Money", "500");
       },
       press(Key::F6), atEntry(3), "顧客・工事元帳", false, kF3},
      // A page reads the entry's customer from the file and begins a new
      // slip for it, the same customer included: what they hold goes too.
      {"ledger F5, the reading typed on the customer screen",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.ClickRow(3);
         h.view.TypeUtf8("Edit_Kokyaku_Kana", "ｱｲ");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Ledger);
       },
       press(Key::F5), atEntry(2), "顧客", false, kF3},
      {"ledger F6, an inspection month ticked on the customer screen",
       [&](Harness& h) {
         customerScreen(h);
         h.view.ClickBox("CheckBox_Tenken_04");
         h.session->SwitchScreen(Screen::Ledger);
       },
       press(Key::F6), atEntry(2), "顧客", false, kF3},
      {"ledger F5 to an entry of the same customer, the reading typed",
       [&](Harness& h) {
         sameCustomerEntries(h);
         h.session->SwitchScreen(Screen::Customer);
         h.view.TypeUtf8("Edit_Kokyaku_Kana", "ｱｲ");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Ledger);
       },
       press(Key::F5),
       [](Harness& h) {
         return h.s().currentKoujiNo == 3 && h.s().kokyaku.Trimmed(Kokyaku::Kana) == "0003";
       },
       "顧客", false, kF3},
      {"ledger F5 to an entry of the same customer, nothing typed", sameCustomerEntries,
       press(Key::F5), atEntry(3), "", false},
      {"ledger F6, a new slip's reading typed on the slip screen",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Type("Edit_Panel_Tenken_Ph", "7.1");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Ledger);
       },
       press(Key::F6), atEntry(2), "点検伝票", false, "点検伝票登録の画面の F1 登録"},
      // No key of the ledger stores a slip; the slip screen's F1 stores the
      // customer first, the ledger's F1 stores the entry alone.
      {"ledger F6, a slip's reading and the customer's reading",
       [](Harness& h) {
         h.ClickRow(3);
         h.view.Type("Edit_Panel_Tenken_Ph", "7.1");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Customer);
         h.view.TypeUtf8("Edit_Kokyaku_Kana", "ｱｲ");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Ledger);
       },
       press(Key::F5), atEntry(2), "顧客・点検伝票", false, "点検伝票登録の画面の F1 登録"},
      {"ledger F6, a slip's reading and the entry's amount",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Type("Edit_Panel_Tenken_Ph", "7.1");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Money", "500");
       },
       press(Key::F6), atEntry(2), "顧客・点検伝票・工事元帳", false,
       "顧客・点検伝票は点検伝票登録の画面の F1 登録、工事元帳は F1 工事元帳のみ登録"},
      // Renamed, the customer is no longer the stored one of the entry's
      // name: F3 would make a new customer from the entry and drop the rest.
      {"customer row on the ledger screen, the customer renamed on the customer screen",
       [&](Harness& h) {
         customerScreen(h);
         h.view.Type("Edit_Kokyaku_Name", "C0009");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Ledger);
       },
       toRow2, atC0002, "顧客・工事元帳", true,
       "顧客は顧客基本情報の画面の F1 登録、工事元帳は F1 工事元帳のみ登録"},
      // The entry's address is not its customer's: the caret leaving it
      // puts the entry's own value into the customer, which is no typing.
      {"ledger F5, the caret left in an entry's address its customer lacks",
       [&](Harness& h) {
         ledgerAt2(h);
         h.view.Focus("Edit_Kouji_Address");
       },
       press(Key::F5), atEntry(1), "", false},
      // A new entry's typing on the ledger screen is the entry's as well as
      // the customer's; the customer screen's typing is only the customer's.
      {"ledger F5 from the new entry, an amount",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Money", "500");
       },
       press(Key::F5), atEntry(3), "顧客・工事元帳", false, kF3},
      {"ledger F5 from the new entry, an amount typed and emptied again",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Money", "500");
         h.view.Type("Edit_Kouji_Setubisi", "");
         h.view.Type("Edit_Kouji_Money", "");
       },
       press(Key::F5), atEntry(3), "", false},
      {"ledger F5 from the new entry, a new customer's name typed on the customer screen",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.view.Type("Edit_Kokyaku_Name", "Taro");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Ledger);
       },
       press(Key::F5), atEntry(3), "顧客", false,
       "顧客基本情報の画面の F1 登録"},  // F3 would add an entry nobody typed
      {"ledger F5 from a new entry copied from entry 3, nothing typed", copiedEntry, press(Key::F5),
       atEntry(3), "", false},
      {"ledger F5 from a new entry copied from entry 3, its address emptied",
       [&](Harness& h) {
         copiedEntry(h);
         h.view.Type("Edit_Kouji_Address", "");  // the customer has none: only the entry changes
       },
       press(Key::F5), atEntry(3), "工事元帳", false},
      {"customer row on the ledger screen, a copied new entry's address emptied",
       [&](Harness& h) {
         copiedEntry(h);
         h.view.Type("Edit_Kouji_Address", "");
       },
       toRow2, atC0002, "工事元帳", true},
      // The telephone is the entry's field as much as the customer's: the
      // ledger shows it, and paging would put the stored one back.
      {"ledger F5, a telephone typed on the customer screen",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.ClickRow(3);
         h.view.Type("Edit_Kokyaku_Tel", "0123");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Ledger);
       },
       press(Key::F5), atEntry(2), "顧客・工事元帳", false, kF3},
      // F8 追加 empties what it names. On the customer screen the entry
      // counts for what a ledger edit typed in it: this screen's typing
      // reaching its twins is the customer's.
      {"customer F8, a stored customer's telephone, its entry on the ledger",
       [&](Harness& h) {
         customerScreen(h);
         h.view.Type("Edit_Kokyaku_Tel", "0123");
       },
       press(Key::F8), atNewCustomer, "顧客", false},
      {"customer F8, a new slip's reading typed on the slip screen",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Type("Edit_Panel_Tenken_Ph", "7.1");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Customer);
       },
       press(Key::F8), atNewCustomer, "点検伝票", false, "点検伝票登録の画面の F1 登録"},
      {"customer F8, a stored entry's amount typed on the ledger",
       [&](Harness& h) {
         customerScreen(h);
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Money", "500");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Customer);
       },
       press(Key::F8), atNewCustomer, "顧客・工事元帳", false,
       "浄化槽工事登録の画面の F3 工事元帳と顧客を登録"},
      {"slip F8, a new slip's reading",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Type("Edit_Panel_Tenken_Ph", "7.1");
       },
       press(Key::F8), [](Harness& h) { return h.view.Trimmed("Edit_Panel_Tenken_Ph").empty(); },
       "点検伝票", false},
      {"slip F8, a stored slip's reading changed",
       [](Harness& h) {
         h.ClickRow(1);
         ClickHistoryRow(h, 1);
         h.view.Type("Edit_Panel_Tenken_Ph", "6.5");
       },
       press(Key::F8),
       [](Harness& h) { return h.s().currentTenkenNo == h.store->TenkenCount() + 1; }, "点検伝票",
       false},
      {"ledger F8, a stored entry's amount",
       [&](Harness& h) {
         ledgerAt2(h);
         h.view.Type("Edit_Kouji_Money", "500");
       },
       press(Key::F8),
       [](Harness& h) { return h.s().currentKoujiNo == 4 && h.s().loadedRecNo == 0; },
       "顧客・工事元帳", false, kF3},
      {"ledger F8, a new slip's reading typed on the slip screen",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Type("Edit_Panel_Tenken_Ph", "7.1");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Ledger);
       },
       press(Key::F8),
       [](Harness& h) { return h.s().currentKoujiNo == 4 && h.s().loadedRecNo == 0; }, "点検伝票",
       false, "点検伝票登録の画面の F1 登録"},
      // F2 削除 stores the customer as typed (its telephone too): only a
      // slip or an entry typed for it is named.
      {"customer F2, the telephone and a new slip's reading",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Type("Edit_Panel_Tenken_Ph", "7.1");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Customer);
         h.view.Type("Edit_Kokyaku_Tel", "0123");
       },
       press(Key::F2), [](Harness& h) { return h.s().loadedRecNo == 0 && h.Stored(1).Deleted(); },
       "点検伝票", false, "点検伝票登録の画面の F1 登録"},
      {"customer F2, a stored entry's amount typed on the ledger",
       [&](Harness& h) {
         customerScreen(h);
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Money", "500");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Customer);
       },
       press(Key::F2), [](Harness& h) { return h.s().loadedRecNo == 0 && h.Stored(1).Deleted(); },
       "工事元帳", false, "浄化槽工事登録の画面の F1 工事元帳のみ登録"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Harness h(3, Office());
    c.before(h);
    ASSERT_FALSE(c.moved(h));
    ASSERT_FALSE(Warned(h)) << h.session->Notice();
    c.move(h);
    if (*c.named) {
      EXPECT_FALSE(c.moved(h));
      EXPECT_EQ(h.session->Notice(), std::string(c.named) + std::string(kUnstored) + c.saving +
                                         "で保存できます。" +
                                         std::string(c.click ? kAgainClick : kAgainKey));
      c.move(h);
    }
    EXPECT_TRUE(c.moved(h));
    EXPECT_FALSE(Warned(h)) << h.session->Notice();
  }
}

TEST(UnsavedMoves, ANoticeInBetweenMakesTheMoveWarnAgain) {
  Harness h(3, Office());
  h.session->SwitchScreen(Screen::Customer);
  h.ClickRow(1);
  h.view.Type("Edit_Kokyaku_Tel", "0123");
  h.ClickRow(2);
  ASSERT_TRUE(Warned(h));
  h.session->SwitchScreen(Screen::Slip);  // clears the notice
  h.ClickRow(2);
  EXPECT_TRUE(Warned(h));
  EXPECT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Name), "C0001");
  // Stored by F1, the typing no longer holds the move back.
  h.session->SwitchScreen(Screen::Customer);
  h.view.Press(Key::F1);
  h.ClickRow(2);
  EXPECT_EQ(h.s().kokyaku.Trimmed(Kokyaku::Name), "C0002");
  EXPECT_EQ(h.Stored(1).Trimmed(Kokyaku::Tel), "0123");
}

// An office browsed without typing: every customer row on both screens
// that list them, every history page and row, every ledger page both ways,
// F8 追加 after each customer row on the customer screen and after each
// history row, and on the last ledger entry. None of it may warn.
void BrowseWithoutWarning(Harness& h) {
  ASSERT_GT(h.s().SlotCount(), 0);
  int moves = 0;
  const auto check = [&](const std::string& where) {
    ++moves;
    EXPECT_FALSE(Warned(h)) << where << ": " << h.session->Notice();
  };
  for (Screen screen : {Screen::Customer, Screen::Slip}) {
    h.session->SwitchScreen(screen);
    for (int slot = 0; slot <= h.s().SlotCount(); ++slot) {
      while (slot >= h.s().kokyakuPageTop + kListRows) KokyakuPageNext(h.s());
      while (slot < h.s().kokyakuPageTop) KokyakuPageBack(h.s());
      h.ClickRow(slot - h.s().kokyakuPageTop + 1);
      ASSERT_EQ(h.s().currentSlot, slot);
      check("customer slot " + std::to_string(slot));
      if (screen != Screen::Slip) {
        h.view.Press(Key::F8);
        check("customer F8 at slot " + std::to_string(slot));
        continue;
      }
      const int pages =
          (static_cast<int>(h.s().tenkenRireki.size()) + kTenkenRows - 1) / kTenkenRows;
      for (int p = 0; p < pages; ++p) {
        for (int r = 1; r <= kTenkenRows; ++r) {
          ClickHistoryRow(h, r);
          check("history row " + std::to_string(r));
          h.view.Press(Key::F8);
          check("slip F8 after history row " + std::to_string(r));
        }
        h.view.Press(Key::PageDown);
        check("history PageDown");
      }
      for (int p = 0; p < pages; ++p) {
        h.view.Press(Key::PageUp);
        check("history PageUp");
      }
    }
  }
  // On each ledger page the caret goes through every edit, as Enter would
  // take it: leaving an edit stores its value into the entry and the
  // customer, which must not count as typing either.
  h.session->SwitchScreen(Screen::Ledger);
  const auto caretThroughEntry = [&] {
    for (const InputField& f : FindScreen(Screen::Ledger)->fields) {
      if (f.kind != FieldKind::Command) h.view.Focus(f.control);
    }
  };
  const int entries = h.store->KoujiCount();
  ASSERT_GT(entries, 0);
  for (int i = 0; i < entries; ++i) {
    caretThroughEntry();
    h.view.Press(Key::F5);
    check("ledger F5 from " + std::to_string(h.s().currentKoujiNo + 1));
  }
  EXPECT_EQ(h.s().currentKoujiNo, 1);
  for (int i = 0; i < entries; ++i) {
    caretThroughEntry();
    h.view.Press(Key::F6);
    check("ledger F6 from " + std::to_string(h.s().currentKoujiNo - 1));
  }
  EXPECT_EQ(h.s().currentKoujiNo, entries + 1);
  h.view.Press(Key::F5);
  caretThroughEntry();
  h.view.Press(Key::F8);
  check("ledger F8 from " + std::to_string(entries));
  EXPECT_EQ(h.s().loadedRecNo, 0);
  EXPECT_GT(moves, 2 * h.s().SlotCount());
}

TEST(UnsavedMoves, BrowsingAForeignOfficeNeverWarns) {
  Harness h(0, Date{2026, 12, 8}, [](const std::filesystem::path& dir) {
    for (const auto& f : std::filesystem::directory_iterator(
             std::filesystem::path(TANKORA_FOREIGN_DATA) / "Data")) {
      std::filesystem::copy_file(f.path(), dir / f.path().filename(),
                                 std::filesystem::copy_options::overwrite_existing);
    }
  });
  BrowseWithoutWarning(h);
}

TEST(UnsavedMoves, BrowsingTheDemoOfficeNeverWarns) {
  const Date today{2026, 12, 8};
  Harness h(0, today, [&](const std::filesystem::path& dir) {
    DemoOptions options;
    options.today = today;
    ASSERT_TRUE(WriteDemoOffice(dir, options).ok());
  });
  BrowseWithoutWarning(h);
}

}  // namespace
}  // namespace tankora::testing
