// Pictures of the customer screen and its month panel for docs/screenshots,
// written only when TANKORA_SCREENSHOTS names a folder. The checks here are
// the ones a picture would reveal: Japanese captions drawn with the IPA fonts.
#include <QDir>
#include <QFontInfo>

#include "window_fixture.h"

namespace tankora::qttest {
namespace {

class Screenshots : public WindowTest {};

TEST_F(Screenshots, CaptionsUseTheIpaFonts) {
  const QFontInfo list(W("Label_Kokyaku_Name_01")->font());
  EXPECT_EQ(list.family(), "IPAPGothic");
  const QFontInfo edit(W("Edit_Kokyaku_Name")->font());
  EXPECT_EQ(edit.family(), "IPAPMincho");
}

TEST_F(Screenshots, CustomerScreenAndMonthPanel) {
  const char* out = std::getenv("TANKORA_SCREENSHOTS");
  if (!out || !*out) GTEST_SKIP() << "set TANKORA_SCREENSHOTS=<folder> to write the pictures";
  QDir().mkpath(out);

  // A few customers so the list shows rows, then one being edited.
  const char* names[][2] = {{"ｱｵｷ", "青木浄化槽"}, {"ｲﾄｳ", "伊藤商店"}, {"ｳｴﾀﾞ", "上田 一郎"},
                            {"ｵｵﾉ", "大野建設"},   {"ｶﾄｳ", "加藤 花子"}, {"ｻｻｷ", "佐々木工務店"}};
  // The third one with its details, typed field by field as a user would.
  const char* details[] = {"", "", "123", "4567", "長野県松本市中央１－２－３",
                           "0263-12-3456", "同上", "7", "嫌気ろ床接触ばっ気方式", "22", "4",
                           "1", "22", "5", "20", "22", "6", "1", "1500000", "山田 太郎",
                           "第12345号", "ＴＫ型", "認定第678号", "TK-7"};
  Click("Label_Basic");
  for (auto& n : names) {
    Type(QString::fromUtf8(n[0]));
    Press(Qt::Key_Return);
    Type(QString::fromUtf8(n[1]));
    Press(Qt::Key_Return);
    if (&n == &names[2]) {
      for (std::size_t i = 0; i < std::size(details); ++i) {
        if (*details[i]) Type(QString::fromUtf8(details[i]));
        Press(Qt::Key_Return);
      }
    }
    Press(Qt::Key_F1);
  }
  Click("Label_Kokyaku_Name_03");
  Click("Label_Basic");
  QTest::qWait(300);  // no field still flashing
  window_->grab().save(QDir(out).filePath("customer.png"));

  Click("Label_KokyakuTenkenSyuukinInfo_1");
  for (const char* box : {"CheckBox_Tenken_01", "CheckBox_Tenken_04", "CheckBox_Tenken_07",
                          "CheckBox_Tenken_10", "CheckBox_Syuukin_04", "CheckBox_Syuukin_10"}) {
    ClickBox(box);
  }
  E("Edit_Syukinngaku_04")->setFocus();
  TypeKeys("12000");
  Press(Qt::Key_Return);
  QTest::qWait(300);
  window_->grab().save(QDir(out).filePath("month-panel.png"));
}

}  // namespace
}  // namespace tankora::qttest
