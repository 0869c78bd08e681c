// Record-number access to the data files: counts, bounds, appends, partial
// records, writes that fail, and the journal that keeps overwrites whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>

#include "store/store.h"
#include "store_test_util.h"

namespace tankora {
namespace {

using testing::BlankImage;
using testing::CustomerImage;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

Record Slip(std::string_view name, std::string_view bikou) {
  Record r(TenkenDenpLayout());
  r.Set(TenkenDenp::KokyakuName, name);
  r.Set(TenkenDenp::Bikou, bikou);
  return r;
}

TEST(RecordFileTest, AppendsOnlyAtCountPlusOneAndReadsBackExactBytes) {
  TempDir dir;
  RecordFile file(TenkenDenpLayout(), dir.path() / "TenkenDenp.120");
  ASSERT_TRUE(file.OpenAtStart());
  EXPECT_TRUE(std::filesystem::exists(file.Path()));
  EXPECT_EQ(file.Count(), 0);

  Record a = Slip("A", "first"), b = Slip("B", "second");
  EXPECT_EQ(file.WriteRecord(2, a).error, StoreError::OutOfRange);
  EXPECT_EQ(file.WriteRecord(0, a).error, StoreError::OutOfRange);
  ASSERT_TRUE(file.WriteRecord(1, a));
  ASSERT_TRUE(file.WriteRecord(2, b));
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(file.WriteRecord(4, a).error, StoreError::OutOfRange);
  EXPECT_EQ(ReadBytes(file.Path()), std::string(a.Pack()) + std::string(b.Pack()));

  // Overwrite in place keeps the count and the neighbour.
  Record a2 = Slip("A", "changed");
  ASSERT_TRUE(file.WriteRecord(1, a2));
  EXPECT_EQ(file.Count(), 2);
  Record got(TenkenDenpLayout());
  ASSERT_TRUE(file.ReadRecord(1, got));
  EXPECT_EQ(got.Trimmed(TenkenDenp::Bikou), "changed");
  ASSERT_TRUE(file.ReadRecord(2, got));
  EXPECT_EQ(got, b);

  // Out-of-range reads fail and leave the buffer alone.
  Record untouched = Slip("keep", "me");
  EXPECT_EQ(file.ReadRecord(0, untouched).error, StoreError::OutOfRange);
  EXPECT_EQ(file.ReadRecord(3, untouched).error, StoreError::OutOfRange);
  EXPECT_EQ(untouched.Trimmed(TenkenDenp::KokyakuName), "keep");
}

TEST(RecordFileTest, TrailingPartialRecordIsNotCountedAndAnAppendReplacesIt) {
  TempDir dir;
  const auto path = dir.path() / "Kokyaku.120";
  const std::string first = CustomerImage(' ', "\xb1", "one");
  WriteBytes(path, first + std::string(999, 'z'));  // 1999 bytes: a copy cut short
  RecordFile file(KokyakuLayout(), path);
  ASSERT_TRUE(file.OpenAtStart());
  EXPECT_EQ(file.Count(), 1);

  std::string all;
  ASSERT_TRUE(file.ReadAll(all));
  EXPECT_EQ(all, first);
  int visited = 0;
  ASSERT_TRUE(file.Scan([&](int, std::string_view) { return ++visited, true; }));
  EXPECT_EQ(visited, 1);

  Record second(KokyakuLayout());
  second.Set(Kokyaku::Name, "two");
  ASSERT_TRUE(file.WriteRecord(2, second));
  EXPECT_EQ(ReadBytes(path), first + std::string(second.Pack()));
  // The bytes written over are kept beside the file, once.
  const auto kept = dir.path() / "Kokyaku.120.partial-2";
  EXPECT_EQ(ReadBytes(kept), std::string(999, 'z'));
  Record third(KokyakuLayout());
  ASSERT_TRUE(file.WriteRecord(3, third));
  EXPECT_EQ(ReadBytes(kept), std::string(999, 'z'));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Kokyaku.120.partial-3"));
}

// A record whose only flaw is a missing final line feed is 999 bytes of a
// real entry: the window says so at start, and the next entry does not
// destroy it.
TEST(RecordFileTest, AnEntryWithoutItsLineFeedSurvivesTheNextAppend) {
  TempDir dir;
  Store store(dir.path());
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.PartialTailNotice(), "");
  Record entry(KoujiLayout());
  entry.Set(Kouji::Name, "\x8a\x74");  // a CP932 name
  const std::string image(entry.Pack());
  WriteBytes(dir.path() / "Kouji.120", image + image.substr(0, 999));
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.KoujiCount(), 1);
  const std::string notice = store.PartialTailNotice();
  EXPECT_NE(notice.find("Kouji.120"), std::string::npos) << notice;
  EXPECT_NE(notice.find("999"), std::string::npos) << notice;

