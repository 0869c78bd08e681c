// `tankora demo --data DIR [busy]`: a made-up office to try the program on,
// small or at the size of a busy one.
#include <iostream>

#include "app/cli.h"
#include "store/demo_office.h"
#include "store/store.h"
#include "util/era.h"

namespace tankora {

int RunDemo(const std::filesystem::path& dataDir, bool busy, std::ostream& out, std::ostream& err) {
  DemoOptions options;
  options.scale = busy ? kBenchmarkOfficeScale : kDemoOfficeScale;
  // Dated from today (or TANKORA_TODAY), so its contracts run out and its
  // tanks are due in the months around the day it is tried on.
  options.today = EraCalendar::TodayFromEnvironment();
  if (Status s = WriteDemoOffice(dataDir, options); !s) {
    err << "tankora: " << s.detail << "\n";
    return kExitFailed;
  }
  Store store(dataDir);
  (void)store.OpenReadOnly();
  out << "A demo office is in " << dataDir.string() << ": " << store.ActiveCount()
      << " customers (and " << store.KokyakuCount() - store.ActiveCount() << " deleted), "
      << store.TenkenCount() << " inspection slips, " << store.KoujiCount() << " ledger entries.\n"
      << "Open it with: tankora --data " << dataDir.string() << "\n";
  return kExitOk;
}

}  // namespace tankora
