// The inspection list screen's views: which view is in front, selecting it
// from the edits, drawing a page of it, paging and row clicks.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <unordered_map>

#include "customers/customer_screen.h"
#include "inspection/tenken_list_screen.h"
#include "inspection/tenken_lists.h"
#include "shell/input_framework.h"
#include "util/cp932.h"
#include "util/fixed_text.h"
#include "util/paging.h"

namespace tankora {

namespace {

// Items of a report row, as its labels spell them.
enum GeppouItem {
  kPlace1,
  kPlace2,
  kKanrisya,
  kKatasiki1,
  kKatasiki2,
  kNinsou,
  kGaikan,
  kSyuuki,
  kPh,
  kTousido,
  kAsyousan,
  kZanen,
  kIon,
  kTekiyou,
  kDate,
  kGeppouItems
};
constexpr const char* kGeppouItemNames[kGeppouItems] = {
    "Place_1", "Place_2", "Kanrisya", "Katasiki_1", "Katasiki_2", "Ninsou",  "Gaikan", "Syuuki",
    "PH",      "Tousido", "Asyousan", "Zannenn",    "Enkabutu",   "Tekiyou", "Date"};
constexpr int kSlipFieldOf[kGeppouItems] = {-1,
                                            -1,
                                            TenkenDenp::Kanrisya,
                                            -1,
                                            -1,
                                            -1,
                                            TenkenDenp::Gaikan,
                                            TenkenDenp::Syuuki,
                                            TenkenDenp::Ph,
                                            TenkenDenp::Tousido,
                                            TenkenDenp::Asyousan,
                                            TenkenDenp::Zanen,
                                            TenkenDenp::Ion,
                                            TenkenDenp::Bikou,
                                            -1};

enum YoteiItem { kYName, kYSetti, kYKatasiki1, kYKatasiki2, kYNinsou, kYMark, kYoteiItems };
constexpr const char* kYoteiItemNames[kYoteiItems] = {"Kokyaku_1",  "Setti",  "Katasiki_1",
                                                      "Katasiki_2", "Ninsou", "Mark"};

struct Names {
  std::array<std::array<std::string, kGeppouItems>, kTenkenGeppouRows> geppou;
  std::array<std::string, kTenkenGeppouRows> geppouRow;
  std::array<std::array<std::string, kYoteiItems>, kTenkenYoteiRows> yotei;
  std::array<std::string, kTenkenYoteiRows> yoteiRow;
  // Every row label and row frame (a click between the labels), to the row
  // (0-based) of its view; the schedule's rows count from 100.
  std::unordered_map<std::string, int> rowOf;
  Names() {
    char text[64];
    for (int r = 0; r < kTenkenGeppouRows; ++r) {
      const auto row = static_cast<std::size_t>(r);
      for (int i = 0; i < kGeppouItems; ++i) {
        std::snprintf(text, sizeof text, "Label_TenkenGeppou_%s_%02d", kGeppouItemNames[i], r + 1);
        geppou[row][static_cast<std::size_t>(i)] = text;
        rowOf[text] = r;
      }
      std::snprintf(text, sizeof text, "Shape_TenkenGeppou_Row_%02d", r + 1);
      geppouRow[row] = text;
      rowOf[text] = r;
    }
    for (int r = 0; r < kTenkenYoteiRows; ++r) {
      const auto row = static_cast<std::size_t>(r);
      for (int i = 0; i < kYoteiItems; ++i) {
        std::snprintf(text, sizeof text, "Label_TenkenYotei_%s_%02d", kYoteiItemNames[i], r + 1);
        yotei[row][static_cast<std::size_t>(i)] = text;
        rowOf[text] = 100 + r;
      }
      std::snprintf(text, sizeof text, "Shape_TenkenYotei_Row_%02d", r + 1);
      yoteiRow[row] = text;
      rowOf[text] = 100 + r;
    }
  }
};

const Names& N() {
  static const Names names;
  return names;
}

int Count(const Session::State& s) { return static_cast<int>(s.tenkenItiran.size()); }
int RowsOf(const Session::State& s) {
  return s.tenkenItiranMode == kTenkenYotei ? kTenkenYoteiRows : kTenkenGeppouRows;
}

void SetFrame(Session::State& s, const std::string& shape, bool selected) {
  if (selected) {
    FrameOn(s.view, shape);
  } else {
    FrameOff(s.view, shape);
  }
}

std::span<const int> PageOf(const Session::State& s) {
  const int top = std::min(s.tenkenItiranTop, Count(s));
  const int n = std::min(RowsOf(s), Count(s) - top);
  return std::span<const int>(s.tenkenItiran)
      .subspan(static_cast<std::size_t>(top), static_cast<std::size_t>(n));
}

void GeppouShow(Session::State& s) {
  const Names& names = N();
  const bool kobetu = s.tenkenItiranMode == kTenkenKobetu;
  const std::vector<TenkenListRow> rows = TenkenListRows(s.store, PageOf(s));
  for (std::size_t r = 0; r < kTenkenGeppouRows; ++r) {
    const auto& labels = names.geppou[r];
    std::array<std::string, kGeppouItems> text;
    const TenkenListRow* row = r < rows.size() ? &rows[r] : nullptr;
    if (row) {
      const Record& slip = row->slip;
      const Record& cust = row->kokyaku;
      for (int i = 0; i < kGeppouItems; ++i) {
        if (kSlipFieldOf[i] >= 0) text[static_cast<std::size_t>(i)] = slip.Get(kSlipFieldOf[i]);
      }
      // A short place or model sits on the lower of its two lines.
      if (!kobetu) {
        TwoLines place = SplitTwoLines(cust.Get(Kokyaku::SettiAddress), 20, true);
        text[kPlace1] = std::move(place.first);
        text[kPlace2] = std::move(place.second);
      }
      TwoLines model = SplitTwoLines(cust.Get(Kokyaku::KindKatasiki), 10, true);
      text[kKatasiki1] = std::move(model.first);
      text[kKatasiki2] = std::move(model.second);
      text[kNinsou] = WithUnit(cust.Get(Kokyaku::Ninsou), kPersonsUnit);
      // The date is the slip's own, shown whether or not its customer is
      // still on file: a visit does not stop having happened.
      if (kobetu) {
        text[kDate] = RowDate(
            s.eras, RowDateStyle::Dash,
            {slip.Get(TenkenDenp::Year), slip.Get(TenkenDenp::Month), slip.Get(TenkenDenp::Day)});
      }
    }
    for (int i = 0; i < kGeppouItems; ++i) {
      s.view.SetText(labels[static_cast<std::size_t>(i)], text[static_cast<std::size_t>(i)]);
    }
    // The current customer's rows are framed; in one customer's list they
    // all would be, which says nothing.
    SetFrame(s, names.geppouRow[r],
             !kobetu && row && row->kokyakuNo != 0 && row->kokyakuNo == s.loadedRecNo);
  }
  PageLabelsShow(s, "Label_TenkenGeppou_NowPage", "Label_TenkenGeppou_AllPage", s.tenkenItiranTop,
                 Count(s), kTenkenGeppouRows);
}

void YoteiShow(Session::State& s) {
  const Names& names = N();
  const std::span<const int> page = PageOf(s);
  const std::vector<KokyakuRow> rows = KokyakuRows(s.store, page);
  for (std::size_t r = 0; r < kTenkenYoteiRows; ++r) {
    const auto& labels = names.yotei[r];
    std::array<std::string, kYoteiItems> text;
    const bool have = r < rows.size();
    if (have) {
      const Record& cust = rows[r].kokyaku;
      text[kYName] = cust.Get(Kokyaku::Name);
      text[kYSetti] = cust.Get(Kokyaku::SettiAddress);
      TwoLines model = SplitTwoLines(cust.Get(Kokyaku::KindKatasiki), 10, false);
      text[kYKatasiki1] = std::move(model.first);
      text[kYKatasiki2] = std::move(model.second);
      text[kYNinsou] = WithUnit(cust.Get(Kokyaku::Ninsou), kPersonsUnit);
      const std::size_t index = static_cast<std::size_t>(s.tenkenItiranTop) + r;
      if (index < s.tenkenYoteiDone.size() && s.tenkenYoteiDone[index]) {
        text[kYMark] = Utf8ToCp932("済").value_or("");
      }
    }
    for (int i = 0; i < kYoteiItems; ++i) {
      s.view.SetText(labels[static_cast<std::size_t>(i)], text[static_cast<std::size_t>(i)]);
    }
    SetFrame(s, names.yoteiRow[r], have && rows[r].kokyakuNo == s.loadedRecNo);
  }
  PageLabelsShow(s, "Label_TenkenYotei_NowPage", "Label_TenkenYotei_AllPage", s.tenkenItiranTop,
                 Count(s), kTenkenYoteiRows);
}

void DoneCountShow(Session::State& s, const TenkenListInputs& in) {
  const int done =
      static_cast<int>(std::count(s.tenkenYoteiDone.begin(), s.tenkenYoteiDone.end(), true));
  const std::string count =
      "実施済 " + std::to_string(done) + " / 予定 " + std::to_string(Count(s));
  s.view.SetText("Label_TenkenYotei_Done", Utf8ToCp932(count).value_or(""));
  std::string month;
  if (in.doneYear > 0 && in.yoteiMonth > 0)
    month = EraMonthText(s, in.doneYear, in.yoteiMonth) + "の伝票";
  s.view.SetText("Label_TenkenYotei_DoneMonth", Utf8ToCp932(month).value_or(""));
}

void OrderCaptionShow(Session::State& s) {
  const char* caption = s.tenkenYoteiNotDoneFirst ? "F3 顧客順に戻す" : "F3 未実施を先に";
  s.view.SetText("Label_TenkenItiran_F3", Utf8ToCp932(caption).value_or(""));
}

// The schedule in list order, or those still to visit first.
void YoteiOrder(Session::State& s) {
  std::vector<std::size_t> order(s.tenkenItiran.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  // The live customers' list order is their order in the file.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (s.tenkenYoteiNotDoneFirst && s.tenkenYoteiDone[a] != s.tenkenYoteiDone[b]) {
      return !s.tenkenYoteiDone[a];
    }
    return s.tenkenItiran[a] < s.tenkenItiran[b];
  });
  std::vector<int> list(order.size());
  std::vector<bool> done(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    list[i] = s.tenkenItiran[order[i]];
    done[i] = s.tenkenYoteiDone[order[i]];
  }
  s.tenkenItiran = std::move(list);
  s.tenkenYoteiDone = std::move(done);
}

