// What the window runs, through the session as the window drives it, on the
// benchmark office (bench_office.h: 2000 live and 200 deleted customers,
// 100,000 slips, 2000 ledger entries). Each runs /warm and /cold (the data
// files dropped from the page cache before every iteration).
//
//   BM_StoreOpen          start-up: the four files opened, every index built
//   BM_RowSelect          a click on a row of the customer list: the customer
//                         read and shown, its slip history and its newest
//                         ledger entry found and shown
//   BM_SlipHistory        the history alone: rebuilt for the customer and drawn
//   BM_SlipPage           PageDw次ページ through a history
//   BM_SlipF1             F1 登録 of a new slip: its customer re-stored when
//                         changed, the slip appended, the history redrawn
//   BM_CustomerF1Stays    customer F1 of a changed telephone number (no record moves)
//   BM_CustomerF1Moves    customer F1 of a changed reading (the sort moves it)
//   BM_LedgerPageStep     ledger F5 and F6 in turn
//   BM_LedgerF3           ledger F3 of a changed amount: the entry and its customer
#include <benchmark/benchmark.h>

#include <string>

#include "bench_office.h"
#include "customers/customer_screen.h"
#include "inspection/slip_screen.h"
#include "ledger/ledger_screen.h"

namespace tankora {
namespace {

using bench::CommandTimer;
using bench::TheOffice;
using bench::WindowSession;

void BM_StoreOpen(benchmark::State& state, bool cold) {
  const std::filesystem::path data = TheOffice().data;
  int active = 0, slips = 0;
  CommandTimer timer(state, cold);
  for (auto _ : state) {
    timer.Time([&] {
      Store store(data);
      if (!store.Open()) state.SkipWithError("open failed");
      active = store.ActiveCount();
      slips = store.TenkenCount();
    });
  }
  state.counters["active"] = active;
  state.counters["slips"] = slips;
}
TANKORA_WARM_AND_COLD(BM_StoreOpen, 20);

void BM_RowSelect(benchmark::State& state, bool cold) {
  WindowSession w;
  int row = 0;
  std::size_t listed = 0;
  CommandTimer timer(state, cold);
  for (auto _ : state) {
    timer.Time([&] { w.ClickRow(row++); });
    listed += w.s().tenkenRireki.size();
  }
  state.counters["slips_listed"] =
      static_cast<double>(listed) / static_cast<double>(std::max<int64_t>(1, state.iterations()));
}
TANKORA_WARM_AND_COLD(BM_RowSelect, 48);

void BM_SlipHistory(benchmark::State& state, bool cold) {
  WindowSession w;
  w.ClickRow(5);
  CommandTimer timer(state, cold);
  for (auto _ : state) {
    timer.Time([&] {
      TenkenRirekiLoad(w.s());
      TenkenRirekiShow(w.s());
    });
  }
  state.counters["slips_listed"] = static_cast<double>(w.s().tenkenRireki.size());
}
TANKORA_WARM_AND_COLD(BM_SlipHistory, 30);

void BM_SlipPage(benchmark::State& state, bool cold) {
  WindowSession w;
  w.ClickRow(5);
  const int pages = static_cast<int>(w.s().tenkenRireki.size()) / kTenkenRows;
  int steps = 0;
  CommandTimer timer(state, cold);
  for (auto _ : state) {
    // Back to the top before the end, where paging down does nothing.
    if (steps++ == pages) {
      w.s().tenkenTop = 0;
      steps = 0;
    }
    timer.Time([&] { TenkenPageDown(w.s()); });
  }
}
TANKORA_WARM_AND_COLD(BM_SlipPage, 30);

void BM_SlipF1(benchmark::State& state, bool cold) {
  WindowSession w;
  const int before = w.store.TenkenCount();
  int row = 0;
  CommandTimer timer(state, cold);
  for (auto _ : state) {
    w.ClickRow(row++);
    TenkenNew(w.s());
    w.view.SetText("Edit_Panel_Tenken_Day", "12");
    timer.Time([&] { w.session->FieldKeyDown("Edit_Panel_Tenken_Command", Key::F1); });
  }
  if (w.store.TenkenCount() != before + static_cast<int>(state.iterations())) {
    state.SkipWithError("slips not stored");
  }
}
TANKORA_WARM_AND_COLD(BM_SlipF1, 20);

void BM_CustomerF1Stays(benchmark::State& state, bool cold) {
  WindowSession w;
  w.session->SwitchScreen(Screen::Customer);
  int i = 0;
  CommandTimer timer(state, cold);
  for (auto _ : state) {
    w.ClickRow(i);
    w.view.Type("Edit_Kokyaku_Tel", "022-" + std::to_string(100000 + i++));
    timer.Time([&] { w.session->FieldKeyDown("Edit_Kokyaku_Tel", Key::F1); });
  }
}
TANKORA_WARM_AND_COLD(BM_CustomerF1Stays, 20);

void BM_CustomerF1Moves(benchmark::State& state, bool cold) {
  WindowSession w;
  w.session->SwitchScreen(Screen::Customer);
  int i = 0, moved = 0;
  CommandTimer timer(state, cold);
  for (auto _ : state) {
    w.ClickRow(i);
    const int before = w.s().loadedRecNo;
    // A reading of ｲ..ﾝ: the first page holds readings in ｱ, so it moves.
    const char kana[] = {static_cast<char>(0xB2 + (i * 7) % 44), 0};
    ++i;
    w.view.Type("Edit_Kokyaku_Kana", kana);
    w.session->FieldKeyDown("Edit_Kokyaku_Kana", Key::Enter);
    w.view.Type("Edit_Kokyaku_Tel", "022-" + std::to_string(200000 + i));
    timer.Time([&] { w.session->FieldKeyDown("Edit_Kokyaku_Tel", Key::F1); });
    moved += w.store.KokyakuFind(w.s().kokyaku.Get(Kokyaku::Name)) != before;
  }
  state.counters["moved"] = moved;
}
TANKORA_WARM_AND_COLD(BM_CustomerF1Moves, 8);

void BM_LedgerPageStep(benchmark::State& state, bool cold) {
  WindowSession w;
  w.session->SwitchScreen(Screen::Ledger);  // focus in Edit_Kouji_Name
  w.s().currentKoujiNo = 1001;
  bool back = true;
  CommandTimer timer(state, cold);
  for (auto _ : state) {
    timer.Time([&] { w.Press(back ? Key::F5 : Key::F6); });
    back = !back;
  }
  if (w.s().currentKoujiNo < 999 || w.s().currentKoujiNo > 1001) {
    state.SkipWithError("paging did not move");
  }
}
TANKORA_WARM_AND_COLD(BM_LedgerPageStep, 48);

void BM_LedgerF3(benchmark::State& state, bool cold) {
  WindowSession w;
  w.session->SwitchScreen(Screen::Ledger);
  w.s().currentKoujiNo = 1001;
  w.Press(Key::F5);  // entry 1000, its customer selected
  const int customers = w.store.KokyakuCount(), entries = w.store.KoujiCount();
  int money = 1000000;
  CommandTimer timer(state, cold);
  for (auto _ : state) {
    // A changed amount each time, committed by the command itself.
    w.view.SetText("Edit_Kouji_Money", std::to_string(++money));
    w.view.Focus("Edit_Kouji_Money");
    timer.Time([&] { w.Press(Key::F3); });
  }
  if (w.store.KokyakuCount() != customers || w.store.KoujiCount() != entries) {
    state.SkipWithError("F3 appended");
  }
}
TANKORA_WARM_AND_COLD(BM_LedgerF3, 20);

}  // namespace
}  // namespace tankora
