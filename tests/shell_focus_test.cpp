// Focus orders, command fields, command labels, tabs and start-up.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "fake_view.h"
#include "fault_layer.h"
#include "store/company.h"
#include "shell/screen_def.h"

namespace tankora::testing {
namespace {

const std::vector<std::string> kCustomerOrder = {
    // clang-format off
    "Edit_Kokyaku_Kana", "Edit_Kokyaku_Name", "CheckBox_Tandoku", "CheckBoxGappei",
    "Edit_Kokyaku_Zip1", "Edit_Kokyaku_Zip2", "Edit_Kokyaku_Address", "Edit_Kokyaku_Tel",
    "Edit_Kokyaku_SettiAddress", "Edit_Kokyaku_Basic_Ninsou", "Edit_Kokyaku_Basic_SyoriWay",
    "Edit_Kokyaku_StartYear", "Edit_Kokyaku_StartMonth", "Edit_Kokyaku_StartDay",
    "Edit_Kokyaku_EndYear", "Edit_Kokyaku_EndMonth", "Edit_Kokyaku_EndDay",
    "Edit_Kokyaku_UseStartYear", "Edit_Kokyaku_UseStartMonth", "Edit_Kokyaku_UseStartDay",
    "Edit_Kokyaku_UkeoiKingaku", "Edit_Kokyaku_Setubisi", "Edit_Kokyaku_KoufuNo",
    "Edit_Kokyaku_Kind_Meisyou", "Edit_Kokyaku_Kind_NinteiNo", "Edit_Kokyaku_Kind_Katasiki",
    "Edit_Kokyaku_Kind_Syorihouhou", "Edit_Kokyaku_Kouji_Ninsou", "RadioButton_SinyouOnly",
    "Edit_Kokyaku_Youto_1", "Edit_Kokyaku_Youto_2", "Edit_Kokyaku_Youto_3",
    "Edit_Kokyaku_KanriGyousya", "Edit_Kokyaku_SeisouGyousya", "Edit_Kokyaku_Keiyaku_Year",
    "Edit_Kokyaku_Keiyaku_Month", "Edit_Kokyaku_Keiyaku_Day", "Edit_Kokyaku_Keiyaku_StartYear",
    "Edit_Kokyaku_Keiyaku_StartMonth", "Edit_Kokyaku_Keiyaku_StartDay",
    "Edit_Kokyaku_Keiyaku_EndYear", "Edit_Kokyaku_Keiyaku_EndMonth",
    "Edit_Kokyaku_Keiyaku_EndDay", "Edit_PanelKanri_CommandChoose"
    // clang-format on
};

TEST(ShellFocus, EnterWalksTheCustomerOrderAndHomeWalksBack) {
  Harness h;
  h.session->SwitchScreen(Screen::Customer);
  ASSERT_EQ(h.view.Focused(), kCustomerOrder.front());
  for (std::size_t i = 1; i < kCustomerOrder.size(); ++i) {
    EXPECT_TRUE(h.view.Press(Key::Enter));
    ASSERT_EQ(h.view.Focused(), kCustomerOrder[i]) << "after " << kCustomerOrder[i - 1];
  }
  for (std::size_t i = kCustomerOrder.size() - 1; i > 0; --i) {
    EXPECT_TRUE(h.view.Press(Key::Home));
    ASSERT_EQ(h.view.Focused(), kCustomerOrder[i - 1]);
  }
  EXPECT_FALSE(h.view.Press(Key::Home));  // the first field has no previous one
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Kana");
}

TEST(ShellFocus, RadioStepGoesToTheCheckedButton) {
  Harness h;
  h.session->SwitchScreen(Screen::Customer);
  h.view.checked["RadioButton_SinyouOnly"] = false;
  h.view.checked["RadioButton_SinyouHaisui"] = true;
  h.view.Focus("Edit_Kokyaku_Kouji_Ninsou");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Focused(), "RadioButton_SinyouHaisui");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Youto_1");
  h.view.Press(Key::Home);
  EXPECT_EQ(h.view.Focused(), "RadioButton_SinyouHaisui");
  h.view.Press(Key::Home);
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Kouji_Ninsou");
}

TEST(ShellFocus, MonthPanelOrderWrapsAndHomeLeavesToTheBasicPart) {
  Harness h;
  h.session->SwitchScreen(Screen::Customer);
  h.view.ClickLabel("Label_KokyakuTenkenSyuukinInfo_1");
  EXPECT_TRUE(h.view.visible["Panel_KensinSyuukinMonth"]);
  EXPECT_EQ(h.view.Focused(), "CheckBox_Tenken_01");
  for (int m = 1; m <= 12; ++m) {
    char c[40];
    std::snprintf(c, sizeof c, "CheckBox_Tenken_%02d", m);
    ASSERT_EQ(h.view.Focused(), c);
    h.view.Press(Key::Enter);
    std::snprintf(c, sizeof c, "CheckBox_Syuukin_%02d", m);
    ASSERT_EQ(h.view.Focused(), c);
    h.view.Press(Key::Enter);
    std::snprintf(c, sizeof c, "Edit_Syukinngaku_%02d", m);
    ASSERT_EQ(h.view.Focused(), c);
    h.view.Type(c, std::to_string(m * 1000));
    h.view.Press(Key::Enter);
  }
  EXPECT_EQ(h.view.Focused(), "CheckBox_Tenken_01");
  EXPECT_EQ(h.view.Text("Label_SyuukinnTotal"), "78000");
  EXPECT_EQ(h.s().kokyaku.Get(Kokyaku::Syukinngaku03), "    3000");
  h.view.Press(Key::Home);
  EXPECT_EQ(h.view.Focused(), "CheckBoxGappei");

  h.view.ClickLabel("Label_KokyakuBasocInfo_2");
  EXPECT_FALSE(h.view.visible["Panel_KensinSyuukinMonth"]);
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Zip1");
}

TEST(ShellFocus, CommandFieldRunsTheCommandAtTheCursor) {
  Harness h;
  h.session->SwitchScreen(Screen::Customer);
  h.view.Type("Edit_Kokyaku_Name", "Taro");
  h.view.Focus("Edit_Kokyaku_Keiyaku_EndDay");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Focused(), "Edit_PanelKanri_CommandChoose");
  EXPECT_EQ(h.view.Frame("Shape_KokyakuWrite"), FrameState::Selected);
  EXPECT_EQ(h.view.Frame("Shape_KokyakuDelete"), FrameState::Plain);
  h.view.Press(Key::Home);
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Keiyaku_EndDay");
  // Enter here stores a field, it does not run F1: the bar must not say so.
  EXPECT_EQ(h.view.Frame("Shape_KokyakuWrite"), FrameState::Plain);
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Frame("Shape_KokyakuWrite"), FrameState::Selected);
  h.view.Press(Key::Enter);  // F1 登録 from the command field
  EXPECT_EQ(h.store->KokyakuCount(), 1);
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Kana");
  EXPECT_EQ(h.view.Frame("Shape_KokyakuWrite"), FrameState::Plain);
  EXPECT_EQ(h.s().CursorOf(Screen::Customer), 0);  // the cursor keeps its value
  // Back in the command field the kept cursor is drawn again; a mouse click
  // elsewhere leaves it plain.
  h.view.Focus("Edit_PanelKanri_CommandChoose");
  EXPECT_EQ(h.view.Frame("Shape_KokyakuWrite"), FrameState::Selected);
  h.view.Focus("Edit_Kokyaku_Tel");
  EXPECT_EQ(h.view.Frame("Shape_KokyakuWrite"), FrameState::Plain);
}

