// A Data folder written by an independent program from the same layouts:
// what a correct reader finds is in its expected.json.
#include <gtest/gtest.h>

#include <regex>

#include "store/company.h"
#include "store/store.h"
#include "store_test_util.h"

namespace tankora {
namespace {

using testing::Hex;
using testing::ReadBytes;
using testing::ReferenceExchangeSort;
using testing::TempDir;
using testing::Unhex;

const std::filesystem::path kForeign = TANKORA_FOREIGN_DATA;

struct ExpectedCustomer {
  int record;
  std::string kanaHex;
  std::string nameHex;
};

// expected.json is small and regular; pick out the fields the tests need.
std::vector<ExpectedCustomer> ExpectedLiveCustomers(const std::string& json) {
  static const std::regex entry(
      R"re("record":\s*(\d+),\s*"kana_hex":\s*"([0-9a-f]+)",\s*"name":\s*"(?:[^"\\]|\\.)*",\s*"name_hex":\s*"([0-9a-f]+)")re");
  std::vector<ExpectedCustomer> out;
  for (auto it = std::sregex_iterator(json.begin(), json.end(), entry);
       it != std::sregex_iterator(); ++it) {
    out.push_back({std::stoi((*it)[1]), (*it)[2], (*it)[3]});
  }
  return out;
}

int ExpectedCount(const std::string& json, const std::string& file) {
  const std::regex count("\"" + std::regex_replace(file, std::regex(R"(\.)"), R"(\.)") +
                         R"(":\s*(\d+))");
  std::smatch m;
  return std::regex_search(json, m, count) ? std::stoi(m[1]) : -1;
}

class ForeignOfficeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(kForeign / "Data", Data(), std::filesystem::copy_options::recursive);
    json_ = ReadBytes(kForeign / "expected.json");
    ASSERT_FALSE(json_.empty());
  }
  std::filesystem::path Data() const { return dir_.path() / "Data"; }

  TempDir dir_;
  std::string json_;
};

TEST_F(ForeignOfficeTest, CountsIndexAndFieldBytesAreWhatTheWriterPutThere) {
  // As read, in the writer's order (the window's start would sort it first).
  Store store(Data());
  ASSERT_TRUE(store.OpenReadOnly());
  EXPECT_EQ(store.KokyakuCount(), ExpectedCount(json_, "Kokyaku.120"));
  EXPECT_EQ(store.TenkenCount(), ExpectedCount(json_, "TenkenDenp.120"));
  EXPECT_EQ(store.KoujiCount(), ExpectedCount(json_, "Kouji.120"));
  EXPECT_EQ(store.JisyaCount(), ExpectedCount(json_, "Jisya.120"));

  const std::vector<ExpectedCustomer> expected = ExpectedLiveCustomers(json_);
  ASSERT_EQ(expected.size(), 10u);
  std::vector<int> records;
  for (const auto& e : expected) records.push_back(e.record);
  EXPECT_EQ(store.ActiveIndex(), records);  // record 7's flag "X" counts as live

  for (const auto& e : expected) {
    Record r(KokyakuLayout());
    ASSERT_TRUE(store.KokyakuFile().ReadRecord(e.record, r));
    EXPECT_EQ(Hex(r.Get(Kokyaku::Kana)), e.kanaHex) << e.record;
    EXPECT_EQ(Hex(r.Get(Kokyaku::Name)), e.nameHex) << e.record;
    // Found by name, including ㈱, 髙, № and the backslash in 太田\太郎.
    EXPECT_EQ(store.KokyakuFind(Unhex(e.nameHex)), e.record) << e.nameHex;
  }

  Company company(store.JisyaFile());
  ASSERT_TRUE(company.Load());
  EXPECT_EQ(company.Get(CompanyField::Tel), "027-000-0000  ");
  EXPECT_EQ(company.Get(CompanyField::KaisyaName).substr(0, 2), "\x87\x8a");  // ㈱
}

TEST_F(ForeignOfficeTest, SlipsAfterThePartialRecordAppendCleanly) {
  Store store(Data());
  ASSERT_TRUE(store.Open());
  ASSERT_EQ(std::filesystem::file_size(Data() / "TenkenDenp.120"), 25u * 200 + 77);
  Record slip(TenkenDenpLayout());
  ASSERT_TRUE(store.TenkenFile().ReadRecord(5, slip));
  EXPECT_TRUE(slip.Deleted());
  ASSERT_TRUE(store.TenkenFile().ReadRecord(18, slip));
  EXPECT_TRUE(slip.Deleted());
  Record last(TenkenDenpLayout());
  ASSERT_TRUE(store.TenkenFile().ReadRecord(25, last));

  Record fresh(TenkenDenpLayout());
  fresh.Set(TenkenDenp::KokyakuName, Unhex("899393a1"));  // 遠藤
  fresh.Set(TenkenDenp::Year, "2012");
  ASSERT_TRUE(store.TenkenFile().WriteRecord(26, fresh));
  EXPECT_EQ(std::filesystem::file_size(Data() / "TenkenDenp.120"), 26u * 200);

  Store reopened(Data());
  ASSERT_TRUE(reopened.Open());
  EXPECT_EQ(reopened.TenkenCount(), 26);
  Record again(TenkenDenpLayout());
  ASSERT_TRUE(reopened.TenkenFile().ReadRecord(25, again));
  EXPECT_EQ(again, last);
  ASSERT_TRUE(reopened.TenkenFile().ReadRecord(26, again));
  EXPECT_EQ(again.Bytes(), fresh.Bytes());
}

TEST_F(ForeignOfficeTest, EditingOneFieldChangesOnlyThoseBytes) {
  Store store(Data());
  ASSERT_TRUE(store.Open());  // sorts the writer's file into reading order
  const std::string before = ReadBytes(Data() / "Kokyaku.120");
  // The customer whose flag byte is "X", wherever the sort put it.
  std::size_t at = 0;
  while (at < before.size() && before[at] != 'X') at += 1000;
  ASSERT_LT(at, before.size());
  const int n = static_cast<int>(at / 1000) + 1;
  Record r(KokyakuLayout());
  ASSERT_TRUE(store.KokyakuFile().ReadRecord(n, r));
  r.Set(Kokyaku::Tel, "0270-11-2222");
  ASSERT_TRUE(store.WriteKokyaku(n, r));
  const std::string after = ReadBytes(Data() / "Kokyaku.120");
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    const bool inTel = i >= at + 194 && i < at + 208;
    if (!inTel) {
      ASSERT_EQ(after[i], before[i]) << "byte " << i;
    }
  }
  EXPECT_EQ(after.substr(at + 194, 14), "0270-11-2222  ");
}

TEST_F(ForeignOfficeTest, SortOrdersTheLiveCustomersAndKeepsEachOnce) {
  std::string bytes = ReadBytes(Data() / "Kokyaku.120");
  std::vector<std::string> recs;
  for (std::size_t i = 0; i + 1000 <= bytes.size(); i += 1000)
    recs.push_back(bytes.substr(i, 1000));

  Store store(Data());
  ASSERT_TRUE(store.Open());
  ASSERT_TRUE(store.KokyakuSortAndIndex());
  ReferenceExchangeSort(recs);
  const std::string sorted = ReadBytes(Data() / "Kokyaku.120");
  EXPECT_EQ(sorted, testing::Concat(recs));

  // Deleted records 4 and 10 did not move; the blank reading leads; readings ascend.
  EXPECT_EQ(sorted[3 * 1000], '1');
  EXPECT_EQ(sorted[9 * 1000], '1');
  std::string previous;
  for (int n : store.ActiveIndex()) {
    // Hex text orders like the unsigned bytes it spells.
    const std::string kana = Hex(sorted.substr(static_cast<std::size_t>(n - 1) * 1000 + 1, 4));
    EXPECT_LE(previous, kana);
    previous = kana;
  }
  EXPECT_EQ(Hex(sorted.substr(1, 4)), "20202020");
  for (const auto& e : ExpectedLiveCustomers(json_)) {
    EXPECT_GT(store.KokyakuFind(Unhex(e.nameHex)), 0) << e.nameHex;
  }
  EXPECT_EQ(store.ActiveCount(), 10);
}

}  // namespace
}  // namespace tankora
