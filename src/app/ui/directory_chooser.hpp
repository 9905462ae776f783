#pragma once
// Choosing a folder: the drive selector (mounted volumes standing for drives), the
// directories-only tree, and TVerzWahlForm, the directory chooser that points the running
// program at another data base without touching the settings.
#include <QDialog>
#include <QList>
#include <QString>
#include <string>

#include "app/drive_check.hpp"

class QComboBox;
class QPushButton;
class QFileSystemModel;
class QTreeView;

namespace tab::ui {

// A "drive": a mounted volume, by the name the selector shows and its root folder.
struct Drive {
  QString label;
  QString root;
};

// The home folder first, then the mounted volumes with real file systems (USB sticks under
// /media or /run/media, network mounts, the system volume), pseudo file systems left out.
QList<Drive> MountedDrives();
// The index of the drive holding `folder`: the one with the longest root that contains it.
int DriveIndexOf(const QList<Drive>& drives, const QString& folder);

// Drive selector and folder tree working together: the selector follows the tree's folder.
class FolderPicker : public QObject {
  Q_OBJECT

 public:
  FolderPicker(QWidget* parent, MessagePort* port, VolumeLayer* volumes);

  QComboBox* DriveSelector() const { return drives_; }
  QTreeView* Tree() const { return tree_; }
  void SetDrives(const QList<Drive>& drives);
  const QList<Drive>& Drives() const { return driveList_; }

  // The tree goes to `folder`, the selector to its drive (no FolderChosen: nobody chose it).
  void SetFolder(const QString& folder);
  // The tree's folder (no trailing separator except for "/").
  QString Folder() const { return folder_; }

 signals:
  void FolderChosen(const QString& folder);

 private:
  void DriveChosen(int index);
  void SelectDriveOf(const QString& folder);

  QComboBox* drives_;
  QTreeView* tree_;
  QFileSystemModel* model_;
  QList<Drive> driveList_;
  QString folder_;
  // Without a port every drive is taken as it is (the settings dialog switches at once).
  MessagePort* port_;
  VolumeLayer* volumes_;
  bool settingDrive_ = false;
  bool settingFolder_ = false;
};

class TVerzWahlForm : public QDialog {
  Q_OBJECT

 public:
  TVerzWahlForm(MessagePort& port, VolumeLayer& volumes, QWidget* parent = nullptr);

  FolderPicker& Picker() { return *picker_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  // The folder shown while the chooser is open.
  const QString& BrowsingDirectory() const { return browsing_; }
  // After OK: the tree's folder with one trailing separator.
  const QString& ChosenFolder() const { return chosen_; }

  // Opens the chooser modally; the browsing folder starts as the running program's data-base
  // directory.
  int OpenAt(const std::string& dataBaseDirectory);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OkClick();

  FolderPicker* picker_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QString browsing_;
  QString chosen_;
};

}  // namespace tab::ui
