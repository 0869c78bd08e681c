// Ordinary keyboard use loses nothing: keys and typing reach only the screen
// in front. Each case types, presses, types again and reads the record file.
#include <set>

#include "shell/input_field.h"
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
  Record ReadKouji(int n) const {
    Store store(DataDir());
    EXPECT_TRUE(store.Open().ok());
    Record r(KoujiLayout());
    EXPECT_TRUE(store.KoujiFile().ReadRecord(n, r).ok());
    return r;
  }
  static std::string Trimmed(const Record& r, int field) { return Utf8(TrimBlanks(r.Get(field))); }
};

// A command that leaves the caret where it was (nothing to page, an entry
// stored in place, nothing to delete) must not leave the field refusing the
// next characters: they replace its text, as in a field just arrived in.
TEST_F(Keyboard, TypingGoesOnAfterACommandThatKeepsTheFocus) {
  const struct {
    const char* tab;
    Qt::Key key;
    const char* name;
  } cases[] = {
      {"Label_Basic", Qt::Key_F5, "F5"}, {"Label_Basic", Qt::Key_F6, "F6"},
      {"Label_Kouji", Qt::Key_F1, "F1"}, {"Label_Kouji", Qt::Key_F2, "F2"},
      {"Label_Kouji", Qt::Key_F5, "F5"}, {"Label_Kouji", Qt::Key_F6, "F6"},
  };
  for (const auto& c : cases) {
    window_.reset();  // an empty office again
    std::filesystem::remove(DataDir() / "Kokyaku.120");
    std::filesystem::remove(DataDir() / "Kouji.120");
    Open();
    Click(c.tab);
    const bool ledger = std::string_view(c.tab) == "Label_Kouji";
    Press(Qt::Key_F8);
    if (ledger) {
      Type(QString::fromUtf8("工藤"));
      for (int i = 0; i < 3; ++i) Press(Qt::Key_Return);
    } else {
      Press(Qt::Key_Return);
    }
    const std::string field = Focused();
    ASSERT_EQ(field, ledger ? "Edit_Kouji_Address" : "Edit_Kokyaku_Name");
    Type(QString::fromUtf8("東京"));
    Press(c.key);
    ASSERT_EQ(Focused(), field) << c.tab << " " << c.name;
    EXPECT_EQ(E(field.c_str())->selectedText(), QString::fromUtf8("東京"))
        << c.tab << " " << c.name;
    Type(QString::fromUtf8("都"));
    Press(Qt::Key_F1);
    if (ledger) {
      EXPECT_EQ(Trimmed(ReadKouji(1), Kouji::Address), "都") << c.tab << " " << c.name;
    } else {
      EXPECT_EQ(Trimmed(ReadCustomer(1), Kokyaku::Name), "都") << c.tab << " " << c.name;
    }
  }
}

TEST_F(Keyboard, ListScreensNeverChangeTheCustomerUnderThem) {
  StoreSatouAndChooseIt();
  // The list screens take keys in their own parameter edits. (The backup
  // screen has fields of its own: tests/qt/backup_screen_test.cpp.)
  struct Case {
    const char* tab;
    const char* first;
  } cases[] = {{"Label_TenkenListView", "Edit_TenkenGeppou_Year"},
               {"Label_KoujiListView", "Edit_HosyuKeiyaku_Geppou_Year"}};
  for (const auto& [tab, first] : cases) {
    Click(tab);
    EXPECT_EQ(Focused(), first) << tab;
    // Everything a user might try; none of it reaches the customer screen.
    Type(QStringLiteral("X"));
    Press(Qt::Key_F1);
    Press(Qt::Key_F2);
    Press(Qt::Key_Tab);
    Type(QStringLiteral("Y"));
    Press(Qt::Key_Return);
    Press(Qt::Key_F2);
    Press(Qt::Key_F8);
    EXPECT_EQ(CustomerCount(), 1) << tab;
    const Record stored = ReadCustomer(1);
    EXPECT_FALSE(stored.Deleted()) << tab;
    EXPECT_EQ(Trimmed(stored, Kokyaku::Name), "佐藤") << tab;
    Click("Label_Basic");
    EXPECT_EQ(Txt("Edit_Kokyaku_Name").trimmed(), QString::fromUtf8("佐藤")) << tab;
    Click("Label_Kokyaku_Name_01");
  }
}

// Tab, the toolkit's order, stops only where the clerk sees the caret: an
// edit with width, a box, or a command field (its command framed, Enter runs
// it). The list's zero-width resting place is no stop: nothing shows there,
// and what is typed goes nowhere without a word.
TEST_F(Keyboard, TabNeverRestsInAnInvisibleEdit) {
  StoreSatouAndChooseIt();
  for (const char* tab : {"Label_Basic", "Label_Tenken", "Label_Kouji"}) {
    Click(tab);
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
      Press(Qt::Key_Tab);
      QWidget* w = FocusWidget();
      ASSERT_NE(w, nullptr) << tab;
      const std::string name = w->objectName().toStdString();
      if (!seen.insert(name).second) break;  // round the chain once
      if (qobject_cast<QLineEdit*>(w) && w->width() == 0) {
        const InputField* f = FindField(name);
        EXPECT_TRUE(f && f->kind == FieldKind::Command) << tab << ": Tab rests in " << name;
      }
    }
  }
}

// The reading takes kana only (a kanji reading would sort before every kana
// one); telephone numbers and numbers take half-width characters, full-width
// digits, letters and 「－」 converted. What is refused never reaches the file.
TEST_F(Keyboard, InputModesHoldEachFieldToItsCharacters) {
  const struct {
    const char* control;
    int field;
    const char* typed[2];  // typed, Enter, typed again
    const char* stored;
  } cases[] = {
      {"Edit_Kokyaku_Kana", Kokyaku::Kana, {"山田", "山やま"}, "ﾔﾏ"},
      {"Edit_Kokyaku_Kana", Kokyaku::Kana, {"ABC", "Aヤ ダ"}, "ﾔ ﾀﾞ"},
      {"Edit_Kokyaku_Tel", Kokyaku::Tel, {"０３－１２", "電話03-12ｱ"}, "03-12"},
      {"Edit_Kokyaku_Zip1", Kokyaku::Zip1, {"〒１２", "〒１２３"}, "123"},
      {"Edit_Kokyaku_Basic_Ninsou", Kokyaku::Ninsou, {"５人", "７人槽"}, "7"},
      {"Edit_Kokyaku_UkeoiKingaku",
       Kokyaku::UkeoiKingaku,
       {"１，０００円", "２，５００円"},
       "2,500"},
      {"Edit_Kokyaku_StartMonth", Kokyaku::StartMonth, {"４月", "月１"}, "1"},
  };
  for (const auto& c : cases) {
    window_.reset();
    std::filesystem::remove(DataDir() / "Kokyaku.120");
    Open();
    Click("Label_Basic");
    E("Edit_Kokyaku_Name")->setFocus();
    Type(QString::fromUtf8("山田"));
    E(c.control)->setFocus();
    Type(QString::fromUtf8(c.typed[0]));
    Press(Qt::Key_Return);
    E(c.control)->setFocus();
    E(c.control)->selectAll();
    Type(QString::fromUtf8(c.typed[1]));
    Press(Qt::Key_F1);
    ASSERT_EQ(CustomerCount(), 1) << c.control;
    const QString stored = QString::fromStdString(Trimmed(ReadCustomer(1), c.field));
    EXPECT_EQ(stored.trimmed().toStdString(), c.stored)
        << c.control << " " << c.typed[0] << " / " << c.typed[1];
  }
}

}  // namespace
}  // namespace tankora::qttest
