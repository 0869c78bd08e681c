// Table entries two reports share: the inspection monthly report and the
// per-customer inspection list have the same page apart from their title, the
// first column and its half-row separator; the contract monthly report and the
// contract end report share their header's company block.
#pragma once

#include "print/report_layout.h"

namespace tankora::print::blocks {

using enum FontFace;
using enum Slot;
using enum Cell;

inline constexpr HeaderText kInspectionHeader[] = {
    {DateText, Gothic, 12, 213, 10},
    {PageText, Gothic, 12, 10, 49},
    {Caption, Gothic, 12, 160, 30, "保守点検業者"},
    {Caption, Gothic, 12, 190, 23, "住所"},
    {Address, Mincho, 12, 200, 23},
    {KaisyaName, Mincho, 14, 200, 31},
    {Caption, Gothic, 12, 190, 39, "氏名"},
    {CompanyName, Mincho, 12, 200, 39},
    {Caption, Gothic, 12, 190, 47, " TEL"},
    {Tel, Mincho, 12, 200, 47},
    {Caption, Gothic, 12, 53, 61, "管理者氏名"},
    {Caption, Gothic, 12, 80, 61, "型式"},
    {Caption, Gothic, 12, 98, 61, "人槽"},
    {Caption, Gothic, 12, 113, 57, "保守点検時における"},
    {Caption, Gothic, 12, 113, 63, "異常箇所及び処置状況"},
    {Caption, Gothic, 12, 195, 55, "放流水の状況"},
    {Caption, Gothic, 12, 164, 63, "外観"},
    {Caption, Gothic, 12, 181, 63, "臭気"},
    {Caption, Gothic, 12, 196, 63, "ＰＨ"},
    {Caption, Gothic, 12, 209, 63, "透視度"},
    {Caption, Gothic, 12, 224, 63, "亜硝酸"},
    {Caption, Gothic, 12, 241, 63, "残塩"},
    {Caption, Gothic, 12, 254, 61, "塩化物"},
    {Caption, Gothic, 12, 254, 65, "イオン"},
};

// Row cells right of the first column; each stays left of the next rule.
inline constexpr RowCell kInspectionRow[] = {
    {Kanrisya, 53, 73, 75},   {Model1, 78, 71, 95},     {Model2, 78, 76, 95},
    {Persons, 96, 73, 109},   {Remark1, 110, 71, 159},  {Remark2, 110, 76, 159},
    {Gaikan, 160, 73, 178},   {Syuuki, 179, 73, 193},   {Ph, 194, 73, 208},
    {Tousido, 209, 73, 223},  {Asyousan, 224, 73, 238}, {Zanen, 239, 73, 253},
    {Ion, 254, 73, 268},
};

inline constexpr Rule kInspectionGrid[] = {
    {10, 32, 85, 32},  // underline of the addressee or customer
    {0, 55, 268, 55},  // heading rule
    {0, 70, 268, 70, 0, 10, 12},
    {51, 55, 51, 190},
    {75, 55, 75, 190},
    {95, 55, 95, 190},
    {109, 55, 109, 190},
    {159, 55, 159, 190},
    {178, 60, 178, 190, 15, 0, 6},  // the six reading columns, 15 mm apart
    {159, 60, 268, 60},             // under 放流水の状況
    {75, 75, 95, 75, 0, 10, 12, PenStyle::Dotted},
    {109, 75, 159, 75, 0, 10, 12, PenStyle::Dotted},
};

inline constexpr HeaderText kContractHeader[] = {
    {DateText, Gothic, 12, 130, 40},
    {Teisyutusaki, Mincho, 16, 20, 60},
    {PageText, Gothic, 12, 10, 109},
    {Caption, Gothic, 12, 60, 90, "保守点検業者"},
    {Caption, Gothic, 12, 90, 80, "住所"},
    {Address, Mincho, 12, 105, 80},
    {KaisyaName, Mincho, 14, 105, 85},
    {Caption, Gothic, 12, 90, 93, "氏名"},
    {CompanyName, Mincho, 12, 105, 93},
    {Caption, Gothic, 12, 90, 100, " TEL"},
    {Tel, Mincho, 12, 105, 100},
};

// The header rule and the 14 ruled rows (12 of them receive entries).
inline constexpr Rule kContractGrid[] = {
    {0, 115, 180, 115},
    {0, 127, 180, 127, 0, 10, 14},
};

}  // namespace tankora::print::blocks
