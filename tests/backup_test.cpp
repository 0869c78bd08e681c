// Backup and restore on real files: exact copies, progress steps, copies cut
// at every record, restores that skip, fail or are undone, the safety
// folders, the clean-up rules and the removal of deleted records.
#include <gtest/gtest.h>

#include <map>

#include "backup/backup_run.h"
#include "fault_layer.h"
#include "store/company.h"
#include "store_test_util.h"

namespace tankora {
namespace {

namespace fs = std::filesystem;
using testing::CustomerImage;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string SlipImage(char flag, std::string_view name, int year, int month, int day) {
  Record r(TenkenDenpLayout());
  if (flag == '1') r.SetFlagAt(TenkenDenp::DeleteFlag, 0, true);
  r.Set(TenkenDenp::KokyakuName, name);
  if (year > 0) {
    r.Set(TenkenDenp::Year, std::to_string(year));
    r.Set(TenkenDenp::Month, std::to_string(month));
    r.Set(TenkenDenp::Day, std::to_string(day));
  }
  return std::string(r.Pack());
}

std::string LedgerImage(char flag, std::string_view name) {
  Record r(KoujiLayout());
  if (flag == '1') r.SetFlagAt(Kouji::DeleteFlag, 0, true);
  r.Set(Kouji::Name, name);
  return std::string(r.Pack());
}

std::string CompanyImage(std::string_view company) {
  Record r(JisyaLayout());
  r.Set(Jisya::KaisyaName, company);
  return std::string(r.Pack());
}

// Counts the calls of one fault point and fails the `at`-th (0: none).
struct FaultAt {
  std::string point;
  int at = 0;
  int seen = 0;
  void Install() {
    Store::SetFaultHook([this](std::string_view p) {
      if (!point.empty() && p != point) return true;
      return ++seen != at;
    });
  }
};

class BackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(Data());
    fs::create_directories(Usb());
    Put("Kokyaku.120", {CustomerImage(' ', "\xb1", "Aoki"), CustomerImage('1', "\xb2", "Gone"),
                        CustomerImage(' ', "\xb3", "Ueda")});
    Put("TenkenDenp.120", {SlipImage(' ', "Aoki", 2012, 10, 1), SlipImage('1', "Aoki", 2012, 9, 1),
                           SlipImage(' ', "Ueda", 2006, 4, 1)});
    Put("Kouji.120", {LedgerImage(' ', "Aoki"), LedgerImage('1', "Gone")});
    Put("Jisya.120", {CompanyImage("Tankora Co")});
    ASSERT_TRUE(store_.Open());
  }
  void TearDown() override { Store::SetFaultHook(nullptr); }

  fs::path Data() const { return dir_.path() / "Data"; }
  fs::path Usb() const { return dir_.path() / "USB"; }
  void Put(const std::string& name, const std::vector<std::string>& records) {
    WriteBytes(Data() / name, testing::Concat(records));
  }
  std::map<std::string, std::string> Files(const fs::path& folder, std::string_view ext) const {
    std::map<std::string, std::string> files;
    for (const BackupPartDef& def : BackupParts()) {
      const fs::path p = folder / (ext == ".120" ? def.dataName : def.copyName);
      // Size and a hash: a failure then reads as a line, not as the files.
      files[p.filename().string()] =
          fs::exists(p) ? std::to_string(fs::file_size(p)) + " bytes #" +
                              std::to_string(std::hash<std::string>{}(ReadBytes(p)))
                        : "(none)";
    }
    return files;
  }
  BackupRequest Request(Direction d) const {
    BackupRequest r;
    r.direction = d;
    r.folder = Usb();
    r.today = Date{2012, 10, 29};
    return r;
  }
  // Files whose name ends in ".tmp" anywhere below the folder.
  static int Temps(const fs::path& folder) {
    int n = 0;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
      n += e.path().extension() == ".tmp";
    }
    return n;
  }

  TempDir dir_;
  Store store_{dir_.path() / "Data"};
};

// A folder's copies listed under the data files' names.
std::map<std::string, std::string> Renamed(const std::map<std::string, std::string>& copies) {
  std::map<std::string, std::string> out;
  for (const auto& [name, digest] : copies) {
    out[name.substr(0, name.size() - 4) + ".120"] = digest;
  }
  return out;
}

