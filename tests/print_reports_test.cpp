// The six reports drawn on a recording canvas: header texts, rows and grid on
// pages 1 and 2 in millimetres, page counts, input checks, cuts at character
// boundaries and the long remark.
#include <gtest/gtest.h>

#include <cstdio>

#include "print/reports.h"
#include "recording_canvas.h"
#include "util/cp932.h"

namespace tankora::testing {
namespace {

using print::FontFace;
using print::PenStyle;
using print::PointMm;
using print::ReportKind;

std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8).value(); }

std::string Format(const char* format, int n) {
  char text[128];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

// Row i (from 1) of every test report: its customer and slip tell the rows
// apart by name, place and administrator.
print::RowSource Row(int i) {
  Record customer(KokyakuLayout());
  customer.Clear();
  customer.Set(Kokyaku::Name, Sj(Format("顧客%02d", i)));
  customer.Set(Kokyaku::SettiAddress, Sj(Format("前橋市上細井町%02d番地の1", i)));
  customer.Set(Kokyaku::KindKatasiki, "CRX-5");
  customer.Set(Kokyaku::KanriGyousya, Sj("前橋浄化"));
  customer.Set(Kokyaku::Ninsou, "5");
  customer.Set(Kokyaku::KeiyakuYear, "2018");
  customer.Set(Kokyaku::KeiyakuMonth, "2");
  customer.Set(Kokyaku::KeiyakuDay, "11");
  customer.Set(Kokyaku::KeiyakuStartYear, "2019");
  customer.Set(Kokyaku::KeiyakuStartMonth, "6");
  customer.Set(Kokyaku::KeiyakuStartDay, "1");
  customer.Set(Kokyaku::KeiyakuEndYear, "2026");
  customer.Set(Kokyaku::KeiyakuEndMonth, "11");
  customer.Set(Kokyaku::KeiyakuEndDay, "30");
  customer.Set(Kokyaku::Syukinngaku11, Format("%d", 5000 + i));
  Record slip(TenkenDenpLayout());
  slip.Clear();
  slip.Set(TenkenDenp::KokyakuName, Sj("顧客01"));
  slip.Set(TenkenDenp::Year, "2012");
  slip.Set(TenkenDenp::Month, "5");
  slip.Set(TenkenDenp::Day, "10");
  slip.Set(TenkenDenp::Gaikan, Sj("良好"));
  slip.Set(TenkenDenp::Ph, "7.2");
  slip.Set(TenkenDenp::Ion, "45");
  slip.Set(TenkenDenp::Kanrisya, Sj(Format("佐藤%02d", i)));
  slip.Set(TenkenDenp::Bikou, Sj("ブロワ点検。"));
  return {slip, customer};
}

class ReportsTest : public ::testing::Test {
 protected:
  EraCalendar eras{Date{2026, 12, 8}};

  print::ReportRequest Request(ReportKind kind) const {
    print::ReportRequest r;
    r.kind = kind;
    r.dateYear = "2026";
    r.dateMonth = "12";
    r.dateDay = " 8";
    r.year = "8";
    r.month = "11";
    r.name = Sj("顧客01");
    r.topMargin = " 3";
    r.leftMargin = " 5";
    r.company = {Sj("前橋市長 様"), Sj("前橋市本町2-12-1"), Sj("㈱上毛浄化センター"),
                 Sj("髙山 誠"), "027-000-0000"};
    return r;
  }

  // Draws `entries` rows of the report; returns the canvas.
  RecordingCanvas Draw(const print::ReportRequest& request, int entries,
                       print::RowSource (*row)(int) = Row) const {
    const print::InputCheck check = print::CheckInput(request, eras);
    EXPECT_TRUE(check.input) << check.refusal;
    print::ReportRun run = print::RunFrame(request, check.input.value_or(print::CheckedInput{}), eras);
    for (int i = 1; i <= entries; ++i) run.rows.push_back(row(i));
    RecordingCanvas canvas;
    EXPECT_EQ(print::DrawReport(run, eras, canvas), print::PageCount(run));
    return canvas;
  }
};

// Positions in the tables are from the report origin: on paper they lie
// 10 + 5 mm right and 2 + 3 mm down with the margins of Request().
PointMm At(double x, double y) { return {x + 15, y + 5}; }

void ExpectText(const RecordingCanvas& canvas, int page, const std::string& text, FontFace face,
                double points, PointMm at, const std::string& what) {
  const auto found = canvas.Find(page, text);
  ASSERT_EQ(found.size(), 1u) << what << " page " << page << ": " << text;
  EXPECT_EQ(found[0].face, face) << what << ": " << text;
  EXPECT_EQ(found[0].points, points) << what << ": " << text;
  EXPECT_EQ(found[0].at, at) << what << ": " << text;
}

struct HeaderCase {
  ReportKind kind;
  const char* page1;  // the text on page 1 (UTF-8)
  const char* page2;  // on page 2, when it differs
  FontFace face;
  int points;
  int x, y;
};

TEST_F(ReportsTest, HeaderTextsStandOnEveryPage) {
  using enum ReportKind;
  using enum FontFace;
  const HeaderCase cases[] = {
      {Monthly, "浄化槽保守点検月報", nullptr, Gothic, 18, 100, 5},
      {Monthly, "令和  8年 12月  8日", nullptr, Gothic, 12, 213, 10},
      {Monthly, "令和  8年 11月分   1頁/全 2頁", "令和  8年 11月分   2頁/全 2頁", Gothic, 12, 10, 49},
      {Monthly, "前橋市長 様", nullptr, Mincho, 16, 10, 25},
      {Monthly, "㈱上毛浄化センター", nullptr, Mincho, 14, 200, 31},
      {Monthly, "設置場所", nullptr, Gothic, 12, 17, 61},
      {Monthly, "イオン", nullptr, Gothic, 12, 254, 65},
      {Customer, "顧客別浄化槽保守点検一覧", nullptr, Gothic, 18, 90, 5},
      {Customer, "顧客01", nullptr, Mincho, 16, 10, 25},
      {Customer, "令和  8年分        1頁/全 2頁", "令和  8年分        2頁/全 2頁", Gothic, 12, 10,
       49},
      {Customer, "点検実施日", nullptr, Gothic, 12, 15, 61},
      {Customer, " TEL", nullptr, Gothic, 12, 190, 47},
      {Schedule, "浄化槽保守点検実施予定", nullptr, Gothic, 18, 57, 5},
      {Schedule, "令和  8年 12月  8日", nullptr, Gothic, 11, 140, 14},
      {Schedule, "11月分        1頁/全 2頁", "11月分        2頁/全 2頁", Gothic, 11, 4, 16},
      {Schedule, "チェック", nullptr, Gothic, 12, 1, 25},
      {Contract, "浄化槽保守点検契約月報", nullptr, Gothic, 18, 57, 8},
      {Contract, "令和  8年 12月  8日", nullptr, Gothic, 12, 130, 40},
      {Contract, "令和  8年 11月分   1頁/全 2頁", "令和  8年 11月分   2頁/全 2頁", Gothic, 12, 10, 109},
      {Contract, "前橋市長 様", nullptr, Mincho, 16, 20, 60},
      {Contract, "契約期間", nullptr, Gothic, 12, 155, 119},
      {ContractEnd, "浄化槽保守点検契約終了月報", nullptr, Gothic, 18, 50, 8},
      {ContractEnd, "髙山 誠", nullptr, Mincho, 12, 105, 93},
      {ContractEnd, "終了年月日", nullptr, Gothic, 12, 4, 119},
      {ContractEnd, "顧客名", nullptr, Gothic, 12, 44, 119},
      {Collection, "浄化槽保守点検集金予定", nullptr, Gothic, 18, 57, 5},
      {Collection, "11月分   1頁/全 2頁", "11月分   2頁/全 2頁", Gothic, 11, 4, 16},
      {Collection, "集金年月日", nullptr, Gothic, 12, 19, 25},
  };
  for (const HeaderCase& c : cases) {
    const auto rows = print::LayoutOf(c.kind).rowsPerPage;
    const RecordingCanvas canvas = Draw(Request(c.kind), rows + 1);
    const std::string what(print::CommandName(c.kind));
    ExpectText(canvas, 1, c.page1, c.face, c.points, At(c.x, c.y), what);
    ExpectText(canvas, 2, c.page2 ? c.page2 : c.page1, c.face, c.points, At(c.x, c.y), what);
  }
}

struct RowCase {
  ReportKind kind;
  const char* format;  // the text of row i (UTF-8, %02d for i)
  int x, y;            // of the first row
  double points = 11;
};

// Rows 1 and 2 on page 1 and the first row of page 2, 10 mm apart.
TEST_F(ReportsTest, RowsStandAtTheirCellsOnBothPages) {
  using enum ReportKind;
  const RowCase cases[] = {
      {Monthly, "前橋市上細井町%02d番地", 2, 71},
      {Monthly, "の1", 10, 76},
      {Monthly, "佐藤%02d", 53, 73},
      {Monthly, "CRX-5", 78, 71},
      {Monthly, "  5人", 96, 73},
      {Monthly, "ブロワ点検。", 110, 71},
      {Monthly, "良好", 160, 73},
      {Monthly, "7.2", 194, 73},
      {Monthly, " 45", 254, 73},
      {Customer, "H24年 5月10日", 17, 73},
      {Customer, "佐藤%02d", 53, 73},
      {Schedule, "H30- 2-11", 22, 35},
      {Schedule, "顧客%02d", 42, 35},
      {Schedule, "前橋市上細井町%02d番地", 82, 33},
      {Schedule, "前橋浄化", 122, 35},
      {Schedule, "  5人", 168, 35},
      {Contract, "H30年 2月11日", 2, 130},
      {Contract, "前橋市上細井町%02d番地", 30, 128},
      {Contract, "前橋浄化", 87, 130},
      {Contract, "CRX-5", 111, 128},
      {Contract, " 1. 6. 1～", 150, 128},
      {Contract, " 8.11.30", 160, 132},
      {ContractEnd, " 8年11月30日", 2, 130},
      {ContractEnd, "顧客%02d", 30, 130},
      {ContractEnd, "前橋市上細井町%02d番地", 76, 128},
      {Collection, "    50%02d", 1, 33},
      {Collection, "顧客%02d", 42, 35},
      {Collection, "  5人", 168, 35},
  };
  for (const RowCase& c : cases) {
    const int rows = print::LayoutOf(c.kind).rowsPerPage;
    const RecordingCanvas canvas = Draw(Request(c.kind), rows + 1);
    const std::string what(print::CommandName(c.kind));
    const bool numbered = std::string_view(c.format).find('%') != std::string_view::npos;
    for (const int i : {1, 2, rows + 1}) {
      const int page = (i - 1) / rows + 1;
      const int r = (i - 1) % rows;
      const std::string text = numbered ? Format(c.format, i) : c.format;
      const auto found = canvas.Find(page, text);
      ASSERT_EQ(found.size(), numbered ? 1u : static_cast<std::size_t>(page == 1 ? rows : 1))
          << what << " " << text;
      bool at = false;
      for (const DrawnText& t : found) {
        at = at || (t.at == At(c.x, c.y + 10 * r) && t.face == FontFace::Mincho &&
                    t.points == c.points);
      }
      EXPECT_TRUE(at) << what << " row " << i << ": " << text;
    }
  }
}

struct LineCase {
  ReportKind kind;
  int x0, y0, x1, y1;
  int width;
  PenStyle style;
};

TEST_F(ReportsTest, GridIsRuledOnEveryPage) {
  using enum ReportKind;
  const LineCase cases[] = {
      {Monthly, 100, 13, 158, 13, 3, PenStyle::Solid},
      {Monthly, 0, 70, 268, 70, 3, PenStyle::Solid},
      {Monthly, 0, 180, 268, 180, 3, PenStyle::Solid},  // the last of the 12 row rules
      {Monthly, 51, 55, 51, 190, 3, PenStyle::Solid},
      {Monthly, 253, 60, 253, 190, 3, PenStyle::Solid},
      {Monthly, 0, 75, 51, 75, 1, PenStyle::Dotted},
      {Monthly, 109, 185, 159, 185, 1, PenStyle::Dotted},
      {Customer, 90, 13, 168, 13, 3, PenStyle::Solid},
      {Customer, 213, 16, 253, 16, 3, PenStyle::Solid},
      {Customer, 75, 75, 95, 75, 1, PenStyle::Dotted},
      {Schedule, 0, 22, 180, 22, 3, PenStyle::Solid},
      {Schedule, 0, 262, 180, 262, 3, PenStyle::Solid},
      {Schedule, 165, 22, 165, 273, 3, PenStyle::Solid},
      {Contract, 0, 257, 180, 257, 3, PenStyle::Solid},  // the 14th ruled row
      {Contract, 147, 115, 147, 268, 3, PenStyle::Solid},
      {ContractEnd, 163, 115, 163, 268, 3, PenStyle::Solid},
      {Collection, 18, 22, 18, 273, 3, PenStyle::Solid},
      {Collection, 0, 262, 180, 262, 3, PenStyle::Solid},
  };
  for (const LineCase& c : cases) {
    const RecordingCanvas canvas = Draw(Request(c.kind), print::LayoutOf(c.kind).rowsPerPage + 1);
    for (const int page : {1, 2}) {
      const auto found = canvas.FindLine(page, At(c.x0, c.y0), At(c.x1, c.y1));
      ASSERT_EQ(found.size(), 1u) << print::CommandName(c.kind) << " page " << page << " ("
                                  << c.x0 << "," << c.y0 << ")-(" << c.x1 << "," << c.y1 << ")";
      EXPECT_EQ(found[0].width, c.width);
      EXPECT_EQ(found[0].style, c.style);
    }
  }
  // The customer list's date column has no half-row separator.
  EXPECT_TRUE(Draw(Request(Customer), 1).FindLine(1, At(0, 75), At(51, 75)).empty());
}

TEST_F(ReportsTest, FrameIsOneClosedBoxPerPage) {
  for (const ReportKind kind : print::kReportKinds) {
    const print::ReportLayout& layout = print::LayoutOf(kind);
    const RecordingCanvas canvas = Draw(Request(kind), layout.rowsPerPage + 1);
    const std::vector<PointMm> box{At(0, 3), At(0, layout.frameBottom),
                                   At(layout.frameRight, layout.frameBottom),
                                   At(layout.frameRight, 3), At(0, 3)};
    for (const int page : {1, 2}) {
      int boxes = 0;
      for (const DrawnLine& l : canvas.lines) boxes += l.page == page && l.points == box;
      EXPECT_EQ(boxes, 1) << print::CommandName(kind) << " page " << page;
    }
  }
}

struct PageCountCase {
  ReportKind kind;
  int entries;
  int pages;
};

// A run that fills its last page exactly ends there: no page with only a grid.
TEST_F(ReportsTest, PageCounts) {
  using enum ReportKind;
  const PageCountCase cases[] = {
      {Monthly, 1, 1},   {Monthly, 12, 1},  {Monthly, 13, 2},    {Monthly, 24, 2},
      {Customer, 13, 2}, {Schedule, 24, 1}, {Schedule, 25, 2},   {Contract, 12, 1},
      {Contract, 13, 2}, {ContractEnd, 36, 3}, {Collection, 25, 3},
  };
  for (const PageCountCase& c : cases) {
    const RecordingCanvas canvas = Draw(Request(c.kind), c.entries);
    const std::string what =
        std::string(print::CommandName(c.kind)) + " " + std::to_string(c.entries);
    EXPECT_EQ(canvas.Pages(), c.pages) << what;
    const int rows = print::LayoutOf(c.kind).rowsPerPage;
    for (int page = 1; page <= c.pages; ++page) {
      int onPage = 0;
      onPage = static_cast<int>(canvas.Find(page, "前橋浄化").size());
      const int expected = page < c.pages ? rows : c.entries - rows * (c.pages - 1);
      if (c.kind != Monthly && c.kind != Customer) {
        EXPECT_EQ(onPage, expected) << what;
      }
      int boxes = 0;
      for (const DrawnLine& l : canvas.lines) boxes += l.page == page && l.points.size() == 5;
      EXPECT_EQ(boxes, 1) << what << " page " << page;
    }
  }
}

TEST_F(ReportsTest, PageNumbersOfAHundredAndMoreAreWrittenWhole) {
  print::ReportRequest request = Request(ReportKind::Schedule);
  const print::CheckedInput input{0, 11};
  EXPECT_EQ(Cp932ToUtf8(print::PageTextOf(request, input, eras, 9, 120)),
            "11月分        9頁/全120頁");
  EXPECT_EQ(Cp932ToUtf8(print::PageTextOf(request, input, eras, 100, 120)),
            "11月分       100頁/全120頁");
  request.kind = ReportKind::Monthly;
  EXPECT_EQ(Cp932ToUtf8(print::PageTextOf(request, {2026, 11}, eras, 100, 100)),
            "令和  8年 11月分  100頁/全100頁");
}

struct InputCase {
  ReportKind kind;
  const char* year;
  const char* month;
  const char* refusal;  // the start of the reason (UTF-8), nullptr when accepted
  int westernYear = 0;
};

TEST_F(ReportsTest, InputChecks) {
  using enum ReportKind;
  const InputCase cases[] = {
      {Monthly, "8", "11", nullptr, 2026},
      {Monthly, "R4", "1", nullptr, 2022},  // four years back
      {Monthly, "R3", "12", "年は令和4年から令和9年まで"},  // five back
      {Monthly, "H30", "5", "年は令和4年から令和9年まで"},
      {Monthly, "9", "12", nullptr, 2027},
      {Monthly, "10", "1", "年を正しく入力"},
      {Monthly, "", "1", "年を正しく入力"},
      {Monthly, "8", "13", "月は1から12まで"},
      {Monthly, "8", "0", "月は1から12まで"},
      {Monthly, "8", "", "月は1から12まで"},
      {Contract, "8", "13", "月は1から12まで"},
      {ContractEnd, "R3", "4", "年は令和4年"},
      {Schedule, "", "12", nullptr},
      {Schedule, "", "13", "月は1から12まで"},
      {Collection, "", "0", "月は1から12まで"},
      {Collection, "", "1", nullptr},
      {Customer, "R3", "", "年は令和4年"},
  };
  for (const InputCase& c : cases) {
    print::ReportRequest request = Request(c.kind);
    request.year = c.year;
    request.month = c.month;
    const print::InputCheck check = print::CheckInput(request, eras);
    const std::string what = std::string(print::CommandName(c.kind)) + " " + c.year + "/" + c.month;
    if (c.refusal) {
      EXPECT_FALSE(check.input) << what;
      EXPECT_TRUE(check.refusal.starts_with(c.refusal)) << what << ": " << check.refusal;
    } else {
      ASSERT_TRUE(check.input) << what << ": " << check.refusal;
      EXPECT_EQ(check.input->westernYear, c.westernYear) << what;
    }
  }
  // The per-customer list checks the date line's month and wants a name.
  print::ReportRequest customer = Request(ReportKind::Customer);
  customer.dateMonth = "13";
  EXPECT_EQ(print::CheckInput(customer, eras).refusal, "日付の月は1から12までです");
  customer = Request(ReportKind::Customer);
  customer.name = "    ";
  EXPECT_EQ(print::CheckInput(customer, eras).refusal, "顧客名を入力してください");
  // Last year's December is accepted in January.
  const EraCalendar january{Date{2027, 1, 10}};
  EXPECT_TRUE(print::CheckInput(Request(ReportKind::Monthly), january).input);
  print::ReportRequest december = Request(ReportKind::Monthly);
  december.month = "12";
  EXPECT_EQ(print::CheckInput(december, january).input->westernYear, 2026);
}

struct SplitCase {
  const char* field;  // UTF-8
  std::size_t width;
  const char* first;
  const char* second;
};

// A double-byte character is never split: one that would straddle the cut
// begins the second line.
TEST(ReportCells, TwoLinesAreCutAtCharacterBoundaries) {
  const SplitCase cases[] = {
      {"前橋市上細井町100番地の0 東側駐車場", 20, "前橋市上細井町100番 ", "地の0 東側駐車場    "},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 20, "ABCDEFGHIJKLMNOPQRST", "UVWXYZ              "},
      {"CRX-10型", 8, "CRX-10型", "        "},
      {"ABCDEFG型式X", 8, "ABCDEFG ", "型式X   "},
      {"A型型型型型型型型型型", 8, "A型型型 ", "型型型型"},
      {"", 8, "        ", "        "},
  };
  for (const SplitCase& c : cases) {
    const TwoLines lines = print::CellLines(Sj(c.field), c.width);
    EXPECT_EQ(Cp932ToUtf8(lines.first), c.first) << c.field;
    EXPECT_EQ(Cp932ToUtf8(lines.second), c.second) << c.field;
  }
}

