// The two list screens at full size: 2000 customers and 100,000 slips over
// three years (about 2,800 slips a month, 670 customers scheduled), through
// the session as the window drives it, on a view that only keeps texts.
//
//   BM_ListSelectAndDraw/v  再表示 of view v: the selection and its first page
//                           (0 monthly report, 1 one customer, 2 schedule,
//                           3 contract monthly, 4 contract end, 5 collection)
//   BM_ListPageTurn/v       F6 and F5 in turn on view v: one page drawn
//   BM_ListTabSwitch/s      the tab of screen s (3 inspection lists, 4 contract
//                           lists) from the customer screen: shown, selected, drawn
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench_view.h"
#include "inspection/tenken_list_screen.h"
#include "ledger/keiyaku_list_screen.h"
#include "shell/session.h"
#include "shell/session_state.h"
#include "store/demo_office.h"
#include "store/store.h"
#include "util/era.h"

namespace tankora {
namespace {

struct Office {
  std::filesystem::path dir;
  std::unique_ptr<Store> store;
  EraCalendar eras{Date{2012, 10, 29}};
  NullView view;
  std::unique_ptr<Session> session;

  Office() {
    dir = std::filesystem::temp_directory_path() /
          ("tankora-bench-lists-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    DemoOptions options;
    options.seed = 12;
    options.scale = kBenchmarkOfficeScale;
    options.today = eras.Today();
    const DemoImages office = GenerateDemoOffice(options);
    std::ofstream(dir / "Kokyaku.120", std::ios::binary) << office.kokyaku;
    std::ofstream(dir / "TenkenDenp.120", std::ios::binary) << office.tenken;
    store = std::make_unique<Store>(dir);
    if (!store->Open()) std::abort();
    if (!store->KokyakuSortAndIndex()) std::abort();
    session = std::make_unique<Session>(*store, eras, view);
    view.session = session.get();
    session->Start();
    // A customer chosen, for the per-customer view.
    session->SwitchScreen(Screen::Customer);
    session->LabelClick("Label_Kokyaku_Name_05");
  }
  ~Office() {
    session.reset();
    store.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
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

Office& TheOffice() {
  static Office office;
  return office;
}

void BM_ListSelectAndDraw(benchmark::State& state) {
  Office& o = TheOffice();
  const int v = static_cast<int>(state.range(0));
  o.Show(v);
  for (auto _ : state) o.ReDisp(v);
  state.counters["entries"] = o.Entries(v);
}
BENCHMARK(BM_ListSelectAndDraw)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_ListPageTurn(benchmark::State& state) {
  Office& o = TheOffice();
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
  Office& o = TheOffice();
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
