// Every focus order of the customer screen walked with real key presses: what
// only the widgets can break (a control that cannot take the focus, a key the
// edit swallows, a frame that stays red, a hidden panel that keeps the focus).
#include <QImage>
#include <vector>

#include "window_fixture.h"

namespace tankora::qttest {
namespace {

const std::vector<std::string> kBasicOrder = {
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
    "Edit_Kokyaku_Keiyaku_EndDay", "Edit_PanelKanri_CommandChoose"};

std::vector<std::string> MonthOrder() {
  std::vector<std::string> order;
  char name[40];
  for (int m = 1; m <= 12; ++m) {
    for (const char* p : {"CheckBox_Tenken_%02d", "CheckBox_Syuukin_%02d", "Edit_Syukinngaku_%02d"}) {
      std::snprintf(name, sizeof name, p, m);
      order.push_back(name);
    }
  }
  return order;
}

class FocusOrder : public WindowTest {
 protected:
  // Field and command frames drawn selected on screen (the list's row
  // frame, red for the selected customer, is not a field's; the backup
  // screen's chosen direction lies on its hidden panel).
  std::vector<std::string> LitFrames() const {
    std::vector<std::string> lit;
    for (auto* s : window_->findChildren<app::FrameShape*>()) {
      const QString n = s->objectName();
      const bool row = n.startsWith("Shape_Kokyaku_") && n.back().isDigit();
      if (s->State() == FrameState::Selected && !row && s->isVisible()) {
        lit.push_back(n.toStdString());
      }
    }
    return lit;
  }
};

TEST_F(FocusOrder, EnterWalksTheBasicPartAndHomeWalksBack) {
  Click("Label_Basic");
  ASSERT_EQ(Focused(), kBasicOrder.front());
  for (std::size_t i = 1; i < kBasicOrder.size(); ++i) {
    Press(Qt::Key_Return);
    ASSERT_EQ(Focused(), kBasicOrder[i]) << "after Enter in " << kBasicOrder[i - 1];
    // Exactly one frame is lit while a field has the focus, none on the
    // command field except the selected command's.
    ASSERT_EQ(LitFrames().size(), 1u) << kBasicOrder[i] << ": " << testing::PrintToString(LitFrames());
  }
  EXPECT_TRUE(Selected("Shape_KokyakuWrite")) << "Enter into the command field selects F1 登録";
  for (std::size_t i = kBasicOrder.size() - 1; i > 0; --i) {
    Press(Qt::Key_Home);
    ASSERT_EQ(Focused(), kBasicOrder[i - 1]) << "after Home in " << kBasicOrder[i];
  }
  Press(Qt::Key_Home);
  EXPECT_EQ(Focused(), "Edit_Kokyaku_Kana") << "Home does nothing in the first field";
}

TEST_F(FocusOrder, MonthPanelWrapsAndHomeLeavesToTheBasicPart) {
  Click("Label_Basic");
  Click("Label_KokyakuTenkenSyuukinInfo_1");
  ASSERT_TRUE(W("Panel_KensinSyuukinMonth")->isVisible());
  const auto order = MonthOrder();
  ASSERT_EQ(Focused(), order.front());
  for (std::size_t i = 1; i < order.size(); ++i) {
    Press(Qt::Key_Return);
    ASSERT_EQ(Focused(), order[i]);
    ASSERT_EQ(LitFrames().size(), 1u) << order[i] << ": " << testing::PrintToString(LitFrames());
  }
  Press(Qt::Key_Return);
  EXPECT_EQ(Focused(), "CheckBox_Tenken_01") << "December's amount wraps to January";
  EXPECT_FALSE(B("CheckBox_Tenken_01")->isChecked()) << "Enter does not toggle a box";
  Press(Qt::Key_Home);
  EXPECT_EQ(Focused(), "CheckBoxGappei");
  // Back again with Enter: into the panel, not into the postcode under it,
  // where the digits typed next would change a field nobody sees.
  const QString zip = Txt("Edit_Kokyaku_Zip1");
  Press(Qt::Key_Return);
  EXPECT_EQ(Focused(), "CheckBox_Tenken_01");
  TypeKeys("123");
  EXPECT_EQ(Txt("Edit_Kokyaku_Zip1"), zip);
  // Tab, the toolkit's own order, does not lead under the panel either.
  Press(Qt::Key_Home);
  ASSERT_EQ(Focused(), "CheckBoxGappei");
  Press(Qt::Key_Tab);
  EXPECT_EQ(Focused(), "CheckBox_Tenken_01");
  EXPECT_EQ(FocusWidget(), W("CheckBox_Tenken_01"));
  TypeKeys("45");
  EXPECT_EQ(Txt("Edit_Kokyaku_Zip1"), zip);
  EXPECT_EQ(LitFrames(), std::vector<std::string>{"Shape_Tenken_01"});
  // With the panel closed the order is the table's again.
  Click("Label_KokyakuBasocInfo_2");
  W("CheckBoxGappei")->setFocus();
  Press(Qt::Key_Return);
  EXPECT_EQ(Focused(), "Edit_Kokyaku_Zip1");
}

// Red pixels on a box's own face, where only a focus mark can put them.
int RedPixels(QWidget* w) {
  const QImage img = w->grab().toImage();
  int red = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
    }
  }
  return red;
}

