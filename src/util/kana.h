// Rewriting typed text for the edits that accept only one kind of character.
// There is no per-edit input-method mode to rely on (input methods send what
// they like), so the program converts what arrives. UTF-8 in, UTF-8 out;
// characters without a conversion pass unchanged.
#pragma once

#include <string>
#include <string_view>

namespace tankora {

// For the half-width-katakana reading field: hiragana and full-width
// katakana become half-width katakana, voiced and semi-voiced sounds as two
// characters (が → ｶﾞ, ぱ → ﾊﾟ), small kana stay small (ゃ → ｬ), ー → ｰ, the
// kana punctuation 。「」、・ its half-width forms, the full-width blank a blank.
// Kana that half-width katakana lacks take their nearest sound (ゐ → ｲ,
// ゑ → ｴ, ゎ → ﾜ, ヵ → ｶ, ヶ → ｹ).
std::string ToHalfWidthKana(std::string_view utf8);

// For number, date, postcode, telephone and code edits: full-width letters,
// digits and signs become their ASCII forms, the full-width blank a blank,
// and the dashes that input methods put in numbers (‐ ‑ ‒ – − ー ｰ) a hyphen.
std::string ToHalfWidthAscii(std::string_view utf8);

}  // namespace tankora
