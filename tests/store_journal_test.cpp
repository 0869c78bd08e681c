// A record overwritten in place goes through the journal beside its file, so
// a power cut during the record's own write cannot leave it torn.
#include <gtest/gtest.h>

#include "store/store.h"
#include "store_test_util.h"

namespace tankora {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

Record Slip(std::string_view name, std::string_view bikou) {
  Record r(TenkenDenpLayout());
  r.Set(TenkenDenp::KokyakuName, name);
  r.Set(TenkenDenp::Bikou, bikou);
  return r;
}

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

TEST_F(JournalTest, AnAppendFinishesAPendingWriteFirst) {
  // The write failed in this very run (a disk error, not a crash): the record
  // may be torn, and nothing may move or grow before it is whole again.
  Record changed = Slip("A", "pending");
  CrashAfterTheJournal(1, changed);
  TearRecord(1, changed);
  Record d = Slip("D", "four");
  ASSERT_TRUE(file_.WriteRecord(4, d));
  EXPECT_EQ(ReadBytes(file_.Path()), Expected(1, changed) + std::string(d.Pack()));
  EXPECT_EQ(ReadBytes(file_.JournalPath()), "");
}

TEST_F(JournalTest, AnotherOverwriteFinishesAPendingWriteFirst) {
  // Its own entry would replace the pending one, and the torn record would
  // then never be made whole.
  Record first = Slip("A", "pending");
  CrashAfterTheJournal(1, first);
  TearRecord(1, first);
  Record second = Slip("C", "next change");
  ASSERT_TRUE(file_.WriteRecord(3, second));
  std::string expected = Expected(1, first);
  const std::size_t length = TenkenDenpLayout().RecordLength();
  expected.replace(2 * length, length, second.Pack());
  EXPECT_EQ(ReadBytes(file_.Path()), expected);
}

TEST(JournalStoreTest, TheSortFinishesAPendingWriteBeforeRecordsMove) {
  TempDir dir;
  WriteBytes(dir.path() / "Kokyaku.120", testing::CustomerImage(' ', "U", "Ueda") +
                                             testing::CustomerImage(' ', "A", "Aoki"));
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