  Record next(KoujiLayout());
  next.Set(Kouji::Name, "next");
  ASSERT_TRUE(store.KoujiFile().WriteRecord(2, next));
  EXPECT_EQ(ReadBytes(dir.path() / "Kouji.120.partial-2"), image.substr(0, 999));
  EXPECT_EQ(store.PartialTailNotice(), "");
}

TEST(RecordFileTest, AnAppendThatCannotKeepTheTailWritesNothing) {
  TempDir dir;
  const auto path = dir.path() / "Kouji.120";
  const std::string bytes = BlankImage(1000) + std::string(500, 'q');
  WriteBytes(path, bytes);
  // A folder where the kept bytes would go: the append must not go ahead.
  std::filesystem::create_directory(dir.path() / "Kouji.120.partial-2");
  RecordFile file(KoujiLayout(), path);
  ASSERT_TRUE(file.OpenAtStart());
  Record next(KoujiLayout());
  next.Set(Kouji::Name, "next");
  const Status st = file.WriteRecord(2, next);
  EXPECT_EQ(st.error, StoreError::WriteFailed);
  EXPECT_NE(st.detail.find("partial"), std::string::npos) << st.detail;
  EXPECT_EQ(ReadBytes(path), bytes);
  EXPECT_EQ(file.Count(), 1);
}

TEST(RecordFileTest, ScanVisitsInFileOrderAcrossBlocksAndStopsWhenAsked) {
  TempDir dir;
  const auto path = dir.path() / "TenkenDenp.120";
  std::string bytes;
  for (int i = 1; i <= 3000; ++i) {  // spans several read blocks
    std::string rec = BlankImage(200);
    testing::Put(rec, 72, std::to_string(i));
    bytes += rec;
  }
  WriteBytes(path, bytes);
  RecordFile file(TenkenDenpLayout(), path);
  ASSERT_TRUE(file.OpenAtStart());
  int expected = 1;
  bool inOrder = true;
  ASSERT_TRUE(file.Scan([&](int n, std::string_view image) {
    inOrder =
        inOrder && n == expected && image.substr(72, std::to_string(n).size()) == std::to_string(n);
    ++expected;
    return true;
  }));
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(expected, 3001);

  int last = 0;
  ASSERT_TRUE(file.Scan([&](int n, std::string_view) { return (last = n) < 1500; }));
  EXPECT_EQ(last, 1500);
}

TEST(RecordFileTest, AFullDiskIsReportedWithItsCause) {
  RecordFile full(TenkenDenpLayout(), "/dev/full");
  Record slip = Slip("A", "x");
  const Status s = full.WriteRecord(1, slip);
  EXPECT_EQ(s.error, StoreError::WriteFailed);
  EXPECT_NE(s.detail.find("No space left on device"), std::string::npos) << s.detail;
  EXPECT_EQ(full.Count(), 0);
}

