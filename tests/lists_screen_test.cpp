// The list screens' parameters as the user types them: era years into the
// Western years the selections take, the sentence an empty list shows, the
// schedule's done marks and its not-done-first order.
#include <gtest/gtest.h>

#include "fake_view.h"
#include "inspection/tenken_list_screen.h"
#include "ledger/keiyaku_list_screen.h"

namespace tankora::testing {
namespace {

std::string Slip(const char* name, const char* year, const char* month) {
  Record r(TenkenDenpLayout());
  r.Set(TenkenDenp::KokyakuName, name);
  r.Set(TenkenDenp::Year, year);
  r.Set(TenkenDenp::Month, month);
  r.Set(TenkenDenp::Day, " 1");
  return Image(r);
}

std::string Customer(const char* kana, const char* name, const char* tenken, const char* endYear) {
  Record r(KokyakuLayout());
  r.Set(Kokyaku::Kana, kana);
  r.Set(Kokyaku::Name, name);
  r.Set(Kokyaku::TenkenMonths, tenken);
  r.Set(Kokyaku::KeiyakuEndYear, endYear);
  r.Set(Kokyaku::KeiyakuEndMonth, " 3");
  return Image(r);
}

// On 2026-05-10 (令和8年): slips of May 2026 and May 2018 (平成30年), three
// customers inspected in May, B already visited this May.
struct ListHarness : Harness {
  ListHarness()
      : Harness(0, Date{2026, 5, 10}, [](const std::filesystem::path& dir) {
          SeedFile("Kokyaku.120", {Customer("0001", "A", "    1       ", "2030"),
                                   Customer("0002", "B", "    1       ", "2027"),
                                   Customer("0003", "C", "    1       ", "2030")})(dir);
          SeedFile("TenkenDenp.120", {Slip("B", "2026", " 5"), Slip("A", "2018", " 5"),
                                      Slip("C", "2026", " 4"), Slip("A", "2026", " 5")})(dir);
        }) {}
  std::string Notice() const { return session->Notice(); }
};

TEST(ListScreens, EraYearsSelectByTheirWesternYearAndEmptyListsSayWhy) {
  ListHarness h;
  h.view.ClickLabel("Label_TenkenListView");
  struct Case {
    const char* year;
    const char* month;
    std::vector<int> slips;
    const char* notice;
    bool red;
  } cases[] = {
      {"8", "5", {1, 4}, "", false},
      {"R8", "5", {1, 4}, "", false},
      {"H30", "5", {2}, "", false},
      {"平30", "5", {2}, "", false},
      // An empty month is said in black, a refused parameter in red.
      {"8", "6", {}, "令和8年6月分の点検伝票はありません。", false},
      {"8", "13", {}, "報告月の月は1から12で入れてください。", true},
      {"8", "0", {}, "報告月の月は1から12で入れてください。", true},
      {"R10", "5", {}, "報告月の年が正しくありません（例: 8、R8、H30）。", true},
      {"", "5", {}, "報告月の年が正しくありません（例: 8、R8、H30）。", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.year) + "/" + c.month);
    h.view.TypeUtf8("Edit_TenkenGeppou_ChooseYear", c.year);
    h.view.Type("Edit_TenkenGeppou_ChooseMonth", c.month);
    h.view.ClickLabel("Label_TenkenGeppou_ReDisp");
    EXPECT_EQ(h.s().tenkenItiran, c.slips);
    EXPECT_EQ(h.Notice(), c.notice);
    if (*c.notice) {
      EXPECT_EQ(h.view.Alerted(kNoticeLabel), c.red);
    }
  }
  // The caption beside the report month follows the era of the year typed.
  EXPECT_EQ(Cp932ToUtf8(h.view.Text("Label_TenkenGeppou_ChooseEra")), "令和");
  h.view.TypeUtf8("Edit_TenkenGeppou_ChooseYear", "平30");
  h.view.Press(Key::Enter);
  EXPECT_EQ(Cp932ToUtf8(h.view.Text("Label_TenkenGeppou_ChooseEra")), "平成");
  EXPECT_EQ(h.view.Text("Edit_TenkenGeppou_ChooseYear"), "H30");

