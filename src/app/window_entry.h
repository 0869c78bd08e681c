// The entry into the main window, kept apart from main() so the command line
// and the window can be built and replaced independently.
#pragma once

#include <filesystem>

namespace tankora {

// Runs the window on the given Data folder until it is closed; the exit code.
// argc/argv are handed on to the application object (it takes its own options).
int RunWindow(int argc, char** argv, const std::filesystem::path& dataDir);

}  // namespace tankora