TEST(RecordFileTest, AnAppendCutShortLeavesTheEarlierRecordsWhole) {
  TempDir dir;
  const auto path = dir.path() / "TenkenDenp.120";
  RecordFile file(TenkenDenpLayout(), path);
  ASSERT_TRUE(file.OpenAtStart());
  for (int i = 0; i < 3; ++i) {
    Record r = Slip("A", std::to_string(i));
    ASSERT_TRUE(file.WriteRecord(i + 1, r));
  }
  const std::string before = ReadBytes(path);

  // The file may grow by only half a record: the write stops part-way.
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 700;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  Record extra = Slip("B", "fourth");
  const Status s = file.WriteRecord(4, extra);
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(s.error, StoreError::WriteFailed);
  EXPECT_EQ(file.Count(), 3);
  EXPECT_EQ(ReadBytes(path), before);
  file.Recount();
  EXPECT_EQ(file.Count(), 3);
}

TEST(RecordFileTest, AnInjectedWriteFailureChangesNothing) {
  TempDir dir;
  RecordFile file(TenkenDenpLayout(), dir.path() / "TenkenDenp.120");
  ASSERT_TRUE(file.OpenAtStart());
  Record r = Slip("A", "x");
  Store::SetFaultHook([](std::string_view point) { return point != "record:write"; });
  const Status s = file.WriteRecord(1, r);
  Store::SetFaultHook(nullptr);
  EXPECT_EQ(s.error, StoreError::WriteFailed);
  EXPECT_EQ(file.Count(), 0);
  EXPECT_EQ(ReadBytes(file.Path()), "");
}

TEST(StoreFilesTest, OpensAFreshFolderAndCountsEachFile) {
  TempDir dir;
  const auto data = dir.path() / "nested" / "Data";
  {
    Store store(data);
    ASSERT_TRUE(store.Open());
    for (const char* name : {"Kokyaku.120", "TenkenDenp.120", "Kouji.120"}) {
      EXPECT_EQ(std::filesystem::file_size(data / name), 0u) << name;
    }
    EXPECT_EQ(store.KokyakuCount(), 0);
    Record slip = Slip("A", "x");
    ASSERT_TRUE(store.TenkenFile().WriteRecord(1, slip));
    EXPECT_EQ(store.TenkenCount(), 1);
    EXPECT_EQ(store.TenkenFile().WriteRecord(3, slip).error, StoreError::OutOfRange);
    Record ledger(KoujiLayout());
    ASSERT_TRUE(store.KoujiFile().WriteRecord(1, ledger));
    ASSERT_TRUE(store.KoujiFile().WriteRecord(2, ledger));
  }
  Store again(data);
  ASSERT_TRUE(again.Open());
  EXPECT_EQ(again.TenkenCount(), 1);
  EXPECT_EQ(again.KoujiCount(), 2);
}

TEST(StoreFilesTest, AFolderThatCannotExistFailsEveryOperationQuietly) {
  TempDir dir;
  WriteBytes(dir.path() / "plainfile", "x");
  Store store(dir.path() / "plainfile" / "Data");
  const Status s = store.Open();
  EXPECT_EQ(s.error, StoreError::CannotOpen);
  EXPECT_FALSE(s.detail.empty());
  EXPECT_EQ(store.KokyakuCount(), 0);
  EXPECT_EQ(store.ActiveCount(), 0);
  Record customer(KokyakuLayout());
  customer.Set(Kokyaku::Name, "A");
  EXPECT_FALSE(store.WriteKokyaku(1, customer));
  EXPECT_EQ(store.KokyakuFind("A"), 0);
  EXPECT_FALSE(store.KokyakuSortAndIndex());
}

