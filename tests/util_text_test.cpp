#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "util/cp932.h"
#include "util/era.h"
#include "util/fixed_text.h"
#include "util/kana.h"
#include "util/templates.h"

namespace tankora {
namespace {

std::string Sj(const char* utf8) { return Utf8ToCp932(utf8).value(); }
std::string U8(std::string_view cp932) { return Cp932ToUtf8(cp932); }

// ---- fixed-width text ----

TEST(FixedTextTest, TrimBlanksRemovesOnlyOneByteBlanksNulsAndLineFeeds) {
  EXPECT_EQ(TrimBlanks("  abc  "), "abc");
  EXPECT_EQ(TrimBlanks("    "), "");
  EXPECT_EQ(TrimBlanks(""), "");
  EXPECT_EQ(TrimBlanks(std::string_view(" a b\0\n", 6)), "a b");
  EXPECT_EQ(U8(TrimBlanks(Sj("　山田 "))), "　山田");  // the full-width blank stays
}

TEST(FixedTextTest, PadFieldAlignsAndNeverSplitsACharacter) {
  EXPECT_EQ(PadField("12  ", TextAlign::Right, 4), "  12");
  EXPECT_EQ(PadField(" 1 ", TextAlign::Right, 4), "   1");  // leading blank kept
  EXPECT_EQ(PadField("ab", TextAlign::Left, 4), "ab  ");
  EXPECT_EQ(PadField("", TextAlign::Right, 3), "   ");
  // Too long: cut at a character boundary, keeping the start, still w bytes.
  EXPECT_EQ(U8(PadField(Sj("浄化槽"), TextAlign::Left, 5)), "浄化 ");
  EXPECT_EQ(U8(PadField(Sj("浄化槽"), TextAlign::Right, 5)), " 浄化");
  EXPECT_EQ(PadField("abcdef", TextAlign::Left, 4), "abcd");
  // A lone lead byte at the end of damaged text is kept, not read past.
  EXPECT_EQ(PadField("a\x8F", TextAlign::Left, 4), "a\x8F  ");
}

TEST(FixedTextTest, ValueOfReadsTheLeadingNumber) {
  EXPECT_EQ(ValueOf("  25"), 25);
  EXPECT_EQ(ValueOf("1,000"), 1);
  EXPECT_EQ(ValueOf(" -5"), -5);
  EXPECT_EQ(ValueOf("+7x"), 7);
  EXPECT_EQ(ValueOf("abc"), 0);
  EXPECT_EQ(ValueOf(""), 0);
  EXPECT_GT(ValueOf("99999999999999999999999999"), 0);  // no overflow into a negative
}

TEST(FixedTextTest, FillSlotPutsTextRightAlignedAtTheOffset) {
  const std::string date = Sj("平成 **年 **月 **日");
  EXPECT_EQ(U8(FillSlot(FillSlot(FillSlot(date, 5, 2, "24"), 10, 2, "7"), 15, 2, "5")),
            "平成 24年  7月  5日");
  EXPECT_EQ(U8(FillSlot(date, 5, 2, "")), "平成   年 **月 **日");
  EXPECT_EQ(FillSlot("ab", 1, 4, "x"), "ab");  // a slot past the end changes nothing
}

// ---- templates ----

// The slots of every template at the offsets the prints place them by.
TEST(TemplatesTest, SlotsLieAtTheirOffsets) {
  struct Case {
    std::string_view templ;
    const char* shape;  // UTF-8, to catch a wrong byte in the constant
    std::vector<std::pair<std::size_t, std::size_t>> slots;
  };
  const Case cases[] = {
      {templates::kDateLine, "平成 **年 **月 **日", {{5, 2}, {10, 2}, {15, 2}}},
      {templates::kMonthPageHeading,
       "平成 **年 **月分  **頁/全**頁",
       {{5, 2}, {10, 2}, {18, 2}, {25, 2}}},
      {templates::kYearPageHeading, "平成 **年分       **頁/全**頁", {{5, 2}, {18, 2}, {25, 2}}},
      {templates::kSchedulePageHeading, "**月分       **頁/全**頁", {{0, 2}, {13, 2}, {20, 2}}},
      {templates::kCollectionPageHeading, "**月分  **頁/全**頁", {{0, 2}, {8, 2}, {15, 2}}},
      {templates::kRowDateKanji, "**年**月**日", {{0, 2}, {4, 2}, {8, 2}}},
      {templates::kRowDateDash, "**-**-**", {{0, 2}, {3, 2}, {6, 2}}},
      {templates::kRowDateFrom, "**.**.**～", {{0, 2}, {3, 2}, {6, 2}}},
      {templates::kRowDateDot, "**.**.**", {{0, 2}, {3, 2}, {6, 2}}},
      {templates::kPersons, "***人", {{0, 3}}},
      {templates::kSavedDataNotice, "****年**月**日保存のデータが存在", {{0, 4}, {6, 2}, {10, 2}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(U8(c.templ), c.shape);
    const std::string filled = FillTemplate(c.templ, {"ABCD", "EFGH", "IJKL", "MNOP"});
    const char* expected[] = {"ABCD", "EFGH", "IJKL", "MNOP"};
    for (std::size_t k = 0; k < c.slots.size(); ++k) {
      const auto [offset, width] = c.slots[k];
      EXPECT_EQ(filled.substr(offset, width), std::string(expected[k], width)) << c.shape << k;
    }
    EXPECT_EQ(filled.size(), c.templ.size());
    EXPECT_EQ(filled.find('*'), std::string::npos) << c.shape;
  }
}

TEST(TemplatesTest, FillTemplateRightAlignsAndLeavesUnfilledRuns) {
  EXPECT_EQ(U8(FillTemplate(templates::kPersons, {"5"})), "  5人");
  EXPECT_EQ(U8(FillTemplate(templates::kSavedDataNotice, {"2012", "10", "29"})),
            "2012年10月29日保存のデータが存在");
  EXPECT_EQ(U8(FillTemplate(templates::kCollectionPageHeading, {" 4", TwoDigitText(1)})),
            " 4月分   1頁/全**頁");
  EXPECT_EQ(FillTemplate("**-**", {"", "7"}), "  - 7");
}

class TemplatesOn2012 : public ::testing::Test {
 protected:
  EraCalendar eras{Date{2012, 10, 29}};
};

class TemplatesOn2026 : public ::testing::Test {
 protected:
  EraCalendar eras{Date{2026, 12, 7}};
};

TEST_F(TemplatesOn2012, HeiseiDatesFillAsBefore) {
  EXPECT_EQ(U8(DateLine(eras, {"2012", " 7", " 5"})), "平成 24年  7月  5日");
  EXPECT_EQ(U8(MonthPageHeading(eras, {"2012", "10", ""}, 1, 12)), "平成 24年 10月分   1頁/全12頁");
  EXPECT_EQ(U8(YearPageHeading(eras, "2013", 2, 3)), "平成 25年分        2頁/全 3頁");
  EXPECT_EQ(RowDate(eras, RowDateStyle::Dash, {"2012", "10", "29"}), "24-10-29");
  EXPECT_EQ(U8(RowDate(eras, RowDateStyle::Kanji, {"1993", " 4", " 1"})), " 5年 4月 1日");
  EXPECT_EQ(U8(RowDate(eras, RowDateStyle::From, {"2012", " 4", " 1"})), "24. 4. 1～");
}

TEST_F(TemplatesOn2012, ShowaDatesCarryTheirEra) {
  EXPECT_EQ(U8(DateLine(eras, {"1985", " 3", " 1"})), "昭和 60年  3月  1日");
  EXPECT_EQ(U8(DateLine(eras, {"1989", " 1", " 7"})), "昭和 64年  1月  7日");
  EXPECT_EQ(U8(DateLine(eras, {"1989", " 1", " 8"})), "平成  1年  1月  8日");
  EXPECT_EQ(RowDate(eras, RowDateStyle::Dot, {"1985", " 3", " 1"}), "S60. 3. 1");
}

TEST_F(TemplatesOn2026, DatesFollowTheirOwnEra) {
  EXPECT_EQ(U8(DateLine(eras, {"2026", "12", " 7"})), "令和  8年 12月  7日");
  EXPECT_EQ(U8(DateLine(eras, {"2012", "10", "29"})), "平成 24年 10月 29日");
  // A blank or unshowable year leaves the slot blank under today's era.
  EXPECT_EQ(U8(DateLine(eras, {"    ", "  ", "  "})), "令和   年   月   日");
  EXPECT_EQ(U8(DateLine(eras, {"2030", " 1", " 1"})), "令和   年  1月  1日");
  // A month heading takes the era of the month's end.
  EXPECT_EQ(U8(MonthPageHeading(eras, {"2019", " 4", ""}, 1, 2)), "平成 31年  4月分   1頁/全 2頁");
  EXPECT_EQ(U8(MonthPageHeading(eras, {"2019", " 5", ""}, 1, 2)), "令和  1年  5月分   1頁/全 2頁");
  EXPECT_EQ(U8(YearPageHeading(eras, "2019", 1, 1)), "令和  1年分        1頁/全 1頁");
}

TEST_F(TemplatesOn2026, RowDatesOfEarlierErasCarryTheirLetter) {
  EXPECT_EQ(U8(RowDate(eras, RowDateStyle::Kanji, {"2026", "12", " 7"})), " 8年12月 7日");
  EXPECT_EQ(U8(RowDate(eras, RowDateStyle::Kanji, {"2012", "10", "29"})), "H24年10月29日");
  EXPECT_EQ(RowDate(eras, RowDateStyle::Dash, {"1993", " 4", " 1"}), "H 5- 4- 1");
  EXPECT_EQ(RowDate(eras, RowDateStyle::Dash, {"2019", " 4", "30"}), "H31- 4-30");
  EXPECT_EQ(RowDate(eras, RowDateStyle::Dash, {"2019", " 5", " 1"}), " 1- 5- 1");
  EXPECT_EQ(U8(RowDate(eras, RowDateStyle::From, {"1988", " 4", " 1"})), "S63. 4. 1～");
  EXPECT_EQ(RowDate(eras, RowDateStyle::Dot, {"    ", "  ", "  "}), "  .  .  ");
}

// ---- kana and half-width input ----

TEST(KanaTest, HiraganaAndKatakanaBecomeHalfWidth) {
  const char* fullRows =
      "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわを"
      "ん";
  const char* halfRows = "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝ";
  EXPECT_EQ(ToHalfWidthKana(fullRows), halfRows);
  EXPECT_EQ(ToHalfWidthKana("アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
                            "ヤユヨラリルレロワヲン"),
            halfRows);
  EXPECT_EQ(ToHalfWidthKana("がぎぐげござじずぜぞだぢづでどばびぶべぼ"),
            "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ");
  EXPECT_EQ(ToHalfWidthKana("ぱぴぷぺぽパピプペポ"), "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ");
  EXPECT_EQ(ToHalfWidthKana("ぁぃぅぇぉっゃゅょァッャ"), "ｧｨｩｪｫｯｬｭｮｧｯｬ");
  EXPECT_EQ(ToHalfWidthKana("ヴゔゐゑゎヵヶ"), "ｳﾞｳﾞｲｴﾜｶｹ");
  EXPECT_EQ(ToHalfWidthKana("タンコラー　「、。・」"), "ﾀﾝｺﾗｰ ｢､｡･｣");
  EXPECT_EQ(ToHalfWidthKana("か\u3099は\u309A"), "ｶﾞﾊﾟ");  // decomposed marks
}

TEST(KanaTest, OtherCharactersPassUnchanged) {
  EXPECT_EQ(ToHalfWidthKana("浄化槽ABC１ｱｲ"), "浄化槽ABC１ｱｲ");
  EXPECT_EQ(ToHalfWidthKana("a\xFF"
                            "b"),
            "a\xFF"
            "b");
  // Every result fits the reading field by CP932 bytes as counted for it.
  EXPECT_EQ(Cp932Width(ToHalfWidthKana("やまだ")), 4u);
  EXPECT_EQ(Cp932Width(ToHalfWidthKana("がっこう")), 5u);
}

TEST(HalfWidthAsciiTest, FullWidthLettersDigitsAndDashesBecomeAscii) {
  EXPECT_EQ(ToHalfWidthAscii("０１２３－４５６７"), "0123-4567");
  EXPECT_EQ(ToHalfWidthAscii("ＡＢＣｘｙｚ　（１）"), "ABCxyz (1)");
  EXPECT_EQ(ToHalfWidthAscii("03−1234ー5678‐9"), "03-1234-5678-9");
  EXPECT_EQ(ToHalfWidthAscii("〒第１号"), "〒第1号");
  EXPECT_EQ(ToHalfWidthAscii("ｱｲ"), "ｱｲ");
  EXPECT_EQ(ToHalfWidthAscii("1\xFF"), "1\xFF");
}

}  // namespace
}  // namespace tankora
