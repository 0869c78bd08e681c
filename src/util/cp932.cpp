#include "util/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "util/fixed_text.h"
#include "util/utf8.h"

namespace tankora {

namespace {

// One iconv descriptor per direction and thread, opened on first use and kept:
// opening one costs far more than converting a field, and the CSV export
// converts every field of every record.
class Converter final {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `in` as it can into `out` (appending); returns the
  // number of input bytes consumed. Stops at the first bad or incomplete input.
  std::size_t Run(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    const std::size_t start = out.size();
    // Three output bytes per input byte covers both directions (a CP932 byte
    // never becomes more than three UTF-8 bytes, a UTF-8 character never more
    // than two CP932 bytes).
    out.resize(start + in.size() * 3);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = out.data() + start;
    std::size_t outLeft = out.size() - start;
    iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return in.size() - inLeft;
  }

 private:
  iconv_t cd_;
};

Converter& Decoder() {
  thread_local Converter converter("UTF-8", "CP932");
  return converter;
}

Converter& Encoder() {
  thread_local Converter converter("CP932", "UTF-8");
  return converter;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Characters with no CP932 code of their own that Linux input methods
// produce, and the CP932 character that looks the same.
char32_t Twin(char32_t c) {
  switch (c) {
    case 0x301C: return 0xFF5E;  // 〜 -> ～
    case 0x2212: return 0xFF0D;  // − -> －
    case 0x2016: return 0x2225;  // ‖ -> ∥
    case 0x00AC: return 0xFFE2;  // ¬ -> ￢
    default: return c;
  }
}

// Characters glibc's CP932 encodes although they read back as another one.
bool IsApproximated(char32_t c) {
  return c == 0x00A2 || c == 0x00A3 || c == 0x00A5 || c == 0x2014 || c == 0x203E;
}

std::size_t WidthOf(const Utf8Char& ch) {
  if (!ch.valid) return 2;
  const char32_t c = ch.code;
  return (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 1 : 2;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  std::string out;
  out.reserve(cp932.size() * 2);
  Converter& decoder = Decoder();
  while (!cp932.empty()) {
    const std::size_t done = decoder.ok() ? decoder.Run(cp932, out) : 0;
    cp932.remove_prefix(done);
    if (cp932.empty()) break;
    // A bad character: an unassigned double-byte code takes its trail byte
    // along, anything else (a stray byte, a lead byte without a trail) only
    // itself, so the bytes after it still decode.
    const auto lead = static_cast<unsigned char>(cp932[0]);
    const bool pair = IsCp932LeadByte(lead) && cp932.size() >= 2 &&
                      IsTrailByte(static_cast<unsigned char>(cp932[1]));
    out += kReplacement;
    cp932.remove_prefix(pair ? 2 : 1);
  }
  return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string mapped;
  mapped.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const Utf8Char ch = DecodeUtf8(utf8, i);
    if (!ch.valid || IsApproximated(ch.code)) return std::nullopt;
    AppendUtf8(mapped, Twin(ch.code));
    i += ch.length;
  }
  Converter& encoder = Encoder();
  if (!encoder.ok()) return std::nullopt;
  std::string out;
  if (encoder.Run(mapped, out) != mapped.size()) return std::nullopt;
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
