// The demo office: what `tankora demo` writes and the benchmarks measure on.
#include <gtest/gtest.h>

#include <set>

#include "store/company.h"
#include "store/demo_office.h"
#include "store/store.h"
#include "store_test_util.h"
#include "util/cp932.h"
#include "util/fixed_text.h"

namespace tankora {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

constexpr Date kToday{2026, 12, 8};

DemoOptions Demo(std::uint32_t seed = 7) {
  DemoOptions options;
  options.seed = seed;
  options.today = kToday;
  return options;
}

// Every field as a screen would have stored it: flags "1" or blank, numbers
// right-aligned, text left-aligned, all of it valid CP932.
void ExpectStoredAsTheScreensWould(const Record& r, int n) {
  const RecordLayout& layout = r.Layout();
  for (int f = 0; f < layout.FieldCount(); ++f) {
    const std::string_view v = r.Get(f);
    const std::string where = std::string(layout.Name()) + " " + std::to_string(n) + " " +
                              layout.Field(f).name + " [" + std::string(v) + "]";
    switch (layout.Field(f).align) {
      case Align::Flag:
        EXPECT_EQ(v.find_first_not_of(" 1"), std::string_view::npos) << where;
        break;
      case Align::Right:
        EXPECT_EQ(PadField(TrimBlanks(v), TextAlign::Right, v.size()), v) << where;
        break;
      case Align::Left:
        EXPECT_EQ(PadField(TrimBlanks(v), TextAlign::Left, v.size()), v) << where;
        break;
    }
    EXPECT_EQ(Cp932ToUtf8(v).find("\xEF\xBF\xBD"), std::string::npos) << where;
  }
}

// Every record of the file read back through the store is the same bytes,
// is stored as the screens store fields, and goes to `visit`.
template <class Visit>
void ReadEveryRecord(const RecordFile& file, Visit visit) {
  const std::string raw = ReadBytes(file.Path());
  const std::size_t length = file.Layout().RecordLength();
  ASSERT_EQ(raw.size(), static_cast<std::size_t>(file.Count()) * length);
  Record r(file.Layout());
  for (int n = 1; n <= file.Count(); ++n) {
    ASSERT_TRUE(file.ReadRecord(n, r)) << file.Path() << " " << n;
    const std::string_view image = std::string_view(raw).substr((n - 1) * length, length);
    EXPECT_EQ(r.Bytes(), image);
    Record repacked = r;
    EXPECT_EQ(repacked.Pack(), image) << "bytes beside the fields in record " << n;
    ExpectStoredAsTheScreensWould(r, n);
    visit(n, r);
  }
}

TEST(DemoOfficeTest, WritesAnOfficeThatReadsBackWholeThroughTheStore) {
  TempDir dir;
  const auto data = dir.path() / "Demo" / "Data";
  ASSERT_TRUE(WriteDemoOffice(data, Demo()));

  Store store(data);
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.ActiveCount(), 60);
  EXPECT_EQ(store.KokyakuCount(), 63);
  EXPECT_EQ(store.JisyaCount(), 1);
  std::string backup;
  ASSERT_TRUE(LoadBackupFolder(data, &backup));
  EXPECT_EQ(ReadBytes(data / "BackupFolder.500"), std::string(255, ' '));

  // The company as generated.
  Company company(store.JisyaFile());
  ASSERT_TRUE(company.Load());
  EXPECT_EQ(Cp932ToUtf8(TrimBlanks(company.Get(CompanyField::KaisyaName))),
            "有限会社若葉環境サービス");
  EXPECT_EQ(TrimBlanks(company.Get(CompanyField::Tel)), "0270-21-5310");
  EXPECT_EQ(company.Get(CompanyField::TopMargine), " 3");
  ReadEveryRecord(store.JisyaFile(), [](int, const Record&) {});

