// Commit rules as the user meets them: typed into the real edits, confirmed
// with Enter or by leaving, stored by F1 登録 and read back from the file.
#include <utility>

#include "shell/screen_def.h"
#include "window_fixture.h"

namespace tankora::qttest {
namespace {

class Commit : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Click("Label_Basic");
    ASSERT_EQ(Focused(), "Edit_Kokyaku_Kana");
  }
  // Types into a control after giving it the focus by the mouse's route.
  void Put(const char* control, const QString& text) {
    W(control)->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(Focused(), control);
    Type(text);
  }
  // Stores the customer being edited (with a name so F1 acts) and reads it back.
  Record Store1() {
    Put("Edit_Kokyaku_Name", QString::fromUtf8("浄化 太郎"));
    Press(Qt::Key_F1);
    EXPECT_EQ(CustomerCount(), 1);
    return ReadCustomer(1);
  }
};

TEST_F(Commit, YearMonthAndDayPartsOnEnter) {
  // Today is 平成24年: 1..34 (ten years on) are years of the era; anything
  // else is refused and the year stays as it was, blank here.
  const struct {
    const char* edit;
    const char* typed;
    const char* shown;
  } cases[] = {
      {"Edit_Kokyaku_StartYear", "5", " 5"},    {"Edit_Kokyaku_EndYear", "35", "  "},
      {"Edit_Kokyaku_UseStartYear", "0", "  "}, {"Edit_Kokyaku_Keiyaku_Year", "25", "25"},
      {"Edit_Kokyaku_StartMonth", "13", "  "},  {"Edit_Kokyaku_EndMonth", "2", " 2"},
      {"Edit_Kokyaku_StartDay", "32", "  "},    {"Edit_Kokyaku_EndDay", "29", "29"},
      {"Edit_Kokyaku_UseStartDay", "02", "02"},
  };
  for (const auto& c : cases) {
    Put(c.edit, QString::fromLatin1(c.typed));
    Press(Qt::Key_Return);
    EXPECT_EQ(Txt(c.edit).toStdString(), c.shown) << c.edit << " typed " << c.typed;
  }
  const Record r = Store1();
  EXPECT_EQ(r.Get(Kokyaku::StartYear), "1993");
  EXPECT_EQ(r.Get(Kokyaku::EndYear), "    ");
  EXPECT_EQ(r.Get(Kokyaku::UseStartYear), "    ");
  EXPECT_EQ(r.Get(Kokyaku::KeiyakuYear), "2013");
  EXPECT_EQ(r.Get(Kokyaku::StartMonth), "  ");
  EXPECT_EQ(r.Get(Kokyaku::EndMonth), " 2");
  EXPECT_EQ(r.Get(Kokyaku::StartDay), "  ");
  // 29 February without a year may be a leap day (31 would be refused by F1).
  EXPECT_EQ(r.Get(Kokyaku::EndDay), "29");
  EXPECT_EQ(r.Get(Kokyaku::UseStartDay), "02");
}

TEST_F(Commit, LeavingByTheMouseCommitsOnceAsEnterDoes) {
  Put("Edit_Kokyaku_StartYear", "7");
  W("Edit_Kokyaku_StartMonth")->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(Txt("Edit_Kokyaku_StartYear"), " 7");
  EXPECT_FALSE(Selected("Shape_Kokyaku_Date") && Focused() != "Edit_Kokyaku_StartMonth");
  EXPECT_EQ(Store1().Get(Kokyaku::StartYear), "1995");
}

TEST_F(Commit, AmountsAndCountsAreRightAlignedOrBlank) {
  Put("Edit_Kokyaku_UkeoiKingaku", "1500000");
  Press(Qt::Key_Return);
  EXPECT_EQ(Txt("Edit_Kokyaku_UkeoiKingaku"), "   1500000");
  Put("Edit_Kokyaku_Basic_Ninsou", "0");
  Press(Qt::Key_Return);
  EXPECT_EQ(Txt("Edit_Kokyaku_Basic_Ninsou"), "   ");
  const Record r = Store1();
  EXPECT_EQ(r.Get(Kokyaku::UkeoiKingaku), "   1500000");
  EXPECT_EQ(r.Get(Kokyaku::Ninsou), "   ");
}

