// The window as a whole: caption and size, tabs and panels, command labels as
// buttons, paging keys, closing and F9, and focus moved while hidden.
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>
#include <fstream>

#include "shell/screen_def.h"
#include "window_fixture.h"

namespace tankora::qttest {
namespace {

class Window : public WindowTest {};

// Stands in for the desktop's document viewer.
class UrlCatcher final : public QObject {
  Q_OBJECT
 public:
  QUrl opened;
 public slots:
  void Open(const QUrl& url) { opened = url; }
};

TEST_F(Window, CaptionSizeAndTheSlipScreenInFront) {
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("タンコラ  Ver 12.10.09"));
  EXPECT_EQ(window_->objectName(), "Form_Tankora");
  EXPECT_EQ(window_->size(), QSize(900, 700));
  EXPECT_TRUE(W("Panel_Kanri")->isVisible());
  EXPECT_TRUE(W("Panel_Tenken")->isVisible());
  EXPECT_EQ(W("Label_Tenken")->palette().color(QPalette::Window), QColor(0, 0, 128));
  EXPECT_EQ(W("Label_Basic")->palette().color(QPalette::Window), QColor(255, 255, 255));
  EXPECT_EQ(Label("Label_KokyakuDs").trimmed(), "0");
  EXPECT_EQ(Label("Label_KokyakuChoose_Line").trimmed(), "1");
  EXPECT_TRUE(Selected("Shape_Kokyaku_01")) << "the new-customer row is selected";
}

TEST_F(Window, ALongFailureNoticeIsShownWhole) {
  // A save cut short names the path and the system's reason before what was
  // saved after all; a one-line label cut that last part off.
  const QString notice = QString::fromUtf8(
      "USBメモリへの保存が途中で失敗しました: cannot rename over "
      "/media/office/USB DISK/タンコラ/バックアップ/TenkenDenp.125: Input/output error"
      "（新しく保存できたもの: 顧客）");
  auto* label = qobject_cast<QLabel*>(W("Label_Notice"));
  ASSERT_NE(label, nullptr);
  label->setText(notice);
  const QRect needed = label->fontMetrics().boundingRect(
      QRect(0, 0, label->width(), 1000), Qt::TextWordWrap | Qt::AlignLeft, notice);
  EXPECT_TRUE(label->wordWrap());
  EXPECT_LE(needed.height(), label->height());
  EXPECT_LE(label->mapTo(label->window(), QPoint(0, label->height())).y(), label->window()->height());
}

TEST_F(Window, TabsShowTheirPanels) {
  const struct {
    const char* tab;
    const char* shape;
    const char* panel;  // nullptr: the customer screen, no panel over Panel_Kanri
  } tabs[] = {
      {"Label_Basic", "Shape_Basic", nullptr},
      {"Label_Tenken", "Shape_Tenken", "Panel_Tenken"},
      {"Label_Kouji", "Shape_Kouji", "Panel_Kouji"},
      {"Label_TenkenListView", "Shape_TenkenListView", "Panel_TenkenList"},
      {"Label_KoujiListView", "Shape_KoujiListView", "Panel_KeiyakuList"},
      {"Label_BackUp", "Shape_BackUp", "Panel_BackUp"},
  };
  for (const auto& t : tabs) {
    Click(t.tab);
    for (const auto& other : tabs) {
      const bool current = &other == &t;
      if (other.panel) {
        EXPECT_EQ(W(other.panel)->isVisible(), current) << t.tab << " " << other.panel;
      }
      EXPECT_EQ(S(other.shape)->Brush(), current ? QColor(0, 0, 128) : QColor(255, 255, 255))
          << t.tab << " " << other.shape;
    }
    EXPECT_TRUE(W("Panel_Kanri")->isVisible());
  }
  Click("Label_Basic");
  EXPECT_EQ(Focused(), "Edit_Kokyaku_Kana");
}

TEST_F(Window, CommandLabelFramesFollowPressAndRelease) {
  Click("Label_Basic");
  QWidget* label = W("Label_KokyakuWrite");
  QTest::mousePress(label, Qt::LeftButton);
  EXPECT_TRUE(Selected("Shape_KokyakuWrite"));
  EXPECT_EQ(S("Shape_KokyakuWrite")->State(), FrameState::Selected);
  // Released outside the label: the frame is plain again and nothing ran.
  QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-20, -20));
  EXPECT_FALSE(Selected("Shape_KokyakuWrite"));
  // A click on a label runs the command: F8 追加 puts the focus on the reading.
  W("Edit_Kokyaku_Zip1")->setFocus(Qt::MouseFocusReason);
  Click("Label_KokyakuNew");
  EXPECT_EQ(Focused(), "Edit_Kokyaku_Kana");
  EXPECT_FALSE(Selected("Shape_KokyakuNew"));
}