  h.view.ClickLabel("Label_TenkenItiran_02");
  h.view.Type("Edit_TenkenGeppou_KokyakuName", "");
  h.view.ClickLabel("Label_TenkenGeppou_ReDisp");
  EXPECT_EQ(h.Notice(), "顧客名が空欄です。一覧する顧客の名前を入れてください。");
  EXPECT_FALSE(h.view.Alerted(kNoticeLabel));
  h.view.Type("Edit_TenkenGeppou_KokyakuName", "Z");
  h.view.ClickLabel("Label_TenkenGeppou_ReDisp");
  EXPECT_EQ(h.Notice(), "「Z」の点検伝票はありません。");
  h.view.Type("Edit_TenkenGeppou_KokyakuName", "A");
  h.view.ClickLabel("Label_TenkenGeppou_ReDisp");
  EXPECT_EQ(h.s().tenkenItiran, (std::vector<int>{2, 4}));
  EXPECT_EQ(h.view.Text("Label_TenkenGeppou_Date_01"), "H30- 5- 1");
  EXPECT_EQ(h.view.Text("Label_TenkenGeppou_Date_02"), " 8- 5- 1");
}

TEST(ListScreens, TheScheduleMarksWhoIsDoneAndCanPutTheRestFirst) {
  ListHarness h;
  h.view.ClickLabel("Label_TenkenListView");
  h.view.ClickLabel("Label_TenkenItiran_03");
  EXPECT_EQ(Cp932ToUtf8(h.view.Text("Label_TenkenYotei_Done")), "実施済 2 / 予定 3");
  EXPECT_EQ(h.view.Trimmed("Label_TenkenYotei_Kokyaku_1_01"), "A");
  EXPECT_EQ(Cp932ToUtf8(h.view.Text("Label_TenkenYotei_Mark_01")), "済");
  EXPECT_EQ(h.view.Text("Label_TenkenYotei_Mark_03"), "");
  h.view.Press(Key::F3);
  EXPECT_EQ(h.view.Trimmed("Label_TenkenYotei_Kokyaku_1_01"), "C");
  EXPECT_EQ(h.view.Text("Label_TenkenYotei_Mark_01"), "");
  EXPECT_EQ(Cp932ToUtf8(h.view.Text("Label_TenkenItiran_F3")), "F3 顧客順に戻す");
  // The order holds when the list is selected again, and F3 turns it back.
  h.view.ClickLabel("Label_TenkenYotei");
  EXPECT_EQ(h.view.Trimmed("Label_TenkenYotei_Kokyaku_1_01"), "C");
  h.view.Press(Key::F3);
  EXPECT_EQ(h.view.Trimmed("Label_TenkenYotei_Kokyaku_1_01"), "A");
  h.view.Type("Edit_TenkenYotei_Month", "13");
  h.view.ClickLabel("Label_TenkenYotei");
  EXPECT_EQ(h.Notice(), "点検予定の月は1から12で入れてください。");
  EXPECT_EQ(h.view.Text("Label_TenkenYotei_Kokyaku_1_01"), "");
  // The done count of the month shown before goes with its list.
  EXPECT_EQ(Cp932ToUtf8(h.view.Text("Label_TenkenYotei_Done")), "実施済 0 / 予定 0");
  EXPECT_EQ(h.view.Text("Label_TenkenYotei_DoneMonth"), "");
}

TEST(ListScreens, ContractEndsAreFoundYearsAhead) {
  ListHarness h;
  h.view.ClickLabel("Label_KoujiListView");
  h.view.ClickLabel("Label_KoujiItiran_02");
  EXPECT_EQ(h.view.Focused(), "Edit_Kouji_KokyakuEndYear");
  h.view.Type("Edit_Kouji_KokyakuEndYear", "12");  // 令和12年 = 2030
  h.view.Press(Key::Enter);
  h.view.Type("Edit_Kouji_KokyakuEndMonth", "3");
  h.view.Press(Key::Enter);
  EXPECT_EQ(h.view.Focused(), "Edit_KeiyakuList_Command");
  h.view.Press(Key::Enter);  // runs 再表示
  EXPECT_EQ(h.s().keiyakuItiran, (std::vector<int>{1, 3}));
  EXPECT_EQ(h.view.Trimmed("Label_KeiyakuEnd_Name_02"), "C");
  EXPECT_EQ(h.view.Text("Label344") + "/" + h.view.Text("Label349"), "1/1");
}

}  // namespace
}  // namespace tankora::testing
