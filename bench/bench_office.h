// The office the benchmarks run on, and what they share to drive it as the
// window does.
//
// The office is the demo generator's at kBenchmarkOfficeScale: 2000 live
// customers and 200 deleted ones, 100,000 slips (20 MB) and 2000 ledger
// entries, written once per run by WriteDemoOffice (so the customer file is
// sorted as the program keeps it) into a temporary folder. Benchmarks that
// store something change it as the window would; the office stays the same
// size class whatever order they run in.
//
// Each window benchmark runs warm (the files in the page cache) and cold: the
// data files are dropped from the page cache (posix_fadvise DONTNEED) before
// every iteration, outside the timed part. Only the command itself is timed
// (manual time), and the median of the iterations is reported beside the mean.
#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_view.h"
#include "shell/session.h"
#include "shell/session_state.h"
#include "store/demo_office.h"
#include "store/store.h"
#include "util/era.h"

namespace tankora::bench {

inline constexpr Date kBenchToday{2012, 10, 29};

// The generator's options for the office (GenerateDemoOffice with them gives
// its files before the customer sort).
inline DemoOptions BenchOfficeOptions() {
  DemoOptions options;
  options.seed = 12345;
  options.scale = kBenchmarkOfficeScale;
  options.today = kBenchToday;
  return options;
}

struct BenchOffice {
  std::filesystem::path root;
  std::filesystem::path data;  // the Data folder

  BenchOffice() {
    std::string templ = (std::filesystem::temp_directory_path() / "tankora-bench-XXXXXX").string();
    root = ::mkdtemp(templ.data());
    data = root / "Data";
    if (!WriteDemoOffice(data, BenchOfficeOptions())) std::abort();
  }
  ~BenchOffice() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
};

inline BenchOffice& TheOffice() {
  static BenchOffice office;
  return office;
}

// Drops the record files of `data` from the page cache, so the next read of
// them goes to the disk. (Written pages are on disk already: every write is
// flushed before it returns, and DONTNEED leaves dirty pages alone.)
inline void DropDataCache(const std::filesystem::path& data) {
  for (const char* name : {"Jisya.120", "Kokyaku.120", "TenkenDenp.120", "Kouji.120"}) {
    const int fd = ::open((data / name).c_str(), O_RDONLY);
    if (fd < 0) continue;
    (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
  }
}

// A store opened on the office and a session on it, as the window starts
// them (the slip screen in front).
struct WindowSession {
  Store store;
  EraCalendar eras{kBenchToday};
  NullView view;
  std::unique_ptr<Session> session;

  explicit WindowSession(const std::filesystem::path& data = TheOffice().data) : store(data) {
    if (!store.Open()) std::abort();
    session = std::make_unique<Session>(store, eras, view);
    view.session = session.get();
    session->Start();
  }
  Session::State& s() { return session->state(); }
  void Press(Key key) { session->FieldKeyDown(view.Focused(), key); }
  // A click on row `row` (0..23) of the customer list.
  void ClickRow(int row) {
    char label[32];
    std::snprintf(label, sizeof label, "Label_Kokyaku_Name_%02d", 1 + row % 24);
    session->LabelClick(label);
  }
};

// Times the command of each iteration, warm or with the data files dropped
// from the page cache first; reports the median and the slowest besides the
// mean Google Benchmark prints. Register with manual time.
class CommandTimer {
 public:
  CommandTimer(benchmark::State& state, bool cold) : state_(state), cold_(cold) {}
  ~CommandTimer() {
    if (ms_.empty()) return;
    std::sort(ms_.begin(), ms_.end());
    state_.counters["median_ms"] = ms_[ms_.size() / 2];
    state_.counters["max_ms"] = ms_.back();
  }

  template <class Command>
  void Time(Command&& command) {
    if (cold_) DropDataCache(TheOffice().data);
    const auto start = std::chrono::steady_clock::now();
    command();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state_.SetIterationTime(seconds);
    ms_.push_back(seconds * 1000);
  }

 private:
  benchmark::State& state_;
  bool cold_;
  std::vector<double> ms_;
};

}  // namespace tankora::bench

// Registers `fn(state, bool cold)` twice: /warm, and /cold with a fixed number
// of iterations (each drops the cache, which the timed part does not count).
#define TANKORA_WARM_AND_COLD(fn, coldIterations)                                         \
  BENCHMARK_CAPTURE(fn, warm, false)->UseManualTime()->Unit(benchmark::kMillisecond);     \
  BENCHMARK_CAPTURE(fn, cold, true)                                                       \
      ->UseManualTime()                                                                   \
      ->Iterations(coldIterations)                                                        \
      ->Unit(benchmark::kMillisecond)
