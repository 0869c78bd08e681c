// The backup screen and the customer screen's データ整理 driven as a user
// drives them: keys, boxes and the folder list, with the files checked.
#include <gtest/gtest.h>
#include <sys/time.h>

#include <ctime>

#include "backup/backup_run.h"
#include "customers/customer_screen.h"
#include "fake_view.h"
#include "store/company.h"
#include "store_test_util.h"

namespace tankora::testing {
namespace {

namespace fs = std::filesystem;

Seeder Office() {
  return [](const fs::path& dir) {
    SeedFile("Kokyaku.120", {CustomerImage("0001", "Abe"), CustomerImage("0002", "Gone", true),
                             CustomerImage("0003", "Ueda")})(dir);
    Record slip(TenkenDenpLayout());
    slip.Set(TenkenDenp::KokyakuName, "Ueda");
    slip.Set(TenkenDenp::Year, "2012");
    Record gone = slip;
    gone.SetFlagAt(TenkenDenp::DeleteFlag, 0, true);
    SeedFile("TenkenDenp.120", {Image(gone), Image(slip)})(dir);
    Record company(JisyaLayout());
    company.Set(Jisya::KaisyaName, "Saved Co");
    company.Set(Jisya::TopMargine, " 7");
    SeedFile("Jisya.120", {Image(company)})(dir);
  };
}

struct BackupHarness : Harness {
  BackupHarness() : Harness(0, Office()) {
    // A mount point with a blank in its name, as sticks often have.
    usb = dir.path().parent_path() / (dir.path().filename().string() + "-USB DISK");
    fs::create_directories(usb);
    session->SwitchScreen(Screen::Backup);
  }
  ~BackupHarness() {
    std::error_code ec;
    fs::remove_all(usb, ec);
  }
  void Choose(const fs::path& folder) {
    session->FolderChosen("BackupDirectoryListBox", folder.string());
  }
  std::string Status() const { return Cp932ToUtf8(view.Text("Label_DataSyori_Nokori")); }
  std::string Notice() const { return session->Notice(); }
  fs::path usb;
};

TEST(BackupScreen, SavingShowsCountsPercentagesAndRemembersTheFolder) {
  BackupHarness h;
  EXPECT_EQ(h.view.Focused(), "BackupDirectoryListBox");
  EXPECT_EQ(h.view.Text("Label_PC_KokyakuDs"), "3");
  EXPECT_EQ(h.view.Frame("Shape_ToUSB_FromPC"), FrameState::Selected);

  h.view.Press(Key::F1);  // no folder chosen yet
  EXPECT_NE(h.Notice().find("フォルダが指定されていません"), std::string::npos);
  EXPECT_FALSE(fs::exists(h.usb / "Kokyaku.125"));

  h.Choose(h.usb);
  EXPECT_EQ(h.view.Text("Label_BK_KokyakuDs"), "");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.Status(), "処理が完了しました");
  EXPECT_EQ(ReadBytes(h.usb / "Kokyaku.125"), ReadBytes(h.dir.path() / "Kokyaku.120"));
  EXPECT_EQ(h.view.Text("Label_BK_KokyakuDs"), "3");
  EXPECT_EQ(h.view.Text("Label_BK_TenkenDenpDs"), "2");
  EXPECT_EQ(h.view.Text("Label_KokyakuRitu"), "100");
  EXPECT_EQ(h.view.Frame("Shape_Kokyaku"), FrameState::Done);
  EXPECT_EQ(h.view.Frame("Shape_ETC"), FrameState::Plain);
  // The copies' day, with the Western year the notice's template holds (not an era year).
  std::tm saved{};
  saved.tm_year = 2019 - 1900, saved.tm_mon = 4, saved.tm_mday = 7, saved.tm_hour = 12;
  const std::time_t when = std::mktime(&saved);
  for (const char* copy : {"Kokyaku.125", "TenkenDenp.125", "Kouji.125", "Jisya.125"}) {
    const struct timeval times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimes((h.usb / copy).c_str(), times), 0);
  }
  h.Choose(h.usb.parent_path());  // the label follows a folder change
  h.Choose(h.usb);
  EXPECT_EQ(Cp932ToUtf8(h.view.Text("Label_BackupSavedDate")), "2019年 5月 7日保存のデータが存在");
  std::string folder;
  ASSERT_TRUE(LoadBackupFolder(h.dir.path(), &folder));
  EXPECT_EQ(folder, h.usb.string());

  // F3 全解除 leaves only the company profile to save; F2 全選択 checks all.
  h.view.Press(Key::F3);
  EXPECT_FALSE(h.view.Checked("CheckBox_TenkenDenp"));
  h.view.Press(Key::F2);
  EXPECT_TRUE(h.view.Checked("CheckBox_Kouji"));
  EXPECT_EQ(h.Status(), "残りの処理");
}

