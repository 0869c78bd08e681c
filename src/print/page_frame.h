// The page frame every report is drawn with: header on each page, one row per
// entry, the ruled grid when a page is full and after the last entry. The
// report's tables (report_layout.h) say what goes where; this says how a run
// walks its entries.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "print/canvas.h"
#include "print/report_layout.h"
#include "store/record_layout.h"
#include "util/era.h"
#include "util/fixed_text.h"

namespace tankora::print {

// The records one row is printed from. A slip whose customer cannot be found
// has no customer, and its customer columns stay empty.
struct RowSource {
  std::optional<Record> slip;
  std::optional<Record> customer;
};

// The company profile's fields as held when the print starts (CP932, as stored).
struct CompanyBlock {
  std::string teisyutusaki;
  std::string address;
  std::string kaisyaName;
  std::string name;
  std::string tel;
};

// The report origin: 10 mm from the left and 2 mm from the top of the drawing
// origin, before the office's adjustment.
inline constexpr int kOriginX = 10;
inline constexpr int kOriginY = 2;

struct ReportRun {
  const ReportLayout* layout = nullptr;
  int topMargin = 0;   // millimetres, the company profile's TopMargine
  int leftMargin = 0;  // millimetres, LeftMargine
  std::string dateText;
  // The page text of page `page` of `pages`.
  std::function<std::string(int page, int pages)> pageText;
  CompanyBlock company;
  int month = 0;  // the month whose amount a collection row shows
  std::vector<RowSource> rows;
};

int PageCount(const ReportRun& run);

// Draws the whole run, the first page already begun on the canvas; returns
// the number of pages drawn. A page is begun only for entries still to come,
// so a run that fills its last page exactly ends there.
int DrawReport(const ReportRun& run, const EraCalendar& eras, Canvas& canvas);

// What one cell of a row shows; nullopt when the cell stays empty.
struct CellText {
  std::string text;  // CP932, at its printed width (trailing blanks kept)
  double points = kRowPoints;
};
std::optional<CellText> TextOfCell(Cell cell, const RowSource& row, int month,
                                   const EraCalendar& eras);

// The size a row text is drawn at: `points`, or less when the text (without
// its trailing blanks) would not end clear of the rule
// `roomMm` to the right of where it starts; in half points, at least
// kMinRowPoints. IPA Gothic and Mincho set every half-width character at half
// the size and every full-width one at the whole size.
inline constexpr double kMmPerPoint = 25.4 / 72;
inline constexpr double kCellGapMm = 0.15;
double FitPoints(std::string_view text, double points, double roomMm);

// The first 2 × `width` bytes of a field as two lines of `width` bytes, cut at
// a character boundary: a double-byte character that would straddle the cut
// begins the second line, which may then take one byte more. Both are padded
// with blanks to `width`.
TwoLines CellLines(std::string_view field, std::size_t width);

// A page text template (ending in **頁/全**頁) whose two page-number runs are
// widened where a number needs more than two digits, so that page 100 of 120
// reads "100頁/全120頁" instead of being cut to "10".
std::string WidenPageRuns(std::string_view templ, int page, int pages);

}  // namespace tankora::print
