// The window run: the Data folder held for this program alone, the files
// opened, the main window started and shown until it is closed.
#include "app/window_entry.h"

#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <iostream>

#include "app/cli.h"
#include "app/main_window.h"
#include "store/data_folder.h"
#include "store/store.h"
#include "util/era.h"

namespace tankora {

namespace {

// The window will not open. Started from the desktop menu nobody reads the
// terminal, so the reason is also put in front of the user in a message box
// (not on the offscreen platform, where nobody could answer it). Nothing of
// the Data folder is touched by showing it.
int RefuseStart(int argc, char** argv, const std::string& why) {
  std::cerr << "タンコラ: " << why << "\n";
  if (isatty(STDERR_FILENO)) return kExitFailed;
  QApplication app(argc, argv);
  if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("タンコラ"),
                    QStringLiteral("タンコラを起動できませんでした。\n\n") +
                        QString::fromStdString(why));
    box.exec();
  }
  return kExitFailed;
}

}  // namespace

int RunWindow(int argc, char** argv, const std::filesystem::path& dataDir) {
  // The lock comes before anything else, display included: a second start
  // must leave the folder untouched and say why it stops.
  if (Status st = EnsureDataFolder(dataDir); !st) return RefuseStart(argc, argv, st.detail);
  Status lockStatus;
  std::optional<DataLock> lock = DataLock::Acquire(dataDir, &lockStatus);
  if (!lock) return RefuseStart(argc, argv, lockStatus.detail);

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
