// Saving 100,000 slips (20 MB) to a backup folder, against `cp` of the same
// file in the same run:
//
//   BM_BackupSlips   the backup as the screen runs it: the slips and the
//                    company profile written beside their copies, flushed,
//                    read back and compared, renamed into place
//   BM_CpSlips       `cp` of the same slip file over its copy (no flush)
//   BM_CpSyncSlips   `cp` and then `sync` of the copy (its fsync): the same promise
//                    the backup makes, that the copy is on the medium
//
// The figure that matters is bytes_per_second of the first against the
// second; the third shows what the flush itself costs on this disk. The
// folder is $TMPDIR (or /tmp): point it at the medium to measure that one.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "backup/backup_run.h"
#include "store/store.h"

namespace {

using namespace tankora;
namespace fs = std::filesystem;

constexpr int kSlips = 100000;

struct Office {
  fs::path root;
  std::unique_ptr<Store> store;

  Office() {
    std::string templ = (fs::temp_directory_path() / "tankora-bench-backup-XXXXXX").string();
    root = ::mkdtemp(templ.data());
    fs::create_directories(root / "Data");
    fs::create_directories(root / "usb");
    std::ofstream t(root / "Data" / "TenkenDenp.120", std::ios::binary);
    for (int n = 1; n <= kSlips; ++n) {
      Record s(TenkenDenpLayout());
      s.Set(TenkenDenp::KokyakuName, "CUST" + std::to_string(n % 2000));
      s.Set(TenkenDenp::Year, "2012");
      s.Set(TenkenDenp::Month, " 5");
      s.Set(TenkenDenp::Day, "10");
      s.Set(TenkenDenp::Ph, "7.2");
      if (n % 10 == 0) s.SetFlagAt(TenkenDenp::DeleteFlag, 0, true);
      t << s.Pack();
    }
    t.close();
    store = std::make_unique<Store>(root / "Data");
    if (!store->Open().ok()) std::abort();
  }
  ~Office() {
    store.reset();
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  fs::path Slips() const { return root / "Data" / "TenkenDenp.120"; }
  fs::path Usb() const { return root / "usb"; }
};

Office& TheOffice() {
  static Office office;
  return office;
}

constexpr double kBytes = 200.0 * kSlips;

void BM_BackupSlips(benchmark::State& state) {
  Office& office = TheOffice();
  BackupRequest request;
  request.folder = office.Usb();
  request.chosen = {false, true, false};
  request.cleanUp = state.range(0) != 0;
  request.today = Date{2012, 10, 29};
  for (auto _ : state) {
    const RunReport report = RunBackup(*office.store, request, nullptr);
    if (!report.ok()) state.SkipWithError(report.message.c_str());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(kBytes) * state.iterations());
}
BENCHMARK(BM_BackupSlips)->Arg(0)->Arg(1)->ArgName("clean")->Unit(benchmark::kMillisecond)->UseRealTime();

void RunShell(benchmark::State& state, const std::string& command) {
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(kBytes) * state.iterations());
}

void BM_CpSlips(benchmark::State& state) {
  Office& office = TheOffice();
  RunShell(state, "cp '" + office.Slips().string() + "' '" +
                      (office.Usb() / "TenkenDenp.cp").string() + "'");
}
BENCHMARK(BM_CpSlips)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CpSyncSlips(benchmark::State& state) {
  Office& office = TheOffice();
  const std::string copy = (office.Usb() / "TenkenDenp.cp").string();
  RunShell(state, "cp '" + office.Slips().string() + "' '" + copy + "' && sync '" + copy + "'");
}
BENCHMARK(BM_CpSyncSlips)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
