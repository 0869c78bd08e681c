// A made-up office to try the program on, and the same office at the size
// of a busy one for the benchmarks.
//
// Everything is drawn from one seed with the generator's own arithmetic (no
// std:: distributions, whose results differ between libraries), relative to
// the day given as today: the same seed and day always give the same bytes.
// Records are built through the record layouts, so every field sits at its
// offset with its alignment, exactly as the screens would have stored it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "store/status.h"
#include "util/era.h"

namespace tankora {

struct DemoScale {
  int liveCustomers = 60;
  int deletedCustomers = 3;  // tanks given up for the sewer; they stay in the file
  // Slips: 0 means every visit of the last `slipYears` years; a number means
  // that many, the newest visits, going back as many years as it takes.
  int slips = 0;
  int slipYears = 3;
  // Ledger entries: 0 means one per tank built in the last `slipYears` years,
  // with a job still under way (no customer yet) and a cancelled one; a
  // number means one per customer, the most recently built first chosen.
  int ledgerEntries = 0;
};

// What `tankora demo` writes: about sixty customers over the kana rows.
inline constexpr DemoScale kDemoOfficeScale{};
// A long-running office, what the benchmarks measure on.
inline constexpr DemoScale kBenchmarkOfficeScale{2000, 200, 100000, 3, 2000};

struct DemoOptions {
  std::uint32_t seed = 1;
  DemoScale scale;
  Date today;
};

// The four files' contents. The customer file is in the order the customers
// were registered, not yet sorted by reading (WriteDemoOffice sorts it as the
// program keeps it); the slips are in the order they were stored, visit by visit.
struct DemoImages {
  std::string jisya;
  std::string kokyaku;
  std::string tenken;
  std::string kouji;
  // Every customer's 20-byte name (CP932, blank-padded) in registration order,
  // deleted ones included: the key the slips and ledger entries refer to.
  std::vector<std::string> names;
};

DemoImages GenerateDemoOffice(const DemoOptions& options);

// Writes the office into `dataDir`, which must not exist yet or be an empty
// folder: anything in it is refused (StoreError::CannotOpen, nothing
// touched), so the demo never mixes with or replaces an office's data. The
// files are written in a folder beside it and moved into place at the end,
// so an interrupted run leaves no half office.
Status WriteDemoOffice(const std::filesystem::path& dataDir, const DemoOptions& options);

}  // namespace tankora
