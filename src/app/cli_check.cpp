// `tankora check intervals`: the month panel's interval check over every
// live customer, as CSV.
#include <ostream>

#include "app/cli.h"
#include "customers/inspection_interval.h"
#include "store/store.h"

namespace tankora {

int RunCheckIntervals(const std::filesystem::path& dataDir, const CliOptions& options,
                      std::ostream& out, std::ostream& err) {
  if (!CheckDataFolder(dataDir, err)) return kExitFailed;
  Store store(dataDir);
  if (Status open = store.OpenReadOnly(); !open) {
    err << "tankora: " << open.detail << "\n";
    return kExitFailed;
  }
  std::error_code ec;
  if (!std::filesystem::exists(store.KokyakuFile().Path(), ec)) {
    err << "tankora: there is no " << store.KokyakuFile().Path().filename().string() << " in "
        << dataDir.string() << "; --data names the Data folder itself\n";
    return kExitFailed;
  }
  // Customers whose plans fall short are a finding, not a failure: exit 0.
  if (!WriteIntervalShortfalls(store, options.csv.encoding, out)) {
    err << "tankora: cannot write to standard output\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace tankora