// The current customer's name into the per-customer view's name edit.
void KobetuNameFill(Session::State& s) {
  if (s.loadedRecNo == 0) return;
  s.view.SetText("Edit_TenkenGeppou_KokyakuName", s.kokyaku.Get(Kokyaku::Name));
}

}  // namespace

TenkenListInputs TenkenListInputsRead(const Session::State& s) {
  TenkenListInputs in;
  in.reportDate = ReadTypedDate(s, "Edit_TenkenGeppou_Year", "Edit_TenkenGeppou_Month",
                                "Edit_TenkenGeppou_Day");
  in.reportMonth =
      ReadTypedMonth(s, "Edit_TenkenGeppou_ChooseYear", "Edit_TenkenGeppou_ChooseMonth");
  in.kokyakuName = s.view.Text("Edit_TenkenGeppou_KokyakuName");
  while (!in.kokyakuName.empty() && in.kokyakuName.back() == ' ') in.kokyakuName.pop_back();
  in.yoteiMonth = ReadMonth(s, "Edit_TenkenYotei_Month");
  if (const std::optional<int> y = s.eras.ParseYear(s.view.Text("Edit_TenkenGeppou_Year"))) {
    in.doneYear = *y;
  }
  return in;
}

void TenkenItiranSelect(Session::State& s) {
  const TenkenListInputs in = TenkenListInputsRead(s);
  s.tenkenItiran.clear();
  s.tenkenYoteiDone.clear();
  s.tenkenItiranTop = 0;
  std::string why;
  // An empty month is news, not a fault; a refused parameter is one.
  NoticeKind kind = NoticeKind::Problem;
  switch (s.tenkenItiranMode) {
    case kTenkenGeppou:
      if (in.reportMonth.westernYear == 0) {
        why = "報告月の年が正しくありません（例: 8、R8、H30）。";
      } else if (in.reportMonth.month == 0) {
        why = "報告月の月は1から12で入れてください。";
      } else {
        s.tenkenItiran =
            TenkenGeppouSelect(s.store, in.reportMonth.westernYear, in.reportMonth.month);
        if (s.tenkenItiran.empty()) {
          why = EraMonthText(s, in.reportMonth.westernYear, in.reportMonth.month) +
                "分の点検伝票はありません。";
          kind = NoticeKind::Info;
        }
      }
      break;
    case kTenkenKobetu:
      if (TrimBlanks(in.kokyakuName).empty()) {
        why = "顧客名が空欄です。一覧する顧客の名前を入れてください。";
        // What the view first says when it is chosen: a prompt, not a fault.
        kind = NoticeKind::Info;
      } else {
        s.tenkenItiran = TenkenKobetuSelect(s.store, in.kokyakuName);
        if (s.tenkenItiran.empty()) {
          why = "「" + Cp932ToUtf8(TrimBlanks(in.kokyakuName)) + "」の点検伝票はありません。";
          kind = NoticeKind::Info;
        }
      }
      break;
    default: {
      if (in.yoteiMonth == 0) {
        why = "点検予定の月は1から12で入れてください。";
        DoneCountShow(s, in);
        break;
      }
      const std::vector<TenkenYoteiEntry> entries =
          TenkenYoteiSelect(s.store, in.yoteiMonth, in.doneYear, in.yoteiMonth);
      for (const TenkenYoteiEntry& e : entries) {
        s.tenkenItiran.push_back(e.kokyakuNo);
        s.tenkenYoteiDone.push_back(e.done);
      }
      if (s.tenkenYoteiNotDoneFirst) YoteiOrder(s);
      if (entries.empty()) {
        why = std::to_string(in.yoteiMonth) + "月に点検予定の顧客はいません。";
        kind = NoticeKind::Info;
      }
      DoneCountShow(s, in);
      break;
    }
  }
  s.SetNotice(why, kind);
  TenkenItiranShow(s);
}

