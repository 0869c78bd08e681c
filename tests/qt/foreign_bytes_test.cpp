// Texts from files written elsewhere go back to the file as the bytes they
// came from when nobody changed them, even where a field is passed through
// with Enter: a customer's name is the key of its slips and ledger entries.
#include "window_fixture.h"

namespace tankora::qttest {
namespace {

class ForeignBytes : public WindowTest {};

TEST_F(ForeignBytes, FieldsPassedThroughKeepTheirBytes) {
  window_.reset();
  // 髙北工務店 with 髙 as its NEC-selected code EE E0 (the encoder writes FB FC),
  // and an address holding 85 40, which is no CP932 character at all.
  const std::string name = "\xEE\xE0\x96\x6B\x8D\x48\x96\xB1\x93\x58";
  const std::string address = "\x8C\x51\x85\x40\x94\x6E";
  Record r(KokyakuLayout());
  r.Set(Kokyaku::Kana, "\xB7\xC0");
  r.Set(Kokyaku::Name, name);
  r.Set(Kokyaku::Address, address);
  ASSERT_TRUE(store_->WriteKokyaku(1, r).ok());
  ASSERT_TRUE(store_->RebuildIndex().ok());
  Open();
  Click("Label_Basic");
  Click("Label_Kokyaku_Name_01");
  ASSERT_EQ(Txt("Edit_Kokyaku_Name").trimmed(), QString::fromUtf8("髙北工務店"));

  for (const char* edit : {"Edit_Kokyaku_Name", "Edit_Kokyaku_Address"}) {
    W(edit)->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(Focused(), edit);
    Press(Qt::Key_Return);
  }
  W("Edit_Kokyaku_Tel")->setFocus(Qt::MouseFocusReason);
  TypeKeys("027-1");
  Press(Qt::Key_F1);

  const Record back = ReadCustomer(1);
  EXPECT_EQ(back.Get(Kokyaku::Name), r.Get(Kokyaku::Name));
  EXPECT_EQ(back.Get(Kokyaku::Address), r.Get(Kokyaku::Address));
  EXPECT_EQ(back.Trimmed(Kokyaku::Tel), "027-1");

  // A text that was changed is encoded as typed.
  W("Edit_Kokyaku_Name")->setFocus(Qt::MouseFocusReason);
  E("Edit_Kokyaku_Name")->clear();
  Type(QString::fromUtf8("髙北"));
  Press(Qt::Key_Return);
  Press(Qt::Key_F1);
  EXPECT_EQ(ReadCustomer(1).Trimmed(Kokyaku::Name), "\xFB\xFC\x96\x6B");
}

}  // namespace
}  // namespace tankora::qttest
