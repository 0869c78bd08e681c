// Company profile, backup folder setting, where the Data folder is, and the
// one-program-per-folder lock.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fault_layer.h"
#include "store/company.h"
#include "store/data_folder.h"
#include "store/store.h"
#include "store_test_util.h"

namespace tankora {
namespace {

using testing::BlankImage;
using testing::Put;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(CompanyTest, FirstStartCreatesOneBlankRecordAndASavedProfileComesBack) {
  TempDir dir;
  const auto data = dir.path() / "Data";
  {
    Store store(data);
    ASSERT_TRUE(store.Open());
    EXPECT_EQ(ReadBytes(data / "Jisya.120"), BlankImage(1000));
    ASSERT_TRUE(SaveBackupFolder(data, "/media/usb"));
    Company company(store.JisyaFile());
    ASSERT_TRUE(company.Load());
    for (CompanyField f : kCompanyFields) {
      EXPECT_EQ(company.Get(f).find_first_not_of(' '), std::string_view::npos);
    }
    company.Set(CompanyField::KaisyaName, "\x87\x8a\x8f\xe3\x96\xec");  // ㈱上野
    company.Set(CompanyField::TopMargine, "5");
    company.Set(CompanyField::LeftMargine, "12");
    ASSERT_TRUE(company.Save());
  }
  std::string expected = BlankImage(1000);
  Put(expected, 635, "\x87\x8a\x8f\xe3\x96\xec");
  Put(expected, 727, " 512");
  EXPECT_EQ(ReadBytes(data / "Jisya.120"), expected);

  Store store(data);
  ASSERT_TRUE(store.Open());
  std::string backup;
  ASSERT_TRUE(LoadBackupFolder(data, &backup));
  EXPECT_EQ(backup, "/media/usb");
  Company company(store.JisyaFile());
  ASSERT_TRUE(company.Load());
  EXPECT_EQ(company.Get(CompanyField::TopMargine), " 5");
  EXPECT_EQ(company.Get(CompanyField::KaisyaName).substr(0, 6), "\x87\x8a\x8f\xe3\x96\xec");
}

TEST(CompanyTest, SaveKeepsReservedBytesAndSurvivesAFailedSave) {
  TempDir dir;
  const auto data = dir.path() / "Data";
  std::filesystem::create_directories(data);
  std::string image = BlankImage(1000);
  Put(image, 0, "reserved by an older version");
  Put(image, 731, "87654321");
  Put(image, 186, "03-1111-2222");
  WriteBytes(data / "Jisya.120", image);

  Store store(data);
  ASSERT_TRUE(store.Open());
  Company company(store.JisyaFile());
  ASSERT_TRUE(company.Load());
  EXPECT_EQ(company.Get(CompanyField::Tel), "03-1111-2222  ");
  company.Set(CompanyField::Tel, "03-9999-0000");

  // A save that fails in this run is reported, and stays undone, now and at
  // the next start.
  Store::SetFaultHook([](std::string_view p) { return p != "record:after-journal"; });
  EXPECT_EQ(company.Save().error, StoreError::WriteFailed);
  Store::SetFaultHook(nullptr);
  EXPECT_EQ(ReadBytes(data / "Jisya.120"), image);
  {
    Store next(data);
    ASSERT_TRUE(next.Open());
  }
  EXPECT_EQ(ReadBytes(data / "Jisya.120"), image);

  // The power goes while the record is written (half of it lands, the
  // company name is in the other half): the next start finishes it.
  company.Set(CompanyField::KaisyaName, "ACME");
  std::string expected = image;
  Put(expected, 186, "03-9999-0000");
  Put(expected, 635, "ACME");
  {
    testing::FaultLayer cut(testing::FaultKind::Torn, 1, testing::CallOn(fileio::FileCall::Write, "Jisya.120"));
    EXPECT_FALSE(company.Save());
    ASSERT_TRUE(cut.Struck());
  }
  EXPECT_NE(ReadBytes(data / "Jisya.120"), expected);
  {
    Store next(data);
    ASSERT_TRUE(next.Open());
  }
  EXPECT_EQ(ReadBytes(data / "Jisya.120"), expected);

  company.Set(CompanyField::Tel, "03-5555-0000");
  ASSERT_TRUE(company.Save());
  Put(expected, 186, "03-5555-0000");
  EXPECT_EQ(ReadBytes(data / "Jisya.120"), expected);
}

TEST(CompanyTest, AProfileCutShortIsLoadedAndSavedWhole) {
  // An editor that drops the final line feed leaves 999 bytes: no whole
  // record, but every field is still there and must not be saved over.
  TempDir dir;
  const auto data = dir.path() / "Data";
  std::filesystem::create_directories(data);
  std::string image = BlankImage(1000);
  Put(image, 0, "kept by an older version");
  Put(image, 635, "\x87\x8a\x8f\xe3\x96\xec");  // ㈱上野
  Put(image, 729, "10");
  WriteBytes(data / "Jisya.120", image.substr(0, 999));

  Store store(data);
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.JisyaCount(), 0);
  Company company(store.JisyaFile());
  ASSERT_TRUE(company.Load());
  EXPECT_EQ(company.Get(CompanyField::KaisyaName).substr(0, 6), "\x87\x8a\x8f\xe3\x96\xec");
  company.Set(CompanyField::Tel, "027-111-2222");
  ASSERT_TRUE(company.Save());
  Put(image, 186, "027-111-2222");
  EXPECT_EQ(ReadBytes(data / "Jisya.120"), image);
  EXPECT_EQ(store.JisyaCount(), 1);
}

TEST(BackupFolderFileTest, IsExactly255BlankPaddedBytesAndKeepsBlanksInsideThePath) {
  TempDir dir;
  std::string folder = "stale";
  ASSERT_TRUE(LoadBackupFolder(dir.path(), &folder));
  EXPECT_EQ(folder, "");
  EXPECT_EQ(ReadBytes(BackupFolderFilePath(dir.path())), std::string(255, ' '));

  const std::string usb = "/media/office/USB DISK/tankora";
  ASSERT_TRUE(SaveBackupFolder(dir.path(), usb));
  std::string expected = usb;
  expected.resize(255, ' ');
  EXPECT_EQ(ReadBytes(BackupFolderFilePath(dir.path())), expected);
  ASSERT_TRUE(LoadBackupFolder(dir.path(), &folder));
  EXPECT_EQ(folder, usb);

  const Status tooLong = SaveBackupFolder(dir.path(), std::string(256, 'a'));
  EXPECT_FALSE(tooLong);
  EXPECT_EQ(ReadBytes(BackupFolderFilePath(dir.path())), expected);
  EXPECT_TRUE(SaveBackupFolder(dir.path(), std::string(255, 'a')));

  // A file from elsewhere may end the path with a NUL and carry junk after it.
  WriteBytes(BackupFolderFilePath(dir.path()), std::string("E:\\BACKUP\0junk", 14));
  ASSERT_TRUE(LoadBackupFolder(dir.path(), &folder));
  EXPECT_EQ(folder, "E:\\BACKUP");
}

class EnvGuard final {
 public:
  explicit EnvGuard(const char* name) : name_(name) {
    if (const char* v = std::getenv(name)) old_ = v;
  }
  ~EnvGuard() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }
  void Set(const std::string& value) { ::setenv(name_, value.c_str(), 1); }
  void Unset() { ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DataFolderTest, ResolvesInTheDocumentedOrder) {
  EnvGuard data("TANKORA_DATA"), xdg("XDG_DATA_HOME"), home("HOME");
  TempDir dir;
  const auto exe = dir.path() / "bin";
  std::filesystem::create_directories(exe);
  data.Set("/srv/env-data");
  xdg.Set("/xdg");
  home.Set("/home/office");

  EXPECT_EQ(ResolveDataFolder(std::string("/cli/Data"), exe), "/cli/Data");
  EXPECT_EQ(ResolveDataFolder(std::string(""), exe), "/srv/env-data");
  EXPECT_EQ(ResolveDataFolder(std::nullopt, exe), "/srv/env-data");
  data.Unset();
  EXPECT_EQ(ResolveDataFolder(std::nullopt, exe), "/xdg/tankora/Data");
  std::filesystem::create_directory(exe / "Data");
  EXPECT_EQ(ResolveDataFolder(std::nullopt, exe), exe / "Data");
  std::filesystem::remove(exe / "Data");
  xdg.Set("relative/path");  // not absolute: ignored, as the XDG rules say
  EXPECT_EQ(ResolveDataFolder(std::nullopt, exe), "/home/office/.local/share/tankora/Data");
  xdg.Unset();
  EXPECT_EQ(ResolveDataFolder(std::nullopt, exe), "/home/office/.local/share/tankora/Data");
}

TEST(DataFolderTest, TheManualIsFoundBesideTheProgramOrWhereItIsInstalled) {
  TempDir dir;
  const auto bin = dir.path() / "usr" / "bin";
  const auto share = dir.path() / "usr" / "share" / "tankora" / "Manual";
  std::filesystem::create_directories(bin);
  const std::filesystem::path manual = "Manual/Manual.pdf";
  std::filesystem::path expected;
  EXPECT_FALSE(FindProgramFile(bin, manual, &expected));
  EXPECT_EQ(expected, share / "Manual.pdf") << "an installed program says the share folder";
  EXPECT_FALSE(FindProgramFile(dir.path(), manual, &expected));
  EXPECT_EQ(expected, dir.path() / "Manual" / "Manual.pdf") << "a build folder says beside it";

  std::filesystem::create_directories(share);
  WriteBytes(share / "Manual.pdf", "%PDF");
  EXPECT_EQ(FindProgramFile(bin, manual), share / "Manual.pdf");
  // One beside the program wins: a copied installation keeps its own.
  std::filesystem::create_directories(bin / "Manual");
  WriteBytes(bin / "Manual" / "Manual.pdf", "%PDF");
  EXPECT_EQ(FindProgramFile(bin, manual), bin / "Manual" / "Manual.pdf");
  // A folder of that name is no manual.
  std::filesystem::create_directories(dir.path() / "Manual" / "Manual.pdf");
  EXPECT_FALSE(FindProgramFile(dir.path(), manual));
}

TEST(DataFolderTest, EnsureCreatesMissingFoldersAndRefusesAFile) {
  TempDir dir;
  EXPECT_TRUE(EnsureDataFolder(dir.path() / "a" / "b" / "Data"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "a" / "b" / "Data"));
  EXPECT_TRUE(EnsureDataFolder(dir.path() / "a" / "b" / "Data"));
  WriteBytes(dir.path() / "file", "x");
  EXPECT_EQ(EnsureDataFolder(dir.path() / "file").error, StoreError::CannotOpen);
  EXPECT_EQ(EnsureDataFolder(dir.path() / "file" / "Data").error, StoreError::CannotOpen);
}

TEST(DataLockTest, OneHolderPerFolderInThisProcessAndAnother) {
  TempDir dir;
  Status s;
  std::optional<DataLock> first = DataLock::Acquire(dir.path(), &s);
  ASSERT_TRUE(first.has_value()) << s.detail;

  std::optional<DataLock> second = DataLock::Acquire(dir.path(), &s);
  EXPECT_FALSE(second.has_value());
  EXPECT_EQ(s.error, StoreError::Locked);
  EXPECT_NE(s.detail.find("使用中"), std::string::npos) << s.detail;

  // Another program: a child process gets Locked too.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    Status cs;
    auto lock = DataLock::Acquire(dir.path(), &cs);
    ::_exit(!lock && cs.error == StoreError::Locked ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  // Moving keeps the lock; destroying the holder frees the folder.
  DataLock moved = std::move(*first);
  first.reset();
  EXPECT_FALSE(DataLock::Acquire(dir.path(), &s).has_value());
  { DataLock gone = std::move(moved); }
  EXPECT_TRUE(DataLock::Acquire(dir.path(), &s).has_value()) << s.detail;
}

}  // namespace
}  // namespace tankora
