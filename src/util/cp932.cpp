#include "util/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "util/fixed_text.h"
#include "util/utf8.h"

namespace tankora {

namespace {

constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kTrailCount = 0xFC - kFirstTrail + 1;

bool IsTrailByte(unsigned char c) { return c >= kFirstTrail && c <= 0xFC && c != 0x7F; }

// Index of a lead byte among the 60 lead bytes (81..9F, E0..FC).
unsigned LeadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31; }

// The code page as two lookup tables, read once from glibc's "CP932"
// converter: one iconv call per character would make the CSV export of
// 100,000 records take many seconds, a table lookup takes nanoseconds.
// Taking the tables from iconv keeps its choices (which of two duplicate
// codes the encoder picks, the user-defined area in the private-use area).
class CodePage final {
 public:
  CodePage() : toCp932_(0x10000, 0), single_(256, 0), pair_(60 * kTrailCount, 0) {
    const iconv_t decoder = iconv_open("UTF-8", "CP932");
    const iconv_t encoder = iconv_open("CP932", "UTF-8");
    const iconv_t failed = reinterpret_cast<iconv_t>(-1);
    if (decoder != failed && encoder != failed) Fill(decoder, encoder);
    if (decoder != failed) iconv_close(decoder);
    if (encoder != failed) iconv_close(encoder);
  }

  // The character of a single byte, 0 when the byte is not one on its own.
  char32_t Single(unsigned char b) const { return single_[b]; }
  // The character of a lead and trail byte, 0 when unassigned.
  char32_t Pair(unsigned char lead, unsigned char trail) const {
    return pair_[LeadIndex(lead) * kTrailCount + (trail - kFirstTrail)];
  }
  // The CP932 code of a character (one byte when below 0x100), 0 when none.
  unsigned Code(char32_t c) const { return c < 0x10000 ? toCp932_[c] : 0; }
  // Every two-byte code of a character that has more than one, else empty.
  const std::vector<std::uint16_t>* Twins(char32_t c) const {
    const auto it = twins_.find(c);
    return it == twins_.end() ? nullptr : &it->second;
  }

 private:
  static std::string Convert(iconv_t cd, std::string_view in) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[8];
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return {};
    return std::string(buffer, static_cast<std::size_t>(outPtr - buffer));
  }

  // The single character a UTF-8 text holds, 0 otherwise.
  static char32_t OnlyCharacter(std::string_view utf8) {
    if (utf8.empty()) return 0;
    const Utf8Char ch = DecodeUtf8(utf8, 0);
    return ch.valid && ch.length == utf8.size() && ch.code < 0x10000 ? ch.code : 0;
  }

  void Learn(iconv_t encoder, char32_t c) {
    std::string utf8;
    AppendUtf8(utf8, c);
    const std::string code = Convert(encoder, utf8);
    if (code.size() == 1) toCp932_[c] = static_cast<unsigned char>(code[0]);
    if (code.size() == 2) {
      toCp932_[c] = static_cast<unsigned>(static_cast<unsigned char>(code[0])) << 8 |
                    static_cast<unsigned char>(code[1]);
    }
  }

  void Fill(iconv_t decoder, iconv_t encoder) {
    std::unordered_map<char32_t, std::vector<std::uint16_t>> codesOf;
    for (unsigned b = 0; b < 0x100; ++b) {
      if (IsCp932LeadByte(static_cast<unsigned char>(b))) continue;
      const char byte = static_cast<char>(b);
      single_[b] = b == 0 ? 0 : OnlyCharacter(Convert(decoder, std::string_view(&byte, 1)));
      if (single_[b] != 0) Learn(encoder, single_[b]);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
      for (unsigned trail = kFirstTrail; trail <= 0xFC; ++trail) {
        if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
        const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        const char32_t c = OnlyCharacter(Convert(decoder, std::string_view(bytes, 2)));
        pair_[LeadIndex(static_cast<unsigned char>(lead)) * kTrailCount + (trail - kFirstTrail)] =
            c;
        // Only characters that some code decodes to are storable, so a
        // character the encoder would merely approximate (¥ as 5C, — as 81 5C)
        // never gets a code.
        if (c != 0 && toCp932_[c] == 0) Learn(encoder, c);
        if (c != 0) codesOf[c].push_back(static_cast<std::uint16_t>(lead << 8 | trail));
      }
    }
    for (auto& [c, codes] : codesOf) {
      if (codes.size() > 1) twins_.emplace(c, std::move(codes));
    }
    // Characters with no CP932 code of their own that Linux input methods
    // produce, stored as the CP932 character that looks the same.
    static constexpr std::pair<char32_t, char32_t> kTwins[] = {
        {0x301C, 0xFF5E},  // 〜 -> ～
        {0x2212, 0xFF0D},  // − -> －
        {0x2016, 0x2225},  // ‖ -> ∥
        {0x00AC, 0xFFE2},  // ¬ -> ￢
    };
    for (const auto& [from, to] : kTwins) toCp932_[from] = toCp932_[to];
  }

