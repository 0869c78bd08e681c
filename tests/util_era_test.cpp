#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "util/cp932.h"
#include "util/era.h"

namespace tankora {
namespace {

// Typed text arrives from the edits as CP932.
std::string Sj(const char* utf8) { return Utf8ToCp932(utf8).value(); }

std::optional<int> Parse(const EraCalendar& cal, const char* utf8) {
  return cal.ParseYear(Sj(utf8));
}

class EraOn2012 : public ::testing::Test {
 protected:
  EraCalendar cal{Date{2012, 10, 29}};
};

class EraOn2026 : public ::testing::Test {
 protected:
  EraCalendar cal{Date{2026, 12, 7}};
};

TEST(EraCalendarTest, ErasBeginOnTheirFirstDay) {
  EXPECT_EQ(EraCalendar::EraOf({1926, 12, 24}), std::nullopt);
  EXPECT_EQ(EraCalendar::EraOf({1926, 12, 25}), Era::Showa);
  EXPECT_EQ(EraCalendar::EraOf({1989, 1, 7}), Era::Showa);
  EXPECT_EQ(EraCalendar::EraOf({1989, 1, 8}), Era::Heisei);
  EXPECT_EQ(EraCalendar::EraOf({2019, 4, 30}), Era::Heisei);
  EXPECT_EQ(EraCalendar::EraOf({2019, 5, 1}), Era::Reiwa);
  EXPECT_EQ(EraCalendar::Name(Era::Heisei), "\x95\xBD\x90\xAC");
  EXPECT_EQ(Cp932ToUtf8(EraCalendar::Name(Era::Showa)), "昭和");
  EXPECT_EQ(Cp932ToUtf8(EraCalendar::Name(Era::Reiwa)), "令和");
}

TEST_F(EraOn2012, CurrentEraIsHeisei24) {
  EXPECT_EQ(cal.CurrentEra(), Era::Heisei);
  EXPECT_EQ(cal.CurrentEraYear(), 24);
  EXPECT_EQ(cal.LastYear(Era::Showa), 64);
  EXPECT_EQ(cal.LastYear(Era::Heisei), 25);
  EXPECT_EQ(cal.LastYear(Era::Reiwa), std::nullopt);
}

TEST_F(EraOn2012, TypedYearsWithoutPrefixAreHeiseiUpToNextYear) {
  EXPECT_EQ(cal.YearToStored("1"), "1989");
  EXPECT_EQ(cal.YearToStored("5"), "1993");
  EXPECT_EQ(cal.YearToStored("05"), "1993");
  EXPECT_EQ(cal.YearToStored("25"), "2013");
  EXPECT_EQ(cal.YearToStored("26"), "    ");
  EXPECT_EQ(cal.YearToStored("0"), "    ");
  EXPECT_EQ(cal.YearToStored(""), "    ");
  EXPECT_EQ(cal.YearToStored(" 7 "), "1995");
  EXPECT_EQ(Parse(cal, "２４"), 2012);
}

TEST_F(EraOn2012, PrefixedYearsKeepToTheirEra) {
  EXPECT_EQ(Parse(cal, "H24"), 2012);
  EXPECT_EQ(Parse(cal, "h25"), 2013);  // the current era's prefix changes nothing
  EXPECT_EQ(Parse(cal, "H26"), std::nullopt);
  EXPECT_EQ(Parse(cal, "S1"), 1926);
  EXPECT_EQ(Parse(cal, "S64"), 1989);
  EXPECT_EQ(Parse(cal, "S65"), std::nullopt);
  EXPECT_EQ(Parse(cal, "s0"), std::nullopt);
  EXPECT_EQ(Parse(cal, "Ｓ６０"), 1985);
  EXPECT_EQ(Parse(cal, "ｓ60"), 1985);
  EXPECT_EQ(Parse(cal, "昭60"), 1985);
  EXPECT_EQ(Parse(cal, "平5"), 1993);
  EXPECT_EQ(Parse(cal, "Ｈ 5"), 1993);  // as an earlier era's year is shown
  // Reiwa has not begun on this date.
  EXPECT_EQ(Parse(cal, "R1"), std::nullopt);
  EXPECT_EQ(Parse(cal, "令1"), std::nullopt);
}

TEST_F(EraOn2012, MalformedTypedYearsAreRefused) {
  for (const char* typed :
       {"123", "H123", "5a", "a5", "H", "HH5", "-5", "+5", "5 5", "X5", "平成5", "2012"}) {
    EXPECT_EQ(Parse(cal, typed), std::nullopt) << typed;
  }
}

TEST_F(EraOn2012, StoredYearsShowAsHeiseiOrShowa) {
  EXPECT_EQ(cal.YearForDisplay("1993"), " 5");
  EXPECT_EQ(cal.YearForDisplay("2012"), "24");
  EXPECT_EQ(cal.YearForDisplay("2013"), "25");
  EXPECT_EQ(cal.YearForDisplay("2014"), "  ");
  EXPECT_EQ(cal.YearForDisplay("    "), "  ");
  EXPECT_EQ(cal.YearForDisplay("abcd"), "  ");
  EXPECT_EQ(cal.YearForDisplay("1988"), "S63");
  EXPECT_EQ(cal.YearForDisplay("1926"), "S 1");
  EXPECT_EQ(cal.YearForDisplay("1926", "12", "24"), "  ");
  EXPECT_EQ(cal.YearForDisplay("1925"), "  ");
  // 1989 is Showa for its first week only; a blank day counts as the year's end.
  EXPECT_EQ(cal.YearForDisplay("1989", " 1", " 7"), "S64");
  EXPECT_EQ(cal.YearForDisplay("1989", " 1", " 8"), " 1");
  EXPECT_EQ(cal.YearForDisplay("1989", " 1", "  "), " 1");
  EXPECT_EQ(cal.YearForDisplay("1989"), " 1");
}

TEST_F(EraOn2026, CurrentEraIsReiwa8) {
  EXPECT_EQ(cal.CurrentEra(), Era::Reiwa);
  EXPECT_EQ(cal.CurrentEraYear(), 8);
  EXPECT_EQ(cal.LastYear(Era::Heisei), 31);
  EXPECT_EQ(cal.LastYear(Era::Reiwa), 9);
}

TEST_F(EraOn2026, TypedYearsFollowReiwa) {
  EXPECT_EQ(cal.YearToStored("8"), "2026");
  EXPECT_EQ(cal.YearToStored("9"), "2027");
  EXPECT_EQ(cal.YearToStored("10"), "    ");
  EXPECT_EQ(cal.YearToStored("38"), "    ");  // no 平成38年 any more
  EXPECT_EQ(cal.YearToStored("R9"), "2027");
  EXPECT_EQ(cal.YearToStored("r10"), "    ");
  EXPECT_EQ(cal.YearToStored("H31"), "2019");
  EXPECT_EQ(cal.YearToStored("H32"), "    ");
  EXPECT_EQ(cal.YearToStored("H5"), "1993");
  EXPECT_EQ(cal.YearToStored("S64"), "1989");
  EXPECT_EQ(Parse(cal, "令１"), 2019);
  EXPECT_EQ(Parse(cal, "Ｒ８"), 2026);
}

TEST_F(EraOn2026, StoredYearsShowInTheEraOfTheirDate) {
  EXPECT_EQ(cal.YearForDisplay("2026"), " 8");
  EXPECT_EQ(cal.YearForDisplay("2027"), " 9");
  EXPECT_EQ(cal.YearForDisplay("2028"), "  ");
  EXPECT_EQ(cal.YearForDisplay("2019"), " 1");
  EXPECT_EQ(cal.YearForDisplay("2019", " 5", " 1"), " 1");
  EXPECT_EQ(cal.YearForDisplay("2019", " 4", "30"), "H31");
  EXPECT_EQ(cal.YearForDisplay("2019", " 4", "  "), "H31");
  EXPECT_EQ(cal.YearForDisplay("2012"), "H24");
  EXPECT_EQ(cal.YearForDisplay("1993"), "H 5");
  EXPECT_EQ(cal.YearForDisplay("1985"), "S60");
}

// Whatever a year edit shows must read back as the same year when the edit
// is committed again, in every era and on both sides of an era change.
void ExpectShownYearsParseBack(const EraCalendar& cal) {
  for (const int ahead : {kYearsAheadVisit, kYearsAheadContract}) {
    for (int year = 1926; year <= cal.Today().year + ahead; ++year) {
      for (const char* month : {" 1", " 4", " 5", "12", "  "}) {
        for (const char* day : {" 1", " 7", " 8", "30", "  "}) {
          const std::string stored = std::to_string(year);
          const std::string shown = cal.YearForDisplay(stored, month, day, ahead);
          if (shown == "  ") {
            EXPECT_EQ(year, 1926) << month << day;  // only Taisho's last days are blank
            continue;
          }
          EXPECT_EQ(cal.ParseYear(shown, ahead), year)
              << stored << "-" << month << "-" << day << " shown '" << shown << "'";
        }
      }
    }
    // One year further is neither shown nor taken.
    const std::string past = std::to_string(cal.Today().year + ahead + 1);
    EXPECT_EQ(cal.YearForDisplay(past, " 1", " 1", ahead), "  ") << ahead;
    EXPECT_EQ(cal.ParseYear(std::to_string(cal.CurrentEraYear() + ahead + 1), ahead), std::nullopt)
        << ahead;
  }
}

TEST_F(EraOn2012, ShownYearsParseBack) { ExpectShownYearsParseBack(cal); }
TEST_F(EraOn2026, ShownYearsParseBack) { ExpectShownYearsParseBack(cal); }

TEST(EraCalendarTest, YearsPastAnEraChangeThatTodayPrecedesStayInTodaysEra) {
  const EraCalendar cal{Date{2019, 4, 30}};  // the last day of Heisei
  EXPECT_EQ(cal.CurrentEraYear(), 31);
  EXPECT_EQ(cal.YearToStored("32"), "2020");
  EXPECT_EQ(cal.YearForDisplay("2020"), "32");
  EXPECT_EQ(cal.YearForDisplay("2019", " 6", " 1"), "31");
  EXPECT_EQ(cal.ParseYear("R1"), std::nullopt);
  ExpectShownYearsParseBack(cal);
}

class TodayFromEnvironmentTest : public ::testing::Test {
 protected:
  void TearDown() override { unsetenv("TANKORA_TODAY"); }

  static Date ClockToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  }
};

TEST_F(TodayFromEnvironmentTest, ValidOverrideWins) {
  setenv("TANKORA_TODAY", "2012-10-29", 1);
  EXPECT_EQ(EraCalendar::TodayFromEnvironment(), (Date{2012, 10, 29}));
  setenv("TANKORA_TODAY", "2024-02-29", 1);
  EXPECT_EQ(EraCalendar::TodayFromEnvironment(), (Date{2024, 2, 29}));
}

TEST_F(TodayFromEnvironmentTest, InvalidOverrideFallsBackToTheClock) {
  for (const char* bad : {"2026-13-01", "2026-02-29", "2026-2-1", "20261207", "1900-01-01",
                          "2026-12-07x", "", "2026-12-00", "abcd-ef-gh"}) {
    setenv("TANKORA_TODAY", bad, 1);
    EXPECT_EQ(EraCalendar::TodayFromEnvironment(), ClockToday()) << bad;
  }
}

}  // namespace
}  // namespace tankora
