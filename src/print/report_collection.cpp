// 浄化槽保守点検集金予定: the customers with a collection due in a month and the
// amount to collect; its 集金年月日 column is left for the collector. A4 portrait.
#include "print/reports.h"

namespace tankora::print {

namespace {

using enum FontFace;
using enum Slot;
using enum Cell;

constexpr HeaderText kHeader[] = {
    {Caption, Gothic, 18, 57, 5, "浄化槽保守点検集金予定"},
    {DateText, Gothic, 11, 140, 14},
    {PageText, Gothic, 11, 4, 16},
    {Caption, Gothic, 12, 4, 25, "集金額"},
    {Caption, Gothic, 12, 19, 25, "集金年月日"},
    {Caption, Gothic, 12, 55, 25, "顧客名"},
    {Caption, Gothic, 12, 92, 25, "設置場所"},
    {Caption, Gothic, 12, 123, 25, "管理者氏名"},
    {Caption, Gothic, 12, 151, 25, "型式"},
    {Caption, Gothic, 12, 169, 25, "容量"},
};

constexpr RowCell kRow[] = {
    {Amount, 1, 33, 18},          {Name, 42, 35, 81},     {Place1, 82, 33, 121},
    {Place2, 82, 37, 121},        {KanriGyousya, 122, 35, 146}, {Model1, 147, 33, 165},
    {Model2, 147, 37, 165},       {Persons, 168, 35, 180},
};

// 24 ruled rows, of which the upper 12 receive entries.
constexpr Rule kGrid[] = {
    {0, 22, 180, 22},
    {0, 32, 180, 32, 0, 10, 24},
    {18, 22, 18, 273},
    {41, 22, 41, 273},
    {81, 22, 81, 273},
    {121, 22, 121, 273},
    {146, 22, 146, 273},
    {165, 22, 165, 273},
};

}  // namespace

const ReportLayout& CollectionLayout() {
  static constexpr ReportLayout kLayout{Orientation::Portrait, 12, 10, {kHeader}, {kRow},
                                        180, 273, {kGrid}};
  return kLayout;
}

}  // namespace tankora::print
