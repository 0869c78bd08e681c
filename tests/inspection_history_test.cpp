// The slip history of the current customer: which slips it lists and in what
// order, the seven rows, paging, row selection, the limit per customer and
// the marks on readings outside the acceptance criteria.
#include <gtest/gtest.h>

#include <fstream>

#include "fake_view.h"
#include "inspection/slip_screen.h"

namespace tankora::testing {
namespace {

struct SlipSeed {
  std::string name;
  int year = 2012, month = 10, day = 1;
  std::string ph = "7.0", tousido = "30";
  bool deleted = false;
};

std::string SlipImage(const SlipSeed& seed) {
  Record r(TenkenDenpLayout());
  r.Set(TenkenDenp::KokyakuName, seed.name);
  char text[8];
  std::snprintf(text, sizeof text, "%4d", seed.year);
  r.Set(TenkenDenp::Year, text);
  std::snprintf(text, sizeof text, "%2d", seed.month);
  r.Set(TenkenDenp::Month, text);
  std::snprintf(text, sizeof text, "%2d", seed.day);
  r.Set(TenkenDenp::Day, text);
  r.Set(TenkenDenp::Ph, seed.ph);
  r.Set(TenkenDenp::Tousido, seed.tousido);
  if (seed.deleted) r.SetFlagAt(TenkenDenp::DeleteFlag, 0, true);
  return std::string(r.Pack());
}

Seeder Slips(const std::vector<SlipSeed>& slips) {
  std::vector<std::string> images;
  for (const SlipSeed& s : slips) images.push_back(SlipImage(s));
  return SeedFile("TenkenDenp.120", std::move(images));
}

// `count` slips of customer C0001, the k-th (1-based) dated 2012-01-k % 28.
std::vector<SlipSeed> SlipsOfFirst(int count) {
  std::vector<SlipSeed> slips;
  for (int k = 1; k <= count; ++k) slips.push_back({"C0001", 2012, 1, (k - 1) % 28 + 1});
  return slips;
}

std::string Row(const FakeView& v, const char* item, int row1) {
  char c[40];
  std::snprintf(c, sizeof c, "Label_Tenken_%s_%02d", item, row1);
  return v.Text(c);
}

int ChosenRow(const FakeView& v) {  // 1-based, 0 when no row is framed green
  int found = 0;
  for (int r = 1; r <= kTenkenRows; ++r) {
    char c[40];
    std::snprintf(c, sizeof c, "Shape_Tenken_Tekiyou_%02d", r);
    if (v.Frame(c) == FrameState::Chosen) found = r;
  }
  return found;
}

// History cells {item, row, text shown}, compared with blanks trimmed.
struct Cell {
  const char* item;
  int row;
  const char* shown;
};
void ExpectRows(const FakeView& v, std::initializer_list<Cell> cells) {
  for (const Cell& c : cells) {
    EXPECT_EQ(TrimBlanks(Row(v, c.item, c.row)), c.shown) << c.item << " row " << c.row;
  }
}

void ClickHistory(Harness& h, const char* item, int row1) {
  char c[40];
  std::snprintf(c, sizeof c, "Label_Tenken_%s_%02d", item, row1);
  h.view.ClickLabel(c);
}

TEST(InspectionHistory, ListsTheCustomersLiveSlipsNewestStoredFirst) {
  Harness h(3, Slips({{"C0002", 2012, 3, 5},
                      {"C0001", 2012, 9, 9},
                      {"C0002", 2011, 12, 24, "6.8", "25"},
                      {"C0002", 2012, 7, 7, "7.0", "30", /*deleted=*/true},
                      {"C0002", 2010, 1, 2},      // stored last, dated earliest
                      {"C00022", 2012, 1, 1}}));  // another name sharing a prefix
  h.ClickRow(2);
  EXPECT_EQ(h.s().tenkenRireki, (std::vector<int>{5, 3, 1}));
  EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "3");
  EXPECT_EQ(Row(h.view, "Month", 1), " 1");  // right-aligned, untrimmed
  EXPECT_EQ(Row(h.view, "Day", 1), " 2");
  ExpectRows(h.view, {{"Year", 1, "22"},
                      {"Year", 2, "23"},
                      {"Ph", 2, "6.8"},
                      {"Tousido", 2, "25"},
                      {"Year", 3, "24"},
                      {"Year", 4, ""},
                      {"Tekiyou", 7, ""}});
  // The entry line begins a new slip for the chosen customer, dated today.
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Month"), "10");
  EXPECT_EQ(h.view.Text("Label_TenkenDenpChoose_Line"), "4");
  EXPECT_EQ(h.s().currentTenkenNo, 7);
  EXPECT_EQ(ChosenRow(h.view), 0);
}

TEST(InspectionHistory, CustomerWithoutSlipsShowsBlankRowsAndIgnoresClicks) {
  Harness h(2, Slips({{"C0001"}}));
  h.ClickRow(2);
  EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "0");
  for (int r = 1; r <= kTenkenRows; ++r) EXPECT_EQ(TrimBlanks(Row(h.view, "Day", r)), "");
  const int before = h.s().currentTenkenNo;
  ClickHistory(h, "Day", 1);
  EXPECT_EQ(h.s().currentTenkenNo, before);
  EXPECT_EQ(ChosenRow(h.view), 0);
  // The new-customer row has no history, even where slips carry a blank name.
  h.ClickRow(3);
  EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "0");
}