struct RemarkCase {
  const char* bikou;
  const char* first;
  const char* second;
  double points;
};

// A remark of up to 40 bytes prints as two 20-byte lines at 11 point; a longer
// one prints whole, 32 bytes a line, at 8 point.
TEST_F(ReportsTest, RemarkPrintsWhole) {
  const RemarkCase cases[] = {
      {"ブロワ点検、スカム0cm。消毒剤補充。", "ブロワ点検、スカム0c", "m。消毒剤補充。     ", 11},
      {"１２３４５６７８９０１２３４５６７８９０", "１２３４５６７８９０", "１２３４５６７８９０", 11},
      {"１２３４５６７８９０１２３４５６７８９０１２３４５６７８９０１２",
       "１２３４５６７８９０１２３４５６", "７８９０１２３４５６７８９０１２", 8},
      {"A１２３４５６７８９０１２３４５６７８９０１２３４５６７８９０１２３４５６７８９０",
       "A１２３４５６７８９０１２３４５ ", "６７８９０１２３４５６７８９０１ ", 8},
  };
  for (const RemarkCase& c : cases) {
    print::RowSource row = Row(1);
    row.slip->Set(TenkenDenp::Bikou, Sj(c.bikou));
    const auto first = print::TextOfCell(print::Cell::Remark1, row, 0, eras);
    const auto second = print::TextOfCell(print::Cell::Remark2, row, 0, eras);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(Cp932ToUtf8(first->text), c.first) << c.bikou;
    EXPECT_EQ(Cp932ToUtf8(second->text), c.second) << c.bikou;
    EXPECT_EQ(first->points, c.points) << c.bikou;
    EXPECT_EQ(second->points, c.points) << c.bikou;
  }
}

