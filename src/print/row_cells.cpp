// What each row cell of the six reports shows, written once for all of them.
#include <cstdio>
#include <utility>

#include "print/page_frame.h"
#include "util/fixed_text.h"
#include "util/templates.h"

namespace tankora::print {

namespace {

// A remark longer than the two 20-byte lines is printed whole, in two lines
// of 32 bytes in a face small enough for the 50 mm cell (32 half-width
// characters of 8 point take 45 mm).
constexpr std::size_t kRemarkLine = 20;
constexpr std::size_t kLongRemarkLine = 32;
constexpr double kLongRemarkPoints = 8;

// Contract dates of 2010 and before are not printed: those fields were
// filled before the office kept its contracts here.
constexpr long kFirstContractYear = 2011;

// The slip fields printed as stored.
int SlipFieldOf(Cell cell) {
  static constexpr std::pair<Cell, int> kFields[] = {
      {Cell::Kanrisya, TenkenDenp::Kanrisya}, {Cell::Gaikan, TenkenDenp::Gaikan},
      {Cell::Syuuki, TenkenDenp::Syuuki},     {Cell::Ph, TenkenDenp::Ph},
      {Cell::Tousido, TenkenDenp::Tousido},   {Cell::Asyousan, TenkenDenp::Asyousan},
      {Cell::Zanen, TenkenDenp::Zanen},       {Cell::Ion, TenkenDenp::Ion}};
  for (const auto& [c, field] : kFields) {
    if (c == cell) return field;
  }
  return TenkenDenp::Reserve;
}

std::optional<CellText> Plain(std::string_view text) { return CellText{std::string(text)}; }

std::optional<CellText> DatedAfter2010(const EraCalendar& eras, RowDateStyle style,
                                        const Record& customer, int yearField) {
  const std::string_view year = customer.Get(yearField);
  if (ValueOf(year) < kFirstContractYear) return std::nullopt;
  return Plain(RowDate(eras, style, {year, customer.Get(yearField + 1), customer.Get(yearField + 2)}));
}

std::optional<CellText> Remark(const Record& slip, bool second) {
  const std::string_view bikou = slip.Get(TenkenDenp::Bikou);
  const std::size_t last = bikou.find_last_not_of(' ');
  if (last == std::string_view::npos || last < 2 * kRemarkLine) {
    const TwoLines lines = CellLines(bikou, kRemarkLine);
    return Plain(second ? lines.second : lines.first);
  }
  const TwoLines lines = CellLines(bikou, kLongRemarkLine);
  return CellText{second ? lines.second : lines.first, kLongRemarkPoints};
}

}  // namespace

std::optional<CellText> TextOfCell(Cell cell, const RowSource& row, int month,
                                   const EraCalendar& eras) {
  const Record* slip = row.slip ? &*row.slip : nullptr;
  const Record* customer = row.customer ? &*row.customer : nullptr;
  switch (cell) {
    case Cell::Kanrisya:
    case Cell::Gaikan:
    case Cell::Syuuki:
    case Cell::Ph:
    case Cell::Tousido:
    case Cell::Asyousan:
    case Cell::Zanen:
    case Cell::Ion:
      if (!slip) return std::nullopt;
      return Plain(slip->Get(SlipFieldOf(cell)));
    case Cell::Remark1:
    case Cell::Remark2:
      if (!slip) return std::nullopt;
      return Remark(*slip, cell == Cell::Remark2);
    case Cell::SlipDate:
      if (!slip) return std::nullopt;
      return Plain(RowDate(eras, RowDateStyle::Kanji,
                           {slip->Get(TenkenDenp::Year), slip->Get(TenkenDenp::Month),
                            slip->Get(TenkenDenp::Day)}));
    default:
      break;
  }

  if (!customer) return std::nullopt;
  switch (cell) {
    case Cell::Place1:
    case Cell::Place2: {
      const TwoLines lines = CellLines(customer->Get(Kokyaku::SettiAddress), 20);
      return Plain(cell == Cell::Place1 ? lines.first : lines.second);
    }
    case Cell::Model1:
    case Cell::Model2: {
      const TwoLines lines = CellLines(customer->Get(Kokyaku::KindKatasiki), 8);
      return Plain(cell == Cell::Model1 ? lines.first : lines.second);
    }
    case Cell::Persons: {
      const long persons = ValueOf(customer->Get(Kokyaku::Ninsou));
      if (persons == 0) return std::nullopt;
      char number[16];
      std::snprintf(number, sizeof number, "%3ld", persons);
      return Plain(FillTemplate(templates::kPersons, {number}));
    }
    case Cell::ContractDate:
      return DatedAfter2010(eras, RowDateStyle::Kanji, *customer, Kokyaku::KeiyakuYear);
    case Cell::ContractDash:
      return DatedAfter2010(eras, RowDateStyle::Dash, *customer, Kokyaku::KeiyakuYear);
    case Cell::PeriodStart:
      return DatedAfter2010(eras, RowDateStyle::From, *customer, Kokyaku::KeiyakuStartYear);
    case Cell::PeriodEnd:
      return DatedAfter2010(eras, RowDateStyle::Dot, *customer, Kokyaku::KeiyakuEndYear);
    case Cell::EndDate:
      return DatedAfter2010(eras, RowDateStyle::Kanji, *customer, Kokyaku::KeiyakuEndYear);
    case Cell::Name:
      return Plain(customer->Get(Kokyaku::Name));
    case Cell::KanriGyousya:
      return Plain(customer->Get(Kokyaku::KanriGyousya));
    case Cell::Amount:
      if (month < 1 || month > 12) return std::nullopt;
      return Plain(customer->Get(Kokyaku::Syukinngaku01 + month - 1));
    default:
      return std::nullopt;
  }
}

}  // namespace tankora::print
