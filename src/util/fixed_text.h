// Fixed-width text helpers. Everything here works on CP932 byte strings;
// widths and offsets are bytes, and a double-byte character is never split.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tankora {

enum class TextAlign { Left, Right };

// True for the first byte of a CP932 double-byte character.
constexpr bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The length of the longest prefix of `text` that fits in `width` bytes
// without splitting a double-byte character.
std::size_t FitPrefix(std::string_view text, std::size_t width);

std::string FillBlanks(std::size_t n);

// Without leading and trailing blanks, NULs and line feeds. Only the
// one-byte blank counts: a full-width blank (81 40) stays.
std::string TrimBlanks(std::string_view text);

// Exactly `width` bytes: the text left- or right-aligned, the rest blanks.
// Right alignment drops the text's trailing blanks and keeps its leading ones.
// A text longer than the width is cut at a character boundary (keeping its start).
std::string PadField(std::string_view text, TextAlign align, std::size_t width);

// A field shown on two lines: the longest run of whole characters that fits
// in `firstWidth` bytes, then the rest. With `shortOnLower`, a text that fits
// on the first line alone is shown on the second, the first left blank, so a
// short place or model sits on the lower line of its cell. Blank padding is
// kept; a double-byte character is never split.
struct TwoLines {
  std::string first;
  std::string second;
};
TwoLines SplitTwoLines(std::string_view text, std::size_t firstWidth, bool shortOnLower);

// The decimal number at the start of the text after leading blanks, with an
// optional sign; 0 when the text starts with no digit.
long ValueOf(std::string_view text);

// The template with `width` bytes at `offset` replaced by the text,
// right-aligned in the slot (blanks when the text is blank).
std::string FillSlot(std::string_view templ, std::size_t offset, std::size_t width,
                     std::string_view text);

}  // namespace tankora