TEST_F(BackupTest, SaveAndRestoreAreByteExactDeletedRecordsIncluded) {
  const auto pc = Files(Data(), ".120");
  const RunReport saved = RunBackup(store_, Request(Direction::ToUsb), nullptr);
  ASSERT_TRUE(saved.ok()) << saved.message;
  EXPECT_EQ(Renamed(Files(Usb(), ".125")), pc);
  EXPECT_EQ(saved.parts[0].records, 3);
  EXPECT_EQ(saved.parts[1].records, 3);
  EXPECT_EQ(Temps(Usb()), 0);

  // The PC's data changes; the restore brings back the saved state exactly.
  Put("Kokyaku.120", {CustomerImage(' ', "\xb4", "Later")});
  Put("Jisya.120", {CompanyImage("Renamed Co")});
  ASSERT_TRUE(store_.Open());
  const RunReport restored = RunRestore(store_, Request(Direction::FromUsb), nullptr);
  ASSERT_TRUE(restored.ok()) << restored.message;
  EXPECT_TRUE(restored.filesReplaced);
  EXPECT_EQ(Files(Data(), ".120"), pc);
  Record company(JisyaLayout());
  ASSERT_TRUE(ReopenDataFiles(store_, company));
  EXPECT_EQ(store_.KokyakuCount(), 3);
  EXPECT_EQ(store_.ActiveIndex(), (std::vector<int>{1, 3}));
  EXPECT_EQ(company.Trimmed(Jisya::KaisyaName), "Tankora Co");
  EXPECT_EQ(Temps(Data()), 0);
}

TEST_F(BackupTest, PercentagesStepAsARecordByRecordCopyShowsThem) {
  struct Case {
    int records;
    std::vector<int> shown;
  };
  std::vector<int> hundred;
  for (int p = 0; p <= 100; ++p) hundred.push_back(p);
  const Case cases[] = {{3, {0, 33, 66, 100}}, {400, hundred}, {0, {0, 100}}, {1, {0, 100}}};
  for (const Case& c : cases) {
    std::vector<std::string> slips;
    for (int i = 0; i < c.records; ++i) slips.push_back(SlipImage(' ', "Aoki", 2012, 1, 1));
    Put("TenkenDenp.120", slips);
    struct Recorder : BackupProgress {
      std::vector<int> shown;
      void PartPercent(BackupPart part, int p) override {
        if (part == BackupPart::TenkenDenp) shown.push_back(p);
      }
    } recorder;
    BackupRequest r = Request(Direction::ToUsb);
    r.chosen = {false, true, false};
    ASSERT_TRUE(RunBackup(store_, r, &recorder).ok());
    EXPECT_EQ(recorder.shown, c.shown) << c.records << " records";
  }
}

TEST_F(BackupTest, ACopyCutAtAnyPointLeavesThePreviousBackupWhole) {
  ASSERT_TRUE(RunBackup(store_, Request(Direction::ToUsb), nullptr).ok());
  const auto before = Files(Usb(), ".125");
  std::vector<std::string> slips;
  for (int i = 0; i < 40; ++i) slips.push_back(SlipImage(' ', "Ueda", 2012, 3, 1 + i % 28));
  Put("TenkenDenp.120", slips);
  Put("Kokyaku.120", {CustomerImage(' ', "\xb4", "Later")});

  // Every record of every file, then the flush, read-back and rename steps.
  const std::pair<std::string, int> points[] = {{"copy:record", 1 + 40 + 2 + 1},
                                                {"copy:before-verify", 4},
                                                {"copy:rename", 1}};
  for (const auto& [point, calls] : points) {
    for (int at = 1; at <= calls; ++at) {
      FaultAt fault{point, at};
      fault.Install();
      const RunReport r = RunBackup(store_, Request(Direction::ToUsb), nullptr);
      Store::SetFaultHook(nullptr);
      EXPECT_EQ(r.outcome, RunOutcome::Failed) << point << " " << at;
      EXPECT_EQ(Files(Usb(), ".125"), before) << point << " " << at;
      EXPECT_EQ(Temps(Usb()), 0) << point << " " << at;
    }
  }
  ASSERT_TRUE(RunBackup(store_, Request(Direction::ToUsb), nullptr).ok());
  EXPECT_EQ(CopyRecordCount(Usb(), BackupPart::TenkenDenp), 40);
}