TEST(InspectionHistory, RowClickBringsThatSlipIntoTheEntryLine) {
  auto slips = SlipsOfFirst(5);
  slips[2].ph = "9.1";  // record 3, row 3
  Harness h(1, Slips(slips));
  h.ClickRow(1);
  ClickHistory(h, "Kanrisya", 3);
  EXPECT_EQ(h.s().currentTenkenNo, 3);
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Ph"), "9.1");
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Day"), "3");
  // The slip's own year, not today's.
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Year"), "24");
  EXPECT_EQ(h.view.Text("Label_TenkenDenpChoose_Line"), "3");
  EXPECT_EQ(ChosenRow(h.view), 3);
  EXPECT_EQ(h.view.Focused(), "Edit_Panel_Tenken_Year");
  // Below the last slip nothing happens.
  ClickHistory(h, "Year", 6);
  EXPECT_EQ(h.s().currentTenkenNo, 3);
  EXPECT_EQ(ChosenRow(h.view), 3);
}

TEST(InspectionHistory, SevenSlipsDoNotPage) {
  Harness h(1, Slips(SlipsOfFirst(7)));
  h.ClickRow(1);
  h.view.ClickLabel("Label_Tenken_PageDown");
  h.view.Press(Key::PageUp);
  EXPECT_EQ(h.s().tenkenTop, 0);
  EXPECT_EQ(h.s().tenkenRow, -1);
  EXPECT_EQ(h.s().currentTenkenNo, 8);
}

TEST(InspectionHistory, EightSlipsPageToTheLastRowAndBackToTheFirst) {
  Harness h(1, Slips(SlipsOfFirst(8)));
  h.ClickRow(1);
  h.view.Press(Key::PageDown);  // the key pages in any field of the screen
  EXPECT_EQ(h.s().tenkenTop, 1);
  EXPECT_EQ(ChosenRow(h.view), 7);
  EXPECT_EQ(h.s().currentTenkenNo, 1);  // entry 8 is the oldest stored
  EXPECT_EQ(h.view.Text("Label_TenkenDenpChoose_Line"), "8");
  EXPECT_EQ(h.view.Trimmed("Edit_Panel_Tenken_Day"), "1");
  EXPECT_EQ(Row(h.view, "Day", 7), " 1");
  h.view.ClickLabel("Label_Tenken_PageDown");  // already at the end
  EXPECT_EQ(h.s().tenkenTop, 1);

  h.view.ClickLabel("Label_Tenken_PageUp");
  EXPECT_EQ(h.s().tenkenTop, 0);
  EXPECT_EQ(ChosenRow(h.view), 1);
  EXPECT_EQ(h.s().currentTenkenNo, 8);
  EXPECT_EQ(h.view.Text("Label_TenkenDenpChoose_Line"), "1");
}

TEST(InspectionHistory, TwentySlipsPageBySevenKeepingTheRow) {
  Harness h(1, Slips(SlipsOfFirst(20)));
  h.ClickRow(1);
  // No row chosen yet: the new page's first row becomes the slip shown.
  h.view.Press(Key::PageDown);
  EXPECT_EQ(h.s().tenkenTop, 7);
  EXPECT_EQ(ChosenRow(h.view), 1);
  EXPECT_EQ(h.s().currentTenkenNo, 13);
  ClickHistory(h, "Gaikan", 3);
  EXPECT_EQ(h.s().currentTenkenNo, 11);
  h.view.Press(Key::PageDown);  // 14 would pass the end: the last seven, last row
  EXPECT_EQ(h.s().tenkenTop, 13);
  EXPECT_EQ(ChosenRow(h.view), 7);
  EXPECT_EQ(h.s().currentTenkenNo, 1);
  h.view.Press(Key::PageUp);
  EXPECT_EQ(h.s().tenkenTop, 6);
  EXPECT_EQ(ChosenRow(h.view), 7);
  EXPECT_EQ(h.s().currentTenkenNo, 8);
  EXPECT_EQ(h.view.Text("Label_TenkenDenpChoose_Line"), "13");
  h.view.Press(Key::PageUp);
  EXPECT_EQ(h.s().tenkenTop, 0);
  EXPECT_EQ(ChosenRow(h.view), 1);
  EXPECT_EQ(h.s().currentTenkenNo, 20);
}

TEST(InspectionHistory, MoreThanTheLimitKeepsTheNewest) {
  const std::vector<SlipSeed> slips = SlipsOfFirst(kTenkenRirekiMax + 5);
  Harness h(1, Slips(slips));
  h.ClickRow(1);
  ASSERT_EQ(h.s().tenkenRireki.size(), static_cast<std::size_t>(kTenkenRirekiMax));
  EXPECT_EQ(h.s().tenkenRireki.front(), kTenkenRirekiMax + 5);
  EXPECT_EQ(h.s().tenkenRireki.back(), 6);
  EXPECT_EQ(h.view.Text("Label_TenkenDenpDs"), "2000");
}

