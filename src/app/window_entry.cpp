// The window run: the Data folder held for this program alone, the files
// opened, the main window started and shown until it is closed.
#include "app/window_entry.h"

#include <QApplication>
#include <QLabel>
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
  Store store(dataDir);
  const Status opened = store.Open();
  const EraCalendar eras(EraCalendar::TodayFromEnvironment());
  TForm_Tankora window(store, eras, ExecutableFolder(argc > 0 ? argv[0] : nullptr));
  window.Start();
  if (!opened.ok()) {
    std::cerr << "タンコラ: " << opened.detail << "\n";
    if (auto* notice = qobject_cast<QLabel*>(window.Control("Label_Notice"))) {
      notice->setText(QString::fromStdString(opened.detail));
    }
  } else if (const std::string partial = store.PartialTailNotice(); !partial.empty()) {
    // A file cut short shows fewer records than it had; say so before anyone types.
    std::cerr << "タンコラ: " << partial << "\n";
    auto* notice = qobject_cast<QLabel*>(window.Control("Label_Notice"));
    if (notice && notice->text().isEmpty()) notice->setText(QString::fromStdString(partial));
  }
  window.show();
  return app.exec();
}

}  // namespace tankora