// Columns that are left empty, and era letters before dates of earlier eras.
TEST_F(ReportsTest, CellsThatStayEmptyAndEraLetters) {
  print::RowSource row = Row(1);
  const auto text = [&](print::Cell cell, int month = 0) {
    const auto t = print::TextOfCell(cell, row, month, eras);
    return t ? Cp932ToUtf8(t->text) : std::string("(none)");
  };
  EXPECT_EQ(text(print::Cell::ContractDate), "H30年 2月11日");
  EXPECT_EQ(text(print::Cell::PeriodStart), " 1. 6. 1～");
  EXPECT_EQ(text(print::Cell::Amount, 11), "    5001");
  EXPECT_EQ(text(print::Cell::Amount, 3), "        ");
  // A contract ending years ahead keeps its year.
  row.customer->Set(Kokyaku::KeiyakuEndYear, "2031");
  EXPECT_EQ(text(print::Cell::PeriodEnd), "13.11.30");
  row.customer->Set(Kokyaku::KeiyakuEndYear, "2026");
  row.customer->Set(Kokyaku::Ninsou, "0");
  row.customer->Set(Kokyaku::KeiyakuYear, "2010");
  row.customer->Set(Kokyaku::KeiyakuStartYear, "");
  EXPECT_EQ(text(print::Cell::Persons), "(none)");
  EXPECT_EQ(text(print::Cell::ContractDate), "(none)");
  EXPECT_EQ(text(print::Cell::PeriodStart), "(none)");
  EXPECT_EQ(text(print::Cell::PeriodEnd), " 8.11.30");
  // A slip whose customer is not found keeps its own columns only.
  row.customer.reset();
  EXPECT_EQ(text(print::Cell::Place1), "(none)");
  EXPECT_EQ(text(print::Cell::Kanrisya), "佐藤01          ");
}

