// What the store promises when a write fails and says so: the record stays
// as it was, now, after the next write and after the next start, and the
// counts never see a change that did not happen.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>

#include "fault_layer.h"
#include "store/company.h"
#include "store/store.h"
#include "store_test_util.h"

namespace tankora {
namespace {

using fileio::CallFault;
using fileio::FileCall;
using testing::CustomerImage;
using testing::FaultKind;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

Record Slip(std::string_view name, std::string_view bikou) {
  Record r(TenkenDenpLayout());
  r.Set(TenkenDenp::KokyakuName, name);
  r.Set(TenkenDenp::Bikou, bikou);
  return r;
}

// One call of an overwrite that fails: `tear` lets half of a write land
// before the failure (an I/O error in the middle of it).
struct FailingCall {
  const char* what;
  FileCall call;
  const char* file;
  bool tear = false;
};

constexpr FailingCall kFailingCalls[] = {
    {"the record's write", FileCall::Write, "TenkenDenp.120"},
    {"the record's write, half of it landed", FileCall::Write, "TenkenDenp.120", true},
    {"the record's flush", FileCall::Sync, "TenkenDenp.120"},
    {"the journal's write, half of it landed", FileCall::Write, "TenkenDenp.120.journal", true},
    {"the journal's truncate", FileCall::Truncate, "TenkenDenp.120.journal"},
    {"the journal's flush", FileCall::Sync, "TenkenDenp.120.journal"},
};

// What happens after the failed write: each is where a pending entry used
// to be applied.
enum class Next { Overwrite, Append, Restart };

TEST(FailedWriteTest, AnOverwriteReportedAsFailedIsNeverAppliedLater) {
  const std::size_t length = TenkenDenpLayout().RecordLength();
  for (const FailingCall& f : kFailingCalls) {
    for (const Next next : {Next::Overwrite, Next::Append, Next::Restart}) {
      const std::string what = std::string(f.what) + ", then " +
                               (next == Next::Overwrite ? "an overwrite"
                                : next == Next::Append  ? "an append"
                                                        : "a restart");
      TempDir dir;
      RecordFile file(TenkenDenpLayout(), dir.path() / "TenkenDenp.120");
      ASSERT_TRUE(file.OpenAtStart());
      for (const char* name : {"A", "B", "C"}) {
        Record r = Slip(name, "as stored");
        ASSERT_TRUE(file.WriteRecord(file.Count() + 1, r));
      }
      std::string expected = ReadBytes(file.Path());
      Record changed = Slip("B", "reported as not stored");
      {
        int seen = 0;
        testing::ScopedCallHook hook([&](FileCall call, const std::filesystem::path& p) {
          if (call != f.call || p.filename() != f.file || ++seen != 1) return CallFault::None;
          return f.tear ? CallFault::Tear : CallFault::Fail;
        });
        EXPECT_EQ(file.WriteRecord(2, changed).error, StoreError::WriteFailed) << what;
        ASSERT_EQ(seen > 0, true) << what;
      }
      EXPECT_EQ(ReadBytes(file.Path()), expected) << what << ": at once";

      Record other = Slip("D", "stored afterwards");
      switch (next) {
        case Next::Overwrite:
          ASSERT_TRUE(file.WriteRecord(3, other)) << what;
          expected.replace(2 * length, length, other.Pack());
          break;
        case Next::Append:
          ASSERT_TRUE(file.WriteRecord(4, other)) << what;
          expected += other.Pack();
          break;
        case Next::Restart: {
          RecordFile again(TenkenDenpLayout(), file.Path());
          ASSERT_TRUE(again.OpenAtStart()) << what;
          break;
        }
      }
      EXPECT_EQ(ReadBytes(file.Path()), expected) << what;
      EXPECT_EQ(ReadBytes(file.JournalPath()), "") << what;
    }
  }
}

TEST(FailedWriteTest, TheNamedFaultAfterTheJournalIsUndoneToo) {
  TempDir dir;
  RecordFile file(TenkenDenpLayout(), dir.path() / "TenkenDenp.120");
  ASSERT_TRUE(file.OpenAtStart());
  Record a = Slip("A", "as stored");
  ASSERT_TRUE(file.WriteRecord(1, a));
  const std::string before = ReadBytes(file.Path());
  Record changed = Slip("A", "changed");
  Store::SetFaultHook([](std::string_view point) { return point != "record:after-journal"; });
  EXPECT_FALSE(file.WriteRecord(1, changed));
  Store::SetFaultHook(nullptr);
  RecordFile again(TenkenDenpLayout(), file.Path());
  ASSERT_TRUE(again.OpenAtStart());
  EXPECT_EQ(ReadBytes(file.Path()), before);
}

TEST(FailedWriteTest, WhenPuttingTheOldRecordBackFailsTooTheNextSettleDoesIt) {
  // The record's write tears and every later write of the record fails. The
  // journal was told that its old image stands (a one-byte write) and says
  // so to the next start; the next write in this run knows it anyway, even
  // when that byte did not get through either.
  struct Case {
    const char* what;
    bool standingByteWritten;
    bool restart;
  };
  for (const Case& c : {Case{"byte written, restart", true, true},
                        Case{"byte written, next write", true, false},
                        Case{"byte lost, next write", false, false}}) {
    TempDir dir;
    RecordFile file(TenkenDenpLayout(), dir.path() / "TenkenDenp.120");
    ASSERT_TRUE(file.OpenAtStart());
    for (const char* name : {"A", "B"}) {
      Record r = Slip(name, "as stored");
      ASSERT_TRUE(file.WriteRecord(file.Count() + 1, r));
    }
    std::string expected = ReadBytes(file.Path());
    Record changed = Slip("A", "reported as not stored");
    {
      int recordWrites = 0, journalWrites = 0;
      testing::ScopedCallHook hook([&](FileCall call, const std::filesystem::path& p) {
        if (call != FileCall::Write) return CallFault::None;
        if (p.filename() == "TenkenDenp.120") {
          return ++recordWrites == 1 ? CallFault::Tear : CallFault::Fail;
        }
        // The journal's second write is the standing byte.
        if (++journalWrites == 2 && !c.standingByteWritten) return CallFault::Fail;
        return CallFault::None;
      });
      EXPECT_FALSE(file.WriteRecord(1, changed)) << c.what;
    }
    ASSERT_NE(ReadBytes(file.Path()), expected) << c.what << ": record 1 is torn";
    if (c.restart) {
      RecordFile again(TenkenDenpLayout(), file.Path());
      ASSERT_TRUE(again.OpenAtStart()) << c.what;
    } else {
      Record b = Slip("B", "stored afterwards");
      ASSERT_TRUE(file.WriteRecord(2, b)) << c.what;
      expected.replace(TenkenDenpLayout().RecordLength(), TenkenDenpLayout().RecordLength(),
                       b.Pack());
    }
    EXPECT_EQ(ReadBytes(file.Path()), expected) << c.what;
    EXPECT_EQ(ReadBytes(file.JournalPath()), "") << c.what;
  }
}

TEST(FailedWriteTest, AFailedUndeleteIsNeverCounted) {
  // 1999 live customers and two deleted ones: bringing both back would make
  // 2001. The first undelete fails; the second gets the last place.
  TempDir dir;
  std::string file;
  char name[16];
  for (int i = 1; i <= 1999; ++i) {
    std::snprintf(name, sizeof name, "L%04d", i);
    file += CustomerImage(' ', "A", name);
  }
  file += CustomerImage('1', "B", "D1") + CustomerImage('1', "B", "D2");
  WriteBytes(dir.path() / "Kokyaku.120", file);
  Store store(dir.path());
  ASSERT_TRUE(store.Open());
  ASSERT_EQ(store.ActiveCount(), 1999);

  auto undelete = [&store](int n) {
    Record r(KokyakuLayout());
    EXPECT_TRUE(store.KokyakuFile().ReadRecord(n, r));
    r.SetFlagAt(Kokyaku::DeleteFlag, 0, false);
    return store.WriteKokyaku(n, r);
  };
  {
    testing::FaultLayer fail(FaultKind::Fail, 1, testing::CallOn(FileCall::Sync, "Kokyaku.120"));
    EXPECT_EQ(undelete(2000).error, StoreError::WriteFailed);
  }
  EXPECT_TRUE(undelete(2001));
  EXPECT_EQ(undelete(2000).error, StoreError::TooManyCustomers);

  Store again(dir.path());
  ASSERT_TRUE(again.Open());
  EXPECT_EQ(again.ActiveCount(), 2000);
  Record d1(KokyakuLayout());
  ASSERT_TRUE(again.KokyakuFile().ReadRecord(2000, d1));
  EXPECT_TRUE(d1.Deleted());
}

// Kills the test (and so fails it) when what it guards hangs.
class HangGuard final {
 public:
  explicit HangGuard(unsigned seconds) { ::alarm(seconds); }
  ~HangGuard() { ::alarm(0); }
};

TEST(SpecialFileTest, APipeNamedLikeAFileOfTheStoreIsRefusedByName) {
  // A pipe opened for reading waits for a writer; for writing, for a reader.
  // Either would hold the window in its start-up or a command for ever.
  struct Case {
    const char* name;
    std::function<Status(Store&)> run;
  };
  auto open = [](Store& store) { return store.Open(); };
  const Case cases[] = {
      {"BackupFolder.500",
       [](Store& store) {
         std::string folder;
         return LoadBackupFolder(store.DataDir(), &folder);
       }},
      {"Kokyaku.120", open},
      {"Jisya.120", open},
      {"Kokyaku.120.journal", open},
      {"TenkenDenp.120.journal", open},
      {"Kokyaku.120.partial-2",
       [](Store& store) {
         // Record 1 and the start of another: the append keeps that start first.
         WriteBytes(store.DataDir() / "Kokyaku.120", CustomerImage(' ', "A", "A") + "cut");
         if (Status s = store.Open(); !s) return s;
         Record r(KokyakuLayout());
         r.Set(Kokyaku::Name, "B");
         return store.WriteKokyaku(2, r);
       }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir.path() / c.name).c_str(), 0644), 0) << c.name;
    Store store(dir.path());
    HangGuard guard(20);
    const Status s = c.run(store);
    EXPECT_FALSE(s) << c.name;
    EXPECT_NE(s.detail.find(c.name), std::string::npos) << s.detail;
    EXPECT_NE(s.detail.find("not a regular file"), std::string::npos) << s.detail;
  }
}

