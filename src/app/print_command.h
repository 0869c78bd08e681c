// `tankora print REPORT ...`: one of the six reports to a PDF file or the
// default printer, drawn by the same code as F1 印刷 on the list screens.
// The options are parsed without Qt; only the run draws.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "print/reports.h"

namespace tankora {

struct PrintOptions {
  print::ReportKind kind = print::ReportKind::Monthly;
  std::optional<std::string> year;   // --year: an era year as typed on screen (UTF-8)
  std::optional<std::string> month;  // --month
  std::optional<std::string> name;   // --name: the customer (UTF-8)
  std::optional<Date> date;          // --date Y-M-D: the report date
  std::optional<int> top;            // --top MM
  std::optional<int> left;           // --left MM
  std::optional<std::string> pdf;    // --pdf FILE
};

// Exit code of a print that selected nothing.
inline constexpr int kExitNoData = 3;

// The arguments after "print" (REPORT and its options); `dataDir` receives a
// --data among them. The error is set (and nullopt returned) for a usage error.
std::optional<PrintOptions> ParsePrintArguments(const std::vector<std::string>& args,
                                                std::optional<std::string>& dataDir,
                                                std::string& error);
std::string PrintUsageText();

// Prints; messages for people go to `err`: "N pages" when done.
int RunPrint(const std::filesystem::path& dataDir, const PrintOptions& options, int argc,
             char** argv, std::ostream& err);

}  // namespace tankora
