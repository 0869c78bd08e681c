// The six list selections, their rows and the paging arithmetic, on real
// files: which records each selection takes, in what order, with no ceiling.
#include <gtest/gtest.h>

#include <fstream>

#include "fake_view.h"
#include "inspection/tenken_lists.h"
#include "ledger/keiyaku_lists.h"
#include "util/paging.h"

namespace tankora::testing {
namespace {

struct Cust {
  std::string name = {};
  std::string tenkenMonths = "            ";  // 12 bytes
  std::string syuukinMonths = "            ";
  std::string keiyaku = "      ";  // KeiyakuYear + KeiyakuMonth, 6 bytes as stored
  std::string keiyakuEnd = "      ";
  std::string amountMarch = {};
  bool deleted = false;
};

std::string CustImage(Cust c) {
  c.keiyaku.resize(6, ' ');
  c.keiyakuEnd.resize(6, ' ');
  Record r(KokyakuLayout());
  r.Set(Kokyaku::Kana, c.name.substr(0, 4));
  r.Set(Kokyaku::Name, c.name);
  r.Set(Kokyaku::TenkenMonths, c.tenkenMonths);
  r.Set(Kokyaku::SyuukinMonths, c.syuukinMonths);
  r.Set(Kokyaku::Syukinngaku03, c.amountMarch);
  if (c.deleted) r.SetFlagAt(Kokyaku::DeleteFlag, 0, true);
  // The six date bytes go in as given, misaligned ones too.
  std::string image(r.Pack());
  image.replace(KokyakuLayout().Offset(Kokyaku::KeiyakuYear), 6, c.keiyaku);
  image.replace(KokyakuLayout().Offset(Kokyaku::KeiyakuEndYear), 6, c.keiyakuEnd);
  return image;
}

std::string SlipImage(std::string_view name, std::string_view yearMonth, bool deleted = false) {
  Record r(TenkenDenpLayout());
  r.Set(TenkenDenp::KokyakuName, name);
  r.Set(TenkenDenp::Year, yearMonth.substr(0, 4));
  r.Set(TenkenDenp::Month, yearMonth.substr(4, 2));
  if (deleted) r.SetFlagAt(TenkenDenp::DeleteFlag, 0, true);
  return std::string(r.Pack());
}

// Months strings: "1" at each listed month.
std::string Months(std::initializer_list<int> months) {
  std::string m(12, ' ');
  for (int x : months) m[static_cast<std::size_t>(x - 1)] = '1';
  return m;
}

class ListsTest : public ::testing::Test {
 protected:
  void Seed(const std::vector<Cust>& customers, const std::vector<std::string>& slips) {
    {
      std::ofstream out(dir.path() / "Kokyaku.120", std::ios::binary | std::ios::trunc);
      for (const Cust& c : customers) out << CustImage(c);
      std::ofstream s(dir.path() / "TenkenDenp.120", std::ios::binary | std::ios::trunc);
      for (const std::string& image : slips) s << image;
    }
    store = std::make_unique<Store>(dir.path());
    ASSERT_TRUE(store->Open().ok());
  }
  TempDataDir dir;
  std::unique_ptr<Store> store;
};

TEST(YearMonthMatches, BlanksReadAsZerosAndABlankYearNeverMatches) {
  struct Case {
    const char* six;
    int year, month;
    bool match;
  } cases[] = {
      {"2012 5", 2012, 5, true},  {"201205", 2012, 5, true},   {"2012 5", 2012, 6, false},
      {"20125 ", 2012, 5, false}, {"    05", 2012, 5, false},  {"      ", 2012, 5, false},
      {"2012  ", 2012, 0, false}, {"201213", 2012, 13, false}, {"2011 5", 2012, 5, false},
      {"2012 5", 0, 5, false},    {" 812 5", 812, 5, true},    {"0812 5", 812, 5, true},
  };
  // The selections read year and month as one run of six bytes.
  EXPECT_EQ(KokyakuLayout().Offset(Kokyaku::KeiyakuMonth),
            KokyakuLayout().Offset(Kokyaku::KeiyakuYear) + 4);
  EXPECT_EQ(KokyakuLayout().Offset(Kokyaku::KeiyakuEndMonth),
            KokyakuLayout().Offset(Kokyaku::KeiyakuEndYear) + 4);
  EXPECT_EQ(TenkenDenpLayout().Offset(TenkenDenp::Month),
            TenkenDenpLayout().Offset(TenkenDenp::Year) + 4);
  for (const Case& c : cases) {
    EXPECT_EQ(YearMonthMatches(c.six, c.year, c.month), c.match)
        << '"' << c.six << "\" vs " << c.year << "/" << c.month;
  }
}

TEST_F(ListsTest, InspectionSelectionsTakeLiveRecordsInRecordOrder) {
  Seed(
      {
          {.name = "A", .tenkenMonths = Months({1, 10})},                // 1
          {.name = "B", .tenkenMonths = Months({10}), .deleted = true},  // 2
          {.name = "C", .tenkenMonths = Months({4})},                    // 3
          {.name = "D", .tenkenMonths = Months({10})},                   // 4
      },
      {
          SlipImage("D", "201210"),        // 1
          SlipImage("A", "2012 9"),        // 2 other month
          SlipImage("A", "201210", true),  // 3 deleted
          SlipImage("Z", "2012 10"),       // 4: "2012" + " 1": January
          SlipImage("A", "201210"),        // 5
          SlipImage("C", "    10"),        // 6 blank year
          SlipImage("A", "2011 1"),        // 7 another year
          SlipImage("\xEE\xE0\x96\x6B", "2011 3"),  // 8 髙北, 髙 as a file written elsewhere has it
      });
  struct Case {
    const char* what;
    std::vector<int> got, want;
  } cases[] = {
      {"month 2012/10", TenkenGeppouSelect(*store, 2012, 10), {1, 5}},
      {"month 2012/1", TenkenGeppouSelect(*store, 2012, 1), {4}},
      {"month 0", TenkenGeppouSelect(*store, 2012, 0), {}},
      {"month 13", TenkenGeppouSelect(*store, 2012, 13), {}},
      {"customer A, all years", TenkenKobetuSelect(*store, "A"), {2, 5, 7}},
      {"customer A padded", TenkenKobetuSelect(*store, "A                   "), {2, 5, 7}},
      {"blank name", TenkenKobetuSelect(*store, "   "), {}},
      {"indented name", TenkenKobetuSelect(*store, " A"), {}},
      {"longer than a name", TenkenKobetuSelect(*store, "A                     x"), {}},
      {"unknown customer Z", TenkenKobetuSelect(*store, "Z"), {4}},
      {"髙北 typed (FB FC)", TenkenKobetuSelect(*store, "\xFB\xFC\x96\x6B"), {8}},
      {"髙北 as stored (EE E0)", TenkenKobetuSelect(*store, "\xEE\xE0\x96\x6B"), {8}},
      {"高北 is another name", TenkenKobetuSelect(*store, "\x8D\x82\x96\x6B"), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

TEST_F(ListsTest, ScheduleListsCustomersOfTheMonthWithDoneMarks) {
  Seed(
      {
          {.name = "A", .tenkenMonths = Months({1, 10})},
          {.name = "B", .tenkenMonths = Months({10}), .deleted = true},
          {.name = "C", .tenkenMonths = Months({4, 10})},
          {.name = "D", .tenkenMonths = Months({10})},
          {.name = "E", .tenkenMonths = Months({10})},
      },
      {SlipImage("D", "201210"), SlipImage("A", "201110"), SlipImage("B", "201210"),
       SlipImage("E", "201210", true), SlipImage("C", "201210")});
  const auto pick = [](const std::vector<TenkenYoteiEntry>& entries) {
    std::vector<std::pair<int, bool>> out;
    for (const TenkenYoteiEntry& e : entries) out.emplace_back(e.kokyakuNo, e.done);
    return out;
  };
  using P = std::vector<std::pair<int, bool>>;
  EXPECT_EQ(pick(TenkenYoteiSelect(*store, 10, 2012, 10)),
            (P{{1, false}, {3, true}, {4, true}, {5, false}}));
  EXPECT_EQ(pick(NotDoneFirst(TenkenYoteiSelect(*store, 10, 2012, 10))),
            (P{{1, false}, {5, false}, {3, true}, {4, true}}));
  EXPECT_EQ(DoneCount(TenkenYoteiSelect(*store, 10, 2012, 10)), 2);
  EXPECT_EQ(pick(TenkenYoteiSelect(*store, 10, 0, 0)),
            (P{{1, false}, {3, false}, {4, false}, {5, false}}));
  EXPECT_EQ(pick(TenkenYoteiSelect(*store, 4, 2012, 10)), (P{{3, true}}));
  EXPECT_TRUE(TenkenYoteiSelect(*store, 0, 2012, 10).empty());
  EXPECT_TRUE(TenkenYoteiSelect(*store, 13, 2012, 10).empty());
  // Positions count the customer list, which has no deleted customer in it.
  EXPECT_EQ(TenkenYoteiSelect(*store, 10, 0, 0)[1].position, 2);
}

TEST_F(ListsTest, ContractSelectionsReadTheSixBytesAndTheMonthFlags) {
  Seed(
      {
          {.name = "A",
           .syuukinMonths = Months({3}),
           .keiyaku = "2012 5",
           .keiyakuEnd = "2015 3",
           .amountMarch = "12000"},
          {.name = "B",
           .syuukinMonths = Months({3}),
           .keiyaku = "201205",
           .keiyakuEnd = "201503",
           .deleted = true},
          // a blank contract year; a blank month; an end month stored left-aligned
          {.name = "C",
           .syuukinMonths = Months({3, 4}),
           .keiyaku = "    05",
           .keiyakuEnd = "2015 4"},
          {.name = "D", .syuukinMonths = Months({4}), .keiyaku = "2012 5", .keiyakuEnd = "2015 3"},
          {.name = "E", .keiyaku = "2012  ", .keiyakuEnd = "20153 "},
          // listed with an empty amount
          {.name = "F", .syuukinMonths = Months({3}), .keiyaku = "2012 6"},
      },
      {});
  struct Case {
    const char* what;
    std::vector<int> got, want;
  } cases[] = {
      {"contracts of 2012/5", KeiyakuGeppouSelect(*store, 2012, 5), {1, 4}},
      {"contracts of 2012/6", KeiyakuGeppouSelect(*store, 2012, 6), {6}},
      {"month 0 is no month", KeiyakuGeppouSelect(*store, 2012, 0), {}},
      {"ending 2015/3", KeiyakuEndSelect(*store, 2015, 3), {1, 4}},
      {"ending 2015/4", KeiyakuEndSelect(*store, 2015, 4), {3}},
      {"ending in month 13", KeiyakuEndSelect(*store, 2015, 13), {}},
      {"collection in March", SyuukinYoteiSelect(*store, 3), {1, 3, 6}},
      {"collection in April", SyuukinYoteiSelect(*store, 4), {3, 4}},
      {"collection month 0", SyuukinYoteiSelect(*store, 0), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;

  const std::vector<int> march = SyuukinYoteiSelect(*store, 3);
  const std::vector<KokyakuRow> rows = KokyakuRows(*store, march);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(SyuukinAmount(rows[0].kokyaku, 3), "   12000");
  EXPECT_EQ(SyuukinAmount(rows[2].kokyaku, 3), "        ");
  EXPECT_EQ(SyuukinAmount(rows[0].kokyaku, 13), "");
}

TEST_F(ListsTest, NoCeilingOnAnySelection) {
  std::vector<Cust> customers;
  std::vector<std::string> slips;
  for (int i = 0; i < 600; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "N%04d", i);
    customers.push_back({.name = name,
                         .tenkenMonths = Months({6}),
                         .syuukinMonths = Months({6}),
                         .keiyaku = "2012 6",
                         .keiyakuEnd = "2015 6"});
    slips.push_back(SlipImage(name, "2012 6"));
    slips.push_back(SlipImage("N0000", "2012 6"));
  }
  Seed(customers, slips);
  EXPECT_EQ(TenkenGeppouSelect(*store, 2012, 6).size(), 1200u);
  EXPECT_EQ(TenkenKobetuSelect(*store, "N0000").size(), 601u);
  EXPECT_EQ(TenkenYoteiSelect(*store, 6, 2012, 6).size(), 600u);
  EXPECT_EQ(DoneCount(TenkenYoteiSelect(*store, 6, 2012, 6)), 600);
  EXPECT_EQ(KeiyakuGeppouSelect(*store, 2012, 6).size(), 600u);
  EXPECT_EQ(KeiyakuEndSelect(*store, 2015, 6).size(), 600u);
  EXPECT_EQ(SyuukinYoteiSelect(*store, 6).size(), 600u);
}

TEST_F(ListsTest, SlipRowsCarryTheFirstListedCustomerOfTheName) {
  Cust first{.name = "Same"}, second{.name = "Same"}, deleted{.name = "Gone", .deleted = true};
  first.amountMarch = "1";
  second.amountMarch = "2";
  Seed({first, second, deleted}, {SlipImage("Same", "201210"), SlipImage("Nobody", "201210"),
                                  SlipImage("Gone", "201210"), SlipImage("    ", "201210")});
  const std::vector<int> nos{1, 2, 3, 4, 99};
  const std::vector<TenkenListRow> rows = TenkenListRows(*store, nos);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].kokyakuNo, 1);
  EXPECT_EQ(TrimBlanks(rows[0].kokyaku.Get(Kokyaku::Syukinngaku03)), "1");
  EXPECT_EQ(rows[1].kokyakuNo, 0);  // listed, customer columns blank
  EXPECT_EQ(TrimBlanks(rows[1].slip.Get(TenkenDenp::KokyakuName)), "Nobody");
  EXPECT_EQ(rows[2].kokyakuNo, 0);  // a deleted customer is nobody's
  EXPECT_EQ(rows[3].kokyakuNo, 0);
  EXPECT_EQ(rows[4].slipNo, 99);  // beyond the file: a blank row
  EXPECT_EQ(TrimBlanks(rows[4].slip.Get(TenkenDenp::KokyakuName)), "");
}

TEST(Paging, PagesAndTurns) {
  struct Case {
    int entries, rows, top;
    int pages, page, next, prev;
    const char* label;
  } cases[] = {
      {0, 6, 0, 0, 0, 0, 0, "0 / 0"},      {6, 6, 0, 1, 1, 0, 0, "1 / 1"},
      {7, 6, 0, 2, 1, 6, 0, "1 / 2"},      {7, 6, 6, 2, 2, 6, 0, "2 / 2"},
      {30, 12, 12, 3, 2, 24, 0, "2 / 3"},  {30, 12, 24, 3, 3, 24, 12, "3 / 3"},
      {30, 14, 28, 3, 3, 28, 14, "3 / 3"}, {670, 6, 666, 112, 112, 666, 660, "112 / 112"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(PageCount(c.entries, c.rows), c.pages);
    EXPECT_EQ(PageNumber(c.top, c.entries, c.rows), c.page);
    EXPECT_EQ(NextPageTop(c.top, c.entries, c.rows), c.next);
    EXPECT_EQ(PrevPageTop(c.top, c.rows), c.prev);
    EXPECT_EQ(PageLabel(c.top, c.entries, c.rows), c.label);
  }
}

TEST(SplitTwoLines, WholeCharactersAndShortTextOnTheLowerLine) {
  const std::string kanji = Sj("浄化槽");  // 6 bytes
  struct Case {
    std::string text;
    std::size_t width;
    bool lower;
    std::string first, second;
  } cases[] = {
      {"abcdefgh", 4, false, "abcd", "efgh"},
      {"ab      ", 4, true, "    ", "ab  "},
      {"ab      ", 4, false, "ab  ", "    "},
      {"a" + kanji, 4, false, "a" + kanji.substr(0, 2), kanji.substr(2)},
      {"abc" + kanji, 4, false, "abc", kanji},  // the character crossing the cut moves down
      {"        ", 4, true, "    ", "    "},
  };
  for (const Case& c : cases) {
    const TwoLines lines = SplitTwoLines(c.text, c.width, c.lower);
    EXPECT_EQ(lines.first, c.first) << c.text;
    EXPECT_EQ(lines.second, c.second) << c.text;
  }
}

}  // namespace
}  // namespace tankora::testing