TEST(SpecialFileTest, ALeftoverTemporaryIsReplacedNotWrittenThrough) {
  // Whatever sits at "<name>.tmp" (a pipe, a link to another file) is removed
  // before the new file is made there.
  struct Case {
    const char* what;
    std::function<void(const std::filesystem::path& temp, const std::filesystem::path& dir)> make;
  };
  const Case cases[] = {
      {"a pipe", [](auto& temp, auto&) { ASSERT_EQ(::mkfifo(temp.c_str(), 0644), 0); }},
      {"a link to another file",
       [](auto& temp, auto& dir) {
         WriteBytes(dir / "precious", "kept");
         std::filesystem::create_symlink(dir / "precious", temp);
       }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    Store store(dir.path());
    ASSERT_TRUE(store.Open()) << c.what;
    c.make(dir.path() / "BackupFolder.500.tmp", dir.path());
    HangGuard guard(20);
    ASSERT_TRUE(SaveBackupFolder(dir.path(), "/media/usb")) << c.what;
    std::string folder;
    ASSERT_TRUE(LoadBackupFolder(dir.path(), &folder));
    EXPECT_EQ(folder, "/media/usb") << c.what;
    if (std::filesystem::exists(dir.path() / "precious")) {
      EXPECT_EQ(ReadBytes(dir.path() / "precious"), "kept") << c.what;
    }
  }
}

TEST(LinkedFileTest, AReplacedFileThatIsALinkStaysALink) {
  // Data files kept on a NAS, linked into the Data folder: the file the link
  // names gets the new contents, and the link stays.
  struct Case {
    const char* name;
    std::string bytes;
    std::function<Status(Store&)> replace;
    std::function<void(const std::string& after)> check;
  };
  const Case cases[] = {
      {"Kokyaku.120", CustomerImage(' ', "U", "Ueda") + CustomerImage(' ', "A", "Aoki"),
       [](Store& store) { return store.KokyakuSortAndIndex(); },
       [](const std::string& after) { EXPECT_EQ(after.substr(5, 4), "Aoki"); }},
      {"Jisya.120", testing::BlankImage(1000),
       [](Store& store) {
         Company company(store.JisyaFile());
         if (Status s = company.Load(); !s) return s;
         company.Set(CompanyField::KaisyaName, "NAS Co");
         return company.Save();
       },
       [](const std::string& after) { EXPECT_NE(after.find("NAS Co"), std::string::npos); }},
      {"BackupFolder.500", std::string(255, ' '),
       [](Store& store) { return SaveBackupFolder(store.DataDir(), "/media/usb"); },
       [](const std::string& after) { EXPECT_EQ(after.substr(0, 10), "/media/usb"); }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const auto data = dir.path() / "Data", nas = dir.path() / "nas";
    std::filesystem::create_directories(data);
    std::filesystem::create_directories(nas);
    WriteBytes(nas / c.name, c.bytes);
    std::filesystem::create_symlink(std::filesystem::path("..") / "nas" / c.name, data / c.name);
    Store store(data);
    ASSERT_TRUE(store.Open()) << c.name;
    ASSERT_TRUE(c.replace(store)) << c.name;
    EXPECT_TRUE(std::filesystem::is_symlink(data / c.name)) << c.name;
    c.check(ReadBytes(nas / c.name));
    EXPECT_EQ(ReadBytes(data / c.name), ReadBytes(nas / c.name)) << c.name;
    EXPECT_FALSE(std::filesystem::exists(nas / (std::string(c.name) + ".tmp"))) << c.name;
    EXPECT_FALSE(std::filesystem::exists(data / (std::string(c.name) + ".tmp"))) << c.name;
  }
}

TEST(TornAppendTest, ALastRecordWithoutItsLineFeedIsCutShortAndKeptAside) {
  // A power cut during an append can grow the file by a whole record of
  // zeros; its first byte is not "1", so counted it would be a live
  // customer without a name.
  const std::string a = CustomerImage(' ', "A", "Aoki"), b = CustomerImage(' ', "B", "Baba");
  std::string noFeed = CustomerImage(' ', "C", "Chiba");
  noFeed.back() = ' ';
  std::string allNoFeed;
  for (std::string r : {a, b}) {
    r.back() = ' ';
    allNoFeed += r;
  }
  struct Case {
    const char* what;
    std::string file;
    int count;
    std::string kept;  // what the next append keeps aside as Kokyaku.120.partial-<count+1>
  };
  const Case cases[] = {
      {"a record of zeros", a + b + std::string(1000, '\0'), 2, std::string(1000, '\0')},
      {"a whole record without its line feed", a + b + noFeed, 2, noFeed},
      {"only a record of zeros", std::string(1000, '\0'), 0, std::string(1000, '\0')},
      {"zeros and a partial record", a + std::string(1000, '\0') + "xy", 1,
       std::string(1000, '\0') + "xy"},
      // Only the last record is judged, whatever the others end in.
      {"no record with a line feed", allNoFeed, 1, allNoFeed.substr(1000)},
      {"whole records", a + b, 2, ""},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteBytes(dir.path() / "Kokyaku.120", c.file);
    Store store(dir.path());
    ASSERT_TRUE(store.Open()) << c.what;
    EXPECT_EQ(store.KokyakuCount(), c.count) << c.what;
    EXPECT_EQ(store.ActiveCount(), c.count) << c.what;
    EXPECT_EQ(store.PartialTailNotice().find("Kokyaku.120") != std::string::npos, !c.kept.empty())
        << c.what;
    Store reader(dir.path());
    ASSERT_TRUE(reader.OpenReadOnly()) << c.what;
    EXPECT_EQ(reader.KokyakuCount(), c.count) << c.what;

    Record added(KokyakuLayout());
    added.Set(Kokyaku::Kana, "D");
    added.Set(Kokyaku::Name, "Doi");
    ASSERT_TRUE(store.WriteKokyaku(c.count + 1, added)) << c.what;
    EXPECT_EQ(store.KokyakuCount(), c.count + 1) << c.what;
    const auto kept = PartialTailPath(dir.path() / "Kokyaku.120", c.count + 1);
    EXPECT_EQ(ReadBytes(kept), c.kept) << c.what;
    EXPECT_EQ(ReadBytes(dir.path() / "Kokyaku.120"),
              c.file.substr(0, static_cast<std::size_t>(c.count) * 1000) + std::string(added.Pack()))
        << c.what;
  }
}

TEST(TornAppendTest, ARecordTheSortMovesToTheEndStaysListed) {
  // Found by the fuzzer: a listed record without its line feed (a foreign
  // file's) sorted to the end would be an append cut short at the next start.
  // (Two findings: first with the rule looking at the record before the last
  // too, which an overwrite of that record could change.)
  TempDir dir;
  std::string zed = CustomerImage(' ', "Z", "Zaitsu");
  zed.back() = ' ';
  WriteBytes(dir.path() / "Kokyaku.120", zed + CustomerImage(' ', "A", "Aoki"));
  Store store(dir.path());
  ASSERT_TRUE(store.Open());  // sorts: Zaitsu goes last
  EXPECT_EQ(store.ActiveCount(), 2);
  EXPECT_EQ(ReadBytes(dir.path() / "Kokyaku.120").substr(1005, 6), "Zaitsu");
  Store again(dir.path());
  ASSERT_TRUE(again.Open());
  EXPECT_EQ(again.ActiveCount(), 2);
}

TEST(TornAppendTest, AJournalRepairsALastRecordTornWithoutItsLineFeed) {
  // An overwrite of the last record torn by a crash may end without its line
  // feed; the journal's entry still names it, and puts it right.
  TempDir dir;
  const std::string a = CustomerImage(' ', "A", "Aoki"), b = CustomerImage(' ', "B", "Baba");
  const std::string newB = CustomerImage(' ', "B", "Baba Changed");
  std::string tornB = b;
  tornB.back() = '\0';
  WriteBytes(dir.path() / "Kokyaku.120", a + tornB);
  WriteBytes(dir.path() / "Kokyaku.120.journal", testing::JournalEntry(2, 'N', b, newB));
  Store store(dir.path());
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.KokyakuCount(), 2);
  EXPECT_EQ(ReadBytes(dir.path() / "Kokyaku.120"), a + newB);
}

TEST(CrashOrderTest, StartUpSortsACustomerFileLeftOutOfOrder) {
  // What a crash between a customer's write and its sort leaves behind.
  struct Case {
    const char* what;
    std::vector<std::string> records;
    bool rewritten;
  };
  const Case cases[] = {
      {"a new customer at the end", {CustomerImage(' ', "B", "Baba"), CustomerImage(' ', "C", "Chiba"),
                                     CustomerImage(' ', "A", "Aoki")}, true},
      {"deleted records stay where they are",
       {CustomerImage(' ', "U", "Ueda"), CustomerImage('1', "Z", "Gone"),
        CustomerImage(' ', "A", "Aoki"), CustomerImage(' ', "\xb1", "Kana")}, true},
      {"in order already", {CustomerImage(' ', "A", "Aoki"), CustomerImage('1', "0", "Gone"),
                            CustomerImage(' ', "A", "Abe"), CustomerImage(' ', "B", "Baba")}, false},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const auto path = dir.path() / "Kokyaku.120";
    WriteBytes(path, testing::Concat(c.records));
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    Store reader(dir.path());
    ASSERT_TRUE(reader.OpenReadOnly()) << c.what;
    EXPECT_EQ(ReadBytes(path), testing::Concat(c.records)) << c.what << ": info sorts nothing";

    Store store(dir.path());
    ASSERT_TRUE(store.Open()) << c.what;
    std::vector<std::string> sorted = c.records;
    testing::ReferenceExchangeSort(sorted);
    EXPECT_EQ(ReadBytes(path), testing::Concat(sorted)) << c.what;
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino != before.st_ino, c.rewritten) << c.what;
    std::string listed;
    for (const int n : store.ActiveIndex()) listed += sorted[static_cast<std::size_t>(n - 1)][1];
    std::string expected;
    for (const std::string& r : sorted) {
      if (r[0] != '1') expected += r[1];
    }
    EXPECT_EQ(listed, expected) << c.what;
  }
}

