#include "app/ui/settings_dialog.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/ui/directory_chooser.hpp"
#include "app/ui/widget_style.hpp"
#include "records/text.hpp"

namespace tab::ui {

TEinstellFormZR::TEinstellFormZR(Settings& record, std::string programDirectory, MessagePort& port,
                                 QWidget* parent)
    : QDialog(parent),
      record_(record),
      before_(record),
      programDirectory_(std::move(programDirectory)),
      port_(port) {
  setObjectName(QStringLiteral("EinstellFormZR"));
  setWindowTitle(QStringLiteral("Programm-Einstellungen"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Statistik-Dienststellen-Nummer:"), this));
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  layout->addWidget(edit1_);
  layout->addWidget(
      new QLabel(QStringLiteral("Datenbasis-Verzeichnis (für alle Statistik-Datenbanken)"), this));
  // No drive check here: choosing a drive moves the tree there at once.
  picker_ = new FolderPicker(this, nullptr, nullptr);
  layout->addWidget(picker_->DriveSelector());
  layout->addWidget(picker_->Tree());
  auto* frame = new QGroupBox(QStringLiteral("Optionen"), this);
  auto* options = new QVBoxLayout(frame);
  options->addWidget(new QLabel(QStringLiteral("Optionen:"), frame));
  checkBox2_ = new QCheckBox(
      QStringLiteral("nur Zeilen mit Daten in voller Höhe ANZEIGEN (andere Zeilen verkleinern)"),
      frame);
  checkBox2_->setObjectName(QStringLiteral("CheckBox2"));
  checkBox5_ = new QCheckBox(QStringLiteral("unklare Datensätze MELDEN"), frame);
  checkBox5_->setObjectName(QStringLiteral("CheckBox5"));
  options->addWidget(checkBox2_);
  options->addWidget(checkBox5_);
  layout->addWidget(frame);
  auto* buttons = new QHBoxLayout;
  button3_ = new QPushButton(QStringLiteral("Standardeinstellungen"), this);
  button3_->setObjectName(QStringLiteral("Button3"));
  button2_ = new QPushButton(QStringLiteral("abbrechen"), this);
  button2_->setObjectName(QStringLiteral("Button2"));
  button1_ = new QPushButton(QStringLiteral("übernehmen"), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  MakeDefaultButton(button1_);
  buttons->addWidget(button3_);
  buttons->addStretch();
  buttons->addWidget(button2_);
  buttons->addWidget(button1_);
  layout->addLayout(buttons);
  resize(460, 520);

  // A folder chosen in the tree goes into the record at once.
  connect(picker_, &FolderPicker::FolderChosen, this, [this](const QString& folder) {
    record_.dataBaseDirectory = FieldText(folder.toStdString(), kDirectoryCapacity);
  });
  connect(button1_, &QPushButton::clicked, this, &TEinstellFormZR::Button1Click);
  connect(button2_, &QPushButton::clicked, this, &TEinstellFormZR::reject);
  connect(button3_, &QPushButton::clicked, this, &TEinstellFormZR::Button3Click);
}

void TEinstellFormZR::showEvent(QShowEvent* event) {
  // Filled once per showing, not on every repaint, so what the user typed stays.
  if (!event->spontaneous()) {
    before_ = record_;
    picker_->SetDrives(MountedDrives());  // a stick plugged in since the last showing
    SetDefaults(record_);
    ReadSettingsFile(record_, programDirectory_, port_);
    FillControls();
    CentreOnScreen(this);
  }
  QDialog::showEvent(event);
}

void TEinstellFormZR::FillControls() {
  edit1_->setText(QString::fromStdString(Win1252ToUtf8(record_.schoolNumber)));
  if (record_.dataBaseDirectory.empty()) {
    record_.dataBaseDirectory = FieldText(programDirectory_, kDirectoryCapacity);
  }
  picker_->SetFolder(QString::fromStdString(Win1252ToUtf8(record_.dataBaseDirectory)));
  checkBox2_->setChecked(record_.rowHeightOption == 1);
  checkBox5_->setChecked(record_.reportOption == 1);
}

void TEinstellFormZR::Button3Click() {
  SetDefaults(record_);
  FillControls();
}

void TEinstellFormZR::reject() {
  // A cancelled dialog leaves the record as it was before.
  record_ = before_;
  QDialog::reject();
}

void TEinstellFormZR::Button1Click() {
  Settings taken = record_;
  taken.schoolNumber = FieldText(edit1_->text().toStdString(), kSchoolNumberCapacity);
  taken.dataBaseDirectory = DataBaseDirectoryField(picker_->Folder().toStdString());
  taken.rowHeightOption = checkBox2_->isChecked() ? 1 : 0;
  taken.reportOption = checkBox5_->isChecked() ? 1 : 0;
  record_ = taken;
  // A failed write has been reported; the dialog stays open for another try.
  if (!WriteSettings(record_, programDirectory_, port_)) return;
  emit Saved();
  accept();
}

}  // namespace tab::ui
