// The backup screen's drive selector and folder list: the mounted volumes
// (removable ones under /media and /run/media first, then the home folder
// and the root), and the folders of the chosen one, walked with the
// keyboard: the arrows move, Enter (or a double click) opens a folder,
// Backspace goes up. Opening a folder chooses it.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QString>

namespace tankora::app {

class DriveBox final : public QComboBox {
  Q_OBJECT
 public:
  explicit DriveBox(QWidget* parent);
  // Lists the volumes again (a stick put in since).
  void Refresh();
  // Selects the volume that holds `folder` (the longest root it begins with).
  void ShowDriveOf(const QString& folder);
  QString RootAt(int index) const;
};

class FolderList final : public QListWidget {
  Q_OBJECT
 public:
  explicit FolderList(QWidget* parent);

  void Link(DriveBox* drives);
  QString Folder() const { return folder_; }
  // Shows the folder's subfolders without choosing it (the program setting
  // what is remembered). A folder that is not there leaves the list as it is.
  void ShowFolder(const QString& folder);

 signals:
  // The user opened a folder (or chose a drive): it is the chosen folder.
  void folderChosen(const QString& folder);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Open(QListWidgetItem* item);
  void Choose(const QString& folder);

  QString folder_;
  DriveBox* drives_ = nullptr;
};

}  // namespace tankora::app
