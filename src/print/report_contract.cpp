// 浄化槽保守点検契約月報: the maintenance contracts concluded in a month, for
// submission; A4 portrait.
#include "print/report_blocks.h"
#include "print/reports.h"

namespace tankora::print {

namespace {

using namespace blocks;

constexpr HeaderText kHeader[] = {
    {Caption, Gothic, 18, 57, 8, "浄化槽保守点検契約月報"},
    {Caption, Gothic, 12, 4, 119, "契約年月日"},
    {Caption, Gothic, 12, 48, 119, "設置場所"},
    {Caption, Gothic, 12, 87, 119, "管理者氏名"},
    {Caption, Gothic, 12, 116, 119, "型式"},
    {Caption, Gothic, 12, 134, 119, "容量"},
    {Caption, Gothic, 12, 155, 119, "契約期間"},
};

// The contractor stands under its caption, right of the rule at 85 (at 80 it
// began in the installation-place column and ran across that rule), and the
// model 1 mm right of its rule at 110 rather than on it.
constexpr RowCell kRow[] = {
    {ContractDate, 2, 130, 28},  {Place1, 30, 128, 85},        {Place2, 30, 132, 85},
    {KanriGyousya, 87, 130, 110}, {Model1, 111, 128, 130},     {Model2, 111, 132, 130},
    {Persons, 135, 130, 147},    {PeriodStart, 150, 128, 180}, {PeriodEnd, 160, 132, 180},
};

constexpr Rule kGrid[] = {
    {28, 115, 28, 268},   {85, 115, 85, 268},   {110, 115, 110, 268},
    {130, 115, 130, 268}, {147, 115, 147, 268},
};

}  // namespace

const ReportLayout& ContractLayout() {
  static constexpr ReportLayout kLayout{Orientation::Portrait, 12, 10,
                                        {kHeader, kContractHeader}, {kRow}, 180, 268,
                                        {kContractGrid, kGrid}};
  return kLayout;
}

}  // namespace tankora::print
