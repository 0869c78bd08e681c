// F1 印刷 on the two list screens: each of the six views prints its report as
// a PDF (no printer here, TANKORA_PRINT=pdf), the notice line says where it
// went, and a refused month or an empty month says so and writes nothing.
#include <QDir>
#include <QRegularExpression>
#include <QProcess>
#include <fstream>

#include "window_fixture.h"

namespace tankora::qttest {
namespace {

class ListPrint : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pdfs_.isValid());
    qputenv("TANKORA_PRINT", "pdf");
    qputenv("TANKORA_PRINT_DIR", pdfs_.path().toUtf8());
    // 13 customers inspected and paying in October, contracted in October
    // 2012 for a period ending in March 2013, each with an October slip.
    std::filesystem::create_directories(DataDir());
    {
      std::ofstream k(DataDir() / "Kokyaku.120", std::ios::binary | std::ios::trunc);
      std::ofstream t(DataDir() / "TenkenDenp.120", std::ios::binary | std::ios::trunc);
      for (int i = 1; i <= 13; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "C%02d", i);
        Record c(KokyakuLayout());
        c.Set(Kokyaku::Kana, std::string(4, static_cast<char>('A' + i)));
        c.Set(Kokyaku::Name, name);
        c.Set(Kokyaku::TenkenMonths, "         1  ");
        c.Set(Kokyaku::SyuukinMonths, "         1  ");
        c.Set(Kokyaku::Syukinngaku10, "6000");
        c.Set(Kokyaku::KeiyakuYear, "2012");
        c.Set(Kokyaku::KeiyakuMonth, "10");
        c.Set(Kokyaku::KeiyakuEndYear, "2013");
        c.Set(Kokyaku::KeiyakuEndMonth, "3");
        k << c.Pack();
        Record s(TenkenDenpLayout());
        s.Set(TenkenDenp::KokyakuName, name);
        s.Set(TenkenDenp::Year, "2012");
        s.Set(TenkenDenp::Month, "10");
        s.Set(TenkenDenp::Day, "1");
        t << s.Pack();
      }
    }
    Open();
  }
  void TearDown() override {
    WindowTest::TearDown();
    qunsetenv("TANKORA_PRINT");
    qunsetenv("TANKORA_PRINT_DIR");
  }

  void Set(const char* edit, const char* text) {
    W(edit)->setFocus();
    E(edit)->selectAll();
    Type(QString::fromUtf8(text));
    Press(Qt::Key_Return);
  }
  // The notice line is red for what failed or was refused, black for a print that went out.
  bool NoticeRed() {
    return W("Label_Notice")->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
  }
  QString Pdf(const char* name) const { return pdfs_.path() + "/" + QString::fromUtf8(name); }
  static int Pages(const QString& pdf) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(30000);
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
  }

  QTemporaryDir pdfs_;
};

struct ViewCase {
  const char* tab;
  const char* subTab;
  const char* f1;
  const char* file;
  int pages;
};

TEST_F(ListPrint, EachViewPrintsItsReport) {
  const ViewCase cases[] = {
      {"Label_TenkenListView", "Label_TenkenItiran_01", "Label_TenkenItiran_F1",
       "浄化槽保守点検月報_2012-10.pdf", 2},
      {"Label_TenkenListView", "Label_TenkenItiran_03", "Label_TenkenItiran_F1",
       "浄化槽保守点検実施予定_10月.pdf", 1},
      {"Label_KoujiListView", "Label_KoujiItiran_01", "Label_Panel_KeiyakuList_Print",
       "浄化槽保守点検契約月報_2012-10.pdf", 2},
      {"Label_KoujiListView", "Label_KoujiItiran_03", "Label_Panel_KeiyakuList_Print",
       "浄化槽保守点検集金予定_10月.pdf", 2},
  };
  for (const ViewCase& c : cases) {
    SCOPED_TRACE(c.file);
    Click(c.tab);
    Click(c.subTab);
    Click(c.f1);
    EXPECT_EQ(Label("Label_Notice"), "PDFを保存しました: " + Pdf(c.file));
    EXPECT_FALSE(NoticeRed());
    EXPECT_EQ(Pages(Pdf(c.file)), c.pages);
  }

  // The contract end view prints the month typed there.
  Click("Label_KoujiItiran_02");
  Set("Edit_Kouji_KokyakuEndYear", "25");
  Set("Edit_Kouji_KokyakuEndMonth", "3");
  Click("Label_Panel_KeiyakuList_Print");
  EXPECT_EQ(Pages(Pdf("浄化槽保守点検契約終了月報_2013-03.pdf")), 2);

  // One customer's slips: the customer typed into the view's name edit.
  Click("Label_TenkenListView");
  Click("Label_TenkenItiran_02");
  Set("Edit_TenkenGeppou_KokyakuName", "C07");
  Click("Label_TenkenItiran_F1");
  EXPECT_EQ(Label("Label_Notice"), "PDFを保存しました: " + Pdf("顧客別浄化槽保守点検一覧_C07.pdf"));
}

TEST_F(ListPrint, RefusedAndEmptyMonthsSaySoAndWriteNothing) {
  Click("Label_TenkenListView");
  Click("Label_TenkenItiran_01");
  Set("Edit_TenkenGeppou_ChooseMonth", "13");
  Click("Label_TenkenItiran_F1");
  EXPECT_EQ(Label("Label_Notice"), "月は1から12までを指定してください");
  EXPECT_TRUE(NoticeRed());
  Set("Edit_TenkenGeppou_ChooseMonth", "9");
  Click("Label_TenkenItiran_F1");
  EXPECT_EQ(Label("Label_Notice"), "該当するデータがありません");
  EXPECT_TRUE(NoticeRed());
  Set("Edit_TenkenGeppou_ChooseYear", "19");  // 2007: five years back
  Set("Edit_TenkenGeppou_ChooseMonth", "10");
  Click("Label_TenkenItiran_F1");
  EXPECT_EQ(Label("Label_Notice"), "年は平成20年から平成25年までを指定してください");
  EXPECT_TRUE(QDir(pdfs_.path()).isEmpty());
}

}  // namespace
}  // namespace tankora::qttest
