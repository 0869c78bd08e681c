// タンコラ: the window, or one of the command-line subcommands.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "app/window_entry.h"
#include "store/data_folder.h"

int main(int argc, char** argv) {
  using namespace tankora;
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const CliParse parsed = ParseCommandLine(args);
  if (!parsed.options) {
    std::cerr << "tankora: " << parsed.error << "\n\n" << UsageText();
    return kExitUsage;
  }
  const CliOptions& options = *parsed.options;
  switch (options.command) {
    case CliCommand::Help:
      std::cout << kVersionText << "\n\n" << UsageText();
      return kExitOk;
    case CliCommand::Version:
      std::cout << kVersionText << "\n";
      return kExitOk;
    default:
      break;
  }

  if (options.command == CliCommand::Window) {
    if (const auto problem = TodayOverrideProblem()) {
      std::cerr << "tankora: " << *problem << "\n";
      return kExitUsage;
    }
    if (const auto problem = DisplayProblem()) {
      std::cerr << "tankora: " << *problem << "\n";
      return kExitFailed;
    }
  }

  const std::filesystem::path dataDir =
      ResolveDataFolder(options.dataDir, ExecutableFolder(argc > 0 ? argv[0] : nullptr));
  switch (options.command) {
    case CliCommand::Info:
      return RunInfo(dataDir, std::cout, std::cerr);
    case CliCommand::Export:
      return RunExport(dataDir, options, std::cout, std::cerr);
    case CliCommand::Backup:
      return RunBackupCommand(dataDir, options, std::cout, std::cerr);
    case CliCommand::Restore:
      return RunRestoreCommand(dataDir, options, std::cout, std::cerr);
    case CliCommand::CheckIntervals:
      return RunCheckIntervals(dataDir, options, std::cout, std::cerr);
    case CliCommand::Demo:
      return RunDemo(*options.dataDir, options.demoBusy, std::cout, std::cerr);
    case CliCommand::Print:
      return RunPrint(dataDir, options.print, argc, argv, std::cerr);
    default:
      return RunWindow(argc, argv, dataDir);
  }
}
