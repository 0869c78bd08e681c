// Customer and ledger dates a calendar does not have: found in any of the six
// dates, refused by every command that would write them, and left alone in a
// record stored so elsewhere until it is changed.
#include <gtest/gtest.h>

#include "fake_view.h"
#include "shell/calendar_dates.h"

namespace tankora::testing {
namespace {

TEST(CalendarDates, ADayExistsWhenItsMonthHasItInThatYear) {
  struct Case {
    const char* year;
    const char* month;
    const char* day;
    bool exists;
  } cases[] = {
      {"2026", "12", "31", true},  {"2026", " 4", "31", false}, {"2026", " 2", "29", false},
      {"2028", " 2", "29", true},  {"2100", " 2", "29", false}, {"    ", " 2", "29", true},
      {"    ", " 2", "30", false}, {"    ", "11", "31", false}, {"2026", "  ", "31", true},
      {"2026", "13", "31", true},  {"2026", " 2", "  ", true},  {"2026", " 2", "32", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DayExists(c.year, c.month, c.day), c.exists)
        << c.year << "/" << c.month << "/" << c.day;
  }
}

// A customer "Taro" typed on the customer screen, or an entry "Taro" on the
// ledger screen, with one date typed (era year, month, day), then a command.
struct CommandCase {
  Screen screen;
  const char* date;  // the year edit; the month and day edits follow it
  const char* year;
  const char* month;
  const char* day;
  Key key;
  const char* caption;  // "" when the date exists and is stored
};

std::string EditAfter(const char* yearEdit, const char* part) {
  std::string name(yearEdit);
  return name.substr(0, name.size() - 4) + part;  // "..._Year" → "..._Month"
}

TEST(CalendarDates, CommandsDoNotStoreADayTheCalendarLacks) {
  // On 2012-10-29 (平成24年, a leap year).
  const CommandCase cases[] = {
      {Screen::Customer, "Edit_Kokyaku_Keiyaku_Year", "24", "2", "29", Key::F1, ""},
      {Screen::Customer, "Edit_Kokyaku_Keiyaku_Year", "25", "2", "29", Key::F1, "契約日"},
      {Screen::Customer, "Edit_Kokyaku_Keiyaku_EndYear", "", "4", "31", Key::F1, "契約期間の末日"},
      {Screen::Customer, "Edit_Kokyaku_StartYear", "24", "11", "31", Key::F1, "着工日"},
      {Screen::Customer, "Edit_Kokyaku_UseStartYear", "24", "11", "30", Key::F1, ""},
      {Screen::Ledger, "Edit_Keiyaku_EndYear", "27", "6", "31", Key::F1, "契約期間の末日"},
      {Screen::Ledger, "Edit_Kouji_EndYear", "24", "2", "30", Key::F3, "竣工日"},
      {Screen::Ledger, "Edit_Kouji_EndYear", "24", "12", "31", Key::F3, ""},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(std::string(c.date) + " " + c.year + "/" + c.month + "/" + c.day);
    Harness h;
    h.session->SwitchScreen(c.screen);
    h.view.Type(c.screen == Screen::Customer ? "Edit_Kokyaku_Name" : "Edit_Kouji_Name", "Taro");
    h.view.Type(c.date, c.year);
    h.view.Type(EditAfter(c.date, "Month"), c.month);
    h.view.Type(EditAfter(c.date, "Day"), c.day);
    h.view.Press(c.key);
    const bool refused = *c.caption != '\0';
    // The ledger's F1 stores the entry alone, its F3 the customer too.
    const bool customerToo = c.screen == Screen::Customer || c.key == Key::F3;
    EXPECT_EQ(h.store->KokyakuCount(), !refused && customerToo ? 1 : 0);
    if (c.screen == Screen::Ledger) {
      EXPECT_EQ(h.store->KoujiCount(), refused ? 0 : 1);
    }
    if (refused) {
      EXPECT_EQ(h.session->Notice().find(c.caption), 0u) << h.session->Notice();
      EXPECT_NE(h.session->Notice().find("暦にない日"), std::string::npos);
      // The typing stays to be put right.
      EXPECT_EQ(h.view.Trimmed(EditAfter(c.date, "Day")), c.day);
    }
  }
}

TEST(CalendarDates, TheSlipScreenStoresNeitherACustomerWithSuchADayNorItsSlip) {
  Harness h;
  h.session->SwitchScreen(Screen::Customer);
  h.view.Type("Edit_Kokyaku_Name", "Taro");
  h.view.Type("Edit_Kokyaku_Keiyaku_Month", "9");
  h.view.Type("Edit_Kokyaku_Keiyaku_Day", "31");
  h.session->SwitchScreen(Screen::Slip);
  h.view.Type("Edit_Panel_Tenken_Year", "24");
  h.view.Type("Edit_Panel_Tenken_Month", "10");
  h.view.Type("Edit_Panel_Tenken_Day", "1");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->KokyakuCount(), 0);
  EXPECT_EQ(h.store->TenkenCount(), 0);
  EXPECT_NE(h.session->Notice().find("点検伝票も登録していません"), std::string::npos)
      << h.session->Notice();
}

TEST(CalendarDates, ACustomerStoredWithSuchADayTakesSlipsUntilItIsChanged) {
  // Written by another program: a contract of 31 September 2012.
  Record taro(KokyakuLayout());
  taro.Set(Kokyaku::Kana, "ﾀﾛｳ");
  taro.Set(Kokyaku::Name, "Taro");
  taro.Set(Kokyaku::KeiyakuYear, "2012");
  taro.Set(Kokyaku::KeiyakuMonth, " 9");
  taro.Set(Kokyaku::KeiyakuDay, "31");
  Harness h(0, SeedFile("Kokyaku.120", {Image(taro)}));
  h.ClickRow(1);
  h.view.Type("Edit_Panel_Tenken_Year", "24");
  h.view.Type("Edit_Panel_Tenken_Month", "10");
  h.view.Type("Edit_Panel_Tenken_Day", "1");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.store->TenkenCount(), 1);
  EXPECT_EQ(h.Stored(1).Get(Kokyaku::KeiyakuDay), "31");

  // Changed, it is checked like any other.
  h.session->SwitchScreen(Screen::Customer);
  h.ClickRow(1);
  h.view.Type("Edit_Kokyaku_Tel", "0123");
  h.view.Press(Key::F1);
  EXPECT_EQ(h.Stored(1).Trimmed(Kokyaku::Tel), "");
  EXPECT_EQ(h.session->Notice().find("契約日「平成24年9月31日」"), 0u) << h.session->Notice();
}

}  // namespace
}  // namespace tankora::testing