// Tab reaches a command field without the Enter that selects its first
// command: it must arrive selected too, or the caret sits where nothing
// shows and Enter does nothing.
TEST(ShellFocus, ACommandFieldReachedOtherwiseThanByEnterSelectsItsFirstCommand) {
  struct Case {
    Screen screen;
    const char *command, *shape;
  };
  for (const Case& c : {Case{Screen::Customer, "Edit_PanelKanri_CommandChoose", "Shape_KokyakuWrite"},
                        Case{Screen::Ledger, "Edit_PanelKouji_CommandChoose", "Shape_MotocyouWrite"}}) {
    SCOPED_TRACE(c.command);
    Harness h;
    h.session->SwitchScreen(c.screen);
    ASSERT_EQ(h.s().CursorOf(c.screen), -1);
    h.view.Focus(c.command);
    EXPECT_EQ(h.view.Frame(c.shape), FrameState::Selected);
    EXPECT_EQ(h.s().CursorOf(c.screen), 0);
  }
}

TEST(ShellFocus, CommandLabelsDrawAsButtons) {
  Harness h;
  h.session->LabelPress("Label_KokyakuNew");
  EXPECT_EQ(h.view.Frame("Shape_KokyakuNew"), FrameState::Selected);
  h.session->LabelRelease("Label_KokyakuNew");  // also when released elsewhere
  EXPECT_EQ(h.view.Frame("Shape_KokyakuNew"), FrameState::Plain);
}

