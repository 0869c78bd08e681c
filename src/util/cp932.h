// CP932 (the Windows code page of Shift-JIS) and UTF-8: the record files hold
// CP932 bytes, Qt and CSV files want UTF-8.
//
// The converter is glibc's "CP932", never "SHIFT_JIS": the latter reads 0x5C
// as a yen sign and knows none of the NEC/IBM extension characters (①, ㈱, 髙)
// that files written on Windows contain.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tankora {

// Bytes that are not valid CP932 become U+FFFD, one per bad character, so a
// damaged record always shows. Never fails.
//
// Several codes decode to the same character (the NEC-selected IBM copies in
// rows ED/EE, e.g. EE E0 and FB FC are both 髙), and encoding picks one of
// them; a field that was not edited must therefore be written back from its
// original bytes, not from this text.
std::string Cp932ToUtf8(std::string_view cp932);

// The CP932 bytes of a UTF-8 text, or nullopt if any character cannot be
// stored (or the text is not valid UTF-8). The characters that Linux input
// methods produce for 〜 − ‖ ¬ (U+301C, U+2212, U+2016, U+00AC) are stored as
// their CP932 twins ～ － ∥ ￢. Characters that the converter would only
// approximate (¥ as a backslash, ‾ as a tilde, ¢ £ — as their full-width
// look-alikes) are refused: they would read back as something else.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

bool CanStoreCp932(std::string_view utf8);

// The CP932 spellings of the same text: `cp932` first, then those that write
// one or more of its characters with another of their codes (髙 as EE E0 or
// FB FC, ∵ as 81 E6 or 87 9A), at most `limit` in all. A name typed here is
// encoded one way, while files written elsewhere may hold another; a name
// found under none of its spellings is nobody's.
std::vector<std::string> SameTextSpellings(std::string_view cp932, std::size_t limit = 16);

// The bytes the text takes in CP932: 1 for ASCII and half-width katakana, 2
// for every other character (also for one that cannot be stored, so that an
// edit's length limit stays predictable while it is being refused).
std::size_t Cp932Width(std::string_view utf8);

// The longest prefix of whole characters whose CP932 form fits in `width` bytes.
std::string FitUtf8ToCp932Width(std::string_view utf8, std::size_t width);

}  // namespace tankora
