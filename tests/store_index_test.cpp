// The live-customer index, the customer sort, the 2000-customer ceiling and
// finding a customer by name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <map>

#include "store/store.h"
#include "store_test_util.h"

namespace tankora {
namespace {

using testing::Concat;
using testing::CustomerImage;
using testing::RandomCustomers;
using testing::ReadBytes;
using testing::ReferenceExchangeSort;
using testing::TempDir;
using testing::WriteBytes;

class CustomerFileTest : public ::testing::Test {
 protected:
  std::filesystem::path Data() const { return dir_.path() / "Data"; }
  std::filesystem::path KokyakuPath() const { return Data() / "Kokyaku.120"; }

  void WriteCustomers(const std::string& bytes) {
    std::filesystem::create_directories(Data());
    WriteBytes(KokyakuPath(), bytes);
  }

  // Every live customer of `records` is listed once and found by its name.
  void ExpectEachLiveCustomerOnce(Store& store, const std::vector<std::string>& records) {
    std::map<std::string, int> listed;
    for (int n : store.ActiveIndex()) {
      Record r(KokyakuLayout());
      ASSERT_TRUE(store.KokyakuFile().ReadRecord(n, r));
      ++listed[std::string(r.Get(Kokyaku::Name))];
    }
    std::size_t live = 0;
    for (const std::string& rec : records) {
      if (rec[0] == '1') continue;
      ++live;
      const std::string name = rec.substr(5, 20);
      EXPECT_EQ(listed[name], 1) << name;
      Record found(KokyakuLayout());
      const int n = store.KokyakuFind(name, &found);
      ASSERT_GT(n, 0) << name;
      EXPECT_EQ(found.Get(Kokyaku::Name), name);
    }
    EXPECT_EQ(static_cast<std::size_t>(store.ActiveCount()), live);
  }

  TempDir dir_;
};

TEST_F(CustomerFileTest, IndexListsLiveRecordsInFileOrder) {
  std::vector<std::string> recs;
  for (int i = 1; i <= 7; ++i) {
    const char flag = (i == 2 || i == 5) ? '1' : (i == 6 ? 'X' : ' ');
    recs.push_back(CustomerImage(flag, "", "C" + std::to_string(i)));
  }
  WriteCustomers(Concat(recs));
  Store store(Data());
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.KokyakuCount(), 7);
  EXPECT_EQ(store.ActiveIndex(), (std::vector<int>{1, 3, 4, 6, 7}));

  // A new customer goes after the deleted ones; it never reuses record 2 or 5.
  Record fresh(KokyakuLayout());
  fresh.Set(Kokyaku::Name, "new");
  ASSERT_TRUE(store.WriteKokyaku(store.KokyakuCount() + 1, fresh));
  ASSERT_TRUE(store.RebuildIndex());
  EXPECT_EQ(store.ActiveIndex().back(), 8);
}

TEST_F(CustomerFileTest, SortPutsBlankReadingsFirstAndLeavesDeletedRecordsInPlace) {
  const std::vector<std::string> recs = {
      CustomerImage(' ', "\xb2", "i"),  // ｲ
      CustomerImage(' ', "    ", "blank"),
      CustomerImage('1', "\xb0", "gone"),  // deleted, would sort first if it took part
      CustomerImage(' ', "\xb1", "a"),     // ｱ
  };
  WriteCustomers(Concat(recs));
  Store store(Data());
  ASSERT_TRUE(store.Open());
  ASSERT_TRUE(store.KokyakuSortAndIndex());
  EXPECT_EQ(ReadBytes(KokyakuPath()), Concat({recs[1], recs[3], recs[2], recs[0]}));
  EXPECT_EQ(store.ActiveIndex(), (std::vector<int>{1, 2, 4}));
}

TEST_F(CustomerFileTest, SortMatchesTheRecordByRecordExchangeSort) {
  // Many equal readings, deleted records and stray flag bytes: the order of
  // equal readings is whatever the exchange walk leaves, and it must match.
  for (std::size_t n : {0u, 1u, 2u, 3u, 40u, 333u}) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
      std::vector<std::string> recs = RandomCustomers(n, seed * 7919 + n, 15);
      WriteCustomers(Concat(recs));
      Store store(Data());
      ASSERT_TRUE(store.Open());
      ASSERT_TRUE(store.KokyakuSortAndIndex());
      ReferenceExchangeSort(recs);
      ASSERT_EQ(ReadBytes(KokyakuPath()), Concat(recs)) << "n=" << n << " seed=" << seed;
      ExpectEachLiveCustomerOnce(store, recs);
    }
  }
}

