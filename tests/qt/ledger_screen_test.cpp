// The ledger screen through the real widgets: its focus order with the radio
// pair, its mirrors with the customer screen both ways, F3 reaching the
// customer list, and (on request) its picture for docs/screenshots.
#include <QDir>
#include <vector>

#include "window_fixture.h"

namespace tankora::qttest {
namespace {

const std::vector<std::string> kLedgerOrder = {"Edit_Kouji_Name",
                                               "Edit_Kouji_Zip1",
                                               "Edit_Kouji_Zip2",
                                               "Edit_Kouji_Address",
                                               "Edit_Kouji_Tel",
                                               "Edit_Kouji_SekouPlace",
                                               "Edit_Kouji_StartYear",
                                               "Edit_Kouji_StartMonth",
                                               "Edit_Kouji_StartDay",
                                               "Edit_Kouji_EndYear",
                                               "Edit_Kouji_EndMonth",
                                               "Edit_Kouji_EndDay",
                                               "Edit_Kouji_UseStartYear",
                                               "Edit_Kouji_UseStartMonth",
                                               "Edit_Kouji_UseStartDay",
                                               "Edit_Kouji_Money",
                                               "Edit_Kouji_Setubisi",
                                               "Edit_Kouji_KoufuNo",
                                               "Edit_Kouji_Kind_Meisyou",
                                               "Edit_Kouji_Kind_NinteiNo",
                                               "Edit_Kouji_Kind_Katasiki",
                                               "Edit_Kouji_Kind_Syorihouhou",
                                               "Edit_Kouji_Ninsou",
                                               "RadioButton_Kouji_SinyouOnly",
                                               "Edit_Kouji_Youto_1",
                                               "Edit_Kouji_Youto_2",
                                               "Edit_Kouji_Youto_3",
                                               "Edit_Kouji_KanriGyousya",
                                               "Edit_Kouji_SeisouGyousya",
                                               "Edit_Keiyaku_Year",
                                               "Edit_Keiyaku_Month",
                                               "Edit_Keiyaku_Day",
                                               "Edit_Keiyaku_StartYear",
                                               "Edit_Keiyaku_StartMonth",
                                               "Edit_Keiyaku_StartDay",
                                               "Edit_Keiyaku_EndYear",
                                               "Edit_Keiyaku_EndMonth",
                                               "Edit_Keiyaku_EndDay",
                                               "Edit_PanelKouji_CommandChoose"};

class LedgerScreen : public WindowTest {
 protected:
  // The ledger's own lit frames (the customer list keeps its row framed).
  std::vector<std::string> LitFrames() const {
    std::vector<std::string> lit;
    for (auto* s : W("Panel_Kouji")->findChildren<app::FrameShape*>()) {
      if (s->State() == FrameState::Selected) lit.push_back(s->objectName().toStdString());
    }
    return lit;
  }
  void Enter(const char* control, const QString& text) {
    W(control)->setFocus();
    // Number edits take no input method: type their digits as keys.
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
      TypeKeys(text.toLatin1().constData());
    } else {
      Type(text);
    }
    Press(Qt::Key_Return);
  }
};

TEST_F(LedgerScreen, EnterWalksTheFormAndHomeWalksBack) {
  Click("Label_Kouji");
  ASSERT_TRUE(W("Panel_Kouji")->isVisible());
  ASSERT_EQ(Focused(), kLedgerOrder.front());
  for (std::size_t i = 1; i < kLedgerOrder.size(); ++i) {
    Press(Qt::Key_Return);
    ASSERT_EQ(Focused(), kLedgerOrder[i]) << "after Enter in " << kLedgerOrder[i - 1];
    ASSERT_EQ(LitFrames().size(), 1u)
        << kLedgerOrder[i] << ": " << ::testing::PrintToString(LitFrames());
  }
  EXPECT_TRUE(Selected("Shape_MotocyouWrite")) << "the command field shows F1 selected";
  for (std::size_t i = kLedgerOrder.size() - 1; i > 0; --i) {
    Press(Qt::Key_Home);
    ASSERT_EQ(Focused(), kLedgerOrder[i - 1]) << "after Home in " << kLedgerOrder[i];
  }
  Press(Qt::Key_Home);
  EXPECT_EQ(Focused(), "Edit_Kouji_Name") << "Home does nothing in the first field";
  EXPECT_FALSE(B("RadioButton_Kouji_SinyouHaisui")->isChecked()) << "Enter chose nothing";
}

TEST_F(LedgerScreen, TheRadioStepFollowsTheCheckedButtonAndReachesTheCustomer) {
  Click("Label_Kouji");
  ClickBox("RadioButton_Kouji_SinyouHaisui");
  EXPECT_TRUE(B("RadioButton_SinyouHaisui")->isChecked());
  EXPECT_FALSE(B("RadioButton_SinyouOnly")->isChecked());
  W("Edit_Kouji_Youto_1")->setFocus();
  Press(Qt::Key_Home);
  EXPECT_EQ(Focused(), "RadioButton_Kouji_SinyouHaisui");
  W("Edit_Kouji_Ninsou")->setFocus();
  Press(Qt::Key_Return);
  EXPECT_EQ(Focused(), "RadioButton_Kouji_SinyouHaisui");

  // And back from the customer screen.
  Click("Label_Basic");
  ClickBox("RadioButton_SinyouOnly");
  EXPECT_TRUE(B("RadioButton_Kouji_SinyouOnly")->isChecked());
  EXPECT_FALSE(B("RadioButton_Kouji_SinyouHaisui")->isChecked());
  Click("Label_Kouji");
  W("Edit_Kouji_Ninsou")->setFocus();
  Press(Qt::Key_Return);
  EXPECT_EQ(Focused(), "RadioButton_Kouji_SinyouOnly");
}

TEST_F(LedgerScreen, TwinFieldsAreMirroredBothWays) {
  Click("Label_Kouji");
  Enter("Edit_Kouji_Name", QStringLiteral("浄化 太郎"));
  Enter("Edit_Kouji_Address", QStringLiteral("東京都千代田区１－１"));
  W("Edit_Kouji_StartYear")->setFocus();
  TypeKeys("24");
  Press(Qt::Key_Return);
  W("Edit_Kouji_Money")->setFocus();
  TypeKeys("1500000");
  Press(Qt::Key_Return);
  Enter("Edit_Kouji_Kind_Syorihouhou", QStringLiteral("嫌気ろ床"));
  EXPECT_EQ(Txt("Edit_Kokyaku_Name").trimmed(), QStringLiteral("浄化 太郎"));
  EXPECT_EQ(Txt("Edit_Kokyaku_Address").trimmed(), QStringLiteral("東京都千代田区１－１"));
  EXPECT_EQ(Txt("Edit_Kokyaku_StartYear"), QStringLiteral("24"));
  EXPECT_EQ(Txt("Edit_Kokyaku_UkeoiKingaku"), QStringLiteral("   1500000"));
  EXPECT_EQ(Txt("Edit_Kokyaku_Kind_Syorihouhou").trimmed(), QStringLiteral("嫌気ろ床"));
  EXPECT_EQ(Txt("Edit_Kokyaku_Basic_SyoriWay").trimmed(), QStringLiteral("嫌気ろ床"));

  Click("Label_Basic");
  Enter("Edit_Kokyaku_Tel", QStringLiteral("03-1234-5678"));
  Enter("Edit_Kokyaku_Basic_Ninsou", QStringLiteral("7"));
  Click("Label_Kouji");
  EXPECT_EQ(Txt("Edit_Kouji_Tel").trimmed(), QStringLiteral("03-1234-5678"));
  EXPECT_EQ(Txt("Edit_Kouji_Ninsou"), QStringLiteral("  7"));
}

TEST_F(LedgerScreen, F3StoresTheEntryAndSelectsItsNewCustomer) {
  Click("Label_Kouji");
  Enter("Edit_Kouji_Name", QStringLiteral("浄化 太郎"));
  Enter("Edit_Kouji_Address", QStringLiteral("横浜市"));
  Press(Qt::Key_F3);
  EXPECT_EQ(Label("Label_Kouji_ds"), "1");
  EXPECT_EQ(Label("Label_Kouji_rec"), "1");
  EXPECT_EQ(Label("Label_KokyakuDs"), "1");
  EXPECT_EQ(Label("Label_Kokyaku_Name_01").trimmed(), QStringLiteral("浄化 太郎"));
  EXPECT_TRUE(Selected("Shape_Kokyaku_01"));
  ASSERT_EQ(CustomerCount(), 1);
  EXPECT_EQ(Utf8(ReadCustomer(1).Trimmed(Kokyaku::Address)), "横浜市");
  EXPECT_FALSE(W("Label_KoujiDeleteMsg")->isVisible());

  // F2 by its label marks it; the notice shows; F1 brings it back.
  Click("Label_MotocyouDelete");
  EXPECT_TRUE(W("Label_KoujiDeleteMsg")->isVisible());
  Click("Label_MotocyouWrite");
  EXPECT_FALSE(W("Label_KoujiDeleteMsg")->isVisible());
  EXPECT_FALSE(Selected("Shapel_MotocyouDelete"));
}

TEST_F(LedgerScreen, Screenshot) {
  const char* out = std::getenv("TANKORA_SCREENSHOTS");
  if (!out || !*out) GTEST_SKIP() << "set TANKORA_SCREENSHOTS=<folder> to write the picture";
  QDir().mkpath(out);
  Click("Label_Kouji");
  struct Item {
    const char* control;
    const char* text;
  };
  const Item items[] = {
      {"Edit_Kouji_Name", "佐々木 一郎"},
      {"Edit_Kouji_Zip1", "980"},
      {"Edit_Kouji_Zip2", "0811"},
      {"Edit_Kouji_Tel", "022-123-4567"},
      {"Edit_Kouji_Address", "宮城県仙台市青葉区一番町１－２－３"},
      {"Edit_Kouji_SekouPlace", "宮城県仙台市青葉区一番町１－２－３"},
      {"Edit_Kouji_StartYear", "24"},
      {"Edit_Kouji_StartMonth", "4"},
      {"Edit_Kouji_StartDay", "10"},
      {"Edit_Kouji_EndYear", "24"},
      {"Edit_Kouji_EndMonth", "5"},
      {"Edit_Kouji_EndDay", "20"},
      {"Edit_Kouji_UseStartYear", "24"},
      {"Edit_Kouji_UseStartMonth", "6"},
      {"Edit_Kouji_UseStartDay", "1"},
      {"Edit_Kouji_Money", "1850000"},
      {"Edit_Kouji_Setubisi", "高橋 誠"},
      {"Edit_Kouji_KoufuNo", "第12345号"},
      {"Edit_Kouji_Kind_Meisyou", "ＸＹ型合併処理浄化槽"},
      {"Edit_Kouji_Kind_NinteiNo", "国住指第100号"},
      {"Edit_Kouji_Kind_Katasiki", "XY-7"},
      {"Edit_Kouji_Kind_Syorihouhou", "嫌気ろ床接触ばっ気"},
      {"Edit_Kouji_Ninsou", "7"},
      {"Edit_Kouji_Youto_1", "専用住宅  延べ面積 132.5㎡"},
      {"Edit_Kouji_KanriGyousya", "株式会社タンコラ"},
      {"Edit_Kouji_SeisouGyousya", "仙台清掃有限会社"},
      {"Edit_Keiyaku_Year", "24"},
      {"Edit_Keiyaku_Month", "5"},
      {"Edit_Keiyaku_Day", "25"},
      {"Edit_Keiyaku_StartYear", "24"},
      {"Edit_Keiyaku_StartMonth", "6"},
      {"Edit_Keiyaku_StartDay", "1"},
      {"Edit_Keiyaku_EndYear", "25"},
      {"Edit_Keiyaku_EndMonth", "5"},
      {"Edit_Keiyaku_EndDay", "31"},
  };
  for (const Item& item : items) Enter(item.control, QString::fromUtf8(item.text));
  ClickBox("RadioButton_Kouji_SinyouHaisui");
  Press(Qt::Key_F3);
  W("Edit_Kouji_Name")->setFocus();
  window_->grab().save(QDir(out).filePath("ledger.png"));
}

}  // namespace
}  // namespace tankora::qttest
