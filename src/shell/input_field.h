// The input framework's description of every input control, as tables.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tankora {

enum class Screen : std::uint8_t {
  Customer = 0,   // 顧客基本情報 (Panel_Kanri and its month panel)
  Slip = 1,       // 点検伝票登録 (Panel_Tenken)
  Ledger = 2,     // 浄化槽工事登録 (Panel_Kouji)
  TenkenList = 3, // 点検伝票一覧
  KeiyakuList = 4,// 浄化槽工事一覧
  Backup = 5,     // バックアップ
};

enum class FieldKind : std::uint8_t {
  Text,        // left-aligned, padded to the width
  Reading,     // slip readings: right-aligned, unchecked
  Amount,      // counts and amounts: right-aligned, blank when 0 or no number
  YearPart,    // era year on screen, Western year in the record
  MonthPart,   // 1..12
  DayPart,     // 1..31
  FlagBox,     // check box on a one-byte flag
  MonthBox,    // check box on byte month-1 of a twelve-month field
  RadioOnly,   // "し尿のみ": flag blank
  RadioHaisui, // "し尿及び雑排水": flag "1"
  Command,     // zero-width command field at the end of a focus order
  Check,       // a check box with no record field (a display switch)
};

// The input mode of an edit: whether the input method is on, how typed text
// is converted and which characters are taken afterwards.
enum class ImeMode : std::uint8_t {
  Hira,       // Japanese text: input method on, any storable character
  HalfKana,   // the reading: kana, converted to half-width katakana, and blanks only
  Off,        // years and certificate numbers: input method off, full-width forms converted
  HalfWidth,  // telephone numbers, postcodes, numbers: as Off, then half-width characters only
};

// Whether an edit of mode `ime` takes the character `c`, once the mode's
// conversion has run. The reading takes nothing but half-width katakana and
// blanks: a kanji or a letter there would sort the customer before every
// reading in kana.
constexpr bool TakesCharacter(ImeMode ime, char32_t c) {
  switch (ime) {
    case ImeMode::HalfKana:
      return c == U' ' || (c >= 0xFF61 && c <= 0xFF9F);
    case ImeMode::HalfWidth:
      return c >= 0x20 && c <= 0x7E;
    case ImeMode::Hira:
    case ImeMode::Off:
      break;
  }
  return true;
}

enum class RecordKind : std::uint8_t { None, Kokyaku, TenkenDenp, Kouji, Jisya };

struct FieldTarget {
  RecordKind record = RecordKind::None;
  int field = -1;
};

// `next` and `previous` name a control, or kRadio for whichever button of the
// screen's radio pair is checked; "" is none.
inline constexpr std::string_view kRadio = "(radio)";

struct InputField {
  std::string_view control;   // the widget's objectName
  Screen screen;
  FieldKind kind;
  std::uint8_t width;         // bytes the control takes (a year part: see kYearPartBytes)
  std::string_view frame;     // framing shape, "" when none
  std::array<FieldTarget, 2> targets{};
  std::array<std::string_view, 4> mirrors{};
  std::string_view next;
  std::string_view previous;
  ImeMode ime = ImeMode::Hira;
  std::int8_t month = 0;      // month boxes: 1..12
};

// A year part takes an era prefix and two digits: "平25" is four bytes, "H25"
// three. Its edit takes at least this many bytes whatever its table says, so
// no valid year is cut while it is typed.
inline constexpr std::uint8_t kYearPartBytes = 4;

// The bytes the control's edit takes.
constexpr std::size_t InputBytes(const InputField& f) {
  return f.kind == FieldKind::YearPart && f.width < kYearPartBytes ? kYearPartBytes : f.width;
}

// All controls of all screens, found by name; each screen module adds its table.
void RegisterFields(std::span<const InputField> table);
const InputField* FindField(std::string_view control);

}  // namespace tankora