TEST_F(BackupTest, AFailedSaveSaysAnEarlierBackupIsKeptOnlyWhereThereIsOne) {
  for (const bool earlier : {false, true}) {
    if (earlier) {
      ASSERT_TRUE(RunBackup(store_, Request(Direction::ToUsb), nullptr).ok());
    }
    FaultAt fault{"copy:record", 1};
    fault.Install();
    const RunReport r = RunBackup(store_, Request(Direction::ToUsb), nullptr);
    Store::SetFaultHook(nullptr);
    ASSERT_EQ(r.outcome, RunOutcome::Failed);
    EXPECT_EQ(r.message.find("前に保存したデータはそのまま残っています") != std::string::npos, earlier)
        << r.message;
    EXPECT_EQ(r.message.find("何も保存していません") != std::string::npos, !earlier) << r.message;
  }
}

TEST_F(BackupTest, ARestoreSkipsAMissingOrCutCopyAndKeepsThePcFile) {
  ASSERT_TRUE(RunBackup(store_, Request(Direction::ToUsb), nullptr).ok());
  const std::string slipCopy = ReadBytes(Usb() / "TenkenDenp.125");
  Put("Kokyaku.120", {CustomerImage(' ', "\xb4", "Later")});
  Put("TenkenDenp.120", {SlipImage(' ', "Later", 2012, 10, 2)});
  const std::string pcSlips = ReadBytes(Data() / "TenkenDenp.120");
  struct Case {
    const char* what;
    std::function<void()> damage;
    PartState state;
  };
  const Case cases[] = {
      {"missing", [&] { fs::remove(Usb() / "TenkenDenp.125"); }, PartState::Missing},
      {"cut", [&] { WriteBytes(Usb() / "TenkenDenp.125", slipCopy.substr(0, 523)); },
       PartState::Cut},
  };
  for (const Case& c : cases) {
    c.damage();
    ASSERT_TRUE(store_.Open());
    const RunReport r = RunRestore(store_, Request(Direction::FromUsb), nullptr);
    EXPECT_EQ(r.outcome, RunOutcome::Partly) << c.what;
    EXPECT_EQ(r.parts[1].state, c.state) << c.what;
    EXPECT_EQ(ReadBytes(Data() / "TenkenDenp.120"), pcSlips) << c.what;
    EXPECT_EQ(ReadBytes(Data() / "Kokyaku.120"), ReadBytes(Usb() / "Kokyaku.125")) << c.what;
    EXPECT_NE(r.message.find("点検伝票"), std::string::npos) << r.message;
    Put("Kokyaku.120", {CustomerImage(' ', "\xb4", "Later")});
  }
}

TEST_F(BackupTest, TheSafetyFolderKeepsThePcFilesAndAFailedRestoreIsUndone) {
  ASSERT_TRUE(RunBackup(store_, Request(Direction::ToUsb), nullptr).ok());
  Put("Kokyaku.120", {CustomerImage(' ', "\xb4", "Later"), CustomerImage(' ', "\xb5", "More")});
  Put("Kouji.120", {LedgerImage(' ', "Later")});
  ASSERT_TRUE(store_.Open());
  const auto pc = Files(Data(), ".120");

  // Count the steps a good restore passes, then fail each one in turn.
  int steps = 0;
  Store::SetFaultHook([&](std::string_view) { return ++steps, true; });
  BackupRequest probe = Request(Direction::FromUsb);
  probe.now = 1000;
  const fs::path safety = RunRestore(store_, probe, nullptr).safetyFolder;
  Store::SetFaultHook(nullptr);
  ASSERT_FALSE(safety.empty());
  EXPECT_EQ(Renamed(Files(safety, ".125")), pc);

  int undone = 0;  // failures after a file was replaced already
  for (int at = 1; at <= steps; ++at) {
    for (const BackupPartDef& def : BackupParts()) {
      fs::copy_file(safety / def.copyName, Data() / def.dataName,
                    fs::copy_options::overwrite_existing);
    }
    ASSERT_TRUE(store_.Open());
    FaultAt fault{"", at};
    fault.Install();
    BackupRequest r = Request(Direction::FromUsb);
    r.now = 2000 + at;
    const RunReport report = RunRestore(store_, r, nullptr);
    Store::SetFaultHook(nullptr);
    EXPECT_EQ(report.outcome, RunOutcome::Failed) << "step " << at;
    EXPECT_EQ(Files(Data(), ".120"), pc) << "step " << at << ": " << report.message;
    EXPECT_EQ(Temps(Data()), 0) << "step " << at;
    undone += report.parts[0].state == PartState::Undone;
  }
  EXPECT_GT(undone, 0);
  // Only the newest five safety folders are kept.
  int folders = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(SafetyRoot(Data()))) ++folders;
  EXPECT_LE(folders, kSafetyFoldersKept + steps);
  PruneSafetyFolders(Data(), kSafetyFoldersKept);
  folders = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(SafetyRoot(Data()))) ++folders;
  EXPECT_EQ(folders, kSafetyFoldersKept);
}