TEST(ShellFocus, InertAndQuitCommands) {
  Harness h;
  h.session->SwitchScreen(Screen::Customer);
  h.view.Type("Edit_Kokyaku_Name", "Taro");
  h.view.Press(Key::F3);
  EXPECT_EQ(h.store->KokyakuCount(), 0);
  EXPECT_FALSE(h.session->QuitRequested());
  EXPECT_FALSE(h.view.Press(Key::F7));
  EXPECT_FALSE(h.session->QuitRequested());
  h.view.Press(Key::F9);
  EXPECT_TRUE(h.session->QuitRequested());
}

TEST(ShellClose, ACloseThatCannotSaveTheCompanyStaysOpenOnce) {
  // Each close tries the save again; after one that failed, the next closes
  // whatever happens. A save that gets through in between starts over.
  using Answer = Session::CloseAnswer;
  struct Case {
    const char* what;
    std::vector<bool> saveWorks;
    std::vector<Answer> answers;
  };
  const Case cases[] = {
      {"fails twice", {false, false}, {Answer::StayOpen, Answer::CloseLosingCompany}},
      {"fails, then works", {false, true}, {Answer::StayOpen, Answer::Close}},
      {"works", {true}, {Answer::Close}},
  };
  for (const Case& c : cases) {
    Harness h;
    for (std::size_t i = 0; i < c.saveWorks.size(); ++i) {
      // Something to save: the company name as typed on a list screen.
      h.s().jisya.Set(Jisya::KaisyaName, "Close " + std::to_string(i));
      testing::ScopedCallHook disk([&](fileio::FileCall call, const std::filesystem::path& p) {
        const bool jisya = p.filename().string().rfind("Jisya.120", 0) == 0;
        return call == fileio::FileCall::Write && jisya && !c.saveWorks[i]
                   ? fileio::CallFault::Fail
                   : fileio::CallFault::None;
      });
      const Answer answer = h.session->CloseRequested();
      EXPECT_EQ(answer, c.answers[i]) << c.what << ", close " << i + 1;
      if (answer == Answer::StayOpen) {
        EXPECT_NE(h.session->Notice().find("もう一度閉じると"), std::string::npos) << c.what;
      }
    }
    Company company(h.store->JisyaFile());
    ASSERT_TRUE(company.Load());
    EXPECT_EQ(TrimBlanks(company.Get(CompanyField::KaisyaName)),
              c.saveWorks.back() ? "Close " + std::to_string(c.saveWorks.size() - 1) : "")
        << c.what;
  }
}

