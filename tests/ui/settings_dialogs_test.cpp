// The settings dialog, the directory chooser with its drive check and the e-mail dialog, alone
// and from the main window's commands, with the message port recording.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/ui/directory_chooser.hpp"
#include "app/ui/grid_model.hpp"
#include "app/ui/grid_view.hpp"
#include "app/ui/mail_dialog.hpp"
#include "app/ui/main_window.hpp"
#include "app/ui/settings_dialog.hpp"
#include "records/text.hpp"
#include "ui/ui_fixture.hpp"
#include "ui/window_test.hpp"

namespace tab::ui {

namespace {

Settings ReadFile(const std::string& programDir) {
  const std::string bytes = test::ReadBytes(programDir + kSettingsFileName);
  SettingsRecord record{};
  if (bytes.size() != record.size()) return {};
  std::copy(bytes.begin(), bytes.end(), record.begin());
  return DecodeSettings(record);
}

QString NoTrailingSeparator(const std::string& folder) {
  QString text = QString::fromStdString(folder);
  if (text.size() > 1 && text.endsWith(QLatin1Char('/'))) text.chop(1);
  return text;
}

class FakeMail : public MailPort {
 public:
  explicit FakeMail(int code) : code_(code) {}
  int Send(const MailMessage& message) override {
    sent.push_back(message);
    return code_;
  }
  std::vector<MailMessage> sent;

 private:
  int code_;
};

// Every volume answers with the probe given for its root.
class SimulatedVolumes : public VolumeLayer {
 public:
  VolumeProbe Probe(const std::string& root) override { return probes[root]; }
  std::map<std::string, VolumeProbe> probes;
};

}  // namespace

class SettingsDialogsTest : public test::WindowTest {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void settingsDialogShowsDefaultsWithoutFile();
  void settingsDialogShowsTheFile();
  void typedTextSurvivesMinimisingAndRestoring();
  void takeOverCutsTheSchoolNumberAndWritesTheFile();
  void takeOverAtTheRootStoresOneSeparator();
  void standardSettingsRefillWithoutTouchingTheFile();
  void cancelLeavesFileAndRecordUnchanged();
  void writeErrorKeepsTheDialogOpen();
  void windowReloadsAfterSettingsTakenOver();

  void chooserOkPointsTheWindowAtTheFolder();
  void chooserCancelChangesNothing();
  void chooserDriveCheck();
  void driveOfAFolder_data();
  void driveOfAFolder();
  void mountedDrivesStartWithHome();

  void mailCancelDoesNotHandOver();
  void mailRecipientComesOnlyFromTheConfiguration_data();
  void mailRecipientComesOnlyFromTheConfiguration();
  void mailResultClosesTheDialog_data();
  void mailResultClosesTheDialog();
  void mailFromTheWindowAttachesTheQuickReport();

 private:
  void StartWindow();
  // A settings file other than the defaults: 13001, the data base, row heights on, report off.
  void WriteOtherSettings();

