// A shown, active main window over a fresh Data folder, with today pinned,
// and the few helpers every window test needs: type, press, click, look.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/widgets.h"
#include "store/record_layout.h"
#include "store/store.h"
#include "util/cp932.h"
#include "util/era.h"

namespace tankora::qttest {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(); }
  void TearDown() override { window_.reset(); }

  // (Re)opens the window over the same folder, as a restart would.
  void Open(Date today = {2012, 10, 29}) {
    window_.reset();
    ASSERT_TRUE(dir_.isValid());
    store_ = std::make_unique<Store>(DataDir());
    ASSERT_TRUE(store_->Open().ok());
    eras_ = std::make_unique<EraCalendar>(today);
    window_ = std::make_unique<TForm_Tankora>(*store_, *eras_, DataDir().parent_path());
    window_->Start();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  std::filesystem::path DataDir() const {
    return std::filesystem::path(dir_.path().toStdString()) / "Data";
  }

  QWidget* W(const char* name) const {
    QWidget* w = window_->Control(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  app::FieldEdit* E(const char* name) const { return qobject_cast<app::FieldEdit*>(W(name)); }
  QAbstractButton* B(const char* name) const { return qobject_cast<QAbstractButton*>(W(name)); }
  app::FrameShape* S(const char* name) const { return qobject_cast<app::FrameShape*>(W(name)); }
  QString Label(const char* name) const { return qobject_cast<QLabel*>(W(name))->text(); }
  QString Txt(const char* name) const { return E(name)->text(); }
  bool Selected(const char* shape) const { return S(shape)->State() == FrameState::Selected; }

  static QWidget* FocusWidget() { return QApplication::focusWidget(); }
  static std::string Focused() {
    QWidget* w = FocusWidget();
    return w ? w->objectName().toStdString() : std::string{};
  }

  // Keys go to the focused control, as the keyboard's would.
  static void Press(Qt::Key key) {
    ASSERT_NE(FocusWidget(), nullptr);
    QTest::keyClick(FocusWidget(), key);
  }
  // Text as an input method commits it: any script, one event.
  static void Type(const QString& text) {
    ASSERT_NE(FocusWidget(), nullptr);
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(FocusWidget(), &event);
  }
  static void TypeKeys(const char* ascii) {
    ASSERT_NE(FocusWidget(), nullptr);
    QTest::keyClicks(FocusWidget(), QString::fromLatin1(ascii));
  }
  void Click(const char* label) const { QTest::mouseClick(W(label), Qt::LeftButton); }
  void ClickBox(const char* box) const {
    QAbstractButton* b = B(box);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
  }

  // Customer record n as stored on disk.
  Record ReadCustomer(int n) const {
    Store store(DataDir());
    EXPECT_TRUE(store.Open().ok());
    Record r(KokyakuLayout());
    EXPECT_TRUE(store.KokyakuFile().ReadRecord(n, r).ok());
    return r;
  }
  int CustomerCount() const {
    Store store(DataDir());
    EXPECT_TRUE(store.Open().ok());
    return store.KokyakuCount();
  }
  static std::string Utf8(std::string_view cp932) { return Cp932ToUtf8(cp932); }
  static std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).value(); }

  QTemporaryDir dir_;
  std::unique_ptr<Store> store_;
  std::unique_ptr<EraCalendar> eras_;
  std::unique_ptr<TForm_Tankora> window_;
};

}  // namespace tankora::qttest