TEST(ShellClose, ACompanyEditThatCannotBeSavedSaysWhatWasNotSaved) {
  Harness h;
  h.s().jisya.Set(Jisya::Tel, "0270-00-0000");
  testing::ScopedCallHook disk([](fileio::FileCall call, const std::filesystem::path& p) {
    return call == fileio::FileCall::Write && p.filename().string().rfind("Jisya.120", 0) == 0
               ? fileio::CallFault::Fail
               : fileio::CallFault::None;
  });
  EXPECT_FALSE(h.session->SaveCompany().ok());
  EXPECT_EQ(h.session->Notice().rfind("会社情報を保存できませんでした: ", 0), 0u)
      << h.session->Notice();
}

TEST(ShellClose, ACloseStoresTheCompanyEditTheCaretIsStillIn) {
  // Closing writes the company record as the list screens show it, the edit
  // being typed in included; typing that is refused keeps the window open
  // once, saying why, and the next close keeps the stored value.
  using Answer = Session::CloseAnswer;
  struct Case {
    Screen screen;
    const char* control;
    const char* typed;  // UTF-8
    std::vector<Answer> answers;
    CompanyField field;
    const char* stored;
  };
  const Case cases[] = {
      {Screen::KeiyakuList, "Edit_HosyuKeiyaku_Geppou_KaisyaName", "有限会社若葉", {Answer::Close},
       CompanyField::KaisyaName, "有限会社若葉"},
      {Screen::TenkenList, "Edit_TenkenGeppou_Teisyutusaki", "前橋市長", {Answer::Close},
       CompanyField::Teisyutusaki, "前橋市長"},
      {Screen::TenkenList, "Edit_TopMargine", "7", {Answer::Close}, CompanyField::TopMargine, "7"},
      {Screen::TenkenList, "Edit_TopMargine", "x", {Answer::StayOpen, Answer::Close},
       CompanyField::TopMargine, ""},
  };
  for (const Case& c : cases) {
    Harness h;
    h.session->SwitchScreen(c.screen);
    h.view.TypeUtf8(c.control, c.typed);
    for (std::size_t i = 0; i < c.answers.size(); ++i) {
      EXPECT_EQ(h.session->CloseRequested(), c.answers[i]) << c.control << ", close " << i + 1;
    }
    if (c.answers.front() == Answer::StayOpen) {
      EXPECT_NE(h.session->Notice().find("受け付けられません"), std::string::npos) << c.control;
    }
    Company company(h.store->JisyaFile());
    ASSERT_TRUE(company.Load());
    EXPECT_EQ(Cp932ToUtf8(TrimBlanks(company.Get(c.field))), c.stored) << c.control;
  }
}