  std::unique_ptr<TMainFormZR> window_;
};

void SettingsDialogsTest::init() {
  WriteProgram();
}

void SettingsDialogsTest::cleanup() {
  window_.reset();
  RemoveProgram();
}

void SettingsDialogsTest::StartWindow() {
  window_ = std::make_unique<TMainFormZR>(*port_, program_->Program());
  QVERIFY(Show(*window_));
}

void SettingsDialogsTest::WriteOtherSettings() {
  Settings written = DefaultSettings();
  written.schoolNumber = "13001";
  written.dataBaseDirectory = program_->Db();
  written.rowHeightOption = 1;
  written.reportOption = 0;
  QVERIFY(WriteSettings(written, program_->Program(), *port_));
}

void SettingsDialogsTest::settingsDialogShowsDefaultsWithoutFile() {
  std::filesystem::remove(program_->Program() + kSettingsFileName);
  Settings record = DefaultSettings();
  record.schoolNumber = "99999";
  TEinstellFormZR dialog(record, program_->Program(), *port_);
  dialog.show();
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Programm-Einstellungen"));
  QCOMPARE(dialog.Edit1()->text(), QStringLiteral("00000"));
  QCOMPARE(dialog.Picker().Folder(), NoTrailingSeparator(program_->Program()));
  QVERIFY(!dialog.CheckBox2()->isChecked());
  QVERIFY(dialog.CheckBox5()->isChecked());
  QCOMPARE(
      dialog.CheckBox2()->text(),
      QStringLiteral("nur Zeilen mit Daten in voller Höhe ANZEIGEN (andere Zeilen verkleinern)"));
  QCOMPARE(dialog.Button1()->text(), QStringLiteral("übernehmen"));
  QVERIFY(dialog.Button1()->font().bold());
  QVERIFY(port_->Messages().empty());
  QVERIFY(!std::filesystem::exists(program_->Program() + kSettingsFileName));
}

void SettingsDialogsTest::settingsDialogShowsTheFile() {
  WriteOtherSettings();
  Settings record = DefaultSettings();
  TEinstellFormZR dialog(record, program_->Program(), *port_);
  dialog.show();
  QCOMPARE(dialog.Edit1()->text(), QStringLiteral("13001"));
  QCOMPARE(dialog.Picker().Folder(), NoTrailingSeparator(program_->Db()));
  QVERIFY(dialog.CheckBox2()->isChecked());
  QVERIFY(!dialog.CheckBox5()->isChecked());
  QCOMPARE(record.schoolNumber, std::string("13001"));
  // Showing the folder does not rewrite it in the record.
  QCOMPARE(record.dataBaseDirectory, program_->Db());
  // The drive selector stands on the volume of that folder.
  const int drive = dialog.Picker().DriveSelector()->currentIndex();
  QVERIFY(drive >= 0);
  QVERIFY(QString::fromStdString(program_->Db()).startsWith(dialog.Picker().Drives()[drive].root));
}

void SettingsDialogsTest::typedTextSurvivesMinimisingAndRestoring() {
  Settings record = DefaultSettings();
  TEinstellFormZR dialog(record, program_->Program(), *port_);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QCOMPARE(dialog.Edit1()->text(), QStringLiteral("54321"));  // from the file
  dialog.Edit1()->setText(QStringLiteral("77777"));
  dialog.CheckBox2()->setChecked(true);
  // Minimised and restored, the dialog is shown again by the window system (a spontaneous show
  // event): the controls keep what was typed.
  dialog.showMinimized();
  QTRY_VERIFY(dialog.isMinimized());
  dialog.showNormal();
  QTRY_VERIFY(!dialog.isMinimized());
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QCOMPARE(dialog.Edit1()->text(), QStringLiteral("77777"));
  QVERIFY(dialog.CheckBox2()->isChecked());
}

void SettingsDialogsTest::takeOverCutsTheSchoolNumberAndWritesTheFile() {
  Settings record = DefaultSettings();
  TEinstellFormZR dialog(record, program_->Program(), *port_);
  dialog.show();
  dialog.Edit1()->setText(QStringLiteral("ÄBCDEFGHIJKLMNOPQRSTUVWXY"));  // 25 characters
  dialog.Picker().SetFolder(QString::fromStdString(program_->Db() + "12345"));
  dialog.CheckBox2()->setChecked(true);
  dialog.CheckBox5()->setChecked(false);
  dialog.Button1()->click();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  const Settings file = ReadFile(program_->Program());
  QCOMPARE(file.schoolNumber, W("ÄBCDEFGHIJKLMNOPQRST"));
  QCOMPARE(file.dataBaseDirectory, program_->Db() + "12345/");
  QCOMPARE(file.rowHeightOption, std::uint16_t{1});
  QCOMPARE(file.reportOption, std::uint16_t{0});
  QCOMPARE(file.prefillOption, std::uint16_t{1});
  QVERIFY(file == record);
  QVERIFY(port_->Messages().empty());
}

void SettingsDialogsTest::takeOverAtTheRootStoresOneSeparator() {
  Settings record = DefaultSettings();
  TEinstellFormZR dialog(record, program_->Program(), *port_);
  dialog.show();
  dialog.Picker().SetFolder(QStringLiteral("/"));
  dialog.Button1()->click();
  QCOMPARE(ReadFile(program_->Program()).dataBaseDirectory, std::string("/"));
  QCOMPARE(record.dataBaseDirectory, std::string("/"));
}

void SettingsDialogsTest::standardSettingsRefillWithoutTouchingTheFile() {
  WriteOtherSettings();
  const std::string before = test::ReadBytes(program_->Program() + kSettingsFileName);
  Settings record = DefaultSettings();
  TEinstellFormZR dialog(record, program_->Program(), *port_);
  dialog.show();
  QCOMPARE(dialog.Edit1()->text(), QStringLiteral("13001"));
  dialog.Button3()->click();
  QCOMPARE(dialog.Edit1()->text(), QStringLiteral("00000"));
  QVERIFY(!dialog.CheckBox2()->isChecked());
  QVERIFY(dialog.CheckBox5()->isChecked());
  QCOMPARE(dialog.Picker().Folder(), NoTrailingSeparator(program_->Program()));
  QVERIFY(dialog.isVisible());
  QCOMPARE(test::ReadBytes(program_->Program() + kSettingsFileName), before);
}

void SettingsDialogsTest::cancelLeavesFileAndRecordUnchanged() {
  const std::string before = test::ReadBytes(program_->Program() + kSettingsFileName);
  Settings record = DefaultSettings();
  record.schoolNumber = "11111";
  record.dataBaseDirectory = "/somewhere/";
  const Settings original = record;
  TEinstellFormZR dialog(record, program_->Program(), *port_);
  dialog.show();
  QCOMPARE(record.schoolNumber, std::string("54321"));  // filled from the file
  dialog.Edit1()->setText(QStringLiteral("22222"));
  // A folder chosen in the tree goes into the record at once ...
  emit dialog.Picker().FolderChosen(QStringLiteral("/tmp"));
  QCOMPARE(record.dataBaseDirectory, std::string("/tmp"));
  dialog.Button3()->click();
  dialog.Button2()->click();
  // ... and cancelling restores the record as it was before the dialog.
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  QVERIFY(record == original);
  QCOMPARE(test::ReadBytes(program_->Program() + kSettingsFileName), before);
}

void SettingsDialogsTest::writeErrorKeepsTheDialogOpen() {
  const std::string missing = program_->Program() + "fehlt/";
  Settings record = DefaultSettings();
  TEinstellFormZR dialog(record, missing, *port_);
  dialog.show();
  dialog.Edit1()->setText(QStringLiteral("54321"));
  dialog.Button1()->click();
  QVERIFY(dialog.isVisible());
  QVERIFY(dialog.result() != QDialog::Accepted);
  QCOMPARE(port_->Messages().size(), std::size_t{1});
  QCOMPARE(port_->Messages()[0].kind, MessageKind::Error);
  // In German, and what was typed is still there for another try.
  QCOMPARE(port_->Messages()[0].text,
           missing + kSettingsFileName + "\nDatei oder Verzeichnis nicht gefunden");
  QCOMPARE(dialog.Edit1()->text(), QStringLiteral("54321"));
  QCOMPARE(record.schoolNumber, std::string("54321"));
  QVERIFY(!std::filesystem::exists(missing + kSettingsFileName));
}

void SettingsDialogsTest::windowReloadsAfterSettingsTakenOver() {
  StartWindow();
  QCOMPARE(CellOf(GridId::StringGrid1, 2, 2), QStringLiteral("Bereich Süd"));
  WhenOpen<TEinstellFormZR>(QStringLiteral("EinstellFormZR"), [](TEinstellFormZR& dialog) {
    dialog.Edit1()->setText(QStringLiteral("12345"));
    dialog.Button1()->click();
  });
  Action("Programmeinstellungen1")->trigger();
  QCOMPARE(Find<TEinstellFormZR>(QStringLiteral("EinstellFormZR"))->result(),
           int(QDialog::Accepted));
  QCOMPARE(ReadFile(program_->Program()).schoolNumber, std::string("12345"));
  // School from the record, selector rebuilt, status panel 1, the current table loaded again.
  QCOMPARE(CurrentSession().Paths().schoolNumber, std::string("12345"));
  QCOMPARE(StatusPanel(1)->text(), QStringLiteral("12345"));
  QCOMPARE(SchoolSelector()->count(), 2);
  QCOMPARE(SchoolSelector()->itemText(0), QStringLiteral("12345"));
  QCOMPARE(CellOf(GridId::StringGrid1, 2, 2), QStringLiteral("Nord"));
  QVERIFY(port_->Messages().empty());
}

void SettingsDialogsTest::chooserOkPointsTheWindowAtTheFolder() {
  test::TempDir other;
  test::WriteOemLines(other.Path() + "54321/SCHNELL/5432100.CSV",
                      {"ES001;ES002;ES003", "54321;Anderswo;Kreis"});
  std::filesystem::create_directories(other.Path() + "99999");
  StartWindow();
  const std::string settingsBefore = test::ReadBytes(program_->Program() + kSettingsFileName);
  QString browsingAtOpen;
  QString title;
  WhenOpen<TVerzWahlForm>(QStringLiteral("VerzWahlForm"), [&](TVerzWahlForm& chooser) {
    browsingAtOpen = chooser.Picker().Folder();
    title = chooser.windowTitle();
    chooser.Picker().SetFolder(QString::fromStdString(other.Path()));
    chooser.OkButton()->click();
  });
  Action("FileOpenItem")->trigger();
  QCOMPARE(browsingAtOpen, NoTrailingSeparator(program_->Db()));
  QCOMPARE(title, QStringLiteral("Speicherort der Statistik-Datenbank"));
  QCOMPARE(CurrentSession().Paths().dataBaseDirectory, other.Path());
  QCOMPARE(SchoolSelector()->count(), 2);
  QCOMPARE(StatusPanel(1)->text(), QStringLiteral("54321"));
  QCOMPARE(CellOf(GridId::StringGrid1, 2, 2), QStringLiteral("Anderswo"));
  QCOMPARE(test::ReadBytes(program_->Program() + kSettingsFileName), settingsBefore);
}

void SettingsDialogsTest::chooserCancelChangesNothing() {
  StartWindow();
  WhenOpen<TVerzWahlForm>(QStringLiteral("VerzWahlForm"), [](TVerzWahlForm& chooser) {
    chooser.Picker().SetFolder(QStringLiteral("/"));
    chooser.CancelButton()->click();
  });
  Action("FileOpenItem")->trigger();
  QCOMPARE(Find<TVerzWahlForm>(QStringLiteral("VerzWahlForm"))->result(), int(QDialog::Rejected));
  QCOMPARE(CurrentSession().Paths().dataBaseDirectory, program_->Db());
  QCOMPARE(CellOf(GridId::StringGrid1, 2, 2), QStringLiteral("Bereich Süd"));
}

void SettingsDialogsTest::chooserDriveCheck() {
  test::TempDir drives;
  const std::string a = drives.Path() + "a";
  const std::string e = drives.Path() + "e";
  std::filesystem::create_directories(a + "/sub");
  std::filesystem::create_directories(e);
  StartWindow();
  SimulatedVolumes volumes;
  volumes.probes[drives.Path() + "x"] = {VolumeProbe::Outcome::NoMedium, ENOENT};
  volumes.probes[e] = {VolumeProbe::Outcome::Empty, 0};
  TVerzWahlForm chooser(*port_, volumes);
  FolderPicker& picker = chooser.Picker();
  picker.SetDrives({{QStringLiteral("A"), QString::fromStdString(a)},
                    {QStringLiteral("X"), QString::fromStdString(drives.Path() + "x")},
                    {QStringLiteral("E"), QString::fromStdString(e)}});
  picker.SetFolder(QString::fromStdString(a + "/sub"));
  QCOMPARE(picker.DriveSelector()->currentIndex(), 0);
  // No medium: reported, and the selector goes back to the drive of the tree.
  picker.DriveSelector()->setCurrentIndex(1);
  QCOMPARE(port_->Messages().size(), std::size_t{1});
  QCOMPARE(port_->Messages()[0].kind, MessageKind::Plain);
  QCOMPARE(port_->Messages()[0].text, std::string("KEIN Datenträger im Laufwerk X:"));
  QCOMPARE(picker.DriveSelector()->currentIndex(), 0);
  QCOMPARE(picker.Folder(), QString::fromStdString(a + "/sub"));
  // Empty: reported, and the tree goes to that drive.
  picker.DriveSelector()->setCurrentIndex(2);
  QCOMPARE(port_->Messages().size(), std::size_t{2});
  QCOMPARE(port_->Messages()[1].text, std::string("Datenträger im Laufwerk E: ist leer!"));
  QCOMPARE(picker.Folder(), QString::fromStdString(e));
  QCOMPARE(chooser.BrowsingDirectory(), QString::fromStdString(e));
  QCOMPARE(picker.DriveSelector()->currentIndex(), 2);
}

void SettingsDialogsTest::driveOfAFolder_data() {
  QTest::addColumn<QString>("folder");
  QTest::addColumn<int>("drive");
  QTest::newRow("system volume") << QStringLiteral("/srv/data") << 0;
  QTest::newRow("stick root") << QStringLiteral("/media/u/STICK") << 1;
  QTest::newRow("below the stick") << QStringLiteral("/media/u/STICK/db") << 1;
  QTest::newRow("name only begins alike") << QStringLiteral("/media/u/STICKER") << 0;
  QTest::newRow("home") << QStringLiteral("/home/u/stat") << 2;
  QTest::newRow("relative") << QStringLiteral("stat") << -1;
}

void SettingsDialogsTest::driveOfAFolder() {
  QFETCH(QString, folder);
  QFETCH(int, drive);
  const QList<Drive> drives = {{QStringLiteral("/"), QStringLiteral("/")},
                               {QStringLiteral("STICK"), QStringLiteral("/media/u/STICK")},
                               {QStringLiteral("home"), QStringLiteral("/home/u")}};
  QCOMPARE(DriveIndexOf(drives, folder), drive);
}

void SettingsDialogsTest::mountedDrivesStartWithHome() {
  const QList<Drive> drives = MountedDrives();
  QVERIFY(!drives.isEmpty());
  QCOMPARE(drives.front().root, QDir::homePath());
  // Every folder of this machine lies on one of them.
  QVERIFY(DriveIndexOf(drives, QDir::tempPath()) >= 0);
  for (const Drive& drive : drives) {
    QVERIFY2(!drive.root.startsWith(QStringLiteral("/proc")), qPrintable(drive.root));
    QVERIFY2(!drive.label.isEmpty(), qPrintable(drive.root));
  }
}

void SettingsDialogsTest::mailCancelDoesNotHandOver() {
  Settings settings = DefaultSettings();
  const std::string db = program_->Db();
  FakeMail mail(0);
  TEMailForm dialog(mail, *port_);
  dialog.SetQuickReport(settings.schoolNumber, db);
  dialog.show();
  QCOMPARE(dialog.windowTitle(), QStringLiteral("EMail mit Statistik-Datenbank versenden..."));
  QCOMPARE(dialog.Button2()->text(),
           QStringLiteral("Daten zusammenstellen und an EMail-Programm übergeben "));
  dialog.Button1()->click();
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  QVERIFY(mail.sent.empty());
  QVERIFY(port_->Messages().empty());
}

void SettingsDialogsTest::mailRecipientComesOnlyFromTheConfiguration_data() {
  QTest::addColumn<QString>("entry");  // the configuration file's lines
  QTest::addColumn<QString>("recipient");
  QTest::newRow("no entry") << QString() << QString();
  QTest::newRow("entry") << QStringLiteral("[Schnellmeldung]\nEmpfaenger=stelle@example.org\n")
                         << QStringLiteral("stelle@example.org");
  QTest::newRow("blanks around") << QStringLiteral("[Schnellmeldung]\nEmpfaenger=\" a@b.de \"\n")
                                 << QStringLiteral("a@b.de");
  QTest::newRow("an option is no address")
      << QStringLiteral("[Schnellmeldung]\nEmpfaenger=--help\n") << QString();
}

void SettingsDialogsTest::mailRecipientComesOnlyFromTheConfiguration() {
  QFETCH(QString, entry);
  QFETCH(QString, recipient);
  test::TempDir temp;
  const std::string file = temp.Path() + "tabellario.conf";
  test::WriteBytes(file, entry.toStdString());
  const QSettings configuration(QString::fromStdString(file), QSettings::IniFormat);
  QCOMPARE(QString::fromStdString(QuickReportRecipient(configuration)), recipient);
}

void SettingsDialogsTest::mailResultClosesTheDialog_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<int>("result");
  QTest::addColumn<QString>("message");
  QTest::newRow("handed over") << 0 << int(QDialog::Accepted) << QString();
  QTest::newRow("user abort") << 1 << int(QDialog::Rejected)
                              << QStringLiteral("Nutzer hat Vorgang abgebrochen!");
  QTest::newRow("code 4") << 4 << int(QDialog::Rejected)
                          << QStringLiteral("Übertragungsfehler oder Nutzerabbruch! ");
}