TEST(StoreFilesTest, ReadOnlyOpenCreatesNothing) {
  TempDir dir;
  const auto data = dir.path() / "Data";
  std::filesystem::create_directory(data);
  WriteBytes(data / "Kokyaku.120", CustomerImage(' ', "\xb1", "a") +
                                       CustomerImage('1', "\xb2", "b") +
                                       CustomerImage(' ', "\xb3", "c"));
  Store store(data);
  ASSERT_TRUE(store.OpenReadOnly());
  EXPECT_EQ(store.KokyakuCount(), 3);
  EXPECT_EQ(store.ActiveIndex(), (std::vector<int>{1, 3}));
  EXPECT_EQ(store.TenkenCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(data / "TenkenDenp.120"));
  EXPECT_FALSE(std::filesystem::exists(data / "Jisya.120"));
  EXPECT_FALSE(Store(dir.path() / "missing").OpenReadOnly());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

// --- The journal of in-place writes -----------------------------------------
// A record overwritten in place goes through the journal beside its file, so
// a power cut during the record's own write cannot leave it torn.

class JournalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(file_.OpenAtStart());
    for (Record* r : {&a_, &b_, &c_}) ASSERT_TRUE(file_.WriteRecord(file_.Count() + 1, *r));
    before_ = ReadBytes(file_.Path());
  }
  void TearDown() override { Store::SetFaultHook(nullptr); }

  // The crash: the journal is on disk, the record's own write never finished.
  void CrashAfterTheJournal(int n, Record& changed) {
    Store::SetFaultHook([](std::string_view point) { return point != "record:after-journal"; });
    EXPECT_EQ(file_.WriteRecord(n, changed).error, StoreError::WriteFailed);
    Store::SetFaultHook(nullptr);
  }
  // Record n as a cut write may leave it: the start of its new image, then
  // blocks that never reached the disk.
  void TearRecord(int n, Record& changed) {
    std::string bytes = ReadBytes(file_.Path());
    const std::size_t length = TenkenDenpLayout().RecordLength();
    std::string torn(changed.Pack().substr(0, 20));
    torn.resize(length, '\0');
    bytes.replace((n - 1) * length, length, torn);
    WriteBytes(file_.Path(), bytes);
  }
  std::string Expected(int n, Record& changed) const {
    const std::size_t length = TenkenDenpLayout().RecordLength();
    std::string bytes = before_;
    bytes.replace((n - 1) * length, length, changed.Pack());
    return bytes;
  }
  // The file as the next start finds it.
  Status Restart() {
    RecordFile again(TenkenDenpLayout(), file_.Path());
    return again.OpenAtStart();
  }

  TempDir dir_;
  RecordFile file_{TenkenDenpLayout(), dir_.path() / "TenkenDenp.120"};
  Record a_ = Slip("A", "one"), b_ = Slip("B", "two"), c_ = Slip("C", "three");
  std::string before_;
};

TEST_F(JournalTest, AnOverwriteLeavesTheNewRecordAndAnEmptyJournal) {
  Record changed = Slip("B", "changed");
  ASSERT_TRUE(file_.WriteRecord(2, changed));
  EXPECT_EQ(ReadBytes(file_.Path()), Expected(2, changed));
  EXPECT_EQ(ReadBytes(file_.JournalPath()), "");
  // Appends write no journal entry.
  Record d = Slip("D", "four");
  ASSERT_TRUE(file_.WriteRecord(4, d));
  EXPECT_EQ(ReadBytes(file_.JournalPath()), "");
}

TEST_F(JournalTest, ATornRecordIsMadeWholeAtTheNextStart) {
  Record changed = Slip("B", "changed after the cut");
  CrashAfterTheJournal(2, changed);
  TearRecord(2, changed);
  ASSERT_NE(ReadBytes(file_.Path()), Expected(2, changed));
  ASSERT_TRUE(Restart());
  EXPECT_EQ(ReadBytes(file_.Path()), Expected(2, changed)) << "record 2 whole, 1 and 3 untouched";
  EXPECT_EQ(ReadBytes(file_.JournalPath()), "");
  // A second start has nothing left to do.
  ASSERT_TRUE(Restart());
  EXPECT_EQ(ReadBytes(file_.Path()), Expected(2, changed));
}