TEST_F(Commit, MirrorsShowTheCommittedTextAtOnce) {
  Put("Edit_Kokyaku_Basic_Ninsou", "7");
  Press(Qt::Key_Return);
  EXPECT_EQ(Txt("Edit_Kokyaku_Kouji_Ninsou"), "  7");
  Put("Edit_Kokyaku_Kind_Syorihouhou", QString::fromUtf8("嫌気ろ床"));
  W("Edit_Kokyaku_Name")->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(Txt("Edit_Kokyaku_Basic_SyoriWay").trimmed(), QString::fromUtf8("嫌気ろ床"));
}

TEST_F(Commit, RadioPairAndCheckBoxesStoreTheirFlags) {
  ClickBox("CheckBox_Tandoku");
  ClickBox("RadioButton_SinyouHaisui");
  EXPECT_FALSE(B("RadioButton_SinyouOnly")->isChecked());
  Record r = Store1();
  EXPECT_EQ(r.Get(Kokyaku::Tandoku), "1");
  EXPECT_EQ(r.Get(Kokyaku::Gappei), " ");
  EXPECT_EQ(r.Get(Kokyaku::Sinyou), "1");

  // After F1 the screen is empty again with "し尿のみ" checked; Enter on the
  // other button stores its value though it was not clicked.
  EXPECT_TRUE(B("RadioButton_SinyouOnly")->isChecked());
  W("RadioButton_SinyouHaisui")->setFocus();
  Press(Qt::Key_Return);
  EXPECT_TRUE(B("RadioButton_SinyouHaisui")->isChecked());
  EXPECT_FALSE(B("RadioButton_SinyouOnly")->isChecked());
}

TEST_F(Commit, MonthBoxesAndAmountsOnThePanel) {
  Click("Label_KokyakuTenkenSyuukinInfo_1");
  for (const char* box : {"CheckBox_Tenken_01", "CheckBox_Tenken_04", "CheckBox_Tenken_07",
                          "CheckBox_Tenken_10", "CheckBox_Syuukin_12"}) {
    ClickBox(box);
  }
  EXPECT_EQ(Label("Label_TenkenKaisuu").trimmed(), "4");
  EXPECT_EQ(Label("Label_SyuukinKaisuu").trimmed(), "1");
  Put("Edit_Syukinngaku_12", "3000");
  Press(Qt::Key_Return);
  const Record r = Store1();
  EXPECT_EQ(r.Get(Kokyaku::TenkenMonths), "1  1  1  1  ");
  EXPECT_EQ(r.Get(Kokyaku::SyuukinMonths), "           1");
  EXPECT_EQ(r.Get(Kokyaku::Syukinngaku12), "    3000");
}

TEST_F(Commit, FunctionKeyCommitsTheFocusedFieldFirst) {
  Put("Edit_Kokyaku_Kana", QString::fromUtf8("ｱｲｳ"));
  Press(Qt::Key_Return);
  Type(QString::fromUtf8("浄化槽"));  // the name, not confirmed by Enter
  Press(Qt::Key_F1);
  ASSERT_EQ(CustomerCount(), 1);
  const Record r = ReadCustomer(1);
  EXPECT_EQ(Utf8(r.Get(Kokyaku::Name)), "浄化槽              ");
  EXPECT_EQ(Utf8(r.Get(Kokyaku::Kana)), "ｱｲｳ ");
  EXPECT_EQ(Focused(), "Edit_Kokyaku_Kana") << "the screen is emptied for the next customer";
  EXPECT_EQ(Txt("Edit_Kokyaku_Name"), "");
}

TEST_F(Commit, LabelClickCommitsTheFocusedFieldFirst) {
  Put("Edit_Kokyaku_Name", QString::fromUtf8("浄化槽"));
  Put("Edit_Kokyaku_Tel", "0263");  // typed, not confirmed, still focused
  Click("Label_KokyakuWrite");
  ASSERT_EQ(CustomerCount(), 1);
  EXPECT_EQ(ReadCustomer(1).Get(Kokyaku::Tel), "0263          ");
  EXPECT_FALSE(Selected("Shape_KokyakuWrite")) << "released: the frame is plain again";
}

