// Record-number access to the data files: counts, bounds, appends, partial
// records, writes that fail, and the journal that keeps overwrites whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>

#include "fault_layer.h"
#include "store/store.h"
#include "store_test_util.h"

namespace tankora {
namespace {

using testing::BlankImage;
using testing::FaultKind;
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
  TempDir dir;
  RecordFile file(TenkenDenpLayout(), dir.path() / "TenkenDenp.120");
  ASSERT_TRUE(file.OpenAtStart());
  Record slip = Slip("A", "x");
  testing::ScopedCallHook full([](fileio::FileCall call, const std::filesystem::path&) {
    return call == fileio::FileCall::Write ? fileio::CallFault::Full : fileio::CallFault::None;
  });
  const Status s = file.WriteRecord(1, slip);
  EXPECT_EQ(s.error, StoreError::WriteFailed);
  EXPECT_NE(s.detail.find("No space left on device"), std::string::npos) << s.detail;
  EXPECT_EQ(file.Count(), 0);
  EXPECT_EQ(ReadBytes(file.Path()), "");
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

  // The power goes during the record's own write (Torn: half of it lands)
  // or just before it (Cut: the journal is on disk, the record untouched).
  void PowerCutAtTheRecord(FaultKind kind, int n, Record& changed) {
    testing::FaultLayer cut(kind, 1, testing::CallOn(fileio::FileCall::Write, "TenkenDenp.120"));
    EXPECT_EQ(file_.WriteRecord(n, changed).error, StoreError::WriteFailed);
    ASSERT_TRUE(cut.Struck());
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
  // A remark long enough to reach past the half of the record that lands.
  Record changed = Slip("B", "changed when the power went, a remark long enough to tear");
  PowerCutAtTheRecord(FaultKind::Torn, 2, changed);
  ASSERT_NE(ReadBytes(file_.Path()), Expected(2, changed));
  ASSERT_NE(ReadBytes(file_.Path()), before_);
  ASSERT_TRUE(Restart());
  EXPECT_EQ(ReadBytes(file_.Path()), Expected(2, changed)) << "record 2 whole, 1 and 3 untouched";
  EXPECT_EQ(ReadBytes(file_.JournalPath()), "");
  // A second start has nothing left to do.
  ASSERT_TRUE(Restart());
  EXPECT_EQ(ReadBytes(file_.Path()), Expected(2, changed));
}

TEST_F(JournalTest, AnEntryThatIsNotWholeOrNotOfThisFileIsDroppedAndTheRecordKept) {
  Record changed = Slip("C", "never written");
  PowerCutAtTheRecord(FaultKind::Cut, 3, changed);
  const std::string entry = ReadBytes(file_.JournalPath());
  ASSERT_EQ(entry, testing::JournalEntry(3, 'N', c_.Pack(), changed.Pack()));
  struct Case {
    const char* what;
    std::string journal;
  };
  std::string flipped = entry;
  flipped[30] ^= 0x01;
  const std::string_view old = c_.Pack(), now = changed.Pack();
  const Case cases[] = {
      {"cut short", entry.substr(0, entry.size() - 5)},
      {"a changed byte", flipped},
      {"no entry at all", "garbage"},
      {"a record beyond the file", testing::JournalEntry(4, 'N', old, now)},
      {"record 0", testing::JournalEntry(0, 'N', old, now)},
      // 2^32 + 1: read as an int it would be record 1.
      {"a number past any int", testing::JournalEntry(4294967297LL, 'N', old, now)},
      {"an unknown standing byte", testing::JournalEntry(3, 'X', old, now)},
  };
  for (const Case& c : cases) {
    WriteBytes(file_.JournalPath(), c.journal);
    ASSERT_TRUE(Restart()) << c.what;
    EXPECT_EQ(ReadBytes(file_.Path()), before_) << c.what;
    EXPECT_EQ(ReadBytes(file_.JournalPath()), "") << c.what;
  }
}

TEST(JournalStoreTest, TheSortSettlesAPendingEntryBeforeRecordsMove) {
  // An entry still pending in this run (the write failed, and so did putting
  // the old record back) names a record by its number: the sort must settle
  // it on Ueda before Ueda moves to record 2.
  TempDir dir;
  WriteBytes(dir.path() / "Kokyaku.120", CustomerImage(' ', "U", "Ueda") +
                                             CustomerImage(' ', "A", "Aoki"));
  const std::string before = ReadBytes(dir.path() / "Kokyaku.120");
  Store store(dir.path());
  ASSERT_TRUE(store.Open());
  Record ueda(KokyakuLayout());
  ASSERT_TRUE(store.KokyakuFile().ReadRecord(1, ueda));
  ueda.Set(Kokyaku::Address, "never stored");
  {
    // The change tears, and putting the old record back fails.
    int writes = 0;
    testing::ScopedCallHook hook([&writes](fileio::FileCall call, const std::filesystem::path& p) {
      if (call != fileio::FileCall::Write || p.filename() != "Kokyaku.120") {
        return fileio::CallFault::None;
      }
      return ++writes == 1 ? fileio::CallFault::Tear : fileio::CallFault::Fail;
    });
    EXPECT_FALSE(store.WriteKokyaku(1, ueda));
  }
  ASSERT_NE(ReadBytes(dir.path() / "Kokyaku.120"), before) << "record 1 torn";
  ASSERT_TRUE(store.KokyakuSortAndIndex());
  Record got(KokyakuLayout());
  ASSERT_TRUE(store.KokyakuFile().ReadRecord(2, got));
  EXPECT_EQ(testing::Hex(got.Pack()), testing::Hex(CustomerImage(' ', "U", "Ueda")));
  ASSERT_TRUE(store.KokyakuFile().ReadRecord(1, got));
  EXPECT_EQ(testing::Hex(got.Pack()), testing::Hex(CustomerImage(' ', "A", "Aoki")));
  EXPECT_EQ(ReadBytes(store.KokyakuFile().JournalPath()), "");
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
