// 浄化槽保守点検契約終了月報: the contracts whose period ends in a month, with
// the contract monthly report's company header; A4 portrait.
#include "print/report_blocks.h"
#include "print/reports.h"

namespace tankora::print {

namespace {

using namespace blocks;

constexpr HeaderText kHeader[] = {
    {Caption, Gothic, 18, 50, 8, "浄化槽保守点検契約終了月報"},
    {Caption, Gothic, 12, 4, 119, "終了年月日"},
    {Caption, Gothic, 12, 44, 119, "顧客名"},
    {Caption, Gothic, 12, 88, 119, "設置場所"},
    {Caption, Gothic, 12, 122, 119, "管理者氏名"},
    {Caption, Gothic, 12, 150, 119, "型式"},
    {Caption, Gothic, 12, 168, 119, "容量"},
};

constexpr RowCell kRow[] = {
    {EndDate, 2, 130, 28},         {Name, 30, 130, 75},     {Place1, 76, 128, 120},
    {Place2, 76, 132, 120},        {KanriGyousya, 121, 130, 145}, {Model1, 148, 128, 163},
    {Model2, 148, 132, 163},       {Persons, 165, 130, 180},
};

constexpr Rule kGrid[] = {
    {28, 115, 28, 268},   {75, 115, 75, 268},   {120, 115, 120, 268},
    {145, 115, 145, 268}, {163, 115, 163, 268},
};

}  // namespace

const ReportLayout& ContractEndLayout() {
  static constexpr ReportLayout kLayout{Orientation::Portrait, 12, 10,
                                        {kHeader, kContractHeader}, {kRow}, 180, 268,
                                        {kContractGrid, kGrid}};
  return kLayout;
}

}  // namespace tankora::print
