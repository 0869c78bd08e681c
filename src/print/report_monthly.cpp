// 浄化槽保守点検月報: the month's inspection slips for submission, A4 landscape.
#include "print/report_blocks.h"
#include "print/reports.h"

namespace tankora::print {

namespace {

using namespace blocks;

constexpr HeaderText kHeader[] = {
    {Caption, Gothic, 18, 100, 5, "浄化槽保守点検月報"},
    {Teisyutusaki, Mincho, 16, 10, 25},
    {Caption, Gothic, 12, 17, 61, "設置場所"},
};

constexpr RowCell kRow[] = {{Place1, 2, 71, 51}, {Place2, 10, 76, 51}};

constexpr Rule kGrid[] = {
    {100, 13, 158, 13},  // title underline
    {213, 16, 260, 16},  // date underline
    {0, 75, 51, 75, 0, 10, 12, PenStyle::Dotted},
};

}  // namespace

const ReportLayout& MonthlyLayout() {
  static constexpr ReportLayout kLayout{Orientation::Landscape, 12, 10,
                                        {kHeader, kInspectionHeader}, {kRow, kInspectionRow},
                                        268, 190, {kGrid, kInspectionGrid}};
  return kLayout;
}

}  // namespace tankora::print
