// The record store at the size of a busy office: 2000 live customers (and
// 200 deleted), 100,000 inspection slips.
//
//   BM_KokyakuSortAndIndex     the customer sort as the program does it
//   BM_KokyakuSortLiteralOnDisk the historical record-by-record sort on the same file,
//                              once, for comparison (the counter "times_slower")
//   BM_StoreOpen               start-up: open the four files and build the index
//   BM_SlipScanOneCustomer     one pass over all slips picking one customer's
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

// The data, built once per run in a temporary folder.
struct Office {
  fs::path root;
  fs::path data;  // the Data folder the benchmarks open
  std::string unsortedKokyaku;
  std::vector<std::string> names;  // 20 bytes each, in registration order

  Office() {
    std::string templ = (fs::temp_directory_path() / "tankora-bench-XXXXXX").string();
    root = ::mkdtemp(templ.data());
    data = root / "Data";
    fs::create_directories(data);

    // The demo office at a busy office's size, customers in the order they
    // were registered (unsorted), slips in the order they were stored.
    tankora::DemoOptions options;
    options.seed = 12345;
    options.scale = tankora::kBenchmarkOfficeScale;
    options.today = tankora::Date{2012, 10, 29};
    tankora::DemoImages office = tankora::GenerateDemoOffice(options);
    unsortedKokyaku = std::move(office.kokyaku);
    const std::string& slips = office.tenken;
    names = std::move(office.names);
    WriteFile(data / "Kokyaku.120", unsortedKokyaku);
    WriteFile(data / "TenkenDenp.120", slips);
    Store store(data);
    (void)store.Open();  // creates the company and ledger files
  }
  ~Office() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

Office& TheOffice() {
  static Office office;
  return office;
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
    Office& office = TheOffice();
    const fs::path path = office.root / "literal.120";
    WriteFile(path, office.unsortedKokyaku);
    const auto start = std::chrono::steady_clock::now();
    LiteralOnDiskExchangeSort(path);
    const auto stop = std::chrono::steady_clock::now();
    LiteralResult r;
    r.ms = std::chrono::duration<double, std::milli>(stop - start).count();

    WriteFile(office.data / "Kokyaku.120", office.unsortedKokyaku);
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
  Office& office = TheOffice();
  const LiteralResult literal = Literal();
  Store store(office.data);
  (void)store.Open();
  double total = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WriteFile(office.data / "Kokyaku.120", office.unsortedKokyaku);
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

void BM_StoreOpen(benchmark::State& state) {
  Office& office = TheOffice();
  int active = 0;
  for (auto _ : state) {
    Store store(office.data);
    const tankora::Status s = store.Open();
    if (!s) state.SkipWithError(s.detail.c_str());
    active = store.ActiveCount();
    benchmark::DoNotOptimize(store.TenkenCount());
  }
  state.counters["active"] = active;
}
BENCHMARK(BM_StoreOpen)->Unit(benchmark::kMillisecond);

void BM_SlipScanOneCustomer(benchmark::State& state) {
  Office& office = TheOffice();
  Store store(office.data);
  (void)store.Open();
  const std::string wanted = office.names[777];
  const std::size_t nameOffset =
      tankora::TenkenDenpLayout().Offset(tankora::TenkenDenp::KokyakuName);
  int found = 0;
  for (auto _ : state) {
    found = 0;
    const tankora::Status s = store.TenkenFile().Scan([&](int, std::string_view image) {
      if (image[0] != '1' && image.compare(nameOffset, 20, wanted) == 0) ++found;
      return true;
    });
    if (!s) state.SkipWithError(s.detail.c_str());
  }
  state.counters["slips"] = store.TenkenCount();
  state.counters["found"] = found;
}
BENCHMARK(BM_SlipScanOneCustomer)->Unit(benchmark::kMillisecond);

}  // namespace
