// Walking UTF-8 text one character at a time, for the helpers that judge or
// rewrite typed text character by character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tankora {

struct Utf8Char {
  char32_t code = 0;       // U+FFFD when not valid
  std::size_t length = 1;  // bytes taken; an invalid sequence takes one byte
  bool valid = false;
};

// The character starting at byte `at` (at < text.size()). Overlong forms,
// surrogates and code points past U+10FFFF are invalid.
inline Utf8Char DecodeUtf8(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char b0 = byte(0);
  if (b0 < 0x80) return {b0, 1, true};
  std::size_t length = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2, code = b0 & 0x1F, minimum = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3, code = b0 & 0x0F, minimum = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4, code = b0 & 0x07, minimum = 0x10000;
  } else {
    return {0xFFFD, 1, false};
  }
  if (at + length > text.size()) return {0xFFFD, 1, false};
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return {0xFFFD, 1, false};
    code = (code << 6) | (byte(k) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return {0xFFFD, 1, false};
  }
  return {code, length, true};
}

inline void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace tankora