TEST_F(Commit, ReadingFieldTakesHalfWidthKatakana) {
  Type(QString::fromUtf8("かとう"));
  EXPECT_EQ(Txt("Edit_Kokyaku_Kana"), QString::fromUtf8("ｶﾄｳ"));
  E("Edit_Kokyaku_Kana")->clear();
  Type(QString::fromUtf8("ガッコウ"));  // ｶﾞｯｺｳ is five bytes: the field holds four
  EXPECT_EQ(Txt("Edit_Kokyaku_Kana"), QString::fromUtf8("ｶﾞｯｺ"));
  EXPECT_TRUE(E("Edit_Kokyaku_Kana")->Flashing());
  Press(Qt::Key_Return);
  EXPECT_EQ(Utf8(Store1().Get(Kokyaku::Kana)), "ｶﾞｯｺ");
}

TEST_F(Commit, NumberEditsTakeHalfWidthWithTheInputMethodOff) {
  EXPECT_FALSE(W("Edit_Kokyaku_StartYear")->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_FALSE(W("Edit_Kokyaku_Tel")->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_TRUE(W("Edit_Kokyaku_Name")->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_TRUE(W("Edit_Kokyaku_Kana")->testAttribute(Qt::WA_InputMethodEnabled));
  Put("Edit_Kokyaku_Tel", QString::fromUtf8("０１２３－４５"));
  EXPECT_EQ(Txt("Edit_Kokyaku_Tel"), "0123-45");
}

TEST_F(Commit, NameIsHeldToTwentyBytesAndToWhatCp932Stores) {
  Put("Edit_Kokyaku_Name", QString::fromUtf8("一二三四五六七八九十壱"));
  EXPECT_EQ(Txt("Edit_Kokyaku_Name"), QString::fromUtf8("一二三四五六七八九十"));
  EXPECT_TRUE(E("Edit_Kokyaku_Name")->Flashing());
  E("Edit_Kokyaku_Name")->clear();
  Type(QString::fromUtf8("𠮷田😀"));
  EXPECT_EQ(Txt("Edit_Kokyaku_Name"), QString::fromUtf8("田"));
  // A text that fits and is storable arrives whole, no cue.
  E("Edit_Kokyaku_Name")->clear();
  QTest::qWait(300);
  Type(QString::fromUtf8("髙橋①㈱"));
  EXPECT_EQ(Txt("Edit_Kokyaku_Name"), QString::fromUtf8("髙橋①㈱"));
  EXPECT_FALSE(E("Edit_Kokyaku_Name")->Flashing());
}

}  // namespace
}  // namespace tankora::qttest

namespace tankora::qttest {
namespace {

class EditWidth : public WindowTest {};

// Fields whose values hold letters as often as digits: certificate,
// approval and model numbers, the slip's readings.
bool HoldsLetters(std::string_view control) {
  for (std::string_view part : {"KoufuNo", "NinteiNo", "Katasiki", "Syuuki", "_Ph", "Tousido",
                                "Asyousan", "Zanen", "_Ion"}) {
    if (control.find(part) != std::string_view::npos) return true;
  }
  return false;
}

// The longest values a field's edit can hold, in the characters a user types
// there: digits where the input method is off, full-width characters in a
// Japanese text, an era kanji in a year, and the widest Latin letter where
// letters belong.
QStringList LongestValues(const InputField& f) {
  const int bytes = static_cast<int>(InputBytes(f));
  if (f.kind == FieldKind::YearPart) return {QStringLiteral("平25"), QStringLiteral("H25")};
  if (f.ime == ImeMode::HalfKana) return {QString(bytes, u'ｱ')};
  QStringList values{f.ime == ImeMode::Hira ? QString(bytes / 2, u'漢') : QString(bytes, u'0')};
  if (HoldsLetters(f.control)) values << QString(bytes, u'W') << QString(bytes / 2, u'漢');
  return values;
}

TEST_F(EditWidth, EveryEditOfTheDataScreensShowsItsLongestValueWhole) {
  // A clipped first digit misreads a postcode or a year ("H25" as "25"), a
  // clipped letter a model number. The customer screen's treatment method
  // scrolls: its twin above it shows it whole.
  const QStringList scrolls = {"Edit_Kokyaku_Kind_Syorihouhou"};
  for (const auto& [screen, least] :
       {std::pair{Screen::Customer, 40}, {Screen::Ledger, 34}, {Screen::Slip, 16}}) {
    const ScreenDef* def = FindScreen(screen);
    ASSERT_NE(def, nullptr);
    int checked = 0;
    for (const InputField& f : def->fields) {
      const QString name = QString::fromUtf8(f.control.data(), static_cast<int>(f.control.size()));
      app::FieldEdit* edit = qobject_cast<app::FieldEdit*>(window_->Control(f.control));
      if (!edit || edit->width() == 0 || scrolls.contains(name)) continue;
      for (const QString& value : LongestValues(f)) {
        // QLineEdit keeps 2 pixels each side of its text, and 1 for the caret.
        const int needed = edit->fontMetrics().horizontalAdvance(value) + 2 * 2 + 1;
        EXPECT_LE(needed, edit->contentsRect().width())
            << name.toStdString() << " " << value.toStdString();
      }
      ++checked;
    }
    EXPECT_GE(checked, least);
  }
  // The history rows show the readings as the entry line does.
  for (const char* label :
       {"Label_Tenken_Syuuki_01", "Label_Tenken_Ph_01", "Label_Tenken_Tousido_01",
        "Label_Tenken_Asyousan_01", "Label_Tenken_Zannenn_01", "Label_Tenken_Ion_01"}) {
    QWidget* w = W(label);
    const QString name(label);
    const int bytes =
        name.contains("Ph") || name.contains("Zannenn") || name.contains("Ion") ? 3 : 2;
    EXPECT_LE(w->fontMetrics().horizontalAdvance(QString(bytes, u'W')), w->width()) << label;
  }
}

TEST_F(EditWidth, AnEditLeftShowsTheStartOfItsText) {
  Click("Label_Basic");
  E("Edit_Kokyaku_Youto_1")->setFocus();
  const QString longText = QString(30, u'漢') + QStringLiteral("末尾");
  Type(longText);
  EXPECT_GT(E("Edit_Kokyaku_Youto_1")->cursorPosition(), 0);
  Press(Qt::Key_Return);
  EXPECT_EQ(Txt("Edit_Kokyaku_Youto_1").trimmed(), longText);
  EXPECT_EQ(E("Edit_Kokyaku_Youto_1")->cursorPosition(), 0);
  // The ledger twin, set by the commit, also shows its start.
  EXPECT_EQ(E("Edit_Kouji_Youto_1")->cursorPosition(), 0);
}

TEST_F(EditWidth, AYearTypedWithItsEraKanjiIsTakenWholeAndShownAsAReloadShowsIt) {
  Open(Date{2026, 12, 7});  // Reiwa: a Heisei year keeps its letter
  Click("Label_Basic");
  E("Edit_Kokyaku_Name")->setFocus();
  Type(QStringLiteral("青木"));
  E("Edit_Kokyaku_StartYear")->setFocus();
  Type(QStringLiteral("平25"));
  EXPECT_EQ(Txt("Edit_Kokyaku_StartYear"), QStringLiteral("平25"));
  EXPECT_FALSE(E("Edit_Kokyaku_StartYear")->Flashing());
  Press(Qt::Key_Return);
  EXPECT_EQ(Txt("Edit_Kokyaku_StartYear"), "H25");
  Press(Qt::Key_F1);
  EXPECT_EQ(ReadCustomer(1).Get(Kokyaku::StartYear), "2013");
  Click("Label_Kokyaku_Name_01");
  EXPECT_EQ(Txt("Edit_Kokyaku_StartYear"), "H25");
}

}  // namespace
}  // namespace tankora::qttest
