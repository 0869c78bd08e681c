// The monthly report of a busy month written as a PDF from start to end, as
// `tankora print monthly --pdf` and F1 do it: selection, rows, drawing with
// the IPA fonts at 600 dpi and the file. Must stay under 2 s.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "../print_office.h"
#include "app/report_output.h"

namespace {

using namespace tankora;

void BM_PrintMonthlyPdf(benchmark::State& state) {
  bench::PrintOffice& office = bench::ThePrintOffice();
  Store store(office.data);
  (void)store.OpenReadOnly();
  const print::ReportRequest request = office.MonthlyRequest();
  const std::filesystem::path pdf = office.root / "monthly.pdf";
  int pages = 0;
  for (auto _ : state) {
    app::OutputPlan plan;
    plan.pdfFile = pdf;
    app::ReportOutput output(plan);
    const print::PrintOutcome outcome = print::PrintReport(store, request, office.eras, output);
    pages = outcome.pages;
    if (outcome.status != print::PrintStatus::Printed) state.SkipWithError(outcome.notice.c_str());
  }
  std::error_code ec;
  state.counters["entries"] = office.entries;
  state.counters["pages"] = pages;
  state.counters["kbytes"] = static_cast<double>(std::filesystem::file_size(pdf, ec)) / 1024;
}
BENCHMARK(BM_PrintMonthlyPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
