// The month panel's line on the statutory inspection interval, as boxes are
// ticked and the tank is described in the real window.
#include <QPalette>

#include "window_fixture.h"

namespace tankora::qttest {
namespace {

class MonthInterval : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Click("Label_Basic");
  }
  void Put(const char* control, const char* utf8) {
    W(control)->setFocus(Qt::MouseFocusReason);
    E(control)->selectAll();
    Type(QString::fromUtf8(utf8));
    Press(Qt::Key_Return);
  }
  QString Line() const { return Label("Label_HouteiKankaku"); }
  bool Red() const {
    return W("Label_HouteiKankaku")->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
  }
};

TEST_F(MonthInterval, TheLineFollowsTheBoxesAndTheTank) {
  // A combined tank of 7 persons treated by 嫌気ろ床接触ばっ気: every 4 months.
  ClickBox("CheckBoxGappei");
  Put("Edit_Kokyaku_Basic_Ninsou", "7");
  Put("Edit_Kokyaku_Basic_SyoriWay", "嫌気ろ床接触ばっ気");
  Click("Label_KokyakuTenkenSyuukinInfo_1");
  ASSERT_TRUE(W("Label_HouteiKankaku")->isVisible());
  EXPECT_EQ(Line(), QString::fromUtf8("法定 4か月に1回以上 — 点検月が計画されていません"));
  EXPECT_TRUE(Red());

  for (const char* box : {"CheckBox_Tenken_01", "CheckBox_Tenken_06", "CheckBox_Tenken_11"}) {
    ClickBox(box);
  }
  EXPECT_EQ(Line(), QString::fromUtf8("法定 4か月に1回以上 — 計画は最大5か月空きます"));
  EXPECT_TRUE(Red());

  // 1, 5 and 9: never more than four months apart.
  for (const char* box :
       {"CheckBox_Tenken_06", "CheckBox_Tenken_11", "CheckBox_Tenken_05", "CheckBox_Tenken_09"}) {
    ClickBox(box);
  }
  EXPECT_EQ(Line(), QString::fromUtf8("法定 4か月に1回以上 ✓"));
  EXPECT_FALSE(Red());
  EXPECT_EQ(Label("Label_TenkenKaisuu").trimmed(), "3");

  // 21 persons need every 3 months; typed on the slip screen, the panel says
  // so when the customer screen is in front again. Nothing is refused.
  Click("Label_Tenken");
  Put("Edit_Panel_Tenken_Ninsou", "21");
  Click("Label_Basic");
  EXPECT_EQ(Line(), QString::fromUtf8("法定 3か月に1回以上 — 計画は最大4か月空きます"));
  EXPECT_TRUE(Red());
  Put("Edit_Kokyaku_Name", "浄化 太郎");
  Press(Qt::Key_F1);
  EXPECT_EQ(ReadCustomer(1).Get(Kokyaku::TenkenMonths), "1   1   1   ");

  // A method the table does not name is no fault.
  ClickBox("CheckBoxGappei");
  Put("Edit_Kokyaku_Basic_SyoriWay", "担体流動生物ろ過");
  Click("Label_KokyakuTenkenSyuukinInfo_1");
  EXPECT_EQ(Line(), QString::fromUtf8("法定の点検回数は判定できません"));
  EXPECT_FALSE(Red());
}

}  // namespace
}  // namespace tankora::qttest
