// Ordinary keyboard use loses nothing: keys and typing reach only the screen
// in front. Each case types, presses, types again and reads the record file.
#include "shell/screen_def.h"
#include "util/fixed_text.h"
#include "window_fixture.h"

namespace tankora::qttest {
namespace {

class Keyboard : public WindowTest {
 protected:
  // A stored customer 佐藤, chosen in the list, the caret in its name.
  void StoreSatouAndChooseIt() {
    Click("Label_Basic");
    Press(Qt::Key_F8);
    Press(Qt::Key_Return);
    Type(QString::fromUtf8("佐藤"));
    Press(Qt::Key_F1);
    ASSERT_EQ(CustomerCount(), 1);
    Click("Label_Kokyaku_Name_01");
    Press(Qt::Key_Return);
    ASSERT_EQ(Focused(), "Edit_Kokyaku_Name");
  }
};

TEST_F(Keyboard, ScreensWithoutFieldsTakeNoKeysAndNoTyping) {
  StoreSatouAndChooseIt();
  for (const char* tab : {"Label_TenkenListView", "Label_KoujiListView", "Label_BackUp"}) {
    Click(tab);
    EXPECT_EQ(Focused(), kParkedFocus) << tab;
    // Everything a user might try on a screen that offers nothing yet.
    Type(QStringLiteral("X"));
    Press(Qt::Key_F1);
    Press(Qt::Key_F2);
    Press(Qt::Key_Tab);
    Type(QStringLiteral("Y"));
    Press(Qt::Key_Return);
    Press(Qt::Key_F2);
    Press(Qt::Key_F8);
    EXPECT_EQ(Focused(), kParkedFocus) << tab;
    EXPECT_EQ(CustomerCount(), 1) << tab;
    const Record stored = ReadCustomer(1);
    EXPECT_FALSE(stored.Deleted()) << tab;
    EXPECT_EQ(Utf8(TrimBlanks(stored.Get(Kokyaku::Name))), "佐藤") << tab;
    Click("Label_Basic");
    EXPECT_EQ(Txt("Edit_Kokyaku_Name").trimmed(), QString::fromUtf8("佐藤")) << tab;
    Click("Label_Kokyaku_Name_01");
  }
}

}  // namespace
}  // namespace tankora::qttest
