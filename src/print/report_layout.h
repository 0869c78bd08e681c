// The description of one printed report as tables: its page, the texts of
// its page header, the cells of a row and the ruled grid. Every position is
// whole millimetres from the report's origin (10 mm right and 2 mm down from
// the drawing origin, plus the office's print-position adjustment). One file
// per report fills these tables; the page frame draws any of them.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "print/canvas.h"

namespace tankora::print {

// What a header text shows.
enum class Slot : std::uint8_t {
  Caption,       // the fixed text of the entry
  DateText,      // 平成 **年 **月 **日, the report date
  PageText,      // the report's page text ending in **頁/全**頁
  Teisyutusaki,  // the company profile's addressee
  Address,       // the maintenance company's address, name, person and telephone
  KaisyaName,
  CompanyName,
  Tel,
  SlipCustomer,  // the customer name of the page's first slip
};

struct HeaderText {
  Slot slot;
  FontFace face;
  std::uint8_t points;
  std::int16_t x;
  std::int16_t y;
  const char* caption = nullptr;  // UTF-8; only for Slot::Caption
};

// What a row cell shows. Texts that continue over two lines are cut at a
// character boundary, never inside a double-byte character.
enum class Cell : std::uint8_t {
  Place1,          // the customer's SettiAddress, bytes 1 to 20
  Place2,          // and the rest of its 40 bytes
  Model1,          // the customer's KindKatasiki, bytes 1 to 8
  Model2,          // and the next 8
  Persons,         // ***人 from Ninsou, nothing when 0
  Kanrisya,        // the slip's fields as stored
  Remark1,         // the slip's Bikou, bytes 1 to 20 (a longer one: smaller, 32 per line)
  Remark2,         // and the next line
  Gaikan,
  Syuuki,
  Ph,
  Tousido,
  Asyousan,
  Zanen,
  Ion,
  SlipDate,        // **年**月**日 of the slip
  ContractDate,    // **年**月**日 of KeiyakuYear/Month/Day, only after 2010
  ContractDash,    // **-**-** of the same, only after 2010
  PeriodStart,     // **.**.**～ of KeiyakuStart*, only after 2010
  PeriodEnd,       // **.**.** of KeiyakuEnd*, only after 2010
  EndDate,         // **年**月**日 of KeiyakuEnd*, only after 2010
  Name,            // the customer's Name
  KanriGyousya,    // the customer's KanriGyousya
  Amount,          // Syukinngaku of the report's month, 8 bytes as stored
};

struct RowCell {
  Cell cell;
  std::int16_t x;
  std::int16_t y;      // for the first row; each row lies rowPitch lower
  std::int16_t right;  // the column rule the text must stay left of
};

// A straight line, repeated `count` times, each (dx, dy) from the one before.
struct Rule {
  std::int16_t x0, y0, x1, y1;
  std::int16_t dx = 0, dy = 0;
  std::uint8_t count = 1;
  PenStyle style = PenStyle::Solid;
};

// Every row text is ＭＳ 明朝 11 point, unless it is too wide for its cell:
// then it is drawn just small enough to fit (never below kMinRowPoints).
inline constexpr double kRowPoints = 11;
inline constexpr double kMinRowPoints = 5;

// A table in two parts: the report's own entries and those it shares with
// its sibling report (the monthly report and the per-customer list, the two
// contract reports); either may be empty.
template <class T>
using Parts = std::array<std::span<const T>, 2>;

struct ReportLayout {
  Orientation orientation;
  int rowsPerPage;
  int rowPitch;  // millimetres from one row to the next
  Parts<HeaderText> header;
  Parts<RowCell> row;
  std::int16_t frameRight;  // the outer frame, from (0, 3) to here
  std::int16_t frameBottom;
  Parts<Rule> grid;  // drawn after the frame
};

}  // namespace tankora::print