TEST_F(FocusOrder, TheFocusedOneOfTwoBoxesInAFrameIsMarked) {
  // 単独 and 合併 share one field frame, so the frame cannot tell which one
  // Space would toggle; the box itself has to.
  Click("Label_Basic");
  Press(Qt::Key_Return);
  Press(Qt::Key_Return);
  ASSERT_EQ(Focused(), "CheckBox_Tandoku");
  EXPECT_GT(RedPixels(W("CheckBox_Tandoku")), 20);
  EXPECT_EQ(RedPixels(W("CheckBoxGappei")), 0);
  Press(Qt::Key_Return);
  ASSERT_EQ(Focused(), "CheckBoxGappei");
  EXPECT_EQ(RedPixels(W("CheckBox_Tandoku")), 0);
  EXPECT_GT(RedPixels(W("CheckBoxGappei")), 20);
  Press(Qt::Key_Space);
  EXPECT_TRUE(B("CheckBoxGappei")->isChecked());
  EXPECT_FALSE(B("CheckBox_Tandoku")->isChecked());
}

TEST_F(FocusOrder, RadioStepGoesToTheCheckedButton) {
  Click("Label_Basic");
  ClickBox("RadioButton_SinyouHaisui");
  W("Edit_Kokyaku_Youto_1")->setFocus();
  Press(Qt::Key_Home);
  EXPECT_EQ(Focused(), "RadioButton_SinyouHaisui");
  W("Edit_Kokyaku_Kouji_Ninsou")->setFocus();
  Press(Qt::Key_Return);
  EXPECT_EQ(Focused(), "RadioButton_SinyouHaisui");
}

TEST_F(FocusOrder, HidingThePanelWithTheFocusCommitsAndMovesOnce) {
  Click("Label_Basic");
  Click("Label_KokyakuTenkenSyuukinInfo_1");
  W("Edit_Syukinngaku_03")->setFocus();
  TypeKeys("3000");
  // The panel's own tab hides it while its amount edit has the focus: the
  // amount is committed, and the focus goes to the record part, not to
  // whatever control the toolkit would pick.
  Click("Label_KokyakuBasocInfo_2");
  EXPECT_FALSE(W("Panel_KensinSyuukinMonth")->isVisible());
  EXPECT_EQ(Focused(), "Edit_Kokyaku_Zip1");
  EXPECT_EQ(Txt("Edit_Syukinngaku_03"), "    3000");
  EXPECT_FALSE(Selected("Shape_Syukinngaku_03"));
  EXPECT_EQ(LitFrames(), std::vector<std::string>{"Shape_Kokyaku_Address"});

  // Hidden by itself, the panel leaves no control focused: the toolkit would
  // otherwise hand the focus to the next control of its chain, which the
  // session would then enter and commit.
  Click("Label_KokyakuTenkenSyuukinInfo_1");
  ASSERT_EQ(Focused(), "CheckBox_Tenken_01");
  window_->view().SetVisible("Panel_KensinSyuukinMonth", false);
  EXPECT_EQ(FocusWidget(), nullptr);
  EXPECT_TRUE(Selected("Shape_Tenken_01")) << "the leave is told with the next enter";
  window_->view().Focus("Edit_Kokyaku_Name");
  EXPECT_FALSE(Selected("Shape_Tenken_01"));
  EXPECT_EQ(LitFrames(), std::vector<std::string>{"Shape_Kokyaku_Name"});
}

TEST_F(FocusOrder, FocusByKeyOrCommandSelectsTheWholeText) {
  Click("Label_Basic");
  Press(Qt::Key_Return);  // into the name
  Press(Qt::Key_Return);
  Press(Qt::Key_Return);
  Press(Qt::Key_Return);  // Zip1
  // Through to the start year, type a year, come back with Home, type again.
  for (int i = 0; i < 7; ++i) Press(Qt::Key_Return);
  ASSERT_EQ(Focused(), "Edit_Kokyaku_StartYear");
  TypeKeys("5");
  Press(Qt::Key_Return);
  Press(Qt::Key_Home);
  ASSERT_EQ(Focused(), "Edit_Kokyaku_StartYear");
  EXPECT_EQ(E("Edit_Kokyaku_StartYear")->selectedText(), "5");
  TypeKeys("7");
  EXPECT_EQ(Txt("Edit_Kokyaku_StartYear"), "7") << "typing replaces, it does not append";
}

}  // namespace
}  // namespace tankora::qttest
