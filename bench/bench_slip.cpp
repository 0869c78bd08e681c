// The slip screen at the size of a busy office: 2000 customers, 100,000
// slips, 300 of them for the chosen customer, spread through the file.
//
//   BM_SlipSelectCustomer  choosing that customer in the list: customer read,
//                          header, history rebuild and redraw, a new slip
//   BM_SlipRegisterNew     F1 登録 of a new slip for it: the customer stored
//                          (and the list re-sorted), the slip appended, the
//                          history rebuilt and redrawn
//   BM_SlipPage            PageDw次ページ through its history: rows redrawn, the
//                          shown slip read into the entry line
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "customers/customer_screen.h"
#include "inspection/slip_screen.h"
#include "bench_view.h"
#include "shell/session.h"
#include "shell/session_state.h"
#include "store/store.h"
#include "util/era.h"

namespace {

using namespace tankora;
namespace fs = std::filesystem;

constexpr int kCustomers = 2000;
constexpr int kSlips = 100000;
constexpr int kChosenSlips = 300;
constexpr int kChosen = 1000;  // 1-based customer number

std::string Name(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "CUST%05d", i);
  return name;
}

struct Office {
  fs::path root;
  std::unique_ptr<Store> store;
  std::unique_ptr<EraCalendar> eras;
  NullView view;
  std::unique_ptr<Session> session;

  Office() {
    std::string templ = (fs::temp_directory_path() / "tankora-bench-slip-XXXXXX").string();
    root = ::mkdtemp(templ.data());
    {
      std::ofstream k(root / "Kokyaku.120", std::ios::binary);
      for (int i = 1; i <= kCustomers; ++i) {
        Record c(KokyakuLayout());
        char kana[8];
        std::snprintf(kana, sizeof kana, "%04d", i);
        c.Set(Kokyaku::Kana, kana);
        c.Set(Kokyaku::Name, Name(i));
        c.SetFlagAt(Kokyaku::Gappei, 0, true);
        k << c.Pack();
      }
      std::ofstream t(root / "TenkenDenp.120", std::ios::binary);
      // Every 333rd slip is the chosen customer's; the rest go round the others.
      const int every = kSlips / kChosenSlips;
      for (int n = 1; n <= kSlips; ++n) {
        Record s(TenkenDenpLayout());
        int owner = n % kCustomers + 1;
        if (owner == kChosen) owner = kChosen + 1;
        if (n % every == 0) owner = kChosen;
        s.Set(TenkenDenp::KokyakuName, Name(owner));
        s.Set(TenkenDenp::Year, "2012");
        s.Set(TenkenDenp::Month, " 5");
        s.Set(TenkenDenp::Day, "10");
        s.Set(TenkenDenp::Ph, "7.2");
        s.Set(TenkenDenp::Tousido, "30");
        t << s.Pack();
      }
    }
    store = std::make_unique<Store>(root);
    if (!store->Open().ok()) std::abort();
    eras = std::make_unique<EraCalendar>(Date{2012, 10, 29});
    session = std::make_unique<Session>(*store, *eras, view);
    view.session = session.get();
    session->Start();
  }
  ~Office() {
    session.reset();
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  Session::State& s() { return session->state(); }

  // Rows 0 and 1 of the page: the chosen customer and the one after it.
  void Select(int row) {
    s().kokyakuPageTop = kChosen - 1;
    KokyakuRowSelect(s(), row);
  }
};

void BM_SlipSelectCustomer(benchmark::State& state) {
  Office office;
  for (auto _ : state) {
    state.PauseTiming();
    office.Select(1);
    state.ResumeTiming();
    office.Select(0);
  }
  if (office.s().tenkenRireki.size() != kChosenSlips) state.SkipWithError("wrong history");
  state.counters["slips_listed"] = static_cast<double>(office.s().tenkenRireki.size());
}
BENCHMARK(BM_SlipSelectCustomer)->Unit(benchmark::kMillisecond);

void BM_SlipRegisterNew(benchmark::State& state) {
  Office office;
  office.Select(0);
  for (auto _ : state) {
    state.PauseTiming();
    TenkenNew(office.s());
    office.view.SetText("Edit_Panel_Tenken_Day", "12");
    state.ResumeTiming();
    office.session->FieldKeyDown("Edit_Panel_Tenken_Command", Key::F1);
  }
  if (office.store->TenkenCount() != kSlips + static_cast<int>(state.iterations())) {
    state.SkipWithError("slips not stored");
  }
}
BENCHMARK(BM_SlipRegisterNew)->Unit(benchmark::kMillisecond);

void BM_SlipPage(benchmark::State& state) {
  Office office;
  office.Select(0);
  int steps = 0;
  for (auto _ : state) {
    TenkenPageDown(office.s());
    // Back to the top before the end, where paging down does nothing.
    if (++steps == kChosenSlips / kTenkenRows) {
      state.PauseTiming();
      office.s().tenkenTop = 0;
      steps = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_SlipPage)->Unit(benchmark::kMicrosecond);

}  // namespace
