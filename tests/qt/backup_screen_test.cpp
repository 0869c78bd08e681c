// The backup screen in the real window: the folder list by keyboard, the
// function keys from anywhere on the screen, a save and a restore seen on
// the other screens, and its picture for docs/screenshots.
#include <QDir>
#include <QListWidget>

#include "app/folder_picker.h"
#include "window_fixture.h"

namespace tankora::qttest {
namespace {

class BackupScreen : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(QDir(dir_.path()).mkpath("usb/BK"));
    usb_ = dir_.path() + "/usb";
  }
  // A new customer typed on the customer screen and stored.
  void AddCustomer(const char* kana, const char* name) {
    Click("Label_Basic");
    Type(QString::fromUtf8(kana));
    Press(Qt::Key_Return);
    Type(QString::fromUtf8(name));
    Press(Qt::Key_F1);
  }
  // The folder list walked by keyboard: into `usb`, then into its BK.
  void ChooseBkByKeyboard() {
    auto* list = qobject_cast<app::FolderList*>(W("BackupDirectoryListBox"));
    list->ShowFolder(usb_);
    list->setFocus();
    const auto items = list->findItems("BK", Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    list->setCurrentItem(items[0]);
    Press(Qt::Key_Return);
  }
  std::string Status() const { return Label("Label_DataSyori_Nokori").toStdString(); }

  QString usb_;
};

TEST_F(BackupScreen, KeysWorkFromTheFolderListAndASaveShowsEveryCount) {
  AddCustomer("ｱｵｷ", "青木");
  AddCustomer("ｲﾄｳ", "伊藤");
  Click("Label_BackUp");
  EXPECT_EQ(Focused(), "BackupDirectoryListBox");
  ChooseBkByKeyboard();
  EXPECT_EQ(Label("Label_BackupFolder"), usb_ + "/BK");
  EXPECT_EQ(Focused(), "BackupDirectoryListBox");

  Press(Qt::Key_F3);  // 全解除, from the list
  EXPECT_FALSE(B("CheckBox_Kokyaku")->isChecked());
  Press(Qt::Key_F2);  // 全選択
  EXPECT_TRUE(B("CheckBox_Kokyaku")->isChecked());
  Press(Qt::Key_F1);
  EXPECT_EQ(Status(), "処理が完了しました");
  EXPECT_EQ(Label("Label_BK_KokyakuDs"), "2");
  EXPECT_EQ(Label("Label_KokyakuRitu"), "100");
  EXPECT_EQ(S("Shape_Kokyaku")->State(), FrameState::Done);
  EXPECT_TRUE(QFile::exists(usb_ + "/BK/Kokyaku.125"));
  EXPECT_TRUE(Label("Label_BackupSavedDate").endsWith("保存のデータが存在"));
}

TEST_F(BackupScreen, ARestoreByKeyboardBringsTheSavedStateToEveryScreen) {
  AddCustomer("ｱｵｷ", "青木");
  Click("Label_BackUp");
  ChooseBkByKeyboard();
  Press(Qt::Key_F1);
  // Later: another customer, and its ledger entry from the ledger screen.
  AddCustomer("ｲﾄｳ", "伊藤");
  Click("Label_Kouji");
  Type(QStringLiteral("伊藤"));
  Press(Qt::Key_F1);
  ASSERT_EQ(Label("Label_Kouji_ds"), "1");

  Click("Label_BackUp");
  ClickBox("Labe_ToPC_FromUSB");
  EXPECT_EQ(S("Shape_ToPC_FromUSB")->State(), FrameState::Selected);
  EXPECT_EQ(S("Shape_ToUSB_FromPC")->State(), FrameState::Plain);
  Press(Qt::Key_F1);
  EXPECT_NE(Status().find("保存のデータでパソコンのデータを書き換えます"), std::string::npos);
  EXPECT_EQ(Focused(), "Edit_BackUp_Command");
  EXPECT_EQ(CustomerCount(), 2);
  Press(Qt::Key_Return);

  EXPECT_EQ(Status(), "処理が完了しました");
  EXPECT_EQ(CustomerCount(), 1);
  EXPECT_EQ(Label("Label_PC_KokyakuDs"), "1");
  EXPECT_EQ(Label("Label_PC_KoujiDs"), "0");
  Click("Label_Basic");
  EXPECT_EQ(Label("Label_KokyakuDs"), "1");
  EXPECT_EQ(Label("Label_Kokyaku_Name_01").trimmed(), "青木");
  EXPECT_EQ(Label("Label_Kokyaku_Name_02").trimmed(), "");
  Click("Label_Kouji");
  EXPECT_EQ(Label("Label_Kouji_ds"), "0");
}

TEST_F(BackupScreen, Picture) {
  const char* out = std::getenv("TANKORA_SCREENSHOTS");
  if (!out || !*out) GTEST_SKIP() << "set TANKORA_SCREENSHOTS=<folder> to write the picture";
  AddCustomer("ｱｵｷ", "青木浄化槽");
  AddCustomer("ｲﾄｳ", "伊藤商店");
  Click("Label_BackUp");
  ChooseBkByKeyboard();
  Press(Qt::Key_F1);
  QTest::qWait(300);
  window_->grab().save(QDir(out).filePath("backup.png"));
}

}  // namespace
}  // namespace tankora::qttest