TEST_F(BackupTest, APendingJournalEntryIsFinishedBeforeTheRestoreAndNeverAfter) {
  ASSERT_TRUE(RunBackup(store_, Request(Direction::ToUsb), nullptr).ok());
  // A write that tore the record and failed, and whose undoing failed too:
  // the entry waits, to put the old record back.
  const std::string before = ReadBytes(Data() / "Kokyaku.120");
  Record changed(KokyakuLayout());
  changed.Unpack(CustomerImage(' ', "\xb1", "Aoki Changed"));
  {
    int writes = 0;
    testing::ScopedCallHook hook([&writes](fileio::FileCall call, const fs::path& p) {
      if (call != fileio::FileCall::Write || p.filename() != "Kokyaku.120") {
        return fileio::CallFault::None;
      }
      return ++writes == 1 ? fileio::CallFault::Tear : fileio::CallFault::Fail;
    });
    ASSERT_FALSE(store_.WriteKokyaku(1, changed));
  }
  ASSERT_GT(fs::file_size(store_.KokyakuFile().JournalPath()), 0u);
  ASSERT_NE(ReadBytes(Data() / "Kokyaku.120"), before);

  BackupRequest r = Request(Direction::FromUsb);
  const RunReport report = RunRestore(store_, r, nullptr);
  ASSERT_TRUE(report.ok()) << report.message;
  EXPECT_EQ(fs::file_size(store_.KokyakuFile().JournalPath()), 0u);
  // The safety copy holds the PC's file as the journal settled it: whole,
  // and without the change that was reported as not stored.
  EXPECT_EQ(ReadBytes(report.safetyFolder / "Kokyaku.125"), before);
  // Reopening (which applies any journal) leaves the restored file as the stick's.
  Record company(JisyaLayout());
  ASSERT_TRUE(ReopenDataFiles(store_, company));
  EXPECT_EQ(ReadBytes(Data() / "Kokyaku.120"), ReadBytes(Usb() / "Kokyaku.125"));
}

TEST_F(BackupTest, TheCleanUpLeavesOutExactlyTheDeletedAndTheTooOldRecords) {
  Put("Kokyaku.120", {CustomerImage(' ', "\xb1", "Live"), CustomerImage('1', "\xb2", "Deleted"),
                      CustomerImage('X', "\xb3", "Stray flag")});
  Put("TenkenDenp.120",
      {SlipImage(' ', "a", 2007, 10, 28), SlipImage(' ', "b", 2007, 10, 29),
       SlipImage(' ', "c", 0, 0, 0), SlipImage('1', "d", 2012, 10, 1),
       SlipImage(' ', "e", 2009, 10, 28), SlipImage(' ', "f", 2009, 10, 29)});
  Put("Kouji.120", {LedgerImage('1', "x"), LedgerImage(' ', "y")});
  struct Case {
    int years;
    std::string slipsKept;
  };
  // 5 years back from 2012-10-29 is 2007-10-29; a year asked below three is three.
  const Case cases[] = {{5, "bcef"}, {3, "cf"}, {1, "cf"}, {10, "abcef"}};
  for (const Case& c : cases) {
    BackupRequest r = Request(Direction::ToUsb);
    r.cleanUp = true;
    r.keepYears = c.years;
    const RunReport report = RunBackup(store_, r, nullptr);
    ASSERT_TRUE(report.ok()) << report.message;
    std::string kept;
    const std::string slips = ReadBytes(Usb() / "TenkenDenp.125");
    for (std::size_t i = 0; i < slips.size(); i += 200) kept += slips[i + 1];
    EXPECT_EQ(kept, c.slipsKept) << c.years << " years";
    EXPECT_EQ(report.parts[1].leftOut, 6 - static_cast<int>(c.slipsKept.size()));
    EXPECT_EQ(ReadBytes(Usb() / "Kokyaku.125"),
              CustomerImage(' ', "\xb1", "Live") + CustomerImage('X', "\xb3", "Stray flag"));
    EXPECT_EQ(ReadBytes(Usb() / "Kouji.125"), LedgerImage(' ', "y"));
    EXPECT_EQ(ReadBytes(Usb() / "Jisya.125"), ReadBytes(Data() / "Jisya.120"));
  }
  // The PC's files are not touched by a cleaned save.
  EXPECT_EQ(fs::file_size(Data() / "TenkenDenp.120"), 6u * 200);
}