TEST(InspectionHistory, YearsShownByTheEraOfTheirDate) {
  Harness h(1, {2020, 2, 1},
            Slips({{"C0001", 1988, 5, 5},
                   {"C0001", 2022, 5, 5},  // beyond next year
                   {"C0001", 2018, 6, 1},
                   {"C0001", 2019, 4, 30},
                   {"C0001", 2019, 5, 1}}));
  h.ClickRow(1);
  EXPECT_EQ(Row(h.view, "Year", 1), " 1");  // 令和1年5月1日, right-aligned
  // The day before is Heisei; beyond next year is blank.
  ExpectRows(h.view, {{"Year", 2, "H31"}, {"Year", 3, "H30"}, {"Year", 4, ""}, {"Year", 5, "S63"}});
}

TEST(InspectionHistory, ReadingsOutsideTheCriteriaAreMarked) {
  Harness h(0, [](const std::filesystem::path& dir) {
    Record gappei(KokyakuLayout());
    gappei.Set(Kokyaku::Kana, "0001");
    gappei.Set(Kokyaku::Name, "GAPPEI");
    gappei.SetFlagAt(Kokyaku::Gappei, 0, true);
    Record tandoku(KokyakuLayout());
    tandoku.Set(Kokyaku::Kana, "0002");
    tandoku.Set(Kokyaku::Name, "TANDOKU");
    tandoku.SetFlagAt(Kokyaku::Tandoku, 0, true);
    SeedFile("Kokyaku.120", {Image(gappei), Image(tandoku)})(dir);
    Slips({{"GAPPEI", 2012, 1, 1, "5.7", "15"},
           {"GAPPEI", 2012, 1, 2, "8.6", "20"},
           {"TANDOKU", 2012, 1, 1, "8.7", "15"},
           {"TANDOKU", 2012, 1, 2, "-", "6"}})(dir);
  });
  h.ClickRow(1);  // GAPPEI: row 1 is record 2
  for (const char* c : {"Label_Tenken_Ph_01", "Label_Tenken_Tousido_01"}) {
    EXPECT_FALSE(h.view.Alerted(c)) << c;
  }
  for (const char* c : {"Label_Tenken_Ph_02", "Label_Tenken_Tousido_02"}) {
    EXPECT_TRUE(h.view.Alerted(c)) << c;
  }
  ClickHistory(h, "Ph", 2);
  EXPECT_TRUE(h.view.Alerted("Edit_Panel_Tenken_Ph"));
  EXPECT_TRUE(h.view.Alerted("Edit_Panel_Tenken_Tousido"));

  h.ClickRow(2);  // TANDOKU: 15 is clear enough for a stand-alone tank
  EXPECT_FALSE(h.view.Alerted("Edit_Panel_Tenken_Ph"));  // a new slip has no readings
  EXPECT_FALSE(h.view.Alerted("Label_Tenken_Ph_01"));    // "-" is no number
  EXPECT_TRUE(h.view.Alerted("Label_Tenken_Tousido_01"));
  EXPECT_TRUE(h.view.Alerted("Label_Tenken_Ph_02"));
  EXPECT_FALSE(h.view.Alerted("Label_Tenken_Tousido_02"));
  // Typed readings are marked as soon as they are committed.
  h.view.Type("Edit_Panel_Tenken_Tousido", "5");
  h.view.Press(Key::Enter);
  EXPECT_TRUE(h.view.Alerted("Edit_Panel_Tenken_Tousido"));
}

TEST(InspectionHistory, ReadingLimits) {
  EXPECT_FALSE(PhOutOfRange(" 5.8"));
  EXPECT_TRUE(PhOutOfRange("5.79"));
  EXPECT_TRUE(PhOutOfRange("  9"));
  EXPECT_FALSE(PhOutOfRange("   "));
  EXPECT_FALSE(PhOutOfRange("7.."));
  EXPECT_FALSE(TousidoLow("19", TankKind::Unknown));
  EXPECT_TRUE(TousidoLow("19", TankKind::Gappei));
  EXPECT_FALSE(TousidoLow(" 7", TankKind::Tandoku));
  EXPECT_TRUE(TousidoLow(" 6", TankKind::Tandoku));
  EXPECT_FALSE(TousidoLow(Sj("無"), TankKind::Gappei));
}

// Files written elsewhere may carry another byte than "1" in the flag; like
// the customer file, only "1" deletes.
TEST(InspectionHistory, AForeignFlagByteIsNoDelete) {
  Harness h(1, [](const std::filesystem::path& dir) {
    Slips({{"C0001", 2012, 3, 5}, {"C0001", 2012, 4, 5}})(dir);
    PokeByte(dir / "TenkenDenp.120", 200, 'X');
  });
  h.ClickRow(1);
  EXPECT_EQ(h.s().tenkenRireki, (std::vector<int>{2, 1}));
}

}  // namespace
}  // namespace tankora::testing
