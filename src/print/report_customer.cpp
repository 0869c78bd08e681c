// 顧客別浄化槽保守点検一覧: every slip of one customer, on the monthly report's
// page with the inspection date in place of the installation place.
#include "print/report_blocks.h"
#include "print/reports.h"

namespace tankora::print {

namespace {

using namespace blocks;

constexpr HeaderText kHeader[] = {
    {Caption, Gothic, 18, 90, 5, "顧客別浄化槽保守点検一覧"},
    {SlipCustomer, Mincho, 16, 10, 25},
    {Caption, Gothic, 12, 15, 61, "点検実施日"},
};

// The date is one line: its column has no half-row separator.
constexpr RowCell kRow[] = {{SlipDate, 17, 73, 51}};

constexpr Rule kGrid[] = {
    {90, 13, 168, 13},   // title underline
    {213, 16, 253, 16},  // date underline
};

}  // namespace

const ReportLayout& CustomerLayout() {
  static constexpr ReportLayout kLayout{Orientation::Landscape, 12, 10,
                                        {kHeader, kInspectionHeader}, {kRow, kInspectionRow},
                                        268, 190, {kGrid, kInspectionGrid}};
  return kLayout;
}

}  // namespace tankora::print
