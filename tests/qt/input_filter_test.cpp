// The edit's input rule on plain strings: where the typed part is found, how
// the byte limit cuts it, and where the caret ends up.
#include <gtest/gtest.h>

#include "app/input_filter.h"

namespace tankora::app {
namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

TEST(InputFilter, TypedPartIsFoundAroundTheCaret) {
  // "aa": the second "a" was typed after the first, not kept from before.
  FilteredInput f = FilterTyped("a", "aa", 2, 1, ImeMode::Off);
  EXPECT_EQ(f.text, "a");
  EXPECT_TRUE(f.refused);
  // Typed in the middle: the tail stays and the caret follows the kept part.
  f = FilterTyped("ad", "abcd", 3, 3, ImeMode::Off);
  EXPECT_EQ(f.text, "abd");
  EXPECT_EQ(f.caret, 2);
  // A selection replaced by a longer text.
  f = FilterTyped(U("山田太郎"), U("山川花子郎"), 4, 8, ImeMode::Hira);
  EXPECT_EQ(f.text, U("山川花郎"));
  EXPECT_EQ(f.caret, 3);
}

TEST(InputFilter, DeletingIsNeverRefused) {
  const FilteredInput f = FilterTyped(U("浄化槽"), U("浄槽"), 1, 4, ImeMode::Hira);
  EXPECT_EQ(f.text, U("浄槽"));
  EXPECT_FALSE(f.refused);
}

TEST(InputFilter, FullWidthCountsTwoBytes) {
  FilteredInput f = FilterTyped("", U("ｱｲｳ浄"), 4, 4, ImeMode::Hira);
  EXPECT_EQ(f.text, U("ｱｲｳ")) << "the kanji needs two bytes, one is left";
  EXPECT_TRUE(f.refused);
  f = FilterTyped("", U("ｱｲ浄"), 3, 4, ImeMode::Hira);
  EXPECT_EQ(f.text, U("ｱｲ浄"));
  EXPECT_FALSE(f.refused);
}

TEST(InputFilter, InputModesConvertBeforeCounting) {
  // が is ｶﾞ, two half-width bytes: four hiragana make more than four bytes.
  FilteredInput f = FilterTyped("", U("がぎ"), 2, 4, ImeMode::HalfKana);
  EXPECT_EQ(f.text, U("ｶﾞｷﾞ"));
  EXPECT_EQ(f.caret, 4);
  EXPECT_FALSE(f.refused);
  f = FilterTyped("", U("２０１２"), 4, 4, ImeMode::Off);
  EXPECT_EQ(f.text, "2012");
  // Hiragana edits take what is typed as it is.
  f = FilterTyped("", U("ひらがな"), 4, 20, ImeMode::Hira);
  EXPECT_EQ(f.text, U("ひらがな"));
}

TEST(InputFilter, UnstorableCharactersAreDroppedAloneAndTold) {
  FilteredInput f = FilterTyped("", U("a😀b𠮷c"), 7, 20, ImeMode::Hira);
  EXPECT_EQ(f.text, "abc");
  EXPECT_EQ(f.caret, 3);
  EXPECT_TRUE(f.refused);
  // The input methods' wave dash and minus have CP932 twins: kept.
  f = FilterTyped("", U("〜−"), 2, 20, ImeMode::Hira);
  EXPECT_EQ(f.text, U("〜−"));
  EXPECT_FALSE(f.refused);
}

TEST(InputFilter, ZeroWidthTakesNothingAndUnlimitedTakesAll) {
  EXPECT_EQ(FilterTyped("", "x", 1, 0, ImeMode::Off).text, "");
  const QString longText(300, QChar('x'));
  EXPECT_EQ(FilterTyped("", longText, 300, 0, ImeMode::Off, /*limited=*/false).text, longText);
}

}  // namespace
}  // namespace tankora::app
