// The store's indexes against a plain model: random sequences of customer,
// slip and ledger writes (store, change, delete, restore, sort, reopen), and
// after every step each index must equal what a full scan of the files finds.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "inspection/tenken_lists.h"
#include "ledger/keiyaku_lists.h"
#include "store/store.h"
#include "util/fixed_text.h"
#include "store_test_util.h"

namespace tankora {
namespace {

using testing::ReadBytes;
using testing::ReferenceExchangeSort;
using testing::TempDir;

using KeyMap = std::map<std::string, std::vector<int>>;

KeyMap Sorted(const std::unordered_map<std::string, std::vector<int>>& all) {
  return KeyMap(all.begin(), all.end());
}

// What a full scan of `bytes` finds: the live records under the bytes at
// [offset, offset+width), blanks read as `blank`.
KeyMap Scan(const std::string& bytes, std::size_t length, std::size_t offset, std::size_t width,
            char blank = ' ', bool deletedToo = false) {
  KeyMap keys;
  for (std::size_t i = 0; i < bytes.size() / length; ++i) {
    const std::string_view rec = std::string_view(bytes).substr(i * length, length);
    if (rec[0] == '1' && !deletedToo) continue;
    std::string key(rec.substr(offset, width));
    for (char& c : key) {
      if (c == ' ') c = blank;
    }
    keys[key].push_back(static_cast<int>(i) + 1);
  }
  return keys;
}

class IndexModel {
 public:
  explicit IndexModel(std::uint32_t seed) : rng_(seed) {}

  // A few names, so that keys are shared, moved and emptied often.
  std::string Name() { return "N" + std::to_string(Pick(6)); }
  // Only "1" deletes; another byte is a live record another program flagged.
  std::string Flag() {
    const int f = Pick(6);
    return f < 2 ? "1" : f == 2 ? "X" : " ";
  }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  // Record n to write in a file of `count`: an existing one or the next.
  int Target(int count) { return count == 0 || Pick(3) == 0 ? count + 1 : Pick(count) + 1; }

  // One command against the store, and the same on the model's files.
  void Step(Store& store) {
    switch (Pick(8)) {
      case 0:
      case 1: {  // a slip stored, changed, deleted or restored
        Record slip(TenkenDenpLayout());
        const int n = Target(store.TenkenCount());
        if (n <= store.TenkenCount()) {
          ASSERT_TRUE(store.TenkenFile().ReadRecord(n, slip));
        }
        if (Pick(2)) slip.Set(TenkenDenp::KokyakuName, Name());
        slip.Set(TenkenDenp::DeleteFlag, Flag());
        const char* years[] = {"2024", "2025", "    ", " 202"};
        const char* months[] = {" 5", "05", "5 ", "12"};
        slip.Set(TenkenDenp::Year, years[Pick(4)]);
        slip.Set(TenkenDenp::Month, months[Pick(4)]);
        ASSERT_TRUE(store.TenkenFile().WriteRecord(n, slip));
        break;
      }
      case 2:
      case 3: {  // a ledger entry
        Record entry(KoujiLayout());
        const int n = Target(store.KoujiCount());
        entry.Set(Kouji::Name, Name());
        entry.Set(Kouji::DeleteFlag, Flag());
        ASSERT_TRUE(store.KoujiFile().WriteRecord(n, entry));
        break;
      }
      case 4:
      case 5: {  // a customer stored, renamed, deleted or restored, then sorted
        Record customer(KokyakuLayout());
        const int n = Target(store.KokyakuCount());
        if (n <= store.KokyakuCount()) {
          ASSERT_TRUE(store.KokyakuFile().ReadRecord(n, customer));
        }
        customer.Set(Kokyaku::Name, Name());
        customer.Set(Kokyaku::Kana, std::string(1, static_cast<char>('A' + Pick(5))));
        // What the list screens select on: a month of each plan turned on
        // or off, contract dates with the blanks they may hold.
        customer.SetFlagAt(Kokyaku::TenkenMonths, Pick(12), Pick(2) != 0);
        customer.SetFlagAt(Kokyaku::SyuukinMonths, Pick(12), Pick(2) != 0);
        const char* years[] = {"2024", "2025", "    "};
        const char* months[] = {" 5", "05", "12"};
        customer.Set(Kokyaku::KeiyakuYear, years[Pick(3)]);
        customer.Set(Kokyaku::KeiyakuMonth, months[Pick(3)]);
        customer.Set(Kokyaku::KeiyakuEndYear, years[Pick(3)]);
        customer.Set(Kokyaku::KeiyakuEndMonth, months[Pick(3)]);
        customer.Set(Kokyaku::DeleteFlag, Flag());
        ASSERT_TRUE(store.WriteKokyaku(n, customer));
        const std::string image(customer.Pack());
        if (n > static_cast<int>(expectedCustomers_.size())) {
          expectedCustomers_.push_back(image);
        } else {
          expectedCustomers_[static_cast<std::size_t>(n - 1)] = image;
        }
        if (Pick(4) != 0) {
          ASSERT_TRUE(store.KokyakuSortAndIndex());
          ReferenceExchangeSort(expectedCustomers_);
        }
        break;
      }
      case 6: {  // a record changed behind the store, then everything reopened
        if (store.TenkenCount() > 0 && Pick(2)) {
          std::string bytes = ReadBytes(store.TenkenFile().Path());
          bytes[static_cast<std::size_t>(Pick(store.TenkenCount())) * 200] = '1';
          testing::WriteBytes(store.TenkenFile().Path(), bytes);
        }
        ASSERT_TRUE(store.Open());
        // A customer file left out of reading order is sorted at the start.
        ReferenceExchangeSort(expectedCustomers_);
        break;
      }
      default:  // the customer list sorted with nothing written
        ASSERT_TRUE(store.KokyakuSortAndIndex());
        ReferenceExchangeSort(expectedCustomers_);
        break;
    }
  }

