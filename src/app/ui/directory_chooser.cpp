#include "app/ui/directory_chooser.hpp"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStorageInfo>
#include <QTreeView>

#include "app/ui/widget_style.hpp"
#include "records/file_names.hpp"

namespace tab::ui {

namespace {

bool IsPseudoFileSystem(const QByteArray& type) {
  static const QList<QByteArray> kPseudo = {
      "tmpfs",  "devtmpfs",   "proc",     "sysfs", "squashfs", "cgroup",  "cgroup2", "autofs",
      "devpts", "securityfs", "efivarfs", "ramfs", "nsfs",     "tracefs", "debugfs"};
  return kPseudo.contains(type);
}

QString VolumeLabel(const QStorageInfo& volume) {
  const QString root = volume.rootPath();
  const QString name = volume.displayName();
  QString kind;
  if (root.startsWith(QStringLiteral("/media/")) ||
      root.startsWith(QStringLiteral("/run/media/"))) {
    kind = QStringLiteral("Wechseldatenträger ");
  } else if (volume.fileSystemType().startsWith("nfs") || volume.fileSystemType() == "cifs" ||
             volume.fileSystemType() == "smb3" ||
             volume.fileSystemType().startsWith("fuse.sshfs")) {
    kind = QStringLiteral("Netzlaufwerk ");
  }
  if (name.isEmpty() || name == root) return kind + root;
  return kind + name + QStringLiteral(" (") + root + QLatin1Char(')');
}

bool Contains(const QString& root, const QString& folder) {
  if (root == QStringLiteral("/")) return folder.startsWith(QLatin1Char('/'));
  return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

QString WithoutTrailingSeparator(QString folder) {
  while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
  return folder;
}

}  // namespace

QList<Drive> MountedDrives() {
  QList<Drive> drives;
  drives.append({QStringLiteral("Persönlicher Ordner (") + QDir::homePath() + QLatin1Char(')'),
                 QDir::homePath()});
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || IsPseudoFileSystem(volume.fileSystemType())) continue;
    const QString root = volume.rootPath();
    if (root.startsWith(QStringLiteral("/boot")) || root.startsWith(QStringLiteral("/snap"))) {
      continue;
    }
    drives.append({VolumeLabel(volume), root});
  }
  return drives;
}

int DriveIndexOf(const QList<Drive>& drives, const QString& folder) {
  int best = -1;
  for (int i = 0; i < drives.size(); ++i) {
    if (Contains(drives[i].root, folder) &&
        (best < 0 || drives[i].root.size() > drives[best].root.size())) {
      best = i;
    }
  }
  return best;
}

// ---- FolderPicker ----------------------------------------------------------------------------

FolderPicker::FolderPicker(QWidget* parent, MessagePort* port, VolumeLayer* volumes)
    : QObject(parent), port_(port), volumes_(volumes) {
  drives_ = new QComboBox(parent);
  drives_->setObjectName(QStringLiteral("DriveComboBox1"));
  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QStringLiteral("/"));
  tree_ = new QTreeView(parent);
  tree_->setObjectName(QStringLiteral("DirectoryListBox1"));
  tree_->setModel(model_);
  for (int column = 1; column <= 3; ++column) tree_->hideColumn(column);
  tree_->header()->hide();
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (!current.isValid()) return;
            folder_ = model_->filePath(current);
            SelectDriveOf(folder_);
            if (!settingFolder_) emit FolderChosen(folder_);
          });
  connect(drives_, &QComboBox::currentIndexChanged, this, &FolderPicker::DriveChosen);
  SetDrives(MountedDrives());
}

void FolderPicker::SetDrives(const QList<Drive>& drives) {
  settingDrive_ = true;
  driveList_ = drives;
  drives_->clear();
  for (const Drive& drive : drives) drives_->addItem(drive.label, drive.root);
  settingDrive_ = false;
  SelectDriveOf(folder_);
}

void FolderPicker::SetFolder(const QString& folder) {
  folder_ = WithoutTrailingSeparator(folder);
  const QModelIndex index = model_->index(folder_);
  if (index.isValid()) {
    // Set by the program, not chosen by the user.
    settingFolder_ = true;
    tree_->setCurrentIndex(index);
    settingFolder_ = false;
    tree_->scrollTo(index);
  }
  SelectDriveOf(folder_);
}

void FolderPicker::SelectDriveOf(const QString& folder) {
  settingDrive_ = true;
  drives_->setCurrentIndex(DriveIndexOf(driveList_, folder));
  settingDrive_ = false;
}

void FolderPicker::DriveChosen(int index) {
  if (settingDrive_ || index < 0 || index >= driveList_.size()) return;
  const Drive& drive = driveList_[index];
  if (port_ != nullptr && volumes_ != nullptr &&
      !CheckDrive(drive.root.toStdString(), drive.label.toStdString(), true, *volumes_, *port_)) {
    SelectDriveOf(folder_);  // back to the drive the tree is on
    return;
  }
  SetFolder(drive.root);
  emit FolderChosen(folder_);
}

// ---- TVerzWahlForm ---------------------------------------------------------------------------

TVerzWahlForm::TVerzWahlForm(MessagePort& port, VolumeLayer& volumes, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("VerzWahlForm"));
  setWindowTitle(QStringLiteral("Speicherort der Statistik-Datenbank"));
  setModal(true);
  picker_ = new FolderPicker(this, &port, &volumes);
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Daten-Laufwerk:"), this), 0, 0);
  layout->addWidget(picker_->DriveSelector(), 1, 0);
  layout->addWidget(new QLabel(QStringLiteral("Daten-Basis-Verzeichnis:"), this), 2, 0);
  layout->addWidget(picker_->Tree(), 3, 0);
  auto* buttons = new QHBoxLayout;
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  MakeDefaultButton(ok_);
  cancel_ = new QPushButton(QStringLiteral("Abbrechen"), this);
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons, 4, 0);
  resize(420, 380);
  connect(picker_, &FolderPicker::FolderChosen, this,
          [this](const QString& folder) { browsing_ = folder; });
  connect(ok_, &QPushButton::clicked, this, &TVerzWahlForm::OkClick);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

int TVerzWahlForm::OpenAt(const std::string& dataBaseDirectory) {
  browsing_ = QString::fromStdString(dataBaseDirectory);
  return exec();
}

void TVerzWahlForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    picker_->SetDrives(MountedDrives());  // a stick plugged in since the last showing
    CentreOnScreen(this);
  }
  picker_->SetFolder(browsing_);
  QDialog::showEvent(event);
}

void TVerzWahlForm::OkClick() {
  chosen_ = QString::fromStdString(WithTrailingSeparator(picker_->Folder().toStdString()));
  accept();
}

}  // namespace tab::ui
