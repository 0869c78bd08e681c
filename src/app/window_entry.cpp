// Stand-in until the main window exists: says so and shows what `info` shows.
#include "app/window_entry.h"

#include <iostream>

#include "app/cli.h"

namespace tankora {

int RunWindow(int /*argc*/, char** /*argv*/, const std::filesystem::path& dataDir) {
  std::cerr << "タンコラ: the window is not built yet; here is the Data folder instead.\n";
  return RunInfo(dataDir, std::cout, std::cerr);
}

}  // namespace tankora
