// The record layouts against the byte tables of the data files.
#include <gtest/gtest.h>

#include "store/record_layout.h"
#include "store_test_util.h"

namespace tankora {
namespace {

using testing::BlankImage;
using testing::Put;

struct Placement {
  const RecordLayout& (*layout)();
  const char* field;
  std::size_t offset;
  std::size_t width;
};

// Offsets as the data files have them; a wrong width anywhere before a field
// moves it, so these catch a typo in any width table.
// clang-format off
const Placement kPlacements[] = {
    {KokyakuLayout, "Kana", 1, 4},          {KokyakuLayout, "Name", 5, 20},
    {KokyakuLayout, "TenkenMonths", 27, 12}, {KokyakuLayout, "SyuukinMonths", 39, 12},
    {KokyakuLayout, "Syukinngaku01", 51, 8}, {KokyakuLayout, "Syukinngaku12", 139, 8},
    {KokyakuLayout, "Zip1", 147, 3},         {KokyakuLayout, "Tel", 194, 14},
    {KokyakuLayout, "Reserve1", 248, 40},    {KokyakuLayout, "StartYear", 288, 4},
    {KokyakuLayout, "UkeoiKingaku", 312, 10}, {KokyakuLayout, "Sinyou", 442, 1},
    {KokyakuLayout, "Youto3", 571, 64},      {KokyakuLayout, "SeisouGyousya", 655, 20},
    {KokyakuLayout, "KeiyakuEndDay", 697, 2}, {KokyakuLayout, "Ninsou", 699, 3},
    {KokyakuLayout, "Reserve2", 702, 296},
    {TenkenDenpLayout, "KokyakuName", 1, 20}, {TenkenDenpLayout, "Gaikan", 29, 12},
    {TenkenDenpLayout, "Ion", 53, 3},         {TenkenDenpLayout, "Kanrisya", 56, 16},
    {TenkenDenpLayout, "Bikou", 72, 64},      {TenkenDenpLayout, "Reserve", 136, 62},
    {KoujiLayout, "SekouPlace", 82, 40},      {KoujiLayout, "Money", 146, 10},
    {KoujiLayout, "Sinyou", 276, 1},          {KoujiLayout, "Youto3", 405, 64},
    {KoujiLayout, "Ninsou", 533, 3},          {KoujiLayout, "Reserve", 536, 462},
    {JisyaLayout, "Tel", 186, 14},            {JisyaLayout, "Reserve26", 593, 2},
    {JisyaLayout, "Address", 595, 40},        {JisyaLayout, "KaisyaName", 635, 30},
    {JisyaLayout, "Name", 665, 30},           {JisyaLayout, "Teisyutusaki", 695, 30},
    {JisyaLayout, "TopMargine", 727, 2},      {JisyaLayout, "LeftMargine", 729, 2},
    {JisyaLayout, "Reserve37", 747, 251},
};
// clang-format on

TEST(RecordLayoutTest, FieldsSitAtTheirFileOffsets) {
  for (const Placement& p : kPlacements) {
    const RecordLayout& layout = p.layout();
    const int i = layout.IndexOf(p.field);
    ASSERT_GE(i, 0) << layout.Name() << "." << p.field;
    EXPECT_EQ(layout.Offset(i), p.offset) << layout.Name() << "." << p.field;
    EXPECT_EQ(layout.Width(i), p.width) << layout.Name() << "." << p.field;
  }
  EXPECT_EQ(KokyakuLayout().FieldCount(), 58);
  EXPECT_EQ(TenkenDenpLayout().FieldCount(), 15);
  EXPECT_EQ(KoujiLayout().FieldCount(), 40);
  EXPECT_EQ(JisyaLayout().FieldCount(), 38);
}

TEST(RecordLayoutTest, LedgerTwinsHaveTheCustomerFieldsWidth) {
  // The ledger and customer screens copy these fields both ways; a width
  // mismatch would cut or pad a value on every copy.
  for (int f = 1; f <= 38; ++f) {
    const int twin = Kouji::TwinOf(f);
    ASSERT_GE(twin, 0) << f;
    EXPECT_EQ(KoujiLayout().Width(f), KokyakuLayout().Width(twin)) << KoujiLayout().Field(f).name;
  }
  EXPECT_EQ(Kouji::TwinOf(Kouji::SekouPlace), Kokyaku::SettiAddress);
  EXPECT_EQ(Kouji::TwinOf(Kouji::Money), Kokyaku::UkeoiKingaku);
  EXPECT_EQ(Kouji::TwinOf(0), -1);
  EXPECT_EQ(Kouji::TwinOf(39), -1);
}

TEST(RecordTest, PackedImagesAreByteExact) {
  Record slip(TenkenDenpLayout());
  EXPECT_EQ(slip.Pack(), BlankImage(200));

  // A customer built through the field strings equals one built by hand.
  Record customer(KokyakuLayout());
  customer.Set(Kokyaku::Kana, "\xb1\xcd\xde");         // ｱﾍﾞ
  customer.Set(Kokyaku::Name, "\x88\xa2\x95\x94");     // 阿部
  customer.Set(Kokyaku::Syukinngaku03, "5000");        // right-aligned amount
  customer.SetFlagAt(Kokyaku::TenkenMonths, 3, true);  // April
  customer.Set(Kokyaku::Ninsou, "7");
  std::string expected = BlankImage(1000);
  Put(expected, 1, "\xb1\xcd\xde");
  Put(expected, 5, "\x88\xa2\x95\x94");
  Put(expected, 67, "    5000");
  Put(expected, 27 + 3, "1");
  Put(expected, 699, "  7");
  EXPECT_EQ(customer.Pack(), expected);

  Record company(JisyaLayout());
  company.Set(Jisya::TopMargine, "5");
  EXPECT_EQ(company.Get(Jisya::TopMargine), " 5");
}

TEST(RecordTest, DoubleByteTextIsNeverSplit) {
  Record customer(KokyakuLayout());
  std::string tenWide, elevenWide;
  for (int i = 0; i < 10; ++i) tenWide += "\x8f\xf2";  // 浄 x10 = 20 bytes
  elevenWide = tenWide + "\x8f\xf2";
  customer.Set(Kokyaku::Name, tenWide);
  EXPECT_EQ(customer.Get(Kokyaku::Name), tenWide);
  customer.Set(Kokyaku::Name, elevenWide);
  EXPECT_EQ(customer.Get(Kokyaku::Name), tenWide);
  // One half-width letter first: 10 full-width characters no longer fit,
  // and the 20th byte stays blank rather than holding half a character.
  customer.Set(Kokyaku::Name, "A" + tenWide);
  EXPECT_EQ(customer.Get(Kokyaku::Name), "A" + tenWide.substr(0, 18) + " ");
}

TEST(RecordTest, ForeignBytesInReservedFieldsSurviveAnEdit) {
  std::string image = BlankImage(1000);
  Put(image, 248, "reserve-one \x87\x40");  // ① in Reserve1
  Put(image, 702, "written by another program");
  Put(image, 5, "\xee\xe0\x96\x6b");  // 髙北 (IBM extension code)
  Record customer(KokyakuLayout());
  customer.Unpack(image);
  customer.Set(Kokyaku::Tel, "027-000-0000");
  std::string expected = image;
  Put(expected, 194, "027-000-0000  ");
  EXPECT_EQ(customer.Pack(), expected);

  std::string company = BlankImage(1000);
  Put(company, 0, "old reserved text");
  Put(company, 731, "12345678");
  Record jisya(JisyaLayout());
  jisya.Unpack(company);
  jisya.Set(Jisya::KaisyaName, "\x87\x8a");  // ㈱
  std::string expectedCompany = company;
  Put(expectedCompany, 635, "\x87\x8a");
  EXPECT_EQ(jisya.Pack(), expectedCompany);
}

TEST(RecordTest, OnlyADeleteFlagOfOneDeletes) {
  Record r(KokyakuLayout());
  for (char flag : {' ', 'X', '0', '\0'}) {
    std::string image = BlankImage(1000);
    image[0] = flag;
    r.Unpack(image);
    EXPECT_FALSE(r.Deleted()) << int(flag);
  }
  std::string image = BlankImage(1000);
  image[0] = '1';
  r.Unpack(image);
  EXPECT_TRUE(r.Deleted());
}

}  // namespace
}  // namespace tankora