TEST_F(JournalTest, AnEntryThatIsNotWholeIsDroppedAndTheRecordKept) {
  Record changed = Slip("C", "never written");
  CrashAfterTheJournal(3, changed);
  const std::string entry = ReadBytes(file_.JournalPath());
  ASSERT_FALSE(entry.empty());
  struct Case {
    const char* what;
    std::string journal;
  };
  std::string flipped = entry;
  flipped[30] ^= 0x01;
  std::string beyond = entry;
  beyond.replace(4, 10, "0000000009");  // a record the file does not have
  const Case cases[] = {
      {"cut short", entry.substr(0, entry.size() - 5)},
      {"a changed byte", flipped},
      {"no entry at all", "garbage"},
      {"a record beyond the file", beyond},
  };
  for (const Case& c : cases) {
    WriteBytes(file_.JournalPath(), c.journal);
    ASSERT_TRUE(Restart()) << c.what;
    EXPECT_EQ(ReadBytes(file_.Path()), before_) << c.what;
    EXPECT_EQ(ReadBytes(file_.JournalPath()), "") << c.what;
  }
}

TEST_F(JournalTest, APendingWriteIsFinishedBeforeTheNextOverwriteOrAppend) {
  // After a failed write (a disk error in this very run, not a crash) the
  // journal holds the only whole copy of a possibly torn record. Another
  // overwrite would replace that entry, and an append must not grow the file
  // around a torn record.
  struct Next {
    int torn;
    int write;
    const char* bikou;
  };
  const std::size_t length = TenkenDenpLayout().RecordLength();
  for (const Next& c : {Next{1, 3, "next change"}, Next{2, 4, "appended"}}) {
    Record pending = Slip("P", "pending");
    CrashAfterTheJournal(c.torn, pending);
    TearRecord(c.torn, pending);
    Record next = Slip("N", c.bikou);
    std::string expected = Expected(c.torn, pending);
    ASSERT_TRUE(file_.WriteRecord(c.write, next)) << c.bikou;
    expected.resize(std::max(expected.size(), c.write * length), ' ');
    expected.replace((c.write - 1) * length, length, next.Pack());
    EXPECT_EQ(ReadBytes(file_.Path()), expected) << c.bikou;
    EXPECT_EQ(ReadBytes(file_.JournalPath()), "") << c.bikou;
    before_ = ReadBytes(file_.Path());
  }
}

TEST(JournalStoreTest, TheSortFinishesAPendingWriteBeforeRecordsMove) {
  TempDir dir;
  WriteBytes(dir.path() / "Kokyaku.120", CustomerImage(' ', "U", "Ueda") +
                                             CustomerImage(' ', "A", "Aoki"));
  Store store(dir.path());
  ASSERT_TRUE(store.Open());
  Record ueda(KokyakuLayout());  // record 1 until the sort
  ASSERT_TRUE(store.KokyakuFile().ReadRecord(1, ueda));
  ueda.Set(Kokyaku::Address, "pending");
  Store::SetFaultHook([](std::string_view point) { return point != "record:after-journal"; });
  EXPECT_FALSE(store.KokyakuFile().WriteRecord(1, ueda));
  Store::SetFaultHook(nullptr);
  // Sorting moves Ueda to record 2; the pending write must land on Ueda, not
  // on whoever sits at record 1 afterwards.
  ASSERT_TRUE(store.KokyakuSortAndIndex());
  Record got(KokyakuLayout());
  ASSERT_TRUE(store.KokyakuFile().ReadRecord(2, got));
  EXPECT_EQ(got, ueda);
  ASSERT_TRUE(store.KokyakuFile().ReadRecord(1, got));
  EXPECT_EQ(got.Trimmed(Kokyaku::Address), "");
}

TEST(JournalStoreTest, AReadOnlyOpenLeavesAPendingJournalAlone) {
  TempDir dir;
  Store store(dir.path());
  ASSERT_TRUE(store.Open());
  const std::string journal = "a pending entry";
  WriteBytes(store.TenkenFile().JournalPath(), journal);
  Store reader(dir.path());
  ASSERT_TRUE(reader.OpenReadOnly());
  EXPECT_EQ(ReadBytes(store.TenkenFile().JournalPath()), journal);
}

}  // namespace
}  // namespace tankora