  // Customers: unique names, every kana row, both kinds of tank, and the
  // file already in the order the program's sort leaves it.
  std::set<std::string> names;
  std::set<int> rows;
  int tandoku = 0, gappei = 0, large = 0;
  ReadEveryRecord(store.KokyakuFile(), [&](int, const Record& c) {
    EXPECT_TRUE(names.insert(std::string(c.Get(Kokyaku::Name))).second) << c.Trimmed(Kokyaku::Name);
    EXPECT_NE(c.Trimmed(Kokyaku::Name), "");
    EXPECT_NE(c.FlagAt(Kokyaku::Tandoku), c.FlagAt(Kokyaku::Gappei));
    (c.FlagAt(Kokyaku::Gappei) ? gappei : tandoku)++;
    // No stand-alone tank has been built since 2001.
    if (c.FlagAt(Kokyaku::Tandoku)) {
      EXPECT_LE(ValueOf(c.Get(Kokyaku::StartYear)), 2000);
    }
    if (ValueOf(c.Get(Kokyaku::Ninsou)) >= 21) ++large;
    // The kana row of the reading's first sound: ｱ (B1), ｶ (B6) ... ﾜ (DC).
    const auto first = static_cast<unsigned char>(c.Get(Kokyaku::Kana)[0]);
    int row = 0;
    for (const int start : {0xB6, 0xBB, 0xC0, 0xC5, 0xCA, 0xCF, 0xD4, 0xD7, 0xDC})
      row += first >= start;
    rows.insert(row);
    EXPECT_NE(c.Get(Kokyaku::TenkenMonths), std::string(12, ' '));
    EXPECT_NE(c.Get(Kokyaku::SyuukinMonths), std::string(12, ' '));
    // Every date can be shown and typed on the customer screen.
    for (const int year :
         {Kokyaku::StartYear, Kokyaku::EndYear, Kokyaku::UseStartYear, Kokyaku::KeiyakuYear,
          Kokyaku::KeiyakuStartYear, Kokyaku::KeiyakuEndYear}) {
      EXPECT_LE(ValueOf(c.Get(year)), kToday.year + kYearsAheadContract) << KokyakuLayout().Field(year).name;
      EXPECT_GE(ValueOf(c.Get(year)), 1970) << KokyakuLayout().Field(year).name;
    }
  });
  EXPECT_GE(tandoku, 8);
  EXPECT_GE(gappei, 30);
  EXPECT_GE(large, 3);
  EXPECT_GE(rows.size(), 9u) << "readings from ｱ to ﾜ";
  const std::string sorted = ReadBytes(data / "Kokyaku.120");
  ASSERT_TRUE(store.KokyakuSortAndIndex());
  EXPECT_EQ(ReadBytes(data / "Kokyaku.120"), sorted);

  // Slips: every one belongs to a customer, in the order they were visited,
  // within the last three years; a few readings outside the criteria, a few
  // typed wrong and deleted.
  int outside = 0, deleted = 0;
  long last = 0;
  ReadEveryRecord(store.TenkenFile(), [&](int, const Record& s) {
    EXPECT_TRUE(names.count(std::string(s.Get(TenkenDenp::KokyakuName))));
    const long date = ValueOf(s.Get(TenkenDenp::Year)) * 10000 +
                      ValueOf(s.Get(TenkenDenp::Month)) * 100 + ValueOf(s.Get(TenkenDenp::Day));
    EXPECT_GE(date, last);
    EXPECT_GT(date, 20231208);
    EXPECT_LE(date, 20261208);
    last = date;
    if (s.Deleted()) ++deleted;
    const double ph = std::stod(s.Trimmed(TenkenDenp::Ph));
    if (ph < 5.8 || ph > 8.6 || ValueOf(s.Get(TenkenDenp::Tousido)) < 7) ++outside;
  });
  EXPECT_GE(store.TenkenCount(), 400);
  EXPECT_GT(outside, 3);
  EXPECT_LT(outside, store.TenkenCount() / 10);
  EXPECT_GE(deleted, 1);

