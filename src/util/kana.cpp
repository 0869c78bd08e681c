#include "util/kana.h"

#include <iterator>

#include "util/utf8.h"

namespace tankora {

namespace {

// Half-width forms of the katakana U+30A1 (ァ) to U+30FA (ヺ), in code order.
constexpr std::string_view kKatakana[] = {
    "ｧ", "ｱ",  "ｨ",  "ｲ",  "ｩ",  "ｳ",  "ｪ",  "ｴ",  "ｫ",  "ｵ",                     // ァ..オ
    "ｶ", "ｶﾞ", "ｷ",  "ｷﾞ", "ｸ",  "ｸﾞ", "ｹ",  "ｹﾞ", "ｺ",  "ｺﾞ",                    // カ..ゴ
    "ｻ", "ｻﾞ", "ｼ",  "ｼﾞ", "ｽ",  "ｽﾞ", "ｾ",  "ｾﾞ", "ｿ",  "ｿﾞ",                    // サ..ゾ
    "ﾀ", "ﾀﾞ", "ﾁ",  "ﾁﾞ", "ｯ",  "ﾂ",  "ﾂﾞ", "ﾃ",  "ﾃﾞ", "ﾄ",  "ﾄﾞ",              // タ..ド
    "ﾅ", "ﾆ",  "ﾇ",  "ﾈ",  "ﾉ",                                                   // ナ..ノ
    "ﾊ", "ﾊﾞ", "ﾊﾟ", "ﾋ",  "ﾋﾞ", "ﾋﾟ", "ﾌ",  "ﾌﾞ", "ﾌﾟ", "ﾍ",  "ﾍﾞ", "ﾍﾟ",        // ハ..ペ
    "ﾎ", "ﾎﾞ", "ﾎﾟ",                                                              // ホ..ポ
    "ﾏ", "ﾐ",  "ﾑ",  "ﾒ",  "ﾓ",                                                   // マ..モ
    "ｬ", "ﾔ",  "ｭ",  "ﾕ",  "ｮ",  "ﾖ",                                             // ャ..ヨ
    "ﾗ", "ﾘ",  "ﾙ",  "ﾚ",  "ﾛ",                                                   // ラ..ロ
    "ﾜ", "ﾜ",  "ｲ",  "ｴ",  "ｦ",  "ﾝ",  "ｳﾞ", "ｶ",  "ｹ",  "ﾜﾞ", "ｲﾞ", "ｴﾞ", "ｦﾞ",  // ヮ..ヺ
};
constexpr char32_t kFirstKatakana = 0x30A1;
static_assert(std::size(kKatakana) == 0x30FA - kFirstKatakana + 1);

std::string_view HalfWidthKana(char32_t c) {
  if (c >= 0x3041 && c <= 0x3096) c += 0x60;  // hiragana to katakana
  if (c >= kFirstKatakana && c <= 0x30FA) return kKatakana[c - kFirstKatakana];
  switch (c) {
    case 0x3000:
      return " ";
    case 0x3001:
      return "､";
    case 0x3002:
      return "｡";
    case 0x300C:
      return "｢";
    case 0x300D:
      return "｣";
    case 0x30FB:
      return "･";
    case 0x30FC:
      return "ｰ";
    case 0x3099:
    case 0x309B:
      return "ﾞ";  // combining and spacing voiced mark
    case 0x309A:
    case 0x309C:
      return "ﾟ";
    default:
      return {};
  }
}

char32_t HalfWidthAscii(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) return c - 0xFF01 + 0x21;
  switch (c) {
    case 0x3000:
      return ' ';
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2212:
    case 0x30FC:
    case 0xFF70:
      return '-';
    default:
      return c;
  }
}

// Applies `convert` to every valid character; bytes that are not UTF-8 are
// copied as they are.
template <typename Convert>
std::string Rewrite(std::string_view utf8, Convert convert) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const Utf8Char ch = DecodeUtf8(utf8, i);
    if (ch.valid) {
      convert(ch.code, utf8.substr(i, ch.length), out);
    } else {
      out += utf8[i];
    }
    i += ch.length;
  }
  return out;
}

}  // namespace

std::string ToHalfWidthKana(std::string_view utf8) {
  return Rewrite(utf8, [](char32_t c, std::string_view original, std::string& out) {
    const std::string_view half = HalfWidthKana(c);
    out += half.empty() ? original : half;
  });
}

std::string ToHalfWidthAscii(std::string_view utf8) {
  return Rewrite(utf8, [](char32_t c, std::string_view, std::string& out) {
    AppendUtf8(out, HalfWidthAscii(c));
  });
}

}  // namespace tankora
