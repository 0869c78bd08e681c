// The ledger screen at full size: 2000 customers and 2000 ledger entries.
// F5/F6 one step, F3 on an entry whose customer exists (ledger rewrite,
// customer rewrite, sort, locate, show), and the newest-entry search that
// runs on every customer selection, through the session as the window
// drives it, on a view that only keeps texts.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>

#include "customers/customer_screen.h"
#include "ledger/ledger_screen.h"
#include "bench_view.h"
#include "shell/session.h"
#include "shell/session_state.h"
#include "store/store.h"
#include "util/era.h"
#include "util/fixed_text.h"

namespace tankora {
namespace {

std::string CustomerName(int i) {
  char name[24];
  std::snprintf(name, sizeof name, "Customer %04d", i);
  return name;
}

// 2000 customers with random readings; 2000 entries, entry k for customer
// (k * 7) % 1999 + 1, so customers have zero to several entries spread
// through the file; customer 2000 has exactly one, the very first entry.
struct LedgerOffice {
  std::filesystem::path dir;
  std::unique_ptr<Store> store;
  EraCalendar eras{Date{2012, 10, 29}};
  NullView view;
  std::unique_ptr<Session> session;

  explicit LedgerOffice(int customers = 2000) {
    dir = std::filesystem::temp_directory_path() /
          ("tankora-bench-ledger-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::mt19937 rng(5);
    {
      std::ofstream out(dir / "Kokyaku.120", std::ios::binary);
      for (int i = 1; i <= customers; ++i) {
        Record r(KokyakuLayout());
        std::string kana(4, ' ');
        for (char& c : kana) c = static_cast<char>(0xB1 + rng() % 45);  // ｱ..ﾝ
        r.Set(Kokyaku::Kana, kana);
        r.Set(Kokyaku::Name, CustomerName(i));
        r.Set(Kokyaku::Address, "Sendai");
        out << r.Pack();
      }
    }
    {
      std::ofstream out(dir / "Kouji.120", std::ios::binary);
      for (int k = 1; k <= 2000; ++k) {
        Record r(KoujiLayout());
        r.Set(Kouji::Name, CustomerName(k == 1 ? 2000 : (k * 7) % 1999 + 1));
        r.Set(Kouji::Address, "Sendai");
        r.Set(Kouji::Money, "   1850000");
        out << r.Pack();
      }
    }
    store = std::make_unique<Store>(dir);
    if (!store->Open()) std::abort();
    session = std::make_unique<Session>(*store, eras, view);
    view.session = session.get();
    session->Start();
    session->SwitchScreen(Screen::Ledger);  // focus in Edit_Kouji_Name
  }
  ~LedgerOffice() {
    session.reset();
    store.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  Session::State& s() { return session->state(); }
  void Press(Key key) { session->FieldKeyDown(view.Focused(), key); }
};

void BM_LedgerPageStep(benchmark::State& state) {
  LedgerOffice office;
  // From the new entry back to the middle of the ledger.
  office.s().currentKoujiNo = 1001;
  bool back = true;
  for (auto _ : state) {
    office.Press(back ? Key::F5 : Key::F6);
    back = !back;
  }
  if (office.s().currentKoujiNo < 999 || office.s().currentKoujiNo > 1001) {
    state.SkipWithError("paging did not move");
  }
}
BENCHMARK(BM_LedgerPageStep)->Unit(benchmark::kMillisecond);

void BM_LedgerF3UpdatesItsCustomer(benchmark::State& state) {
  LedgerOffice office;
  office.s().currentKoujiNo = 1001;
  office.Press(Key::F5);  // entry 1000, its customer selected
  int money = 1000000;
  for (auto _ : state) {
    // A changed amount each time, committed by the command itself.
    office.view.SetText("Edit_Kouji_Money", std::to_string(++money));
    office.view.Focus("Edit_Kouji_Money");
    office.Press(Key::F3);
  }
  if (office.store->KokyakuCount() != 2000 || office.store->KoujiCount() != 2000) {
    state.SkipWithError("F3 appended");
  }
}
BENCHMARK(BM_LedgerF3UpdatesItsCustomer)->Unit(benchmark::kMillisecond);

// F3 for an orderer with no customer yet: the customer is appended with a
// blank reading, so the sort moves it to the front and rewrites the file.
// 1950 customers to begin with, so the 2000 limit is never reached.
void BM_LedgerF3CreatesItsCustomer(benchmark::State& state) {
  LedgerOffice office(1950);
  int k = 0;
  for (auto _ : state) {
    office.Press(Key::F8);
    office.view.SetText("Edit_Kouji_Name", "New orderer " + std::to_string(++k));
    office.Press(Key::F3);
  }
  if (office.store->KokyakuCount() != 1950 + k) state.SkipWithError("F3 did not append");
}
BENCHMARK(BM_LedgerF3CreatesItsCustomer)->Unit(benchmark::kMillisecond)->Iterations(8);

// The search alone: customer 2000's only entry is record 1, the last one a
// backwards scan reaches; every other entry is compared on the way.
void BM_LedgerNewestEntrySearch(benchmark::State& state) {
  LedgerOffice office;
  const std::string name = PadField(CustomerName(2000), TextAlign::Left, 20);
  for (auto _ : state) {
    benchmark::DoNotOptimize(KoujiFindNewest(*office.store, name, &office.s().kouji));
  }
}
BENCHMARK(BM_LedgerNewestEntrySearch)->Unit(benchmark::kMillisecond);

// Selecting a customer in the list as a click does: the customer read and
// shown, its slip history and its newest ledger entry found and shown.
void BM_CustomerSelectionWithLedger(benchmark::State& state) {
  LedgerOffice office;
  bool first = true;
  for (auto _ : state) {
    KokyakuRowSelect(office.s(), first ? 3 : 4);
    first = !first;
  }
}
BENCHMARK(BM_CustomerSelectionWithLedger)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tankora