TEST_F(Window, FocusWhileHiddenIsReportedToTheSession) {
  // A window not shown gets no focus events from the toolkit; the session
  // must still hear the enter (the field's frame lights) and the leave.
  TForm_Tankora hidden(*store_, *eras_, DataDir().parent_path());
  hidden.Start();
  hidden.session().SwitchScreen(Screen::Customer);
  auto* name = qobject_cast<app::FrameShape*>(hidden.Control("Shape_Kokyaku_Name"));
  auto* kana = qobject_cast<app::FrameShape*>(hidden.Control("Shape_Kokyaku_Kana"));
  hidden.view().Focus("Edit_Kokyaku_Kana");
  EXPECT_EQ(kana->State(), FrameState::Selected);
  hidden.view().Focus("Edit_Kokyaku_Name");
  EXPECT_EQ(kana->State(), FrameState::Plain);
  EXPECT_EQ(name->State(), FrameState::Selected);
  EXPECT_EQ(hidden.view().Focused(), "Edit_Kokyaku_Name");
}

TEST_F(Window, CustomerKeysPageTheList) {
  // 30 customers: the last page holds customers 7..30 and the new row.
  window_.reset();
  for (int i = 1; i <= 30; ++i) {
    Record r(KokyakuLayout());
    r.Clear();
    char kana[8], name[24];
    std::snprintf(kana, sizeof kana, "%04d", i);
    std::snprintf(name, sizeof name, "Customer %02d", i);
    r.Set(Kokyaku::Kana, kana);
    r.Set(Kokyaku::Name, name);
    ASSERT_TRUE(store_->WriteKokyaku(i, r).ok());
  }
  ASSERT_TRUE(store_->KokyakuSortAndIndex().ok());
  Open();
  Click("Label_Basic");
  EXPECT_EQ(Label("Label_Kokyaku_Name_01").trimmed(), "Customer 07");
  Press(Qt::Key_F5);
  EXPECT_EQ(Label("Label_Kokyaku_Name_01").trimmed(), "Customer 01");
  Press(Qt::Key_F6);
  EXPECT_EQ(Label("Label_Kokyaku_Name_01").trimmed(), "Customer 07");
  Click("Label_KokyakuBeforePage");
  EXPECT_EQ(Label("Label_Kokyaku_Name_01").trimmed(), "Customer 01");
  EXPECT_EQ(Focused(), "Edit_Kokyaku_Kana") << "paging keeps the focus where it was";
}

TEST_F(Window, CloseAndF9WriteTheCompanyRecord) {
  const QString jisya = QString::fromStdString((DataDir() / "Jisya.120").string());
  ASSERT_TRUE(QFile::resize(jisya, 0));
  window_->close();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(QFile(jisya).size(), 1000);

  Open();
  ASSERT_TRUE(QFile::resize(jisya, 0));
  Click("Label_Basic");
  Press(Qt::Key_F9);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(QFile(jisya).size(), 1000);
}

TEST_F(Window, ACloseThatCannotSaveTheCompanyStaysOpenOnceForF9AsForTheCloseButton) {
  const QString jisya = QString::fromStdString((DataDir() / "Jisya.120").string());
  for (const bool byF9 : {false, true}) {
    Open();
    ASSERT_TRUE(QFile::resize(jisya, 0));  // something to write at close
    Store::SetFaultHook([](std::string_view point) { return point != "company:before-rename"; });
    Click("Label_Basic");
    for (int close = 1; close <= 2; ++close) {
      if (byF9) {
        Press(Qt::Key_F9);
      } else {
        window_->close();
      }
      EXPECT_EQ(window_->isVisible(), close == 1) << (byF9 ? "F9 " : "close ") << close;
    }
    Store::SetFaultHook(nullptr);
    EXPECT_EQ(QFile(jisya).size(), 0);
  }
}