TEST_F(CustomerFileTest, SortDropsATrailingPartialRecordOnlyWhenItRewrites) {
  std::vector<std::string> sorted = {CustomerImage(' ', "\xb1", "a"),
                                     CustomerImage(' ', "\xb2", "b")};
  const std::string tail(300, 'q');
  WriteCustomers(Concat(sorted) + tail);
  struct stat before {};
  ASSERT_EQ(::stat(KokyakuPath().c_str(), &before), 0);
  Store store(Data());
  ASSERT_TRUE(store.Open());
  ASSERT_TRUE(store.KokyakuSortAndIndex());
  // Already in order: the file is not rewritten at all.
  struct stat after {};
  ASSERT_EQ(::stat(KokyakuPath().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(ReadBytes(KokyakuPath()), Concat(sorted) + tail);

  WriteCustomers(Concat({sorted[1], sorted[0]}) + tail);
  ASSERT_TRUE(store.KokyakuSortAndIndex());
  EXPECT_EQ(ReadBytes(KokyakuPath()), Concat(sorted));
  EXPECT_EQ(store.KokyakuCount(), 2);
  // Left out of the sorted file, but not lost.
  EXPECT_EQ(ReadBytes(Data() / "Kokyaku.120.partial-3"), tail);
}

TEST_F(CustomerFileTest, ASortThatFailsBeforeTheRenameLeavesTheFileAsItWas) {
  const std::vector<std::string> recs = RandomCustomers(120, 42);
  const std::string original = Concat(recs);
  for (const char* point : {"sort:after-temp-write", "sort:before-rename"}) {
    WriteCustomers(original);
    Store store(Data());
    // The start sorts a file out of order; here that sort fails too.
    Store::SetFaultHook([point](std::string_view p) { return p != point; });
    EXPECT_EQ(store.Open().error, StoreError::WriteFailed) << point;
    const Status s = store.KokyakuSortAndIndex();
    Store::SetFaultHook(nullptr);
    EXPECT_EQ(s.error, StoreError::WriteFailed) << point;
    EXPECT_EQ(ReadBytes(KokyakuPath()), original) << point;
    EXPECT_FALSE(std::filesystem::exists(Data() / "Kokyaku.120.tmp")) << point;
    ExpectEachLiveCustomerOnce(store, recs);
  }
}

TEST_F(CustomerFileTest, APowerCutDuringTheSortLosesNoCustomer) {
  // The process dies at the worst moments: the new file complete but not
  // yet renamed, and just after the rename. Either way the next start finds
  // every customer exactly once.
  const std::vector<std::string> recs = RandomCustomers(200, 7);
  for (const char* point : {"sort:after-temp-write", "sort:before-rename"}) {
    WriteCustomers(Concat(recs));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Store::SetFaultHook([point](std::string_view p) {
        if (p == point) ::_exit(0);  // no clean-up: as if the power went
        return true;
      });
      Store store(Data());
      (void)store.Open();  // sorts the file, which is out of order
      ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << point;
    EXPECT_TRUE(std::filesystem::exists(Data() / "Kokyaku.120.tmp"));
    EXPECT_EQ(ReadBytes(KokyakuPath()), Concat(recs)) << point << ": the old file is whole";

    // The next start removes the new file and sorts again.
    Store store(Data());
    ASSERT_TRUE(store.Open());
    EXPECT_FALSE(std::filesystem::exists(Data() / "Kokyaku.120.tmp"));
    std::vector<std::string> sorted = recs;
    ReferenceExchangeSort(sorted);
    EXPECT_EQ(ReadBytes(KokyakuPath()), Concat(sorted)) << point;
    ExpectEachLiveCustomerOnce(store, recs);
  }
}

TEST_F(CustomerFileTest, StoringBeyondTwoThousandLiveCustomersIsRefused) {
  std::vector<std::string> recs;
  for (int i = 1; i <= Store::kMaxActive; ++i) {
    recs.push_back(CustomerImage(' ', "", "L" + std::to_string(i)));
  }
  recs.push_back(CustomerImage('1', "", "deleted"));
  WriteCustomers(Concat(recs));
  Store store(Data());
  ASSERT_TRUE(store.Open());
  ASSERT_EQ(store.ActiveCount(), Store::kMaxActive);
  const std::string before = ReadBytes(KokyakuPath());

  Record extra(KokyakuLayout());
  extra.Set(Kokyaku::Name, "one too many");
  Status s = store.WriteKokyaku(store.KokyakuCount() + 1, extra);
  EXPECT_EQ(s.error, StoreError::TooManyCustomers);
  EXPECT_NE(s.detail.find("2000"), std::string::npos);
  // Bringing the deleted one back would also make 2001.
  Record undelete(KokyakuLayout());
  undelete.Set(Kokyaku::Name, "deleted");
  EXPECT_EQ(store.WriteKokyaku(2001, undelete).error, StoreError::TooManyCustomers);
  EXPECT_EQ(ReadBytes(KokyakuPath()), before);

  // Editing a live customer is fine at the ceiling.
  Record edit(KokyakuLayout());
  edit.Set(Kokyaku::Name, "L1");
  edit.Set(Kokyaku::Tel, "0000");
  EXPECT_TRUE(store.WriteKokyaku(1, edit));

  // Deleting one makes room for exactly one, even before the index is rebuilt.
  Record gone(KokyakuLayout());
  gone.Unpack(recs[1]);
  gone.Set(Kokyaku::DeleteFlag, "1");
  ASSERT_TRUE(store.WriteKokyaku(2, gone));
  EXPECT_TRUE(store.WriteKokyaku(store.KokyakuCount() + 1, extra));
  EXPECT_EQ(store.WriteKokyaku(store.KokyakuCount() + 1, extra).error,
            StoreError::TooManyCustomers);

  // Another program deletes customer 1 in the file behind the store: the
  // limit counts what the file holds, so there is room for one again.
  {
    std::fstream file(KokyakuPath(), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(0);
    file.put('1');
  }
  EXPECT_TRUE(store.WriteKokyaku(store.KokyakuCount() + 1, extra));
  EXPECT_EQ(store.ActiveCount(), Store::kMaxActive);
  EXPECT_EQ(store.WriteKokyaku(store.KokyakuCount() + 1, extra).error,
            StoreError::TooManyCustomers);
}

TEST_F(CustomerFileTest, FindComparesAllTwentyBytesOfListedCustomersOnly) {
  const std::vector<std::string> recs = {
      CustomerImage('1', "", "\x91\xbe\x93\x63\x5c\x91\xbe"),  // deleted 太田\太
      CustomerImage(' ', "", "Tanaka"),
      CustomerImage(' ', "", "\x91\xbe\x93\x63\x5c\x91\xbe"),
      CustomerImage(' ', "", "Tanaka Jr"),
      CustomerImage(' ', "", "\x91\xbe\x93\x63\x5c\x91\xbe"),  // same name again
  };
  WriteCustomers(Concat(recs));
  Store store(Data());
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.KokyakuFind("Tanaka"), 2);
  EXPECT_EQ(store.KokyakuFind("Tanaka   "), 2);  // trailing blanks do not matter
  EXPECT_EQ(store.KokyakuFind("Tanak"), 0);
  EXPECT_EQ(store.KokyakuFind("Tanaka Jr"), 4);
  Record out(KokyakuLayout());
  EXPECT_EQ(store.KokyakuFind("\x91\xbe\x93\x63\x5c\x91\xbe", &out), 3);
  EXPECT_EQ(out.Bytes(), recs[2]);
  EXPECT_EQ(store.KokyakuFind("nobody", &out), 0);
  EXPECT_EQ(out.Bytes(), recs[2]);
}

}  // namespace
}  // namespace tankora
