// The window run: the Data folder held for this program alone, the files
// opened, the main window started and shown until it is closed.
#include "app/window_entry.h"

#include <QApplication>
#include <QIcon>
#include <iostream>

#include "app/cli.h"
#include "app/main_window.h"
#include "store/data_folder.h"
#include "store/store.h"
#include "util/era.h"

namespace tankora {

int RunWindow(int argc, char** argv, const std::filesystem::path& dataDir) {
  // The lock comes before anything else, display included: a second start
  // must leave the folder untouched and say why it stops.
  if (Status st = EnsureDataFolder(dataDir); !st) {
    std::cerr << "タンコラ: " << st.detail << "\n";
    return kExitFailed;
  }
  Status lockStatus;
  std::optional<DataLock> lock = DataLock::Acquire(dataDir, &lockStatus);
  if (!lock) {
    std::cerr << "タンコラ: " << lockStatus.detail << "\n";
    return kExitFailed;
  }

  QApplication app(argc, argv);
  // The installed icon and desktop entry (a build run without them shows none).
  QApplication::setWindowIcon(QIcon::fromTheme("tankora"));
  QGuiApplication::setDesktopFileName("tankora");
  Store store(dataDir);
  const Status opened = store.Open();
  const EraCalendar eras(EraCalendar::TodayFromEnvironment());
  TForm_Tankora window(store, eras, ExecutableFolder(argc > 0 ? argv[0] : nullptr));
  // A file cut short shows fewer records than it had: the window says so
  // before anyone types, and so does the terminal.
  window.Start(opened);
  if (!opened.ok()) std::cerr << "タンコラ: " << opened.detail << "\n";
  if (const std::string partial = store.PartialTailNotice(); !partial.empty()) {
    std::cerr << "タンコラ: " << partial << "\n";
  }
  window.show();
  return app.exec();
}

}  // namespace tankora