  // Ledger: the tanks built lately, each the twin of its customer; one job
  // called off, one under way without a customer yet.
  int twins = 0, cancelled = 0, underWay = 0;
  Record customer(KokyakuLayout());
  ReadEveryRecord(store.KoujiFile(), [&](int, const Record& k) {
    if (k.Deleted()) {
      ++cancelled;
    } else if (store.KokyakuFind(k.Get(Kouji::Name), &customer) == 0) {
      ++underWay;
      EXPECT_EQ(k.Trimmed(Kouji::EndYear), "");
      EXPECT_NE(k.Trimmed(Kouji::StartYear), "");
    } else {
      ++twins;
      for (int f = 1; f <= 38; ++f) {
        EXPECT_EQ(k.Get(f), customer.Get(Kouji::TwinOf(f))) << KoujiLayout().Field(f).name;
      }
      EXPECT_GE(ValueOf(k.Get(Kouji::StartYear)), 2023);
    }
  });
  EXPECT_GE(twins, 3);
  EXPECT_EQ(cancelled, 1);
  EXPECT_EQ(underWay, 1);
}

TEST(DemoOfficeTest, TheSameSeedAndDayGiveTheSameBytes) {
  TempDir a, b;
  ASSERT_TRUE(WriteDemoOffice(a.path() / "Data", Demo(3)));
  ASSERT_TRUE(WriteDemoOffice(b.path() / "Data", Demo(3)));
  for (const char* file : {"Jisya.120", "Kokyaku.120", "TenkenDenp.120", "Kouji.120"}) {
    EXPECT_EQ(ReadBytes(a.path() / "Data" / file), ReadBytes(b.path() / "Data" / file)) << file;
  }
  const DemoImages three = GenerateDemoOffice(Demo(3));
  const DemoImages four = GenerateDemoOffice(Demo(4));
  EXPECT_NE(three.kokyaku, four.kokyaku);
  EXPECT_NE(three.tenken, four.tenken);
  DemoOptions later = Demo(3);
  later.today = Date{2027, 6, 1};
  EXPECT_NE(GenerateDemoOffice(later).tenken, three.tenken);
}

TEST(DemoOfficeTest, GoesOnlyIntoANewOrEmptyFolder) {
  TempDir dir;
  const auto data = dir.path() / "Data";
  std::filesystem::create_directories(data);
  WriteBytes(data / "notes.txt", "mine");
  const Status refused = WriteDemoOffice(data, Demo());
  EXPECT_FALSE(refused);
  EXPECT_NE(refused.detail.find("not empty"), std::string::npos);
  EXPECT_EQ(ReadBytes(data / "notes.txt"), "mine");
  EXPECT_FALSE(std::filesystem::exists(data / "Kokyaku.120"));

  WriteBytes(dir.path() / "file", "x");
  EXPECT_FALSE(WriteDemoOffice(dir.path() / "file", Demo()));
  EXPECT_EQ(ReadBytes(dir.path() / "file"), "x");

  const auto empty = dir.path() / "Empty";
  std::filesystem::create_directories(empty);
  ASSERT_TRUE(WriteDemoOffice(empty, Demo()));
  EXPECT_TRUE(std::filesystem::exists(empty / "Kokyaku.120"));
  // Nothing left beside it from the way it was written.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 3);
}

TEST(DemoOfficeTest, TheBenchmarkScaleHasExactlyItsCounts) {
  // On the benchmarks' day: an office of 2012 has a shorter history to fill.
  DemoOptions options = Demo();
  options.today = Date{2012, 10, 29};
  options.scale = kBenchmarkOfficeScale;
  const DemoImages office = GenerateDemoOffice(options);
  EXPECT_EQ(office.kokyaku.size(), 2200u * 1000);
  EXPECT_EQ(office.tenken.size(), 100000u * 200);
  EXPECT_EQ(office.kouji.size(), 2000u * 1000);
  EXPECT_EQ(std::set<std::string>(office.names.begin(), office.names.end()).size(), 2200u);
  int deleted = 0;
  for (std::size_t i = 0; i < office.kokyaku.size(); i += 1000) deleted += office.kokyaku[i] == '1';
  EXPECT_EQ(deleted, 200);
}

}  // namespace
}  // namespace tankora