// A text wider than its cell is drawn smaller, so that it ends before the rule.
TEST_F(ReportsTest, WideTextsShrinkToTheirCell) {
  const auto row = [](int i) {
    print::RowSource r = Row(i);
    r.customer->Set(Kokyaku::KanriGyousya, Sj("前橋浄化槽管理センタ"));
    r.customer->Set(Kokyaku::KindKatasiki, "CRX-10AB");
    return r;
  };
  const RecordingCanvas canvas = Draw(Request(ReportKind::Schedule), 1, row);
  const auto contractor = canvas.Find(1, "前橋浄化槽管理センタ");
  ASSERT_EQ(contractor.size(), 1u);
  EXPECT_LT(contractor[0].points, 11);
  EXPECT_LE(contractor[0].at.x + 20 * contractor[0].points / 2 * print::kMmPerPoint,
            At(146, 0).x - print::kCellGapMm);
  EXPECT_EQ(contractor[0].at, At(122, 35));
  const RecordingCanvas end = Draw(Request(ReportKind::ContractEnd), 1, row);
  const auto model = end.Find(1, "CRX-10AB");
  ASSERT_EQ(model.size(), 1u);
  EXPECT_EQ(model[0].points, 10.5);
  const auto place = end.Find(1, "前橋市上細井町01番地");
  ASSERT_EQ(place.size(), 1u);
  EXPECT_EQ(place[0].points, 11);
}

}  // namespace
}  // namespace tankora::testing