TEST(ShellClose, TypingNoCommandStoredIsNamedOnceBeforeTheWindowCloses) {
  // What each case leaves unstored, then how the window is closed twice.
  using Answer = Session::CloseAnswer;
  struct Case {
    const char* what;
    std::function<void(Harness&)> act;
    const char* named;  // "" when nothing is unstored and the first close closes
    bool byF9;
  };
  const auto onCustomer = [](Harness& h) {
    h.session->SwitchScreen(Screen::Customer);
    h.ClickRow(2);
  };
  const Case cases[] = {
      {"a customer only looked at", [&](Harness& h) { onCustomer(h); }, "", false},
      {"a stored customer's telephone",
       [&](Harness& h) {
         onCustomer(h);
         h.view.Type("Edit_Kokyaku_Tel", "0123");
       },
       "顧客の変更", false},
      {"the same, closed by F9",
       [&](Harness& h) {
         onCustomer(h);
         h.view.Type("Edit_Kokyaku_Tel", "0123");
       },
       "顧客の変更", true},
      {"the same, then F1",
       [&](Harness& h) {
         onCustomer(h);
         h.view.Type("Edit_Kokyaku_Tel", "0123");
         h.view.Press(Key::F1);
       },
       "", false},
      {"warned by a close, then F1, then typed on",
       [&](Harness& h) {
         onCustomer(h);
         h.view.Type("Edit_Kokyaku_Tel", "0123");
         h.session->CloseRequested();
         h.view.Press(Key::F1);
         h.view.Type("Edit_Kokyaku_Tel", "0456");
       },
       "顧客の変更", false},
      {"the same by F9",
       [&](Harness& h) {
         onCustomer(h);
         h.view.Type("Edit_Kokyaku_Tel", "0123");
         h.view.Press(Key::F9);
         h.session->TakeQuitRequest();
         h.session->CloseRequested();
         h.view.Press(Key::F1);
         h.view.Type("Edit_Kokyaku_Tel", "0456");
       },
       "顧客の変更", true},
      {"a new customer's name",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.view.Type("Edit_Kokyaku_Name", "Taro");
       },
       "顧客の変更", false},
      {"a new customer's name, the ledger shown after",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.view.Type("Edit_Kokyaku_Name", "Taro");
         h.session->SwitchScreen(Screen::Ledger);
       },
       "顧客の変更", false},
      {"a new ledger entry's amount, mirrored into the customer",
       [](Harness& h) {
         h.ClickRow(1);
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Money", "500");
       },
       "顧客・工事元帳の変更", false},
      {"a ledger entry alone for an orderer who is no customer",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Name", "Builder");
         h.view.Type("Edit_Kouji_Money", "900");
         h.view.Press(Key::F1);
       },
       "", false},
      {"the same, typed on after F1",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Name", "Builder");
         h.view.Press(Key::F1);
         h.view.Type("Edit_Kouji_Money", "900");
         h.view.Press(Key::Enter);
       },
       "顧客・工事元帳の変更", false},
      // F1 of a list screen prints: the notice names the screen that stores.
      {"a new customer's name, the inspection lists shown after",
       [](Harness& h) {
         h.session->SwitchScreen(Screen::Customer);
         h.view.Type("Edit_Kokyaku_Name", "Taro");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::TenkenList);
       },
       "顧客の変更が登録されていません。顧客基本情報の画面の F1 登録で保存できます。", false},
      {"a new slip's reading, the customer screen shown after",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Type("Edit_Panel_Tenken_Ph", "7.1");
         h.view.Press(Key::Enter);
         h.session->SwitchScreen(Screen::Customer);
       },
       "点検伝票の変更が登録されていません。点検伝票登録の画面の F1 登録で保存できます。", false},
      {"a new slip's reading, still in the edit",
       [](Harness& h) {
         h.ClickRow(1);
         h.view.Type("Edit_Panel_Tenken_Ph", "7.1");
       },
       "点検伝票の変更", false},
      {"a stored ledger entry's amount, mirrored into the customer",
       [](Harness& h) {
         h.ClickRow(1);
         h.session->SwitchScreen(Screen::Ledger);
         h.view.Type("Edit_Kouji_Name", "C0001");
         h.view.Press(Key::F1);
         h.view.Type("Edit_Kouji_Money", "500");
         h.view.Press(Key::Enter);
       },
       "顧客・工事元帳の変更", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Harness h(3);
    c.act(h);
    const auto close = [&] {
      if (c.byF9) {
        h.session->SwitchScreen(Screen::Customer);
        h.view.Press(Key::F9);
        EXPECT_TRUE(h.session->TakeQuitRequest());
      }
      return h.session->CloseRequested();
    };
    if (*c.named) {
      EXPECT_EQ(close(), Answer::StayOpen);
      EXPECT_EQ(h.session->Notice().find(c.named), 0u) << h.session->Notice();
    }
    EXPECT_EQ(close(), Answer::Close);
  }
}

TEST(ShellClose, EachF9AsksToCloseOnce) {
  Harness h;
  h.session->SwitchScreen(Screen::Customer);
  h.view.Focus("Edit_Kokyaku_Name");
  for (int press = 0; press < 2; ++press) {
    h.view.Press(Key::F9);
    EXPECT_TRUE(h.session->TakeQuitRequest()) << press;
    EXPECT_FALSE(h.session->TakeQuitRequest()) << press;
  }
}