void SettingsDialogsTest::mailResultClosesTheDialog() {
  QFETCH(int, code);
  QFETCH(int, result);
  QFETCH(QString, message);
  Settings settings = DefaultSettings();
  settings.schoolNumber = "54321";
  const std::string db = program_->Db();
  FakeMail mail(code);
  TEMailForm dialog(mail, *port_);
  dialog.SetQuickReport(settings.schoolNumber, db);
  dialog.show();
  dialog.Button2()->click();
  QCOMPARE(dialog.result(), result);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(mail.sent.size(), std::size_t{1});
  if (message.isEmpty()) {
    QVERIFY(port_->Messages().empty());
  } else {
    QCOMPARE(port_->Messages().size(), std::size_t{1});
    QCOMPARE(port_->Messages()[0].kind, MessageKind::Plain);
    QCOMPARE(QString::fromStdString(port_->Messages()[0].text), message);
  }
}

void SettingsDialogsTest::mailFromTheWindowAttachesTheQuickReport() {
  StartWindow();
  FakeMail mail(0);
  window_->SetMailPort(mail);
  WhenOpen<TEMailForm>(QStringLiteral("EMailForm"),
                       [](TEMailForm& dialog) { dialog.Button2()->click(); });
  Action("SchnellMeldung1")->trigger();
  QCOMPARE(mail.sent.size(), std::size_t{1});
  QCOMPARE(mail.sent[0].subject, std::string("Schnellmeldung"));
  QCOMPARE(mail.sent[0].body, std::string("Schnellmeldung: 54321"));
  QCOMPARE(mail.sent[0].attachmentName, std::string("5432100.CSV"));
  QCOMPARE(mail.sent[0].attachmentPath, program_->Db() + "54321/SCHNELL/5432100.CSV");
  QCOMPARE(Find<TEMailForm>(QStringLiteral("EMailForm"))->result(), int(QDialog::Accepted));
}

}  // namespace tab::ui

QTEST_MAIN(tab::ui::SettingsDialogsTest)
#include "settings_dialogs_test.moc"
