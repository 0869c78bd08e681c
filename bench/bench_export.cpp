// CSV export at the scale of a long-running office: 100,000 inspection slips
// must export in well under a second.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <string>

#include "store/export_csv.h"
#include "store/record_layout.h"

namespace tankora {
namespace {

namespace fs = std::filesystem;

constexpr int kSlips = 100000;

// Swallows everything, so the measurement is the export and not a disk.
class NullBuffer final : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
  int overflow(int c) override { return c; }
};

// A Data folder with kSlips realistic slips: Japanese names, remarks and
// readings, every tenth one deleted.
class SlipFolder final {
 public:
  SlipFolder() {
    std::string templ = (fs::temp_directory_path() / "tankora-bench-XXXXXX").string();
    dir_ = mkdtemp(templ.data());
    const char* names[] = {"\x8F\xE3\x96\xEC\x83\x6E\x83\x69",       // 上野ハナ
                           "\x88\xA2\x95\x94\x8C\x92\x88\xEA",       // 阿部健一
                           "\x87\x8A\x8A\x78\x8F\xA4\x8E\x96",       // ㈱岳商事
                           "\x91\xBE\x93\x63\x5C\x91\xBE\x98\x59"};  // 太田\太郎
    std::ofstream out(dir_ / "TenkenDenp.120", std::ios::binary);
    Record r(TenkenDenpLayout());
    for (int i = 0; i < kSlips; ++i) {
      r.Clear();
      r.Set(TenkenDenp::DeleteFlag, i % 10 == 9 ? "1" : " ");
      r.Set(TenkenDenp::KokyakuName, names[i % 4]);
      r.Set(TenkenDenp::Year, std::to_string(2000 + i % 25));
      r.Set(TenkenDenp::Month, std::to_string(1 + i % 12));
      r.Set(TenkenDenp::Day, std::to_string(1 + i % 28));
      r.Set(TenkenDenp::Gaikan, "\x82\xE2\x82\xE2\x91\xF7\x82\xE8");  // やや濁り
      r.Set(TenkenDenp::Syuuki, "\x96\xB3");                          // 無
      r.Set(TenkenDenp::Ph, "7.1");
      r.Set(TenkenDenp::Tousido, std::to_string(10 + i % 20));
      r.Set(TenkenDenp::Zanen, "+0.1");
      r.Set(TenkenDenp::Ion, std::to_string(90 + i % 50));
      r.Set(TenkenDenp::Kanrisya, "\x8D\xB2\x93\xA1\x8A\xC7\x97\x9D\x8E\x6D");  // 佐藤管理士
      r.Set(TenkenDenp::Bikou,
            "\x83\x75\x83\x8D\x83\x8F\x93\x5F\x8C\x9F\x81\x41\x83\x58\x83\x4A\x83\x80"
            "2cm\x81\x42, \"ok\"");  // ブロワ点検、スカム2cm。, "ok"
      out << r.Pack();
    }
  }
  ~SlipFolder() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  const fs::path& Dir() const { return dir_; }

 private:
  fs::path dir_;
};

const SlipFolder& Folder() {
  static SlipFolder folder;
  return folder;
}

void ExportSlips(benchmark::State& state, CsvEncoding encoding, bool toFile) {
  const fs::path dir = Folder().Dir();
  CsvOptions options;
  options.table = CsvTable::Slips;
  options.encoding = encoding;
  options.includeDeleted = true;
  for (auto _ : state) {
    Status s;
    if (toFile) {
      std::ofstream out(dir / "slips.csv", std::ios::binary | std::ios::trunc);
      s = ExportCsv(dir, options, out);
    } else {
      NullBuffer sink;
      std::ostream out(&sink);
      s = ExportCsv(dir, options, out);
    }
    if (!s.ok()) state.SkipWithError(s.detail.c_str());
  }
  state.SetItemsProcessed(state.iterations() * kSlips);
}

void BM_ExportSlipsUtf8(benchmark::State& state) { ExportSlips(state, CsvEncoding::Utf8, false); }
void BM_ExportSlipsCp932(benchmark::State& state) { ExportSlips(state, CsvEncoding::Cp932, false); }
void BM_ExportSlipsUtf8ToFile(benchmark::State& state) {
  ExportSlips(state, CsvEncoding::Utf8, true);
}

// Each run reads the 20 MB file and writes the CSV; the median of several
// repetitions is the figure to compare with the one-second budget.
BENCHMARK(BM_ExportSlipsUtf8)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportSlipsCp932)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportSlipsUtf8ToFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tankora
