// The statutory inspection interval: the method matcher, the ordinance's
// rows at their size boundaries, the cyclic gap of a month plan, and the
// customers `check intervals` lists.
#include <gtest/gtest.h>

#include <sstream>

#include "customers/inspection_interval.h"
#include "fake_view.h"
#include "store/store.h"

namespace tankora::testing {
namespace {

TEST(InspectionInterval, MatcherTakesTheSpellingsOfAMethod) {
  struct Case {
    const char* typed;
    const char* method;  // "" = none
  };
  const Case cases[] = {
      {"嫌気ろ床接触ばっ気", "嫌気ろ床接触ばっ気"},
      {"嫌気ろ床接触ばつ気方式", "嫌気ろ床接触ばっ気"},  // ばつ, and more than the name
      {"嫌気濾床接触曝気", "嫌気ろ床接触ばっ気"},        // the kanji spellings
      {"嫌気ろ床　接触 ばっ気", "嫌気ろ床接触ばっ気"},   // blanks of both widths
      {"分離接触バッ気", "分離接触ばっ気"},              // katakana
      {"分離接触ﾊﾞｯ気", "分離接触ばっ気"},               // half-width katakana
      {"分離接触ばっ気（ＣＲＸ型）", "分離接触ばっ気"},
      {"接触ばっ気", "接触ばっ気"},  // not swallowed by the longer names
      {"脱窒ろ床接触ばっ気", "脱窒ろ床接触ばっ気"},
      {"全ばっ気", "全ばっ気"},
      {"単純ばっ気", "単純ばっ気"},
      {"分離ばっ気", "分離ばっ気"},
      {"散水ろ床", "散水ろ床"},
      {"地下砂ろ過", "地下砂ろ過"},
      {"活性汚泥方式", "活性汚泥"},
      {"回転板接触", "回転板接触"},
      {"担体流動生物ろ過", ""},
      {"腐敗槽", ""},
      {"ばっ気", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchTreatmentMethod(c.typed), c.method) << c.typed;
}

TEST(InspectionInterval, RowsAtTheirSizeBoundaries) {
  using enum TankType;
  using enum IntervalKind;
  struct Case {
    TankType tank;
    const char* method;
    int ninsou;
    IntervalKind kind;
    int months;
    UnjudgedReason why = UnjudgedReason::None;
    bool equipment = false;
  };
  const Case cases[] = {
      {Tandoku, "全ばっ気", 20, Months, 3},
      {Tandoku, "全ばっ気", 21, Months, 2},
      {Tandoku, "全ばっ気", 300, Months, 2},
      {Tandoku, "全ばっ気", 301, Months, 1},
      {Tandoku, "分離接触ばっ気", 1, Months, 4},
      {Tandoku, "分離接触ばっ気", 20, Months, 4},
      {Tandoku, "分離接触ばっ気", 21, Months, 3},
      {Tandoku, "単純ばっ気", 300, Months, 3},
      {Tandoku, "分離ばっ気", 301, Months, 2},
      {Tandoku, "散水ろ床", 0, Months, 6},  // by no size, so none is needed
      {Tandoku, "平面酸化床", 500, Months, 6},
      {Gappei, "嫌気ろ床接触ばっ気", 7, Months, 4},
      {Gappei, "嫌気ろ床接触ばっ気", 20, Months, 4},
      {Gappei, "嫌気ろ床接触ばっ気", 21, Months, 3},
      {Gappei, "脱窒ろ床接触ばっ気", 50, Months, 3},
      {Gappei, "分離接触ばっ気", 51, Unjudged, 0, UnjudgedReason::SizeBeyondTable},
      {Gappei, "活性汚泥", 0, Weekly, 0},
      {Gappei, "接触ばっ気", 10, Months, 3, UnjudgedReason::None, true},
      {Gappei, "散水ろ床", 10, Months, 3, UnjudgedReason::None, true},  // 単独's is 6
      {Gappei, "嫌気ろ床接触ばっ気", 0, Unjudged, 0, UnjudgedReason::NoSize},
      {Tandoku, "嫌気ろ床接触ばっ気", 7, Unjudged, 0, UnjudgedReason::MethodNotOfTank},
      {Tandoku, "活性汚泥", 7, Unjudged, 0, UnjudgedReason::MethodNotOfTank},
      {Unknown, "嫌気ろ床接触ばっ気", 7, Unjudged, 0, UnjudgedReason::NoTankType},
      {Gappei, "担体流動生物ろ過", 7, Unjudged, 0, UnjudgedReason::UnknownMethod},
      {Gappei, "  ", 7, Unjudged, 0, UnjudgedReason::NoMethod},
  };
  for (const Case& c : cases) {
    const InspectionInterval r = RequiredInterval(c.tank, c.method, c.ninsou);
    const std::string what = std::string(c.method) + " " + std::to_string(c.ninsou);
    EXPECT_EQ(r.kind, c.kind) << what;
    EXPECT_EQ(r.months, c.months) << what;
    EXPECT_EQ(r.why, c.why) << what;
    EXPECT_EQ(r.equipmentMayRequireMore, c.equipment) << what;
  }
}

TEST(InspectionInterval, LongestGapCountsRoundTheYear) {
  struct Case {
    std::vector<int> months;
    std::optional<int> gap;
  };
  const Case cases[] = {
      {{1, 5, 9}, 4},     {{1, 6, 11}, 5},
      {{3, 6, 9, 12}, 3}, {{1}, 12},
      {{12}, 12},         {{1, 12}, 11},
      {{2, 3}, 11},       {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 1},
      {{}, std::nullopt},
  };
  for (const Case& c : cases) {
    std::array<bool, 12> planned{};
    for (int m : c.months) planned[static_cast<std::size_t>(m - 1)] = true;
    EXPECT_EQ(LongestGap(planned), c.gap) << ::testing::PrintToString(c.months);
  }
}

Record Customer(std::string_view name, std::string_view tank, std::string_view method,
                std::string_view ninsou, std::string_view months) {
  Record r(KokyakuLayout());
  r.Set(Kokyaku::Name, Sj(name));
  r.Set(tank == "単独" ? Kokyaku::Tandoku : Kokyaku::Gappei, "1");
  r.Set(Kokyaku::KindSyorihouhou, Sj(method));
  r.Set(Kokyaku::Ninsou, ninsou);
  r.Set(Kokyaku::TenkenMonths, months);
  return r;
}

// The record as the panel reads it: the tank's flags, size and method, and
// the months by MonthMarked.
TEST(InspectionInterval, ThePanelLineOfACustomer) {
  struct Case {
    Record customer;
    const char* text;
    bool fault;
  };
  const Case cases[] = {
      {Customer("A", "合併", "嫌気ろ床接触ばっ気", "  7", "1    1    1 "),
       "法定 4か月に1回以上 — 計画は最大5か月空きます", true},
      {Customer("B", "合併", "嫌気ろ床接触ばっ気", "  7", "1   1   1   "), "法定 4か月に1回以上 ✓",
       false},
      {Customer("C", "合併", "嫌気ろ床接触ばっ気", "  7", "X   *   1   "), "法定 4か月に1回以上 ✓",
       false},
      {Customer("D", "単独", "全ばっ気", "400", "111111111111"), "法定 毎月1回以上 ✓", false},
      {Customer("E", "合併", "活性汚泥", "  5", "111111111111"),
       "法定 毎週1回以上 — 月ごとの計画では満たせません", true},
      {Customer("F", "単独", "分離接触ばっ気", "  5", "            "),
       "法定 4か月に1回以上 — 点検月が計画されていません", true},
      {Customer("G", "単独", "腐敗槽", "  5", "1           "), "法定の点検回数は判定できません",
       false},
  };
  for (const Case& c : cases) {
    const IntervalLine line = DescribeInterval(CheckInspectionInterval(c.customer));
    EXPECT_EQ(line.text, c.text) << c.customer.Trimmed(Kokyaku::Name);
    EXPECT_EQ(line.fault, c.fault) << c.customer.Trimmed(Kokyaku::Name);
  }
}

TEST(InspectionInterval, CheckListsTheLiveCustomersThatFallShort) {
  Record deleted = Customer("Deleted", "合併", "活性汚泥", "  5", "1           ");
  deleted.Set(Kokyaku::DeleteFlag, "1");
  Harness h(
      0, SeedFile(
             "Kokyaku.120",
             {Image(Customer("Short", "合併", "嫌気ろ床接触ばっ気", "  7", "1    1    1 ")),
              Image(Customer("Fine", "合併", "嫌気ろ床接触ばっ気", "  7", "1   1   1   ")),
              Image(deleted), Image(Customer("Unjudged", "単独", "腐敗槽", "  5", "1           ")),
              Image(Customer("浄化", "合併", "活性汚泥", " 30", "111111111111"))}));
  std::ostringstream utf8;
  ASSERT_TRUE(WriteIntervalShortfalls(*h.store, CsvEncoding::Utf8, utf8));
  EXPECT_EQ(
      utf8.str(),
      "\xEF\xBB\xBF"
      "RecordNo,Kana,Name,Tank,KindSyorihouhou,Ninsou,Required,TenkenMonths,LongestGap,Note\r\n"
      "1,,Short,合併,嫌気ろ床接触ばっ気,7,4か月に1回以上,1    1    1,5,\r\n"
      "5,,浄化,合併,活性汚泥,30,毎週1回以上,111111111111,1,月ごとの計画では満たせません\r\n");
  std::ostringstream cp932;
  ASSERT_TRUE(WriteIntervalShortfalls(*h.store, CsvEncoding::Cp932, cp932));
  EXPECT_EQ(cp932.str().substr(0, 8), "RecordNo");
  EXPECT_NE(cp932.str().find(Sj("浄化,合併,活性汚泥")), std::string::npos);
}

}  // namespace
}  // namespace tankora::testing