  // The customer file as the model holds it.
  std::vector<std::string> expectedCustomers_;

 private:
  std::mt19937 rng_;
};

void ExpectIndexesMatchFiles(const Store& store, const std::vector<std::string>& customers) {
  const std::string slips = ReadBytes(store.TenkenFile().Path());
  const std::string ledger = ReadBytes(store.KoujiFile().Path());
  const std::string kokyaku = ReadBytes(store.KokyakuFile().Path());
  std::string model;
  for (const std::string& r : customers) model += r;
  // The sort left exactly the file the historical exchange sort leaves.
  ASSERT_EQ(kokyaku, model);

  const KeyMap slipNames = Scan(slips, 200, TenkenDenpLayout().Offset(TenkenDenp::KokyakuName), 20);
  EXPECT_EQ(Sorted(store.TenkenNameIndex().All()), slipNames);
  const KeyMap months = Scan(slips, 200, TenkenDenpLayout().Offset(TenkenDenp::Year), 6, '0');
  EXPECT_EQ(Sorted(store.TenkenMonthIndex().All()), months);
  const KeyMap koujiNames = Scan(ledger, 1000, KoujiLayout().Offset(Kouji::Name), 20);
  EXPECT_EQ(Sorted(store.KoujiNameIndex().All()), koujiNames);
  const KeyMap customerNames = Scan(kokyaku, 1000, KokyakuLayout().Offset(Kokyaku::Name), 20);
  EXPECT_EQ(Sorted(store.KokyakuNameIndex().All()), customerNames);
  EXPECT_EQ(Sorted(store.KokyakuAnyNameIndex().All()),
            Scan(kokyaku, 1000, KokyakuLayout().Offset(Kokyaku::Name), 20, ' ', true));
  for (int n = 1; n <= store.KokyakuCount(); ++n) {
    const std::string_view rec = std::string_view(kokyaku).substr(static_cast<std::size_t>(n - 1) * 1000, 1000);
    EXPECT_EQ(store.KokyakuLive(n), rec[0] != '1') << n;
    const auto* kana = reinterpret_cast<const unsigned char*>(rec.data() + 1);
    EXPECT_EQ(store.KokyakuReading(n), (std::uint32_t{kana[0]} << 24) | (std::uint32_t{kana[1]} << 16) |
                                           (std::uint32_t{kana[2]} << 8) | kana[3])
        << n;
  }

  std::vector<int> live;
  for (const auto& [name, recs] : customerNames) live.insert(live.end(), recs.begin(), recs.end());
  std::sort(live.begin(), live.end());
  EXPECT_EQ(store.ActiveIndex(), live);

  // The list screens' selections, from the digests, against the file's bytes.
  const RecordLayout& c = KokyakuLayout();
  const auto at = [&](int n, int field, std::size_t width) {
    return std::string_view(kokyaku).substr(static_cast<std::size_t>(n - 1) * 1000 + c.Offset(field),
                                            width);
  };
  for (int m = 1; m <= 12; ++m) {
    std::vector<int> collect, schedule;
    for (int n : live) {
      if (at(n, Kokyaku::SyuukinMonths, 12)[static_cast<std::size_t>(m - 1)] != ' ') collect.push_back(n);
      if (at(n, Kokyaku::TenkenMonths, 12)[static_cast<std::size_t>(m - 1)] != ' ') schedule.push_back(n);
    }
    EXPECT_EQ(SyuukinYoteiSelect(store, m), collect) << "month " << m;
    std::vector<int> scheduled;
    for (const TenkenYoteiEntry& e : TenkenYoteiSelect(store, m, 2024, 5)) {
      scheduled.push_back(e.kokyakuNo);
      const std::span<const int> slipsOf = store.TenkenOfName(at(e.kokyakuNo, Kokyaku::Name, 20));
      const auto ofMay = months.find("202405");
      bool done = false;
      for (int slip : slipsOf) {
        done = done || (ofMay != months.end() && std::count(ofMay->second.begin(), ofMay->second.end(), slip));
      }
      EXPECT_EQ(e.done, done) << "customer " << e.kokyakuNo;
    }
    EXPECT_EQ(scheduled, schedule) << "month " << m;
  }
  std::vector<int> contracted, ending;
  for (int n : live) {
    if (YearMonthMatches(at(n, Kokyaku::KeiyakuYear, 6), 2025, 5)) contracted.push_back(n);
    if (YearMonthMatches(at(n, Kokyaku::KeiyakuEndYear, 6), 2025, 5)) ending.push_back(n);
  }
  EXPECT_EQ(KeiyakuGeppouSelect(store, 2025, 5), contracted);
  EXPECT_EQ(KeiyakuEndSelect(store, 2025, 5), ending);

  // The answers the screens ask for.
  for (const auto& [name, recs] : koujiNames) EXPECT_EQ(store.KoujiNewest(name), recs.back());
  for (const auto& [name, recs] : customerNames) EXPECT_EQ(store.KokyakuFind(name), recs.front());
  const auto may = months.find("202405");
  EXPECT_EQ(std::vector<int>(store.TenkenOfMonth(2024, 5).begin(), store.TenkenOfMonth(2024, 5).end()),
            may == months.end() ? std::vector<int>{} : may->second);
}

TEST(StoreIndexes, EqualAFullScanAfterEveryCommand) {
  for (std::uint32_t seed = 1; seed <= 3; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TempDir dir;
    Store store(dir.path() / "Data");
    ASSERT_TRUE(store.Open());
    IndexModel model(seed);
    for (int step = 0; step < 120; ++step) {
      SCOPED_TRACE("step " + std::to_string(step));
      model.Step(store);
      ASSERT_FALSE(::testing::Test::HasFatalFailure());
      ExpectIndexesMatchFiles(store, model.expectedCustomers_);
      ASSERT_FALSE(::testing::Test::HasFailure());
    }
  }
}

// The index on its own with thousands of keys, so its table grows several
// times with keys already in it, against a map: records stored, moved to
// another key, deleted and brought back.
TEST(StoreIndexes, ManyKeysFollowEveryPutLikeAMap) {
  KeyIndex index(index_keys::KoujiName);
  std::mt19937 rng(7);
  std::vector<std::string> keyOf;  // per record; "" when deleted
  std::vector<std::string> images;  // per record, as it stands last
  Record entry(KoujiLayout());
  for (int step = 0; step < 30000; ++step) {
    const int count = static_cast<int>(keyOf.size());
    const int n = count == 0 || rng() % 3 == 0 ? count + 1 : static_cast<int>(rng() % count) + 1;
    entry.Clear();
    entry.Set(Kouji::Name, "K" + std::to_string(rng() % 4000));
    std::string image(entry.Pack());
    if (rng() % 10 == 0) image[0] = '1';
    index.Put(n, image);
    const std::string key = image[0] == '1' ? "" : std::string(entry.Get(Kouji::Name));
    if (n == count + 1) {
      keyOf.push_back(key);
      images.push_back(image);
    } else {
      keyOf[static_cast<std::size_t>(n - 1)] = key;
      images[static_cast<std::size_t>(n - 1)] = image;
    }
  }
  KeyMap expected;
  for (std::size_t i = 0; i < keyOf.size(); ++i) {
    if (!keyOf[i].empty()) expected[keyOf[i]].push_back(static_cast<int>(i) + 1);
  }
  ASSERT_GT(expected.size(), 3000u);
  EXPECT_EQ(Sorted(index.All()), expected);
  for (const auto& [key, records] : expected) {
    const std::span<const int> of = index.Of(key);
    ASSERT_EQ(std::vector<int>(of.begin(), of.end()), records) << key;
  }
  EXPECT_TRUE(index.Of(PadField("K4000", TextAlign::Left, 20)).empty());
  EXPECT_TRUE(index.Of("K1").empty());  // not blank-padded: another key
  EXPECT_TRUE(index.Of(std::string(40, 'K')).empty());

  // Built in one go from the records as they stand, as a start-up builds it.
  KeyIndex built(index_keys::KoujiName);
  for (const std::string& image : images) built.Add(image);
  built.Finish();
  EXPECT_EQ(Sorted(built.All()), expected);
}

}  // namespace
}  // namespace tankora