void TenkenItiranShow(Session::State& s) {
  if (s.tenkenItiranMode == kTenkenYotei) {
    YoteiShow(s);
  } else {
    GeppouShow(s);
  }
}

void TenkenItiranModeDraw(Session::State& s) {
  const int mode = s.tenkenItiranMode;
  for (int m = 0; m < 3; ++m) {
    char tab[32];
    std::snprintf(tab, sizeof tab, "Label_TenkenItiran_%02d", m + 1);
    s.view.SetTabCurrent(tab, m == mode);
  }
  s.view.SetVisible("Panel_TenkenGeppou", mode != kTenkenYotei);
  s.view.SetVisible("Panel_KobetuTenkenList", mode == kTenkenKobetu);
  s.view.SetVisible("Panel_TenkenYotei", mode == kTenkenYotei);
  // The addressee is the company's; the per-customer view puts the customer
  // name in its place, in an edit of its own.
  s.view.SetVisible("Shape28", mode != kTenkenKobetu);
  s.view.SetVisible("Edit_TenkenGeppou_Teisyutusaki", mode != kTenkenKobetu);
  s.view.SetVisible("Shape_TenkenGeppou_KokyakuName", mode == kTenkenKobetu);
  s.view.SetVisible("Edit_TenkenGeppou_KokyakuName", mode == kTenkenKobetu);
  s.view.SetText("Label_TenkenTitle", Utf8ToCp932(mode == kTenkenKobetu ? "個別浄化槽保守点検一覧"
                                                                        : "  浄化槽保守点検月報  ")
                                          .value_or(""));
  s.view.SetVisible("Shape_TenkenItiran_F3", mode == kTenkenYotei);
  s.view.SetVisible("Label_TenkenItiran_F3", mode == kTenkenYotei);
  OrderCaptionShow(s);
}