TEST(ShellScreens, StartUpShowsTheSlipScreenAndTheNewCustomerRow) {
  Harness h(0, Date{2012, 10, 29});
  EXPECT_EQ(h.session->CurrentScreen(), Screen::Slip);
  EXPECT_TRUE(h.view.visible["Panel_Tenken"]);
  EXPECT_FALSE(h.view.visible["Panel_Kouji"]);
  EXPECT_FALSE(h.view.visible["Panel_BackUp"]);
  EXPECT_TRUE(h.view.tabs["Label_Tenken"]);
  EXPECT_FALSE(h.view.tabs["Label_Basic"]);
  EXPECT_EQ(h.view.Text("Label_KokyakuDs"), "0");
  EXPECT_EQ(h.view.Text("Label_KokyakuChoose_Line"), "1");
  EXPECT_EQ(h.SelectedRow(), 1);
  EXPECT_EQ(h.view.Text("Edit_TenkenGeppou_Year"), "24");
  EXPECT_EQ(h.view.Text("Edit_Kouji_SyuukinMonth"), "10");
  EXPECT_EQ(h.view.Text("Edit_HosyuKeiyaku_Geppou_Day"), "29");
  EXPECT_TRUE(h.view.Checked("RadioButton_SinyouOnly"));
  h.session->WindowActivated();
  EXPECT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Address");
  // The first start leaves every file of the Data folder behind, the backup
  // folder setting of 255 blanks among them.
  std::ifstream setting(h.dir.path() / "BackupFolder.500", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(setting), {}), std::string(255, ' '));
  EXPECT_EQ(h.s().backupFolder, "");
}

TEST(ShellScreens, StartUpReadsTheBackupFolderSetting) {
  Harness h(0, SeedFile("BackupFolder.500", {"/media/usb" + std::string(245, ' ')}));
  EXPECT_EQ(h.s().backupFolder, "/media/usb");
  EXPECT_EQ(h.view.Text("Label_BackupFolder"), "/media/usb");
}

TEST(ShellScreens, TabsSwitchPanelsAndFocusAndTheCurrentTabDoesNothing) {
  Harness h;
  h.view.Focus("Edit_Panel_Tenken_Bikou");
  h.view.ClickLabel("Label_Tenken");
  EXPECT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Bikou");

  h.view.ClickLabel("Label_Basic");
  EXPECT_EQ(h.session->CurrentScreen(), Screen::Customer);
  EXPECT_FALSE(h.view.visible["Panel_Tenken"]);
  EXPECT_TRUE(h.view.tabs["Label_Basic"]);
  EXPECT_FALSE(h.view.tabs["Label_Tenken"]);
  EXPECT_EQ(h.view.Focused(), "Edit_Kokyaku_Kana");

  h.view.ClickLabel("Label_Kouji");
  EXPECT_TRUE(h.view.visible["Panel_Kouji"]);
  EXPECT_EQ(h.view.Focused(), "Edit_Kouji_Name");

  h.view.ClickLabel("Label_TenkenListView");
  EXPECT_TRUE(h.view.visible["Panel_TenkenList"]);
  EXPECT_FALSE(h.view.visible["Panel_Kouji"]);
  EXPECT_EQ(h.view.Focused(), "Edit_TenkenGeppou_Year");

  h.view.ClickLabel("Label_BackUp");
  EXPECT_TRUE(h.view.visible["Panel_BackUp"]);
  EXPECT_EQ(h.view.Focused(), "BackupDirectoryListBox");

  h.view.ClickLabel("Label_Manual");
  EXPECT_EQ(h.view.openedDocument, "Manual/Manual.pdf");
  EXPECT_EQ(h.session->Notice(), "");
}

