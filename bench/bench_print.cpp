// The monthly report of a busy month composed in the core: the input checks,
// the selection over all slips, the rows with their customers and every draw
// call of every page, on a canvas that only counts. Must stay under 50 ms.
#include <benchmark/benchmark.h>

#include "print/page_frame.h"
#include "print/print_job.h"
#include "print_office.h"

namespace {

using namespace tankora;

class CountingCanvas final : public print::Canvas {
 public:
  void SetFont(print::FontFace, double) override {}
  void SetPen(int, print::PenStyle) override {}
  void Text(print::PointMm, std::string_view text) override { bytes += text.size(); }
  void Polyline(std::span<const print::PointMm> points) override { lines += points.size(); }
  void NewPage() override { ++pages; }
  std::size_t bytes = 0, lines = 0;
  int pages = 1;
};

void BM_PrintMonthlyCompose(benchmark::State& state) {
  bench::PrintOffice& office = bench::ThePrintOffice();
  Store store(office.data);
  (void)store.OpenReadOnly();
  const print::ReportRequest request = office.MonthlyRequest();
  int pages = 0;
  for (auto _ : state) {
    const print::PreparedReport prepared = print::PrepareReport(store, request, office.eras);
    CountingCanvas canvas;
    pages = prepared.run ? print::DrawReport(*prepared.run, office.eras, canvas) : 0;
    benchmark::DoNotOptimize(canvas.bytes);
  }
  state.counters["entries"] = office.entries;
  state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintMonthlyCompose)->Unit(benchmark::kMillisecond);

}  // namespace