void TenkenItiranModeSet(Session::State& s, int mode) {
  if (mode == s.tenkenItiranMode || mode < 0 || mode > 2) return;
  s.tenkenItiranMode = mode;
  TenkenItiranModeDraw(s);
  if (mode == kTenkenKobetu) KobetuNameFill(s);
  TenkenItiranSelect(s);
  FocusControl(s, FirstFocusOf(s, Screen::TenkenList));
}

void TenkenItiranReDisp(Session::State& s) {
  TenkenItiranSelect(s);
  FocusControl(s, FirstFocusOf(s, Screen::TenkenList));
}

void TenkenItiranEntered(Session::State& s) {
  if (s.tenkenItiranMode == kTenkenKobetu) KobetuNameFill(s);
  TenkenItiranSelect(s);
}

void TenkenItiranPrePage(Session::State& s) {
  const int top = PrevPageTop(s.tenkenItiranTop, RowsOf(s));
  if (top == s.tenkenItiranTop) return;
  s.tenkenItiranTop = top;
  TenkenItiranShow(s);
}

void TenkenItiranNextPage(Session::State& s) {
  const int top = NextPageTop(s.tenkenItiranTop, Count(s), RowsOf(s));
  if (top == s.tenkenItiranTop) return;
  s.tenkenItiranTop = top;
  TenkenItiranShow(s);
}

void TenkenYoteiOrderToggle(Session::State& s) {
  if (s.tenkenItiranMode != kTenkenYotei) return;
  s.tenkenYoteiNotDoneFirst = !s.tenkenYoteiNotDoneFirst;
  YoteiOrder(s);
  s.tenkenItiranTop = 0;
  OrderCaptionShow(s);
  TenkenItiranShow(s);
}

bool TenkenItiranLabelClick(Session::State& s, std::string_view label) {
  const auto& rowOf = N().rowOf;
  const auto it = rowOf.find(std::string(label));
  if (it == rowOf.end()) return false;
  const bool yotei = it->second >= 100;
  if (yotei != (s.tenkenItiranMode == kTenkenYotei)) return true;  // a hidden view's label
  const int index = s.tenkenItiranTop + (yotei ? it->second - 100 : it->second);
  if (index >= Count(s)) return true;  // an empty row
  const int entry = s.tenkenItiran[static_cast<std::size_t>(index)];
  int kokyakuNo = entry;
  if (!yotei) {
    const std::vector<TenkenListRow> row = TenkenListRows(s.store, std::span<const int>(&entry, 1));
    kokyakuNo = row[0].kokyakuNo;
  }
  if (kokyakuNo == 0) {
    s.SetNotice("この伝票の顧客は顧客一覧にいません。");
    return true;
  }
  if (KokyakuSelectRecord(s, kokyakuNo)) TenkenItiranShow(s);
  return true;
}

}  // namespace tankora
