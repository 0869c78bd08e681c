// The customer screen at full size: 2000 customers and 100,000 slips.
// Selecting a row and F1 登録 of a changed customer, through the session as
// the window drives it, on a view that only keeps texts.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unordered_map>

#include "customers/customer_screen.h"
#include "bench_view.h"
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
    dir = std::filesystem::temp_directory_path() / ("tankora-bench-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    // The demo office with 2000 live customers and 100,000 slips.
    DemoOptions options;
    options.seed = 12;
    options.scale = kBenchmarkOfficeScale;
    options.scale.deletedCustomers = 0;
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
    session->SwitchScreen(Screen::Customer);
  }
  ~Office() {
    session.reset();
    store.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

Office& TheOffice() {
  static Office office;
  return office;
}

void BM_SelectCustomerRow(benchmark::State& state) {
  Office& o = TheOffice();
  int i = 0;
  for (auto _ : state) {
    char label[32];
    std::snprintf(label, sizeof label, "Label_Kokyaku_Name_%02d", 1 + (i++ % 24));
    o.session->LabelClick(label);
  }
}
BENCHMARK(BM_SelectCustomerRow)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The same without the slip and ledger screens' part (history rebuild over
// the slip file, newest ledger entry): the customer screen's own share.
void BM_SelectCustomerRowCustomerScreenOnly(benchmark::State& state) {
  Office& o = TheOffice();
  const ScreenSeams kept = o.session->state().seams;
  o.session->state().seams = ScreenSeams{};
  int i = 0;
  for (auto _ : state) {
    char label[32];
    std::snprintf(label, sizeof label, "Label_Kokyaku_Name_%02d", 1 + (i++ % 24));
    o.session->LabelClick(label);
  }
  o.session->state().seams = kept;
}
BENCHMARK(BM_SelectCustomerRowCustomerScreenOnly)->Unit(benchmark::kMillisecond)->Repetitions(5);

// F1 登録 of a stored customer whose reading changed, so the sort moves it:
// write, sort, index, list redraw and the empty new customer.
void BM_StoreChangedCustomer(benchmark::State& state) {
  Office& o = TheOffice();
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    char label[32];
    std::snprintf(label, sizeof label, "Label_Kokyaku_Name_%02d", 1 + (i % 24));
    o.session->LabelClick(label);
    const char kana[] = {static_cast<char>(0xB1 + (i * 7) % 45), 0};
    ++i;
    o.view.Type("Edit_Kokyaku_Kana", kana);
    o.session->FieldKeyDown("Edit_Kokyaku_Kana", Key::Enter);
    o.view.Type("Edit_Kokyaku_Tel", std::to_string(i));
    state.ResumeTiming();
    o.session->FieldKeyDown("Edit_Kokyaku_Tel", Key::F1);
  }
}
BENCHMARK(BM_StoreChangedCustomer)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The slip screen's store of the customer being edited: write, sort, index,
// redraw and locate.
void BM_StoreCurrentCustomer(benchmark::State& state) {
  Office& o = TheOffice();
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    char label[32];
    std::snprintf(label, sizeof label, "Label_Kokyaku_Name_%02d", 1 + (i % 24));
    o.session->LabelClick(label);
    o.session->state().kokyaku.Set(Kokyaku::Kana,
                                   std::string(1, static_cast<char>(0xB1 + (i * 11) % 45)));
    ++i;
    state.ResumeTiming();
    benchmark::DoNotOptimize(KokyakuStoreCurrent(o.session->state()));
  }
}
BENCHMARK(BM_StoreCurrentCustomer)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace
}  // namespace tankora
