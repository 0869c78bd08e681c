// The two list screens through the real widgets: their focus orders in every
// view, the company edits reaching the company file and the other screen,
// paging a longer selection, a row click choosing the customer, and the
// screens built only when first opened.
#include <QDir>
#include <fstream>
#include <vector>

#include "app/folder_picker.h"
#include "store/company.h"
#include "store/demo_office.h"
#include "util/fixed_text.h"
#include "window_fixture.h"

namespace tankora::qttest {
namespace {

class ListScreens : public WindowTest {
 protected:
  // Customers C01.. (inspected and collected in October, contracted in
  // October 2012) and `slips` slips of October 2012 going round them; the
  // window reopened on them.
  void Seed(int customers, int slips) {
    {
      std::ofstream k(DataDir() / "Kokyaku.120", std::ios::binary | std::ios::trunc);
      for (int i = 1; i <= customers; ++i) {
        Record c(KokyakuLayout());
        char text[16];
        std::snprintf(text, sizeof text, "%04d", i);
        c.Set(Kokyaku::Kana, text);
        std::snprintf(text, sizeof text, "C%02d", i);
        c.Set(Kokyaku::Name, text);
        c.Set(Kokyaku::TenkenMonths, "         1  ");
        c.Set(Kokyaku::SyuukinMonths, "         1  ");
        c.Set(Kokyaku::Syukinngaku10, "6000");
        c.Set(Kokyaku::KeiyakuYear, "2012");
        c.Set(Kokyaku::KeiyakuMonth, "10");
        k << c.Pack();
      }
      std::ofstream t(DataDir() / "TenkenDenp.120", std::ios::binary | std::ios::trunc);
      for (int n = 1; n <= slips; ++n) {
        Record s(TenkenDenpLayout());
        char text[16];
        std::snprintf(text, sizeof text, "C%02d", (n - 1) % customers + 1);
        s.Set(TenkenDenp::KokyakuName, text);
        s.Set(TenkenDenp::Year, "2012");
        s.Set(TenkenDenp::Month, "10");
        s.Set(TenkenDenp::Day, "1");
        std::snprintf(text, sizeof text, "slip %d", n);
        s.Set(TenkenDenp::Bikou, text);
        t << s.Pack();
      }
    }
    Open();
  }
  std::string Jisya(int field) const {
    Store store(DataDir());
    EXPECT_TRUE(store.Open().ok());
    Record r(JisyaLayout());
    EXPECT_TRUE(store.JisyaFile().ReadRecord(1, r).ok());
    return Utf8(TrimBlanks(r.Get(field)));
  }
  std::string Page(const char* now, const char* all) const {
    return (Label(now) + " / " + Label(all)).toStdString();
  }
};

struct Order {
  const char* tab;
  const char* subTab;  // "" keeps the view in front
  std::vector<std::string> controls;
  bool homeWalksBack;
};

TEST_F(ListScreens, EnterWalksEachViewAndHomeWalksBack) {
  const std::vector<Order> orders = {
      {"Label_TenkenListView",
       "Label_TenkenItiran_01",
       {"Edit_TenkenGeppou_Year", "Edit_TenkenGeppou_Month", "Edit_TenkenGeppou_Day",
        "Edit_TenkenGeppou_Teisyutusaki", "Edit_TenkenGeppou_Address",
        "Edit_TenkenGeppou_KaisyaName", "Edit_TenkenGeppou_Name", "Edit_TenkenGeppou_Tel",
        "Edit_TenkenGeppou_ChooseYear", "Edit_TenkenGeppou_ChooseMonth", "Edit_TenkenList_Command"},
       true},
      {"Label_TenkenListView",
       "Label_TenkenItiran_02",
       {"Edit_TenkenGeppou_Year", "Edit_TenkenGeppou_Month", "Edit_TenkenGeppou_Day",
        "Edit_TenkenGeppou_KokyakuName", "Edit_TenkenGeppou_Address",
        "Edit_TenkenGeppou_KaisyaName", "Edit_TenkenGeppou_Name", "Edit_TenkenGeppou_Tel",
        "Edit_TenkenGeppou_ChooseYear", "Edit_TenkenGeppou_ChooseMonth", "Edit_TenkenList_Command"},
       true},
      {"Label_TenkenListView",
       "Label_TenkenItiran_03",
       {"Edit_TenkenYotei_Month", "Edit_TenkenList_Command"},
       true},
      {"Label_KoujiListView",
       "Label_KoujiItiran_01",
       {"Edit_HosyuKeiyaku_Geppou_Year", "Edit_HosyuKeiyaku_Geppou_Month",
        "Edit_HosyuKeiyaku_Geppou_Day", "Edit_HosyuKeiyaku_Geppou_Teisyutusaki",
        "Edit_HosyuKeiyaku_Geppou_Address", "Edit_HosyuKeiyaku_Geppou_KaisyaName",
        "Edit_HosyuKeiyaku_Geppou_Name", "Edit_HosyuKeiyaku_Geppou_Tel",
        "Edit_HosyuKeiyaku_Geppou_ChooseYear", "Edit_HosyuKeiyaku_Geppou_ChooseMonth",
        "Edit_KeiyakuList_Command"},
       true},
      {"Label_KoujiListView",
       "Label_KoujiItiran_02",
       {"Edit_Kouji_KokyakuEndYear", "Edit_Kouji_KokyakuEndMonth", "Edit_KeiyakuList_Command"},
       true},
      {"Label_KoujiListView",
       "Label_KoujiItiran_03",
       {"Edit_Kouji_SyuukinMonth", "Edit_KeiyakuList_Command"},
       true},
      // The margins: Home does nothing in them; the contract screen's wrap round.
      {"Label_TenkenListView",
       "",
       {"Edit_TopMargine", "Edit_LeftMargine", "Edit_TenkenList_Command"},
       false},
      {"Label_KoujiListView",
       "",
       {"Edit_TopMargine_Kouji", "Edit_LeftMargine_Kouji", "Edit_TopMargine_Kouji"},
       false},
  };
  for (const Order& o : orders) {
    SCOPED_TRACE(o.controls.front());
    Click("Label_Basic");
    Click(o.tab);
    if (*o.subTab) {
      Click(o.subTab);
      // Showing the screen again puts the caret in the view's first edit.
      Click("Label_Basic");
      Click(o.tab);
      EXPECT_EQ(Focused(), o.controls.front());
    } else {
      W(o.controls.front().c_str())->setFocus();
    }
    for (std::size_t i = 1; i < o.controls.size(); ++i) {
      Press(Qt::Key_Return);
      ASSERT_EQ(Focused(), o.controls[i]) << "after Enter in " << o.controls[i - 1];
    }
    if (!o.homeWalksBack) {
      W(o.controls[1].c_str())->setFocus();
      Press(Qt::Key_Home);
      EXPECT_EQ(Focused(), o.controls[1]);
      continue;
    }
    for (std::size_t i = o.controls.size() - 1; i > 0; --i) {
      Press(Qt::Key_Home);
      ASSERT_EQ(Focused(), o.controls[i - 1]) << "after Home in " << o.controls[i];
    }
    Press(Qt::Key_Home);
    EXPECT_EQ(Focused(), o.controls.front()) << "Home does nothing in the first field";
  }
}

TEST_F(ListScreens, CompanyEditsReachTheFileAtOnceAndShowOnBothScreens) {
  Click("Label_TenkenListView");
  W("Edit_TenkenGeppou_KaisyaName")->setFocus();
  Type(QStringLiteral("㈱上毛浄化"));
  Press(Qt::Key_Return);
  EXPECT_EQ(Jisya(Jisya::KaisyaName), "㈱上毛浄化") << "on disk before the window closes";
  EXPECT_EQ(Txt("Edit_HosyuKeiyaku_Geppou_KaisyaName").trimmed(), QStringLiteral("㈱上毛浄化"));

  Click("Label_KoujiListView");
  W("Edit_HosyuKeiyaku_Geppou_Teisyutusaki")->setFocus();
  Type(QStringLiteral("前橋市長 様"));
  W("Edit_TopMargine_Kouji")->setFocus();  // leaving commits as Enter does
  EXPECT_EQ(Jisya(Jisya::Teisyutusaki), "前橋市長 様");
  TypeKeys("5");
  Press(Qt::Key_Return);
  EXPECT_EQ(Txt("Edit_TopMargine"), QStringLiteral(" 5"));
  EXPECT_EQ(Jisya(Jisya::TopMargine), "5");

  // The margins mirror the other way too.
  Click("Label_TenkenListView");
  W("Edit_LeftMargine")->setFocus();
  TypeKeys("12");
  Press(Qt::Key_Return);
  EXPECT_EQ(Txt("Edit_LeftMargine_Kouji"), QStringLiteral("12"));
  EXPECT_EQ(Txt("Edit_TenkenGeppou_Teisyutusaki").trimmed(), QStringLiteral("前橋市長 様"));

  // The per-customer view's name is a search, not the company's addressee.
  Click("Label_TenkenItiran_02");
  W("Edit_TenkenGeppou_KokyakuName")->setFocus();
  Type(QStringLiteral("C01"));
  Press(Qt::Key_Return);
  Click("Label_TenkenItiran_01");
  EXPECT_EQ(Jisya(Jisya::Teisyutusaki), "前橋市長 様");
  EXPECT_EQ(Txt("Edit_TenkenGeppou_Teisyutusaki").trimmed(), QStringLiteral("前橋市長 様"));
}

TEST_F(ListScreens, F6PagesThroughThirtySlipsAndF5PagesBack) {
  Seed(5, 30);
  Click("Label_TenkenListView");
  EXPECT_EQ(Page("Label_TenkenGeppou_NowPage", "Label_TenkenGeppou_AllPage"), "1 / 5");
  EXPECT_EQ(Label("Label_TenkenGeppou_Tekiyou_01").trimmed(), QStringLiteral("slip 1"));
  for (int page = 2; page <= 5; ++page) Press(Qt::Key_F6);
  EXPECT_EQ(Page("Label_TenkenGeppou_NowPage", "Label_TenkenGeppou_AllPage"), "5 / 5");
  EXPECT_EQ(Label("Label_TenkenGeppou_Tekiyou_06").trimmed(), QStringLiteral("slip 30"));
  Press(Qt::Key_F6);
  EXPECT_EQ(Label("Label_TenkenGeppou_Tekiyou_01").trimmed(), QStringLiteral("slip 25"));
  Press(Qt::Key_F5);
  EXPECT_EQ(Page("Label_TenkenGeppou_NowPage", "Label_TenkenGeppou_AllPage"), "4 / 5");
  EXPECT_EQ(Label("Label_TenkenGeppou_Tekiyou_01").trimmed(), QStringLiteral("slip 19"));
  // A new selection starts on page 1.
  Click("Label_TenkenGeppou_ReDisp");
  EXPECT_EQ(Page("Label_TenkenGeppou_NowPage", "Label_TenkenGeppou_AllPage"), "1 / 5");

  Click("Label_KoujiListView");
  Click("Label_KoujiItiran_03");
  EXPECT_EQ(Page("Label464", "Label466"), "1 / 1");
  EXPECT_EQ(Label("Label_SyuukinYotei_Syuukingaku_05").trimmed(), QStringLiteral("6000円"));
  EXPECT_EQ(Label("Label_SyuukinYotei_Syuukingaku_06"), QString());
}

TEST_F(ListScreens, ARowClickChoosesThatCustomerForTheOtherScreens) {
  Seed(3, 0);
  Click("Label_TenkenListView");
  Click("Label_TenkenItiran_03");
  ASSERT_EQ(Label("Label_TenkenYotei_Kokyaku_1_02").trimmed(), QStringLiteral("C02"));
  Click("Label_TenkenYotei_Setti_02");
  EXPECT_TRUE(Selected("Shape_TenkenYotei_Row_02"));
  EXPECT_FALSE(Selected("Shape_TenkenYotei_Row_01"));
  Click("Label_TenkenYotei_Kokyaku_1_05");  // an empty row
  EXPECT_TRUE(Selected("Shape_TenkenYotei_Row_02"));
  Click("Label_Basic");
  EXPECT_EQ(Txt("Edit_Kokyaku_Name").trimmed(), QStringLiteral("C02"));
  EXPECT_TRUE(Selected("Shape_Kokyaku_02"));

  Click("Label_KoujiListView");
  Click("Label_HosyuKeiyaku_Geppou_Place_03");
  Click("Label_Tenken");
  EXPECT_EQ(Txt("Edit_Panel_Tenken_Name").trimmed(), QStringLiteral("C03"));

  // Between a row's labels the click lands on the row's frame, and counts.
  Click("Label_TenkenListView");
  Click("Shape_TenkenYotei_Row_01");
  EXPECT_TRUE(Selected("Shape_TenkenYotei_Row_01"));
  Click("Label_KoujiListView");
  Click("Shape_HosyuKeiyaku_Geppou_Row_02");
  Click("Label_Basic");
  EXPECT_EQ(Txt("Edit_Kokyaku_Name").trimmed(), QStringLiteral("C02"));
}

TEST_F(ListScreens, ScreensNotOpenedYetAreBuiltOnFirstUseWithWhatTheSessionGaveThem) {
  // A stick folder remembered from an earlier session.
  ASSERT_TRUE(QDir(dir_.path()).mkpath("usb/BK"));
  const QString bk = dir_.path() + "/usb/BK";
  ASSERT_TRUE(SaveBackupFolder(DataDir(), bk.toStdString()).ok());
  Seed(5, 30);
  // findChild, not W(): asking the window for a control builds its screen.
  const auto built = [&](const char* name) {
    return window_->findChild<QWidget*>(QString::fromLatin1(name)) != nullptr;
  };
  for (const char* name : {"Edit_TenkenGeppou_ChooseMonth", "Label_TenkenGeppou_Era",
                           "Edit_HosyuKeiyaku_Geppou_KaisyaName", "BackupDirectoryListBox"}) {
    EXPECT_FALSE(built(name)) << name;
  }
  EXPECT_TRUE(built("Edit_Kouji_Name"));

  // Opened for the first time: today's date and era, the month's slips.
  Click("Label_TenkenListView");
  EXPECT_TRUE(built("Edit_TenkenGeppou_ChooseMonth"));
  EXPECT_FALSE(built("Edit_HosyuKeiyaku_Geppou_KaisyaName"));
  EXPECT_EQ(Focused(), "Edit_TenkenGeppou_Year");
  EXPECT_EQ(Txt("Edit_TenkenGeppou_Year"), QStringLiteral("24"));
  EXPECT_EQ(Label("Label_TenkenGeppou_Era"), QStringLiteral("平成"));
  EXPECT_EQ(Txt("Edit_TenkenGeppou_ChooseMonth"), QStringLiteral("10"));
  EXPECT_EQ(Page("Label_TenkenGeppou_NowPage", "Label_TenkenGeppou_AllPage"), "1 / 5");
  // A month typed there selects by it.
  for (int i = 0; i < 12 && Focused() != "Edit_TenkenGeppou_ChooseMonth"; ++i) {
    Press(Qt::Key_Return);
  }
  ASSERT_EQ(Focused(), "Edit_TenkenGeppou_ChooseMonth");
  TypeKeys("9");
  Press(Qt::Key_Return);
  Click("Label_TenkenGeppou_ReDisp");
  EXPECT_EQ(Txt("Edit_TenkenGeppou_ChooseMonth"), QStringLiteral(" 9"));
  EXPECT_EQ(Page("Label_TenkenGeppou_NowPage", "Label_TenkenGeppou_AllPage"), "0 / 0");

  // The company name typed here is on the other list screen when it opens.
  W("Edit_TenkenGeppou_KaisyaName")->setFocus();
  Type(QStringLiteral("㈱上毛浄化"));
  Press(Qt::Key_Return);
  Click("Label_KoujiListView");
  EXPECT_EQ(Focused(), "Edit_HosyuKeiyaku_Geppou_Year");
  EXPECT_EQ(Txt("Edit_HosyuKeiyaku_Geppou_KaisyaName").trimmed(), QStringLiteral("㈱上毛浄化"));
  EXPECT_EQ(Txt("Edit_HosyuKeiyaku_Geppou_Month"), QStringLiteral("10"));

  // The backup screen: the remembered folder, saving to the stick chosen.
  EXPECT_FALSE(built("BackupDirectoryListBox"));
  Click("Label_BackUp");
  EXPECT_EQ(Focused(), "BackupDirectoryListBox");
  EXPECT_EQ(Label("Label_BackupFolder"), bk);
  EXPECT_EQ(qobject_cast<app::FolderList*>(W("BackupDirectoryListBox"))->Folder(), bk);
  EXPECT_TRUE(B("Label_ToUSB_FromPC")->isChecked());
  EXPECT_FALSE(B("Labe_ToPC_FromUSB")->isChecked());
  EXPECT_TRUE(Selected("Shape_ToUSB_FromPC"));
  EXPECT_EQ(Label("Label_PC_KokyakuDs"), QStringLiteral("5"));
  EXPECT_TRUE(window_->view().UnknownNames().isEmpty())
      << window_->view().UnknownNames().values().join(' ').toStdString();
}

TEST_F(ListScreens, AllSixViewsForTheScreenshots) {
  const char* out = std::getenv("TANKORA_SCREENSHOTS");
  if (!out || !*out) GTEST_SKIP() << "set TANKORA_SCREENSHOTS=<folder> to write the pictures";
  QDir().mkpath(out);
  // The demo office, as `tankora demo` writes it, on the fixture's day.
  DemoOptions options;
  options.today = Date{2012, 10, 29};
  const DemoImages office = GenerateDemoOffice(options);
  window_.reset();
  std::ofstream(DataDir() / "Jisya.120", std::ios::binary | std::ios::trunc) << office.jisya;
  std::ofstream(DataDir() / "Kokyaku.120", std::ios::binary | std::ios::trunc) << office.kokyaku;
  std::ofstream(DataDir() / "TenkenDenp.120", std::ios::binary | std::ios::trunc) << office.tenken;
  std::ofstream(DataDir() / "Kouji.120", std::ios::binary | std::ios::trunc) << office.kouji;
  {
    Store sorter(DataDir());
    ASSERT_TRUE(sorter.Open().ok());
    ASSERT_TRUE(sorter.KokyakuSortAndIndex().ok());
  }
  Open();
  // Each view as a user would bring it up: its tab, and a month that has rows.
  struct Shot {
    const char* tab;
    const char* subTab;
    const char* monthEdit;  // "" keeps today's month
    const char* month;
    const char* yearEdit;
    const char* year;
    const char* file;
  } shots[] = {
      {"Label_TenkenListView", "Label_TenkenItiran_01", "", "", "", "", "list-monthly.png"},
      {"Label_TenkenListView", "Label_TenkenItiran_02", "", "", "", "", "list-customer.png"},
      {"Label_TenkenListView", "Label_TenkenItiran_03", "", "", "", "", "list-schedule.png"},
      {"Label_KoujiListView", "Label_KoujiItiran_01", "Edit_HosyuKeiyaku_Geppou_ChooseMonth", "7",
       "", "", "list-contracts.png"},
      {"Label_KoujiListView", "Label_KoujiItiran_02", "Edit_Kouji_KokyakuEndMonth", "1",
       "Edit_Kouji_KokyakuEndYear", "25", "list-contract-end.png"},
      {"Label_KoujiListView", "Label_KoujiItiran_03", "", "", "", "", "list-collection.png"},
  };
  Click("Label_Basic");
  Click("Label_Kokyaku_Name_03");
  for (const Shot& s : shots) {
    Click(s.tab);
    Click(s.subTab);
    for (const auto& [edit, text] : {std::pair{s.yearEdit, s.year}, {s.monthEdit, s.month}}) {
      if (!*edit) continue;
      W(edit)->setFocus();
      E(edit)->selectAll();
      TypeKeys(text);
      Press(Qt::Key_Return);
    }
    if (*s.monthEdit) Press(Qt::Key_Return);  // in the command field: 再表示
    QTest::qWait(100);
    window_->grab().save(QDir(out).filePath(s.file));
  }
}

}  // namespace
}  // namespace tankora::qttest