TEST(ShellScreens, CtrlPageDownAndUpChooseTheNeighbouringTabAsAClickOnItsLabel) {
  // From each screen, the tab to its right and to its left (wrapping round):
  // the key must leave the window as a click on that label leaves it, the
  // value typed last committed by the focus leaving for the new screen.
  using Committed = std::function<std::string_view(Session::State&)>;
  struct Case {
    std::string tab, right, left;
    std::string edit;  // "" where the screen's first control is no edit of a record
    Committed committed;
  };
  const Case cases[] = {
      {"Label_Basic", "Label_Tenken", "Label_BackUp", "Edit_Kokyaku_Address",
       [](Session::State& s) { return s.kokyaku.Get(Kokyaku::Address); }},
      {"Label_Tenken", "Label_Kouji", "Label_Basic", "Edit_Panel_Tenken_Bikou",
       [](Session::State& s) { return s.tenken.Get(TenkenDenp::Bikou); }},
      {"Label_Kouji", "Label_TenkenListView", "Label_Tenken", "Edit_Kouji_Name",
       [](Session::State& s) { return s.kouji.Get(Kouji::Name); }},
      {"Label_TenkenListView", "Label_KoujiListView", "Label_Kouji",
       "Edit_TenkenGeppou_Teisyutusaki",
       [](Session::State& s) { return s.jisya.Get(JisyaFieldOf(CompanyField::Teisyutusaki)); }},
      {"Label_KoujiListView", "Label_BackUp", "Label_TenkenListView", "", {}},
      {"Label_BackUp", "Label_Basic", "Label_KoujiListView", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tab);
    for (const auto& [key, to] : {std::pair{Key::NextScreen, c.right},
                                  std::pair{Key::PreviousScreen, c.left}}) {
      Harness clicked, pressed;
      for (Harness* h : {&clicked, &pressed}) {
        h->view.ClickLabel(c.tab);
        if (!c.edit.empty()) h->view.Type(c.edit, "AB12");
      }
      clicked.view.ClickLabel(to);
      EXPECT_TRUE(pressed.view.Press(key));
      EXPECT_TRUE(pressed.view.tabs[to]);
      EXPECT_FALSE(pressed.view.tabs[c.tab]);
      EXPECT_EQ(pressed.session->CurrentScreen(), clicked.session->CurrentScreen());
      EXPECT_EQ(pressed.view.Focused(), clicked.view.Focused());
      EXPECT_EQ(pressed.view.visible, clicked.view.visible);
      EXPECT_EQ(pressed.view.tabs, clicked.view.tabs);
      if (c.committed) {
        EXPECT_EQ(TrimBlanks(c.committed(pressed.s())), "AB12");
      }
    }
  }
}

TEST(ShellScreens, AManualThatCannotOpenIsToldWithItsPlace) {
  Harness h;
  h.view.documentOpen = DocumentOpen::Missing;
  h.view.ClickLabel("Label_Manual");
  EXPECT_EQ(h.session->Notice(), "マニュアルがありません。/opt/tankora/Manual/Manual.pdf にあるはずです。");
  h.view.documentOpen = DocumentOpen::NoViewer;
  h.view.ClickLabel("Label_Manual");
  EXPECT_NE(h.session->Notice().find("/opt/tankora/Manual/Manual.pdf を開けませんでした"),
            std::string::npos);
}