  std::vector<std::uint16_t> toCp932_;
  std::unordered_map<char32_t, std::vector<std::uint16_t>> twins_;
  std::vector<char32_t> single_;
  std::vector<char32_t> pair_;
};

const CodePage& Cp932() {
  static const CodePage codePage;
  return codePage;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::size_t WidthOf(const Utf8Char& ch) {
  if (!ch.valid) return 2;
  const char32_t c = ch.code;
  return (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 1 : 2;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  const CodePage& page = Cp932();
  // Written through a pointer into a buffer of the largest possible size
  // (three UTF-8 bytes per CP932 byte): the export converts millions of fields.
  std::string out(cp932.size() * 3, '\0');
  char* o = out.data();
  const auto put = [&o](char32_t c) {
    if (c < 0x80) {
      *o++ = static_cast<char>(c);
      return;
    }
    if (c < 0x800) {
      *o++ = static_cast<char>(0xC0 | (c >> 6));
    } else {
      *o++ = static_cast<char>(0xE0 | (c >> 12));
      *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    *o++ = static_cast<char>(0x80 | (c & 0x3F));
  };
  for (std::size_t i = 0; i < cp932.size();) {
    const auto b = static_cast<unsigned char>(cp932[i]);
    if (b < 0x80) {
      *o++ = static_cast<char>(b);
      ++i;
    } else if (IsCp932LeadByte(b)) {
      const bool pair =
          i + 1 < cp932.size() && IsTrailByte(static_cast<unsigned char>(cp932[i + 1]));
      // An unassigned code takes its trail byte along as one bad character;
      // a lead byte without a trail spoils only itself, so what follows
      // still decodes.
      const char32_t c = pair ? page.Pair(b, static_cast<unsigned char>(cp932[i + 1])) : 0;
      put(c != 0 ? c : 0xFFFD);
      i += pair ? 2 : 1;
    } else {
      const char32_t c = page.Single(b);
      put(c != 0 ? c : 0xFFFD);
      ++i;
    }
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  const CodePage& page = Cp932();
  std::string out(utf8.size(), '\0');  // a character never takes more bytes in CP932
  char* o = out.data();
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      *o++ = static_cast<char>(b);
      ++i;
      continue;
    }
    const Utf8Char ch = DecodeUtf8(utf8, i);
    i += ch.length;
    const unsigned code = ch.valid ? page.Code(ch.code) : 0;
    if (code == 0) return std::nullopt;
    if (code > 0xFF) *o++ = static_cast<char>(code >> 8);
    *o++ = static_cast<char>(code & 0xFF);
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

std::vector<std::string> SameTextSpellings(std::string_view cp932, std::size_t limit) {
  const CodePage& page = Cp932();
  std::vector<std::string> out{std::string(cp932)};
  for (std::size_t i = 0; i < cp932.size() && limit > 0;) {
    const auto b = static_cast<unsigned char>(cp932[i]);
    if (!IsCp932LeadByte(b) || i + 1 >= cp932.size() ||
        !IsTrailByte(static_cast<unsigned char>(cp932[i + 1]))) {
      ++i;
      continue;
    }
    const unsigned own = b << 8 | static_cast<unsigned char>(cp932[i + 1]);
    if (const auto* codes = page.Twins(page.Pair(b, static_cast<unsigned char>(cp932[i + 1])))) {
      const std::size_t known = out.size();
      for (const std::uint16_t code : *codes) {
        if (code == own) continue;
        for (std::size_t k = 0; k < known && out.size() < limit; ++k) {
          std::string other = out[k];
          other[i] = static_cast<char>(code >> 8);
          other[i + 1] = static_cast<char>(code & 0xFF);
          out.push_back(std::move(other));
        }
      }
    }
    i += 2;
  }
  if (out.size() > limit) out.resize(limit);
  return out;
}

bool CanStoreCp932(std::string_view utf8) { return Utf8ToCp932(utf8).has_value(); }

std::size_t Cp932Width(std::string_view utf8) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const Utf8Char ch = DecodeUtf8(utf8, i);
    width += WidthOf(ch);
    i += ch.length;
  }
  return width;
}

std::string FitUtf8ToCp932Width(std::string_view utf8, std::size_t width) {
  std::size_t used = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const Utf8Char ch = DecodeUtf8(utf8, i);
    if (used + WidthOf(ch) > width) break;
    used += WidthOf(ch);
    i += ch.length;
  }
  return std::string(utf8.substr(0, i));
}

}  // namespace tankora