TEST(ReplaceTest, AFailedFolderFlushAfterTheRenameIsNoFailure) {
  // The new file is in place: a sort that did sort, a profile that was
  // saved, must not be reported as failed.
  struct Case {
    const char* what;
    std::function<Status(Store&)> replace;
    const char* file;
    std::size_t at;  // where the new contents show
    const char* shows;
  };
  const Case cases[] = {
      {"the sort", [](Store& store) { return store.KokyakuSortAndIndex(); }, "Kokyaku.120", 5,
       "Aoki"},
      {"the backup folder",
       [](Store& store) { return SaveBackupFolder(store.DataDir(), "/media/usb"); },
       "BackupFolder.500", 0, "/media/usb"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const auto data = dir.path() / "Data";
    std::filesystem::create_directories(data);
    Store store(data);
    ASSERT_TRUE(store.Open()) << c.what;
    // Out of order only now, so that the start did not sort it already.
    WriteBytes(data / "Kokyaku.120",
               CustomerImage(' ', "U", "Ueda") + CustomerImage(' ', "A", "Aoki"));
    store.KokyakuFile().Recount();
    testing::FaultLayer fail(FaultKind::Fail, 1, [](FileCall call, const std::filesystem::path& p) {
      return call == FileCall::Sync && p.filename() == "Data";
    });
    const Status s = c.replace(store);
    EXPECT_TRUE(s) << c.what << ": " << s.detail;
    EXPECT_TRUE(fail.Struck()) << c.what;
    EXPECT_EQ(ReadBytes(data / c.file).substr(c.at, std::strlen(c.shows)), c.shows) << c.what;
  }
}

TEST(ReplaceTest, StartUpRemovesEveryLeftoverTemporaryFile) {
  TempDir dir;
  for (const char* name : {"Kokyaku.120.tmp", "Jisya.120.tmp", "BackupFolder.500.tmp"}) {
    WriteBytes(dir.path() / name, "a replacement cut short");
  }
  Store store(dir.path());
  ASSERT_TRUE(store.Open());
  for (const char* name : {"Kokyaku.120.tmp", "Jisya.120.tmp", "BackupFolder.500.tmp"}) {
    EXPECT_FALSE(std::filesystem::exists(dir.path() / name)) << name;
  }
}

}  // namespace
}  // namespace tankora