TEST_F(BackupTest, ARunIsRefusedWithoutAFolderOrOnTheDataFolder) {
  fs::create_directories(SafetyRoot(Data()) / "20120101-000000");
  struct Case {
    Direction direction;
    fs::path folder;
    bool refused;
  };
  const Case cases[] = {
      {Direction::ToUsb, "", true},
      {Direction::FromUsb, "", true},
      {Direction::ToUsb, dir_.path() / "no-stick", true},
      {Direction::ToUsb, Data(), true},
      {Direction::FromUsb, Data() / ".", true},
      {Direction::ToUsb, SafetyRoot(Data()) / "20120101-000000", true},
      {Direction::FromUsb, SafetyRoot(Data()) / "20120101-000000", false},
      {Direction::ToUsb, Usb(), false},
  };
  const auto pc = Files(Data(), ".120");
  for (const Case& c : cases) {
    BackupRequest r = Request(c.direction);
    r.folder = c.folder;
    EXPECT_EQ(FolderProblem(store_, r).has_value(), c.refused) << c.folder;
  }
  BackupRequest r = Request(Direction::FromUsb);
  r.folder = Data();
  EXPECT_EQ(RunRestore(store_, r, nullptr).outcome, RunOutcome::Refused);
  EXPECT_EQ(Files(Data(), ".120"), pc);
  EXPECT_FALSE(fs::exists(SafetyRoot(Data()) / "x"));
}

TEST_F(BackupTest, CompactingTakesOutDeletedRecordsAndSaysWhereEachWent) {
  const auto pc = Files(Data(), ".120");
  const CompactReport report = CompactDataFiles(store_, 5000);
  ASSERT_TRUE(report.status) << report.status.detail;
  EXPECT_EQ(report.removed, (std::array<int, 3>{1, 1, 1}));
  EXPECT_EQ(report.renumber[0], (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(report.renumber[1], (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(ReadBytes(Data() / "Kokyaku.120"),
            CustomerImage(' ', "\xb1", "Aoki") + CustomerImage(' ', "\xb3", "Ueda"));
  EXPECT_EQ(store_.KokyakuCount(), 2);
  EXPECT_EQ(store_.TenkenCount(), 2);
  EXPECT_EQ(store_.ActiveIndex(), (std::vector<int>{1, 2}));
  EXPECT_EQ(Renamed(Files(report.safetyFolder, ".125")), pc);

  // A failure on the last file puts the first two back.
  Put("Kokyaku.120", {CustomerImage('1', "\xb1", "x"), CustomerImage(' ', "\xb1", "y")});
  Put("Kouji.120", {LedgerImage('1', "x"), LedgerImage(' ', "y")});
  ASSERT_TRUE(store_.Open());
  const auto before = Files(Data(), ".120");
  FaultAt fault{"compact:before-rename", 2};
  fault.Install();
  const CompactReport failed = CompactDataFiles(store_, 6000);
  EXPECT_FALSE(failed.status);
  EXPECT_EQ(Files(Data(), ".120"), before);
  EXPECT_EQ(store_.KokyakuCount(), 2);
}

}  // namespace
}  // namespace tankora
