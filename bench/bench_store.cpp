// The customer sort on the benchmark office (bench_office.h), from the
// customer file as the customers were registered:
//
//   BM_KokyakuSortAndIndex     the customer sort as the program does it
//   BM_KokyakuSortLiteralOnDisk the historical record-by-record sort on the same file,
//                              once, for comparison (the counter "times_slower")
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_office.h"
#include "store/demo_office.h"
#include "store/store.h"

namespace {

using tankora::Store;
namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Puts the file on disk, as a customer file is before anyone sorts it.
void SyncFile(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The customer file as the demo generator registered them, not yet sorted.
struct Unsorted {
  std::string kokyaku;
  Unsorted() { kokyaku = tankora::GenerateDemoOffice(tankora::bench::BenchOfficeOptions()).kokyaku; }
};

const std::string& UnsortedKokyaku() {
  static Unsorted unsorted;
  return unsorted.kokyaku;
}

// The sort as it used to run: one read per record visited, two writes per
// exchange, all on the file itself.
void LiteralOnDiskExchangeSort(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDWR);
  if (fd < 0) return;
  const off_t size = ::lseek(fd, 0, SEEK_END);
  const int count = static_cast<int>(size / 1000);
  char a[1000], b[1000];
  for (int i = 0; i + 1 < count; ++i) {
    if (::pread(fd, a, 1000, off_t{i} * 1000) != 1000) break;
    if (a[0] == '1') continue;
    for (int k = i + 1; k < count; ++k) {
      if (::pread(fd, b, 1000, off_t{k} * 1000) != 1000) break;
      if (b[0] == '1') continue;
      if (std::memcmp(a + 1, b + 1, 4) > 0) {  // memcmp compares unsigned bytes
        char t[1000];
        std::memcpy(t, a, 1000);
        std::memcpy(a, b, 1000);
        std::memcpy(b, t, 1000);
        if (::pwrite(fd, a, 1000, off_t{i} * 1000) != 1000) break;
        if (::pwrite(fd, b, 1000, off_t{k} * 1000) != 1000) break;
      }
    }
  }
  ::close(fd);
}

// Milliseconds of one literal sort, and whether it left exactly the bytes the
// program's sort leaves; measured once.
struct LiteralResult {
  double ms = 0;
  bool sameBytes = false;
};

LiteralResult& Literal() {
  static LiteralResult result = [] {
    const tankora::bench::BenchOffice& office = tankora::bench::TheOffice();
    const fs::path path = office.root / "literal.120";
    WriteFile(path, UnsortedKokyaku());
    const auto start = std::chrono::steady_clock::now();
    LiteralOnDiskExchangeSort(path);
    const auto stop = std::chrono::steady_clock::now();
    LiteralResult r;
    r.ms = std::chrono::duration<double, std::milli>(stop - start).count();

    WriteFile(office.data / "Kokyaku.120", UnsortedKokyaku());
    Store store(office.data);
    (void)store.Open();
    (void)store.KokyakuSortAndIndex();
    r.sameBytes = ReadFile(path) == ReadFile(office.data / "Kokyaku.120");
    return r;
  }();
  return result;
}

void BM_KokyakuSortLiteralOnDisk(benchmark::State& state) {
  for (auto _ : state) {
    state.SetIterationTime(Literal().ms / 1000.0);
  }
  state.counters["same_bytes"] = Literal().sameBytes ? 1 : 0;
}
BENCHMARK(BM_KokyakuSortLiteralOnDisk)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kMillisecond);

void BM_KokyakuSortAndIndex(benchmark::State& state) {
  const tankora::bench::BenchOffice& office = tankora::bench::TheOffice();
  const LiteralResult literal = Literal();
  Store store(office.data);
  (void)store.Open();
  double total = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WriteFile(office.data / "Kokyaku.120", UnsortedKokyaku());
    SyncFile(office.data / "Kokyaku.120");
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    const tankora::Status s = store.KokyakuSortAndIndex();
    total +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!s) state.SkipWithError(s.detail.c_str());
  }
  state.counters["active"] = store.ActiveCount();
  state.counters["literal_ms"] = literal.ms;
  state.counters["times_slower"] = literal.ms / (total / static_cast<double>(state.iterations()));
  state.counters["same_bytes"] = literal.sameBytes ? 1 : 0;
}
BENCHMARK(BM_KokyakuSortAndIndex)->Unit(benchmark::kMillisecond);

}  // namespace
