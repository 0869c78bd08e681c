// The two list screens on the benchmark office (bench_office.h: 2000 live
// customers, 100,000 slips over three years, about 2,800 slips a month),
// through the session as the window drives it, on a view that only keeps texts.
//
//   BM_ListSelectAndDraw/v  再表示 of view v: the selection and its first page
//                           (0 monthly report, 1 one customer, 2 schedule,
//                           3 contract monthly, 4 contract end, 5 collection)
//   BM_ListPageTurn/v       F6 and F5 in turn on view v: one page drawn
//   BM_ListTabSwitch/s      the tab of screen s (3 inspection lists, 4 contract
//                           lists) from the customer screen: shown, selected, drawn
#include <benchmark/benchmark.h>

#include <string>

#include "bench_office.h"
#include "inspection/tenken_list_screen.h"
#include "ledger/keiyaku_list_screen.h"

namespace tankora {
namespace {

struct Office : bench::WindowSession {
  Office() {
    // A customer chosen, for the per-customer view.
    session->SwitchScreen(Screen::Customer);
    session->LabelClick("Label_Kokyaku_Name_05");
  }

  // View v (0..5) in front, selected once.
  void Show(int v) {
    Session::State& s = session->state();
    if (v < 3) {
      session->SwitchScreen(Screen::TenkenList);
      TenkenItiranModeSet(s, v);
      if (v == kTenkenKobetu)
        view.SetText("Edit_TenkenGeppou_KokyakuName", s.kokyaku.Get(Kokyaku::Name));
    } else {
      session->SwitchScreen(Screen::KeiyakuList);
      KeiyakuListModeSet(s, v - 3);
    }
    ReDisp(v);
  }
  void ReDisp(int v) {
    static const char* kLabels[] = {"Label_TenkenGeppou_ReDisp",
                                    "Label_TenkenGeppou_ReDisp",
                                    "Label_TenkenYotei",
                                    "Label_Panel_HosyuKeiyaku_Geppou_ReDisp",
                                    "Label_Panel_KeiyakuEnd_ReDisp",
                                    "Label_Panel_SyuukinYotei_ReDisp"};
    session->LabelClick(kLabels[v]);
  }
  int Entries(int v) {
    Session::State& s = session->state();
    return static_cast<int>(v < 3 ? s.tenkenItiran.size() : s.keiyakuItiran.size());
  }
};

void BM_ListSelectAndDraw(benchmark::State& state) {
  Office o;
  const int v = static_cast<int>(state.range(0));
  o.Show(v);
  for (auto _ : state) o.ReDisp(v);
  state.counters["entries"] = o.Entries(v);
}
BENCHMARK(BM_ListSelectAndDraw)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_ListPageTurn(benchmark::State& state) {
  Office o;
  const int v = static_cast<int>(state.range(0));
  o.Show(v);
  const std::string focused = o.view.Focused();
  bool forward = true;
  for (auto _ : state) {
    o.session->FieldKeyDown(focused, forward ? Key::F6 : Key::F5);
    forward = !forward;
  }
  state.counters["entries"] = o.Entries(v);
}
// The views whose selections here fill more than one page.
BENCHMARK(BM_ListPageTurn)->Arg(0)->Arg(1)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_ListTabSwitch(benchmark::State& state) {
  Office o;
  const auto screen = static_cast<Screen>(state.range(0));
  o.Show(screen == Screen::TenkenList ? 0 : 3);
  for (auto _ : state) {
    state.PauseTiming();
    o.session->SwitchScreen(Screen::Customer);
    state.ResumeTiming();
    o.session->SwitchScreen(screen);
  }
}
BENCHMARK(BM_ListTabSwitch)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tankora