TEST(BackupScreen, ARestoreAsksOnceThenBringsTheSavedStateToEveryScreen) {
  BackupHarness h;
  h.Choose(h.usb);
  h.view.Press(Key::F1);
  // Later work on the PC: a new customer, a changed margin.
  h.session->SwitchScreen(Screen::Customer);
  h.view.Type("Edit_Kokyaku_Name", "Later");
  h.view.Press(Key::F1);
  ASSERT_EQ(h.store->ActiveCount(), 3);
  h.s().jisya.Set(Jisya::TopMargine, "12");
  ASSERT_TRUE(h.session->SaveCompany());

  h.session->SwitchScreen(Screen::Backup);
  h.view.ClickBox("Labe_ToPC_FromUSB", /*radio=*/true);
  EXPECT_EQ(h.view.Frame("Shape_ToPC_FromUSB"), FrameState::Selected);
  const std::string changed = ReadBytes(h.dir.path() / "Kokyaku.120");

  h.view.Press(Key::F1);  // the question, nothing written
  EXPECT_NE(h.Status().find("保存のデータでパソコンのデータを書き換えます"), std::string::npos);
  EXPECT_EQ(h.view.Focused(), "Edit_BackUp_Command");
  EXPECT_EQ(ReadBytes(h.dir.path() / "Kokyaku.120"), changed);
  h.view.Press(Key::F2);  // a change takes the question back
  h.view.Press(Key::F1);
  EXPECT_EQ(ReadBytes(h.dir.path() / "Kokyaku.120"), changed);
  h.view.Press(Key::Enter);  // Enter on the question answers it

  EXPECT_EQ(h.Status(), "処理が完了しました");
  EXPECT_EQ(ReadBytes(h.dir.path() / "Kokyaku.120"), ReadBytes(h.usb / "Kokyaku.125"));
  EXPECT_EQ(h.store->ActiveCount(), 2);
  EXPECT_EQ(h.view.Text("Label_PC_KokyakuDs"), "3");
  EXPECT_EQ(h.view.Text("Label_KokyakuDs"), "2");
  EXPECT_EQ(h.RowName(1), "Abe");
  EXPECT_EQ(h.RowName(2), "Ueda");
  EXPECT_EQ(h.view.Text("Edit_TopMargine"), " 7");
  EXPECT_EQ(h.view.Text("Edit_TopMargine_Kouji"), " 7");
  EXPECT_EQ(h.view.Trimmed("Edit_TenkenGeppou_KaisyaName"), "Saved Co");
  EXPECT_TRUE(fs::exists(fs::path(h.dir.path()) / "Safety"));
}

TEST(BackupScreen, TheDataFolderItselfAndAFolderWithoutCopiesAreRefused) {
  BackupHarness h;
  h.Choose(h.dir.path());
  h.view.Press(Key::F1);
  EXPECT_NE(h.Notice().find("データフォルダ"), std::string::npos);
  EXPECT_EQ(h.Status(), "処理できませんでした");
  h.Choose(h.usb);
  EXPECT_EQ(h.Notice(), "") << "the refusal was of the folder chosen before";
  h.view.ClickBox("Labe_ToPC_FromUSB", true);
  h.view.Press(Key::F1);
  EXPECT_NE(h.Notice().find("保存したデータがありません"), std::string::npos);
  EXPECT_FALSE(fs::exists(h.dir.path() / "Safety"));
}

TEST(BackupScreen, AFolderGoneSinceTheLastSaveClearsWhatTheScreenSaidOfIt) {
  BackupHarness h;
  h.Choose(h.usb);
  h.view.Press(Key::F1);
  ASSERT_EQ(h.view.Text("Label_BK_KokyakuDs"), "3");
  ASSERT_FALSE(h.view.Text("Label_BackupSavedDate").empty());
  // Another folder: the percentages were the other folder's.
  h.Choose(h.usb.parent_path());
  EXPECT_EQ(h.view.Text("Label_KokyakuRitu"), "");
  h.Choose(h.usb);
  h.view.Press(Key::F1);
  ASSERT_EQ(h.view.Text("Label_KokyakuRitu"), "100");
  fs::remove_all(h.usb);  // the stick pulled out
  h.view.Press(Key::F1);
  EXPECT_EQ(h.Status(), "処理できませんでした");
  EXPECT_NE(h.Notice().find("見つかりません"), std::string::npos) << h.Notice();
  EXPECT_EQ(h.view.Text("Label_KokyakuRitu"), "");
  EXPECT_EQ(h.view.Trimmed("Label_BK_KokyakuDs"), "");
  EXPECT_EQ(h.view.Text("Label_BackupSavedDate"), "");
}

TEST(BackupScreen, TheYearsKeptAreNeverBelowThree) {
  BackupHarness h;
  h.view.Type("Edit_Seiri_Years", "2");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.s().backupKeepYears, 3);
  EXPECT_EQ(h.view.Text("Edit_Seiri_Years"), " 3");
  EXPECT_NE(h.Notice().find("3年"), std::string::npos);
  EXPECT_EQ(h.view.Focused(), "Edit_BackUp_Command");
}

TEST(CustomerDataSeiri, AsksThenRemovesDeletedRecordsKeepingTheCustomerOnScreen) {
  BackupHarness h;
  h.session->SwitchScreen(Screen::Customer);
  h.ClickRow(2);  // Ueda, record 3
  ASSERT_EQ(h.s().loadedRecNo, 3);
  h.view.Type("Edit_Kokyaku_Tel", "0123");  // typed, not stored yet
  h.view.Press(Key::F3);
  EXPECT_NE(h.Notice().find("もう一度 F3"), std::string::npos);
  EXPECT_EQ(h.store->KokyakuCount(), 3);
  h.view.Press(Key::F3);
  EXPECT_NE(h.Notice().find("顧客 1件、点検伝票 1件、工事伝票 0件"), std::string::npos) << h.Notice();
  EXPECT_EQ(h.store->KokyakuCount(), 2);
  EXPECT_EQ(h.store->TenkenCount(), 1);
  EXPECT_EQ(h.s().loadedRecNo, 2);
  EXPECT_EQ(h.SelectedRow(), 2);
  // What was typed is still there, and F1 stores it into Ueda.
  h.view.Press(Key::F1);
  EXPECT_EQ(h.Stored(2).Trimmed(Kokyaku::Name), "Ueda");
  EXPECT_EQ(h.Stored(2).Trimmed(Kokyaku::Tel), "0123");
  EXPECT_EQ(h.store->KokyakuCount(), 2);
}

}  // namespace
}  // namespace tankora::testing
