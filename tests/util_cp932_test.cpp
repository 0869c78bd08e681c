#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "util/cp932.h"
#include "util/utf8.h"

namespace tankora {
namespace {

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out += ' ';
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

TEST(Cp932Test, KnownCharactersRoundTrip) {
  struct Case {
    const char* utf8;
    const char* cp932;
  };
  const Case cases[] = {
      {"ｱｲｳﾀﾝｺ", "\xB1\xB2\xB3\xC0\xDD\xBA"},
      {"浄化槽", "\x8F\xF2\x89\xBB\x91\x85"},
      {"～", "\x81\x60"},
      {"－", "\x81\x7C"},
      {"①", "\x87\x40"},
      {"㈱", "\x87\x8A"},
      {"№", "\x87\x82"},
      {"髙", "\xFB\xFC"},
      {"C:\\Data\\", "C:\\Data\\"},  // 0x5C is a backslash, not a yen sign
      {"a~b", "a~b"},                // 0x7E is a tilde, not an overline
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Hex(Utf8ToCp932(c.utf8).value_or("(none)")), Hex(c.cp932)) << c.utf8;
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << Hex(c.cp932);
  }
}

TEST(Cp932Test, LinuxInputMethodCharactersBecomeTheirTwins) {
  EXPECT_EQ(Utf8ToCp932("〜−‖¬"), "\x81\x60\x81\x7C\x81\x61\x81\xCA");
  EXPECT_EQ(Cp932ToUtf8("\x81\x60\x81\x7C\x81\x61\x81\xCA"), "～－∥￢");
}

TEST(Cp932Test, CharactersWithoutACodeAreRefused) {
  for (const char* text : {"😀", "𠮷野家", "a€", "ĉ", "\xEF\xBF\xBD", "¥100", "‾", "—", "£", "¢"}) {
    EXPECT_EQ(Utf8ToCp932(text), std::nullopt) << text;
    EXPECT_FALSE(CanStoreCp932(text)) << text;
  }
  EXPECT_TRUE(CanStoreCp932("山田　太郎 ㈱髙橋 No.1"));
  // Not UTF-8 at all: refused, never passed through.
  EXPECT_EQ(Utf8ToCp932("abc\xFF"), std::nullopt);
  EXPECT_EQ(Utf8ToCp932("\xC0\xAF"), std::nullopt);  // overlong '/'
}

// Whatever the encoder accepts must read back as the same character (or as
// the twin it was mapped to): a stored text never silently changes.
TEST(Cp932Test, EveryStorableCharacterReadsBackUnchanged) {
  int storable = 0;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string utf8;
    AppendUtf8(utf8, c);
    const std::optional<std::string> bytes = Utf8ToCp932(utf8);
    if (!bytes) {
      EXPECT_EQ(Cp932Width(utf8), 2u);
      continue;
    }
    ++storable;
    EXPECT_EQ(Cp932Width(utf8), bytes->size()) << std::hex << static_cast<unsigned>(c);
    const std::string back = Cp932ToUtf8(*bytes);
    if (back != utf8) {
      const bool twin = c == 0x301C || c == 0x2212 || c == 0x2016 || c == 0x00AC;
      EXPECT_TRUE(twin) << "U+" << std::hex << static_cast<unsigned>(c) << " reads back as "
                        << back;
    }
  }
  // ASCII, half-width katakana, JIS X 0208, NEC and IBM extensions, user area.
  EXPECT_GT(storable, 9000);
}

TEST(Cp932Test, InvalidBytesShowAsReplacementAndTheRestStillDecodes) {
  EXPECT_EQ(Cp932ToUtf8("a\x80"
                        "b"),
            "a\uFFFD"
            "b");
  EXPECT_EQ(Cp932ToUtf8("\xFD\xFE\xFF"), "\uFFFD\uFFFD\uFFFD");
  // An unassigned double-byte code is one bad character, not two.
  EXPECT_EQ(Cp932ToUtf8("\x85\x40"
                        "A"),
            "\uFFFD"
            "A");
  // A lead byte whose partner is not a trail byte spoils only itself.
  EXPECT_EQ(Cp932ToUtf8("\x8F\x0A"), "\uFFFD\n");
  EXPECT_EQ(Cp932ToUtf8("\x8F\xF2\x89"), "浄\uFFFD");  // cut off at the end
  EXPECT_EQ(Cp932ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp932Test, DuplicateCodesDecodeToTheSameCharacter) {
  // The NEC-selected IBM copy EE E0 and the IBM code FB FC are both 髙; the
  // encoder can give back only one of them.
  EXPECT_EQ(Cp932ToUtf8("\xEE\xE0"), "髙");
  EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8("\xEE\xE0")), "\xFB\xFC");
  // The user-defined area survives a round trip through the private-use area.
  EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8("\xF0\x40")), "\xF0\x40");
}

TEST(Cp932Test, SameTextSpellingsCoverEveryCodeOfEachCharacter) {
  using V = std::vector<std::string>;
  struct Case {
    std::string_view in;
    V want;
  } cases[] = {
      {"ab", {"ab"}},
      {"\x8D\x82", {"\x8D\x82"}},  // 高 has one code
      {"\xFB\xFC\x96\x6B", {"\xFB\xFC\x96\x6B", "\xEE\xE0\x96\x6B"}},  // 髙北
      {"\xEE\xE0\x96\x6B", {"\xEE\xE0\x96\x6B", "\xFB\xFC\x96\x6B"}},
      {"\xEE\xE0\xEE\xE0", {"\xEE\xE0\xEE\xE0", "\xFB\xFC\xEE\xE0", "\xEE\xE0\xFB\xFC",
                                "\xFB\xFC\xFB\xFC"}},
  };
  for (const Case& c : cases) {
    V got = SameTextSpellings(c.in);
    EXPECT_EQ(got.front(), c.in);
    std::sort(got.begin(), got.end());
    V want = c.want;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want) << Cp932ToUtf8(c.in);
  }
  EXPECT_EQ(SameTextSpellings("\xEE\xE0\xEE\xE0", 3).size(), 3u);
}

TEST(Cp932Test, WidthCountsBytesAndFitKeepsWholeCharacters) {
  EXPECT_EQ(Cp932Width("ｱｲｳ浄化槽ab"), 11u);
  EXPECT_EQ(Cp932Width("😀"), 2u);      // refused elsewhere, but counted like a kanji
  EXPECT_EQ(Cp932Width("a\xFF"), 3u);  // a bad byte counts as a replacement character
  EXPECT_EQ(FitUtf8ToCp932Width("山田太郎", 5), "山田");
  EXPECT_EQ(FitUtf8ToCp932Width("山田太郎", 8), "山田太郎");
  EXPECT_EQ(FitUtf8ToCp932Width("aｶﾞ山", 3), "aｶﾞ");
  EXPECT_EQ(FitUtf8ToCp932Width("aｶﾞ山", 4), "aｶﾞ");
  EXPECT_EQ(FitUtf8ToCp932Width("山", 1), "");
  EXPECT_EQ(FitUtf8ToCp932Width("", 4), "");
}

TEST(Cp932Test, WholeRecordsOfMixedTextRoundTrip) {
  std::string record;
  while (record.size() < 990)
    record += "\xB1\xB2\xB3 \x8F\xF2\x89\xBB\x91\x85 \x87\x40\xFB\xFC 123 ";
  record += '\n';
  const std::string utf8 = Cp932ToUtf8(record);
  EXPECT_EQ(Cp932Width(utf8), record.size());
  EXPECT_EQ(Utf8ToCp932(utf8), record);
}

}  // namespace
}  // namespace tankora