TEST_F(Window, ManualLabelOpensTheManualOrSaysWhereItBelongs) {
  Click("Label_Basic");
  Click("Label_Manual");
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(Focused(), "Edit_Kokyaku_Kana");
  const auto manual = DataDir().parent_path() / "Manual" / "Manual.pdf";
  EXPECT_EQ(Label("Label_Notice"), QString::fromStdString("マニュアルがありません。" +
                                                           manual.string() + " にあるはずです。"));

  // With the manual beside the program, the desktop is asked to show it.
  std::filesystem::create_directories(manual.parent_path());
  std::ofstream(manual) << "%PDF-1.4";
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("file", &catcher, "Open");
  Click("Label_Manual");
  QDesktopServices::unsetUrlHandler("file");
  EXPECT_EQ(catcher.opened, QUrl::fromLocalFile(QString::fromStdString(manual.string())));
}

TEST_F(Window, EditsAskTheInputMethodForWhatTheirFieldTakes) {
  // What an input method reads from the edit, on each screen: the reading
  // takes kana without kanji predictions, text anything; years, codes and
  // numbers keep it off and ask for Latin letters or digits.
  constexpr auto codes = Qt::ImhLatinOnly | Qt::ImhNoPredictiveText;
  const struct {
    const char* control;
    bool imeOn;
    Qt::InputMethodHints hints;
  } cases[] = {
      {"Edit_Kokyaku_Kana", true, Qt::ImhNoPredictiveText},
      {"Edit_Kokyaku_Name", true, Qt::ImhNone},
      {"Edit_Panel_Tenken_Gaikan", true, Qt::ImhNone},
      {"Edit_Kouji_Address", true, Qt::ImhNone},
      {"Edit_Panel_Tenken_Year", false, codes},
      {"Edit_Kouji_EndYear", false, codes},
      {"Edit_Panel_Tenken_Month", false, codes | Qt::ImhPreferNumbers},
      {"Edit_Kouji_EndDay", false, codes | Qt::ImhPreferNumbers},
      {"Edit_Kokyaku_Tel", false, codes | Qt::ImhPreferNumbers},
      {"Edit_Panel_Tenken_Ninsou", false, codes | Qt::ImhPreferNumbers},
  };
  for (const auto& c : cases) {
    app::FieldEdit* e = E(c.control);
    ASSERT_NE(e, nullptr) << c.control;
    EXPECT_EQ(e->testAttribute(Qt::WA_InputMethodEnabled), c.imeOn) << c.control;
    EXPECT_EQ(Qt::InputMethodHints(e->inputMethodQuery(Qt::ImHints).toInt()), c.hints)
        << c.control;
  }
}

TEST_F(Window, EveryControlTheCustomerTablesNameExists) {
  // The field and command tables of the customer screen against the layout:
  // a name in one and not the other is a control that silently never works.
  const ScreenDef* def = FindScreen(Screen::Customer);
  ASSERT_NE(def, nullptr);
  for (const InputField& f : def->fields) {
    QWidget* w = window_->Control(f.control);
    ASSERT_NE(w, nullptr) << f.control;
    EXPECT_EQ(w->focusPolicy() & Qt::TabFocus, Qt::TabFocus) << f.control;
    if (!f.frame.empty()) {
      EXPECT_NE(qobject_cast<app::FrameShape*>(window_->Control(f.frame)), nullptr) << f.frame;
    }
  }
  for (const CommandDef& c : def->commands) {
    EXPECT_NE(qobject_cast<app::ClickLabel*>(window_->Control(c.label)), nullptr) << c.label;
    EXPECT_NE(qobject_cast<app::FrameShape*>(window_->Control(c.shape)), nullptr) << c.shape;
  }
}

}  // namespace
}  // namespace tankora::qttest

#include "window_test.moc"
