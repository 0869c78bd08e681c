#include "util/fixed_text.h"

#include <algorithm>

namespace tankora {

namespace {
bool IsPad(char c) { return c == ' ' || c == '\0' || c == '\n'; }
}  // namespace

std::size_t FitPrefix(std::string_view text, std::size_t width) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t step = IsCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + step > width) break;
    i += step;
  }
  return std::min(i, text.size());
}

std::string FillBlanks(std::size_t n) { return std::string(n, ' '); }

std::string TrimBlanks(std::string_view text) {
  std::size_t b = 0;
  while (b < text.size() && IsPad(text[b])) ++b;
  std::size_t e = text.size();
  while (e > b && IsPad(text[e - 1])) --e;
  return std::string(text.substr(b, e - b));
}

std::string PadField(std::string_view text, TextAlign align, std::size_t width) {
  std::string out(width, ' ');
  if (align == TextAlign::Left) {
    const std::size_t n = FitPrefix(text, width);
    std::copy_n(text.data(), n, out.data());
    return out;
  }
  std::size_t e = text.size();
  while (e > 0 && (text[e - 1] == ' ' || text[e - 1] == '\0')) --e;
  const std::string_view body = text.substr(0, FitPrefix(text.substr(0, e), width));
  std::copy(body.begin(), body.end(), out.begin() + static_cast<std::ptrdiff_t>(width - body.size()));
  return out;
}

TwoLines SplitTwoLines(std::string_view text, std::size_t firstWidth, bool shortOnLower) {
  const std::size_t cut = FitPrefix(text, firstWidth);
  TwoLines lines{std::string(text.substr(0, cut)), std::string(text.substr(cut))};
  if (shortOnLower && TrimBlanks(lines.second).empty()) {
    lines.second = std::move(lines.first);
    lines.first = FillBlanks(cut);
  }
  return lines;
}

long ValueOf(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > 100000000000L) break;  // far beyond any field; stop before overflow
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

std::string FillSlot(std::string_view templ, std::size_t offset, std::size_t width,
                     std::string_view text) {
  std::string out(templ);
  if (offset + width > out.size()) return out;
  const std::string slot = PadField(text, TextAlign::Right, width);
  std::copy(slot.begin(), slot.end(), out.begin() + static_cast<std::ptrdiff_t>(offset));
  return out;
}

}  // namespace tankora
