// The contract list screen's views: which view is in front, selecting it
// from the edits, drawing a page of it, paging and row clicks.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "customers/customer_screen.h"
#include "ledger/keiyaku_list_screen.h"
#include "ledger/keiyaku_lists.h"
#include "shell/input_framework.h"
#include "util/cp932.h"
#include "util/fixed_text.h"
#include "util/paging.h"

namespace tankora {

namespace {

// One view: its rows, its labels (by item) and page labels.
struct ViewDef {
  const char* prefix;  // label names are prefix + item + "_%02d"
  int rows;
  std::vector<const char*> items;
  const char* rowShape;  // "%02d"
  const char* nowPage;
  const char* allPage;
  const char* panel;
  const char* tab;
};

const ViewDef kViews[3] = {
    {"Label_HosyuKeiyaku_Geppou_",
     kKeiyakuGeppouRows,
     {"Date", "Place", "KanrisyaName", "Katasiki", "Ninsou", "Kikan"},
     "Shape_HosyuKeiyaku_Geppou_Row_%02d",
     "Label_HosyuKeiyaku_Geppou_NowPage",
     "Label_HosyuKeiyaku_Geppou_AllPage",
     "Panel_HosyuKeiyaku_Geppou",
     "Label_KoujiItiran_01"},
    {"Label_KeiyakuEnd_",
     kKeiyakuEndRows,
     {"Name", "Setti", "Katasiki_1", "Katasiki_2", "Ninsou"},
     "Shape_KeiyakuEnd_Row_%02d",
     "Label344",
     "Label349",
     "Panel_KeiyakuEnd",
     "Label_KoujiItiran_02"},
    {"Label_SyuukinYotei_",
     kSyuukinYoteiRows,
     {"Name", "Address", "Tel", "Syuukingaku"},
     "Shape_SyuukinYotei_Row_%02d",
     "Label464",
     "Label466",
     "Panel_SyuukinYotei",
     "Label_KoujiItiran_03"},
};

struct Names {
  // labels[view][row][item], shapes[view][row]
  std::array<std::vector<std::vector<std::string>>, 3> labels;
  std::array<std::vector<std::string>, 3> shapes;
  // Every row label and row frame (a click between the labels), to its
  // view * 100 + row (0-based).
  std::unordered_map<std::string, int> rowOf;
  Names() {
    char text[80];
    for (int v = 0; v < 3; ++v) {
      const ViewDef& d = kViews[v];
      auto& rows = labels[static_cast<std::size_t>(v)];
      rows.resize(static_cast<std::size_t>(d.rows));
      for (int r = 0; r < d.rows; ++r) {
        for (const char* item : d.items) {
          std::snprintf(text, sizeof text, "%s%s_%02d", d.prefix, item, r + 1);
          rows[static_cast<std::size_t>(r)].push_back(text);
          rowOf[text] = v * 100 + r;
        }
        std::snprintf(text, sizeof text, d.rowShape, r + 1);
        shapes[static_cast<std::size_t>(v)].push_back(text);
        rowOf[text] = v * 100 + r;
      }
    }
  }
};

const Names& N() {
  static const Names names;
  return names;
}

int Count(const Session::State& s) { return static_cast<int>(s.keiyakuItiran.size()); }
int Mode(const Session::State& s) {
  return s.keiyakuListMode >= 0 && s.keiyakuListMode < 3 ? s.keiyakuListMode : 0;
}
int RowsOf(const Session::State& s) { return kViews[Mode(s)].rows; }

// The texts of one row of the view in front, by item.
std::vector<std::string> RowTexts(const Session::State& s, const Record& c) {
  switch (Mode(s)) {
    case kKeiyakuGeppou: {
      // The contract period goes with the contract: shown here as the
      // report prints it, start and end.
      std::string kikan;
      const std::string from =
          RowDate(s.eras, RowDateStyle::From,
                  {c.Get(Kokyaku::KeiyakuStartYear), c.Get(Kokyaku::KeiyakuStartMonth),
                   c.Get(Kokyaku::KeiyakuStartDay)});
      const std::string to =
          RowDate(s.eras, RowDateStyle::Dot,
                  {c.Get(Kokyaku::KeiyakuEndYear), c.Get(Kokyaku::KeiyakuEndMonth),
                   c.Get(Kokyaku::KeiyakuEndDay)});
      if (!TrimBlanks(c.Get(Kokyaku::KeiyakuStartYear)).empty() ||
          !TrimBlanks(c.Get(Kokyaku::KeiyakuEndYear)).empty()) {
        kikan = from + to;
      }
      return {RowDate(s.eras, RowDateStyle::Dash,
                      {c.Get(Kokyaku::KeiyakuYear), c.Get(Kokyaku::KeiyakuMonth),
                       c.Get(Kokyaku::KeiyakuDay)}),
              std::string(c.Get(Kokyaku::SettiAddress)),
              std::string(c.Get(Kokyaku::KanriGyousya)),
              std::string(c.Get(Kokyaku::KindKatasiki)),
              WithUnit(c.Get(Kokyaku::Ninsou), kPersonsUnit),
              kikan};
    }
    case kKeiyakuEnd: {
      const std::string_view model = c.Get(Kokyaku::KindKatasiki);
      TwoLines lines = SplitTwoLines(model, 10, false);
      return {std::string(c.Get(Kokyaku::Name)), std::string(c.Get(Kokyaku::SettiAddress)),
              std::move(lines.first), std::move(lines.second),
              WithUnit(c.Get(Kokyaku::Ninsou), kPersonsUnit)};
    }
    default:
      return {std::string(c.Get(Kokyaku::Name)), std::string(c.Get(Kokyaku::Address)),
              WithUnit(c.Get(Kokyaku::Tel), "TEL ", true),
              WithUnit(SyuukinAmount(c, s.syuukinMonth), kYenUnit)};
  }
}

}  // namespace

KeiyakuListInputs KeiyakuListInputsRead(const Session::State& s) {
  KeiyakuListInputs in;
  in.reportDate = ReadTypedDate(s, "Edit_HosyuKeiyaku_Geppou_Year",
                                "Edit_HosyuKeiyaku_Geppou_Month", "Edit_HosyuKeiyaku_Geppou_Day");
  in.geppouMonth = ReadTypedMonth(s, "Edit_HosyuKeiyaku_Geppou_ChooseYear",
                                  "Edit_HosyuKeiyaku_Geppou_ChooseMonth");
  in.endMonth = ReadTypedMonth(s, "Edit_Kouji_KokyakuEndYear", "Edit_Kouji_KokyakuEndMonth");
  in.syuukinMonth = ReadMonth(s, "Edit_Kouji_SyuukinMonth");
  return in;
}

void KeiyakuListSelect(Session::State& s) {
  const KeiyakuListInputs in = KeiyakuListInputsRead(s);
  s.keiyakuItiran.clear();
  s.keiyakuItiranTop = 0;
  std::string why;
  // An empty month is news, not a fault; a refused parameter is one.
  NoticeKind kind = NoticeKind::Problem;
  const auto byMonth = [&](const TypedMonth& m, auto select, const char* none) {
    if (m.westernYear == 0) {
      why = "年が正しくありません（例: 8、R8、H30）。";
    } else if (m.month == 0) {
      why = "月は1から12で入れてください。";
    } else {
      s.keiyakuItiran = select(s.store, m.westernYear, m.month);
      if (s.keiyakuItiran.empty()) {
        why = EraMonthText(s, m.westernYear, m.month) + none;
        kind = NoticeKind::Info;
      }
    }
  };
  switch (Mode(s)) {
    case kKeiyakuGeppou:
      byMonth(in.geppouMonth, KeiyakuGeppouSelect, "に契約した顧客はいません。");
      break;
    case kKeiyakuEnd:
      byMonth(in.endMonth, KeiyakuEndSelect, "に契約が終わる顧客はいません。");
      break;
    default:
      s.syuukinMonth = in.syuukinMonth;
      if (in.syuukinMonth == 0) {
        why = "集金予定の月は1から12で入れてください。";
      } else {
        s.keiyakuItiran = SyuukinYoteiSelect(s.store, in.syuukinMonth);
        if (s.keiyakuItiran.empty()) {
          why = std::to_string(in.syuukinMonth) + "月に集金予定の顧客はいません。";
          kind = NoticeKind::Info;
        }
      }
      break;
  }
  s.SetNotice(why, kind);
  KeiyakuListShow(s);
}

void KeiyakuListShow(Session::State& s) {
  const Names& names = N();
  const int mode = Mode(s);
  const int top = std::min(s.keiyakuItiranTop, Count(s));
  const int n = std::min(RowsOf(s), Count(s) - top);
  const std::vector<KokyakuRow> rows = KokyakuRows(
      s.store, std::span<const int>(s.keiyakuItiran)
                   .subspan(static_cast<std::size_t>(top), static_cast<std::size_t>(n)));
  const auto& labels = names.labels[static_cast<std::size_t>(mode)];
  for (std::size_t r = 0; r < labels.size(); ++r) {
    const bool have = r < rows.size();
    std::vector<std::string> texts;
    if (have) {
      texts = RowTexts(s, rows[r].kokyaku);
    } else {
      texts.assign(labels[r].size(), std::string());
    }
    for (std::size_t i = 0; i < labels[r].size(); ++i) s.view.SetText(labels[r][i], texts[i]);
    const std::string& shape = names.shapes[static_cast<std::size_t>(mode)][r];
    if (have && rows[r].kokyakuNo == s.loadedRecNo) {
      FrameOn(s.view, shape);
    } else {
      FrameOff(s.view, shape);
    }
  }
  PageLabelsShow(s, kViews[mode].nowPage, kViews[mode].allPage, s.keiyakuItiranTop, Count(s),
                 RowsOf(s));
}

void KeiyakuListModeDraw(Session::State& s) {
  for (int m = 0; m < 3; ++m) {
    s.view.SetVisible(kViews[m].panel, m == Mode(s));
    s.view.SetTabCurrent(kViews[m].tab, m == Mode(s));
  }
}

void KeiyakuListModeSet(Session::State& s, int mode) {
  if (mode == s.keiyakuListMode || mode < 0 || mode > 2) return;
  s.keiyakuListMode = mode;
  KeiyakuListModeDraw(s);
  KeiyakuListSelect(s);
  FocusControl(s, FirstFocusOf(s, Screen::KeiyakuList));
}

void KeiyakuListReDisp(Session::State& s) {
  KeiyakuListSelect(s);
  FocusControl(s, FirstFocusOf(s, Screen::KeiyakuList));
}

void KeiyakuListPrePage(Session::State& s) {
  const int top = PrevPageTop(s.keiyakuItiranTop, RowsOf(s));
  if (top == s.keiyakuItiranTop) return;
  s.keiyakuItiranTop = top;
  KeiyakuListShow(s);
}

void KeiyakuListNextPage(Session::State& s) {
  const int top = NextPageTop(s.keiyakuItiranTop, Count(s), RowsOf(s));
  if (top == s.keiyakuItiranTop) return;
  s.keiyakuItiranTop = top;
  KeiyakuListShow(s);
}

bool KeiyakuListLabelClick(Session::State& s, std::string_view label) {
  const auto& rowOf = N().rowOf;
  const auto it = rowOf.find(std::string(label));
  if (it == rowOf.end()) return false;
  if (it->second / 100 != Mode(s)) return true;  // a hidden view's label
  const int index = s.keiyakuItiranTop + it->second % 100;
  if (index >= Count(s)) return true;  // an empty row
  if (KokyakuSelectRecord(s, s.keiyakuItiran[static_cast<std::size_t>(index)])) {
    KeiyakuListShow(s);
  }
  return true;
}

}  // namespace tankora
