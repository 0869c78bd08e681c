// The CSV export and the list screens convert every text field of every
// record; 100,000 customer records must stay a matter of a second or so.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "util/cp932.h"

namespace {

std::string MixedRecord() {
  std::string record;
  while (record.size() < 990) record += "\xB1\xB2\xB3 \x8F\xF2\x89\xBB\x91\x85 12345 ";
  return record;
}

void BM_Cp932ToUtf8Record(benchmark::State& state) {
  const std::string record = MixedRecord();
  for (auto _ : state) benchmark::DoNotOptimize(tankora::Cp932ToUtf8(record));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}
BENCHMARK(BM_Cp932ToUtf8Record);

void BM_Utf8ToCp932Record(benchmark::State& state) {
  const std::string utf8 = tankora::Cp932ToUtf8(MixedRecord());
  for (auto _ : state) benchmark::DoNotOptimize(tankora::Utf8ToCp932(utf8));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * utf8.size()));
}
BENCHMARK(BM_Utf8ToCp932Record);

// A typical short field: a name padded with blanks.
void BM_Cp932ToUtf8Name(benchmark::State& state) {
  const std::string name = "\x8E\x52\x93\x63\x81\x40\x91\xBE\x98\x59          ";
  for (auto _ : state) benchmark::DoNotOptimize(tankora::Cp932ToUtf8(name));
}
BENCHMARK(BM_Cp932ToUtf8Name);

}  // namespace
