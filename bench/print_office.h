// The office the print benchmarks print from: 2000 live customers and three
// years of slips, about 500 a month, built once per run in a temporary folder.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "inspection/tenken_lists.h"
#include "print/reports.h"
#include "store/demo_office.h"
#include "store/store.h"

namespace tankora::bench {

struct PrintOffice {
  std::filesystem::path root;
  std::filesystem::path data;
  EraCalendar eras{Date{2026, 12, 8}};
  int month = 0;    // the report month with the most slips of the last year
  int entries = 0;  // and how many it has

  PrintOffice() {
    std::string templ = (std::filesystem::temp_directory_path() / "tankora-print-XXXXXX").string();
    root = ::mkdtemp(templ.data());
    data = root / "Data";
    DemoOptions options;
    options.seed = 12345;
    options.scale = DemoScale{2000, 200, 18000, 3, 0};
    options.today = eras.Today();
    (void)WriteDemoOffice(data, options);
    Store store(data);
    (void)store.OpenReadOnly();
    for (int m = 1; m <= 11; ++m) {
      const int n = static_cast<int>(TenkenGeppouSelect(store, 2026, m).size());
      if (n > entries) {
        entries = n;
        month = m;
      }
    }
  }
  ~PrintOffice() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }

  print::ReportRequest MonthlyRequest() const {
    print::ReportRequest r;
    r.kind = print::ReportKind::Monthly;
    r.dateYear = "2026";
    r.dateMonth = "12";
    r.dateDay = " 8";
    r.year = "8";
    r.month = std::to_string(month);
    return r;
  }
};

inline PrintOffice& ThePrintOffice() {
  static PrintOffice office;
  return office;
}

}  // namespace tankora::bench
