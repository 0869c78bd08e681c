// The command line: options, the `info` and `export` subcommands, usage text.
//
// Plain C++ with no Qt, so the subcommands run on a machine without a
// display. `info` and `export` only read the Data folder: they never create
// it, lock it or write into it. `backup` and `restore` are in cli_backup.cpp.
#pragma once

#include <array>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/print_command.h"
#include "store/export_csv.h"

namespace tankora {

inline constexpr char kVersionText[] = "タンコラ  Ver 12.10.09";

enum class CliCommand {
  Window,
  Info,
  Export,
  Backup,
  Restore,
  Demo,
  Print,
  CheckIntervals,
  Help,
  Version
};

struct CliOptions {
  CliCommand command = CliCommand::Window;
  std::optional<std::string> dataDir;  // --data DIR
  CsvOptions csv;                      // export TABLE [--all] [--encoding E]
  std::optional<std::string> output;   // --output FILE
  std::optional<std::string> folder;   // backup --to DIR, restore --from DIR
  // --only customers,slips,ledger (all three when not given)
  std::array<bool, 3> only{true, true, true};
  bool clean = false;                  // backup --clean
  bool demoBusy = false;               // demo busy: the benchmarks' office
  PrintOptions print;                  // print REPORT [options]
};

struct CliParse {
  std::optional<CliOptions> options;
  std::string error;  // why the command line was refused
};

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // data cannot be read, output cannot be written
inline constexpr int kExitUsage = 2;

// `args` without the program name.
CliParse ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

// The folder of the running executable (from /proc/self/exe, else argv[0]).
std::filesystem::path ExecutableFolder(const char* argv0);

// Why the window cannot start here, checked before the Data folder is
// touched, so a refused start leaves nothing behind: a TANKORA_TODAY that is
// set but not a date (the program would quietly run on the clock's date
// instead of the one asked for), or no display to open a window on (Qt
// would abort). Nothing when the start may go ahead.
std::optional<std::string> TodayOverrideProblem();
std::optional<std::string> DisplayProblem();

// A Data folder for a command that only reads: it must be there already
// (else a message to `err`).
bool CheckDataFolder(const std::filesystem::path& dataDir, std::ostream& err);

// The subcommands; messages for people go to `err`.
int RunInfo(const std::filesystem::path& dataDir, std::ostream& out, std::ostream& err);
int RunExport(const std::filesystem::path& dataDir, const CliOptions& options, std::ostream& out,
              std::ostream& err);
// cli_backup.cpp
int RunBackupCommand(const std::filesystem::path& dataDir, const CliOptions& options,
                     std::ostream& out, std::ostream& err);
int RunRestoreCommand(const std::filesystem::path& dataDir, const CliOptions& options,
                      std::ostream& out, std::ostream& err);
// "customers,slips,ledger" as the three choices; nullopt for an unknown name.
std::optional<std::array<bool, 3>> ParseOnlyList(const std::string& list);
// The live customers whose month plan falls short of the statutory
// inspection interval, as CSV (cli_check.cpp).
int RunCheckIntervals(const std::filesystem::path& dataDir, const CliOptions& options,
                      std::ostream& out, std::ostream& err);
// Writes a demo office into a new or empty folder (cli_demo.cpp).
// `busy`: at the size of a busy office, the one the benchmarks measure.
int RunDemo(const std::filesystem::path& dataDir, bool busy, std::ostream& out, std::ostream& err);

}  // namespace tankora