TEST(ShellScreens, CompanyRecordLoadsIntoBothScreensAndIsSavedBack) {
  TempDataDir dir;
  {
    Store store(dir.path());
    ASSERT_TRUE(store.Open().ok());
    Record r(JisyaLayout());
    ASSERT_TRUE(store.JisyaFile().ReadRecord(1, r).ok());
    r.Set(Jisya::KaisyaName, "ACME");
    r.Set(Jisya::TopMargine, "5");
    ASSERT_TRUE(store.JisyaFile().WriteRecord(1, r).ok());
  }
  Store store(dir.path());
  ASSERT_TRUE(store.Open().ok());
  const EraCalendar eras(Date{2012, 10, 29});
  FakeView view;
  Session session(store, eras, view);
  view.session = &session;
  session.Start();
  EXPECT_EQ(view.Trimmed("Edit_TenkenGeppou_KaisyaName"), "ACME");
  EXPECT_EQ(view.Trimmed("Edit_HosyuKeiyaku_Geppou_KaisyaName"), "ACME");
  EXPECT_EQ(view.Text("Edit_TopMargine_Kouji"), " 5");

  session.state().jisya.Set(Jisya::Name, "Boss");
  ASSERT_TRUE(session.SaveCompany().ok());
  Record back(JisyaLayout());
  ASSERT_TRUE(store.JisyaFile().ReadRecord(1, back).ok());
  EXPECT_EQ(back.Trimmed(Jisya::Name), "Boss");
  EXPECT_EQ(back.Trimmed(Jisya::KaisyaName), "ACME");
}

// A file cut short is named at start-up, before anyone types; the next
// command that succeeds clears the line, so it never names a file whose
// leftover bytes were copied aside meanwhile.
TEST(ShellScreens, TheCutShortNoticeLastsUntilTheNextCommand) {
  const Seeder cutShort = [](const std::filesystem::path& dir) {
    std::ofstream(dir / "Kokyaku.120", std::ios::binary | std::ios::app) << std::string(77, 'x');
  };
  const struct {
    const char* what;
    std::function<void(Harness&)> act;
  } cases[] = {
      {"F1 stores a customer over the leftover bytes",
       [](Harness& h) {
         h.view.Type("Edit_Kokyaku_Name", "NEW");
         h.view.Press(Key::F1);
       }},
      {"F6 with nothing to page", [](Harness& h) { h.view.Press(Key::F6); }},
      {"a row chosen", [](Harness& h) { h.ClickRow(1); }},
  };
  for (const auto& c : cases) {
    Harness h(3, cutShort);
    EXPECT_NE(h.session->Notice().find("Kokyaku.120"), std::string::npos) << c.what;
    EXPECT_EQ(h.view.Text(kNoticeLabel), Sj(h.session->Notice())) << c.what;
    h.session->SwitchScreen(Screen::Customer);
    c.act(h);
    EXPECT_EQ(h.session->Notice(), "") << c.what;
    EXPECT_EQ(h.view.Text(kNoticeLabel), "") << c.what;
  }
}

// A start-up sort that cannot write (a Data folder the user may not write
// in) leaves the list in file order: the notice says so in the office's
// words, and a slip file cut short is still named beside it.
TEST(ShellScreens, AFailedStartUpSortIsSaidWithTheCutShortFile) {
  const struct {
    const char* what;
    bool cutShort;
  } cases[] = {{"slip file whole", false}, {"slip file cut short", true}};
  for (const auto& c : cases) {
    TempDataDir dir;
    std::ofstream(dir.path() / "Kokyaku.120", std::ios::binary)
        << CustomerImage("B", "Baba") << CustomerImage("A", "Aoki");
    if (c.cutShort) std::ofstream(dir.path() / "TenkenDenp.120", std::ios::binary) << "xyz";
    Store store(dir.path());
    Status opened;
    {
      const FaultLayer refused(FaultKind::Fail, 1, CallOn(fileio::FileCall::Open, "Kokyaku.120.tmp"));
      opened = store.Open();
    }
    ASSERT_FALSE(opened.ok()) << c.what;
    const EraCalendar eras(Date{2012, 10, 29});
    FakeView view;
    Session session(store, eras, view);
    view.session = &session;
    session.Start(opened);
    const std::string notice = session.Notice();
    EXPECT_NE(notice.find("読み（かな）の順に並べられませんでした"), std::string::npos) << notice;
    EXPECT_NE(notice.find("Kokyaku.120.tmp"), std::string::npos) << notice;
    EXPECT_EQ(notice.find("TenkenDenp.120") != std::string::npos, c.cutShort) << notice;
  }
}

}  // namespace
}  // namespace tankora::testing
