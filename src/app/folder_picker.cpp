#include "app/folder_picker.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <algorithm>

namespace tankora::app {

namespace {

constexpr int kPathRole = Qt::UserRole;
const QString kUp = QStringLiteral("..");

bool Removable(const QString& root) {
  return root.startsWith(QStringLiteral("/media/")) ||
         root.startsWith(QStringLiteral("/run/media/"));
}

}  // namespace

// --- DriveBox -------------------------------------------------------------------

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent) { Refresh(); }

void DriveBox::Refresh() {
  struct Drive {
    QString root;
    QString caption;
  };
  QList<Drive> drives;
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    if (!v.isValid() || !v.isReady() || !Removable(v.rootPath())) continue;
    const QString name = v.displayName().isEmpty() ? v.rootPath() : v.displayName();
    drives.append({v.rootPath(), name + QStringLiteral("  (") + v.rootPath() + QStringLiteral(")")});
  }
  std::sort(drives.begin(), drives.end(),
            [](const Drive& a, const Drive& b) { return a.root < b.root; });
  drives.append({QDir::homePath(), QStringLiteral("ホーム  (") + QDir::homePath() + ")"});
  drives.append({QStringLiteral("/"), QStringLiteral("コンピュータ  (/)")});

  const QString current = currentData().toString();
  clear();
  for (const Drive& d : drives) addItem(d.caption, d.root);
  const int keep = findData(current);
  setCurrentIndex(keep >= 0 ? keep : 0);
}

void DriveBox::ShowDriveOf(const QString& folder) {
  int best = -1;
  qsizetype bestLength = -1;
  for (int i = 0; i < count(); ++i) {
    const QString root = RootAt(i);
    const bool holds = folder == root || root == QStringLiteral("/") ||
                       folder.startsWith(root.endsWith('/') ? root : root + '/');
    if (holds && root.size() > bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  if (best >= 0) setCurrentIndex(best);
}

QString DriveBox::RootAt(int index) const { return itemData(index).toString(); }

// --- FolderList -----------------------------------------------------------------

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { Open(item); });
}

void FolderList::Link(DriveBox* drives) {
  drives_ = drives;
  // A drive chosen by the user: its top folder is the chosen folder.
  connect(drives, &QComboBox::activated, this, [this](int index) {
    Choose(drives_->RootAt(index));
  });
}

void FolderList::ShowFolder(const QString& folder) {
  const QFileInfo info(folder);
  if (folder.isEmpty() || !info.isDir()) return;
  folder_ = QDir::cleanPath(info.absoluteFilePath());
  clear();
  QDir dir(folder_);
  if (!dir.isRoot()) {
    auto* up = new QListWidgetItem(kUp + QStringLiteral("  （上のフォルダへ）"), this);
    up->setData(kPathRole, QFileInfo(folder_).dir().absolutePath());
  }
  const QFileInfoList subfolders =
      dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QFileInfo& sub : subfolders) {
    auto* item = new QListWidgetItem(sub.fileName(), this);
    item->setData(kPathRole, sub.absoluteFilePath());
  }
  setCurrentRow(0);
  if (drives_) drives_->ShowDriveOf(folder_);
}

void FolderList::Open(QListWidgetItem* item) {
  if (item) Choose(item->data(kPathRole).toString());
}

void FolderList::Choose(const QString& folder) {
  if (!QFileInfo(folder).isDir()) return;
  ShowFolder(folder);
  emit folderChosen(folder_);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace) {
    if (!QDir(folder_).isRoot() && !folder_.isEmpty()) {
      Choose(QFileInfo(folder_).dir().absolutePath());
    }
    return;
  }
  QListWidget::keyPressEvent(event);
}

}  // namespace tankora::app
