// The main window with a scripted message port on a program directory written by the test:
// start-up, page changes, the school selector, the class list, page buttons, menus, hints,
// help and the exit question.
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/ui/about_box.hpp"
#include "app/ui/directory_chooser.hpp"
#include "app/ui/find_bar.hpp"
#include "app/ui/grid_model.hpp"
#include "app/ui/grid_view.hpp"
#include "app/ui/help_window.hpp"
#include "app/ui/main_window.hpp"
#include "app/ui/settings_dialog.hpp"
#include "app/window_layout.hpp"
#include "ui/ui_fixture.hpp"
#include "ui/window_test.hpp"

namespace tab::ui {

namespace {

// Notes what the session tells the window, in order.
class LoggingWindow : public TMainFormZR {
 public:
  using TMainFormZR::TMainFormZR;

  void GridAboutToChange(GridId grid) override {
    log << QStringLiteral("grid %1").arg(static_cast<int>(grid));
    TMainFormZR::GridAboutToChange(grid);
  }
  void ShowClassCaption(bool visible, const std::string& classId) override {
    log << (visible ? QStringLiteral("caption ") + QString::fromStdString(classId)
                    : QStringLiteral("caption hidden"));
    TMainFormZR::ShowClassCaption(visible, classId);
  }
  void FocusClassList() override {
    log << QStringLiteral("focus classes");
    TMainFormZR::FocusClassList();
  }
  void SchoolListChanged() override {
    log << QStringLiteral("schools");
    TMainFormZR::SchoolListChanged();
  }
  void ClassListChanged() override {
    log << QStringLiteral("classes");
    TMainFormZR::ClassListChanged();
  }
  void StatusSchoolNumber(const std::string& number) override {
    log << QStringLiteral("status ") + QString::fromStdString(number);
    TMainFormZR::StatusSchoolNumber(number);
  }

  QStringList Grids() const { return log.filter(QStringLiteral("grid ")); }

  QStringList log;
};

QStringList ItemsOf(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

constexpr const char* kHelpText =
    "<html><head><meta charset=\"utf-8\"></head><body>"
    "<h1><a name=\"start\">Tabellario</a></h1><p>Einleitung für alle</p>"
    "<h2><a name=\"kontext-2\">Inhaltsverzeichnis</a></h2><p>Liste</p>"
    "<h2><a name=\"schule\">Schul-Meldung</a></h2><p>Text</p>"
    "</body></html>";

}  // namespace

class MainWindowTest : public test::WindowTest {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startUpShowsTheSettingsSchool();
  void missingDataBaseStillShowsTheSettingsSchool();
  void pageChangesDispatchTheActiveTable_data();
  void pageChangesDispatchTheActiveTable();
  void typingInTheSchoolSelectorEmptiesTheTables();
  void selectorNamesTheSchoolShown_data();
  void selectorNamesTheSchoolShown();
  void schoolWithoutClassesShowsNoClass();
  void pickingASchoolDispatchesOnce();
  void classListClickShowsThatClass();
  void classSheetWithoutClassesSaysSo();
  void schoolChangeOnTheClassSheetShowsItsFirstClass();
  void pageButtonRunsItsCommand();
  void exitQuestion_data();
  void exitQuestion();
  void helpCommands();
  void functionKeyOneOpensTheHelp();
  void missingHelpFileIsReported();
  void aboutBoxOpensFromTheMenu();
  void menusAndToolBar();
  void hintsReachStatusPanelZero();
  void statusPanelZeroTakesTheRest();
  void identificationNoteHasItsThirteenLines();
  void printCommandSaysNotYetAvailable();
  void exportAndPrintEntriesTakeNoDesignedKey();
  void exportSuggestsANameAndWritesTheShownTable();
  void findBarWorksOnTheActiveGrid();
  void zoomKeysStayInBounds_data();
  void zoomKeysStayInBounds();
  void statusLineNamesTheCurrentCellAndItsOrigin();
  void tabLeavesTheGridForItsButtons();
  void helpStandsCentredAndEscapeClosesIt();

 private:
  void Start();
  HelpWindow* Help() const { return Find<HelpWindow>(QStringLiteral("HelpWindow")); }

  std::unique_ptr<LoggingWindow> window_;
};

void MainWindowTest::init() {
  // Settings name 54321; the data base holds 12345, 54321 (with two classes) and ABCDE and
  // folders that are no schools.
  WriteProgram();
  for (const char* folder : {"ABCDE", "1234", "123456"}) program_->MakeDbFolder(folder);
  for (const char* id : {"BS1A01", "BS1A02"}) {
    program_->WriteData(
        std::string("54321/KLASSE/") + id + "00.CSV",
        {"ES001;ES002;ES003;ES004;ES005;ES006", std::string("54321;01;") + id + ";1;1;1"});
  }
}

void MainWindowTest::cleanup() {
  window_.reset();
  RemoveProgram();
}

void MainWindowTest::Start() {
  window_ = std::make_unique<LoggingWindow>(*port_, program_->Program());
  QVERIFY(Show(*window_));
}

void MainWindowTest::startUpShowsTheSettingsSchool() {
  Start();
  QCOMPARE(window_->windowTitle(),
           QStringLiteral("Tabellario   Mecklenburg-Vorpommern   V.1.8. (2009)  Berufsschule"));
  QCOMPARE(window_->size(), QSize(762, 559));
  // Classes, schools, status panel 1, then the one dispatch of quick-report table 0.
  QCOMPARE(window_->log,
           (QStringList{"classes", "schools", "status 54321", "caption hidden", "grid 1"}));
  QVERIFY(port_->Messages().empty());
  QCOMPARE(StatusPanel(1)->text(), QStringLiteral("54321"));
  QCOMPARE(CellOf(GridId::StringGrid1, 2, 2), QStringLiteral("Bereich Süd"));
  QCOMPARE(Grid(GridId::StringGrid1)->Model()->rowCount(), 2);
  // The selector lists the schools sorted and names the school shown, the one of the settings.
  QCOMPARE(ItemsOf(SchoolSelector()), (QStringList{"12345", "54321", "ABCDE"}));
  QCOMPARE(SchoolSelector()->currentIndex(), 1);
  QCOMPARE(SchoolSelector()->currentText(), QStringLiteral("54321"));
  QCOMPARE(CurrentSession().Paths().schoolNumber, std::string("54321"));
  QVERIFY(SchoolSelector()->isVisible());
  // Every page control on its first page, the quick report active.
  QCOMPARE(SheetPageControl()->currentIndex(), 0);
  for (const SheetPageDesign& sheet : SheetPages()) {
    QCOMPARE(TablePageControl(sheet.sheet)->currentIndex(), 0);
  }
  QCOMPARE(CurrentSession().CurrentSheet(), SheetId::Schnell);
  QCOMPARE(CurrentSession().CurrentTable(), 0);
  QVERIFY(!ClassCaption()->isVisible());
}

void MainWindowTest::missingDataBaseStillShowsTheSettingsSchool() {
  program_->WriteSettings("54321", program_->Db() + "fehlt/");
  Start();
  QCOMPARE(SchoolSelector()->count(), 0);
  QCOMPARE(SchoolSelector()->currentIndex(), -1);
  // No item to select: the number shown stands in the selector as its text.
  QCOMPARE(SchoolSelector()->currentText(), QStringLiteral("54321"));
  QCOMPARE(StatusPanel(1)->text(), QStringLiteral("54321"));
  // The table of the settings' school is dispatched all the same, and shows empty.
  QCOMPARE(window_->Grids(), QStringList{"grid 1"});
  QCOMPARE(CellOf(GridId::StringGrid1, 1, 2), QStringLiteral("54321"));
  QCOMPARE(CellOf(GridId::StringGrid1, 2, 2), QString());
}

void MainWindowTest::pageChangesDispatchTheActiveTable_data() {
  QTest::addColumn<int>("sheet");
  QTest::addColumn<int>("page");
  QTest::addColumn<int>("table");
  QTest::addColumn<QStringList>("grids");
  QTest::newRow("quick report, Tabelle 2") << 0 << 2 << 2 << QStringList{"grid 3"};
  QTest::newRow("teacher, first page") << 2 << 0 << 0 << QStringList{"grid 10", "grid 9"};
  QTest::newRow("class, Tab. 4.1") << 3 << 5 << 10 << QStringList{"grid 27"};
  QTest::newRow("class, Tab. 9") << 3 << 10 << 9 << QStringList{"grid 26"};
}

void MainWindowTest::pageChangesDispatchTheActiveTable() {
  QFETCH(int, sheet);
  QFETCH(int, page);
  QFETCH(int, table);
  QFETCH(QStringList, grids);
  Start();
  window_->log.clear();
  SheetPageControl()->setCurrentIndex(sheet);
  if (page != 0) {
    window_->log.clear();
    TablePageControl(static_cast<SheetId>(sheet))->setCurrentIndex(page);
  }
  QCOMPARE(CurrentSession().CurrentSheet(), static_cast<SheetId>(sheet));
  QCOMPARE(CurrentSession().CurrentTable(), table);
  QCOMPARE(window_->Grids(), grids);
}

void MainWindowTest::typingInTheSchoolSelectorEmptiesTheTables() {
  Start();
  QCOMPARE(CellOf(GridId::StringGrid1, 3, 2), QStringLiteral("Landkreis Müritz"));
  window_->log.clear();
  QLineEdit* edit = SchoolSelector()->lineEdit();
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("123"));
  // One dispatch per change of the text: "1", "12", "123".
  QCOMPARE(window_->Grids(), (QStringList{"grid 1", "grid 1", "grid 1"}));
  const PathState& paths = CurrentSession().Paths();
  QCOMPARE(paths.schoolNumber, std::string("123"));
  QCOMPARE(paths.schoolDirectory, program_->Db() + "123/");
  QCOMPARE(CellOf(GridId::StringGrid1, 2, 2), QString());
  QCOMPARE(CellOf(GridId::StringGrid1, 3, 2), QString());
  // The Dienststelle number cell falls back to the settings' number.
  QCOMPARE(CellOf(GridId::StringGrid1, 1, 2), QStringLiteral("54321"));
}

namespace {
constexpr int kTyped = -2;  // what the selector's item is after typing is not looked at
}  // namespace

void MainWindowTest::selectorNamesTheSchoolShown_data() {
  QTest::addColumn<QString>("step");
  QTest::addColumn<QString>("argument");
  QTest::addColumn<QStringList>("grids");  // what the step dispatched
  QTest::addColumn<QString>("text");       // the selector's text: the school shown
  QTest::addColumn<int>("index");          // its item, -1 for none (typing leaves it be)
  QTest::addColumn<QString>("note");       // the status line's note, empty when hidden
  const QStringList once = {"grid 1"};
  QTest::newRow("start") << "start"
                         << "" << QStringList() << "54321" << 1 << "";
  QTest::newRow("after the settings") << "settings"
                                      << "12345" << once << "12345" << 0 << "";
  QTest::newRow("settings naming a school the data base lacks")
      << "settings"
      << "77777" << once << "77777" << -1 << "Dienststelle 77777 nicht in der Datenbasis";
  QTest::newRow("after the directory chooser") << "chooser"
                                               << "" << once << "54321" << 2 << "";
  QTest::newRow("typed number the data base lacks")
      << "typed"
      << "1300" << QStringList{"grid 1", "grid 1", "grid 1", "grid 1"} << "1300" << kTyped
      << "Dienststelle 1300 nicht in der Datenbasis";
  QTest::newRow("typed number the data base has")
      << "typed"
      << "12345" << QStringList(5, "grid 1") << "12345" << kTyped << "";
}

void MainWindowTest::selectorNamesTheSchoolShown() {
  QFETCH(QString, step);
  QFETCH(QString, argument);
  QFETCH(QStringList, grids);
  QFETCH(QString, text);
  QFETCH(int, index);
  QFETCH(QString, note);
  // Another data base for the chooser: its first schools sort before the one of the settings.
  test::TempDir other;
  for (const char* school : {"11111", "22222", "54321"}) {
    std::filesystem::create_directories(other.Path() + school);
  }
  Start();
  window_->log.clear();
  if (step == "settings") {
    WhenOpen<TEinstellFormZR>(QStringLiteral("EinstellFormZR"),
                              [argument](TEinstellFormZR& dialog) {
                                dialog.Edit1()->setText(argument);
                                dialog.Button1()->click();
                              });
    Action("Programmeinstellungen1")->trigger();
  } else if (step == "chooser") {
    const QString folder = QString::fromStdString(other.Path());
    WhenOpen<TVerzWahlForm>(QStringLiteral("VerzWahlForm"), [folder](TVerzWahlForm& chooser) {
      chooser.Picker().SetFolder(folder);
      chooser.OkButton()->click();
    });
    Action("FileOpenItem")->trigger();
  } else if (step == "typed") {
    QLineEdit* edit = SchoolSelector()->lineEdit();
    edit->selectAll();
    edit->del();
    window_->log.clear();
    QTest::keyClicks(edit, argument);
  }
  // Naming the school is no choice of the user: it dispatches nothing of its own and keeps the
  // school shown.
  QCOMPARE(window_->Grids(), grids);
  QCOMPARE(SchoolSelector()->currentText(), text);
  if (index != kTyped) QCOMPARE(SchoolSelector()->currentIndex(), index);
  QCOMPARE(QString::fromStdString(CurrentSession().Paths().schoolNumber), text);
  QLabel* shownNote = Find<QLabel>(QStringLiteral("StatusNote"));
  QCOMPARE(shownNote->isVisible(), !note.isEmpty());
  if (!note.isEmpty()) QCOMPARE(shownNote->text(), note);
  QCOMPARE(StatusPanel(1)->isVisible(), true);
}

void MainWindowTest::schoolWithoutClassesShowsNoClass() {
  Start();
  SheetPageControl()->setCurrentIndex(3);
  QVERIFY(ClassCaption()->isVisible());
  QCOMPARE(ClassIdField()->text(), QStringLiteral("BS1A01"));
  SchoolSelector()->lineEdit()->setText(QStringLiteral("12345"));
  QCOMPARE(ClassList()->count(), 0);
  // The class of the school shown before is no class of this one.
  QVERIFY(!ClassCaption()->isVisible());
  QCOMPARE(ClassIdField()->text(), QString());
  QCOMPARE(CurrentSession().Paths().classId, std::string(kNoClass));
}

void MainWindowTest::pickingASchoolDispatchesOnce() {
  Start();
  QComboBox* selector = SchoolSelector();
  selector->setFocus();
  window_->log.clear();
  QTest::keyClick(selector, Qt::Key_Up);
  QCOMPARE(selector->currentText(), QStringLiteral("12345"));
  QCOMPARE(window_->Grids(), QStringList{"grid 1"});
  QCOMPARE(CellOf(GridId::StringGrid1, 2, 2), QStringLiteral("Nord"));
  QTest::keyClick(selector, Qt::Key_Down);
  QCOMPARE(window_->Grids(), (QStringList{"grid 1", "grid 1"}));
  QCOMPARE(CurrentSession().Paths().schoolNumber, std::string("54321"));
  QCOMPARE(CellOf(GridId::StringGrid1, 2, 2), QStringLiteral("Bereich Süd"));
}

void MainWindowTest::classListClickShowsThatClass() {
  Start();
  QListWidget* list = ClassList();
  QCOMPARE(list->count(), 2);
  QCOMPARE(list->currentRow(), 0);
  window_->log.clear();
  SheetPageControl()->setCurrentIndex(3);
  QCOMPARE(window_->log, (QStringList{"caption BS1A01", "grid 17"}));
  QVERIFY(ClassCaption()->isVisible());
  QCOMPARE(ClassIdField()->text(), QStringLiteral("BS1A01"));
  QCOMPARE(CellOf(GridId::StringGrid17, 3, 2), QStringLiteral("BS1A01"));

  window_->log.clear();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  QCOMPARE(window_->log, (QStringList{"caption BS1A02", "grid 17"}));
  QCOMPARE(ClassIdField()->text(), QStringLiteral("BS1A02"));
  QCOMPARE(CellOf(GridId::StringGrid17, 3, 2), QStringLiteral("BS1A02"));
  QCOMPARE(CurrentSession().Paths().classId, std::string("BS1A02"));

  // The keyboard moves the selection: one dispatch as well.
  window_->log.clear();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Up);
  QCOMPARE(window_->log, (QStringList{"caption BS1A01", "grid 17"}));
  QCOMPARE(CellOf(GridId::StringGrid17, 3, 2), QStringLiteral("BS1A01"));
}

void MainWindowTest::classSheetWithoutClassesSaysSo() {
  Start();
  QLineEdit* edit = SchoolSelector()->lineEdit();
  edit->clear();
  edit->setText(QStringLiteral("12345"));
  QCOMPARE(ClassList()->count(), 0);
  port_->Clear();
  window_->log.clear();
  SheetPageControl()->setCurrentIndex(3);
  QCOMPARE(port_->Messages().size(), std::size_t{1});
  QCOMPARE(port_->Messages()[0].kind, MessageKind::InfoDialog);
  QCOMPARE(port_->Messages()[0].info.line1, std::string("Es sind keine Klassen-Daten verfügbar!"));
  QCOMPARE(port_->Messages()[0].info.milliseconds, 2000u);
  // Only the set-up ran: the headed, empty class table.
  QCOMPARE(window_->Grids(), QStringList{"grid 17"});
  QCOMPARE(CellOf(GridId::StringGrid17, 3, 2), QString());
  QVERIFY(!ClassCaption()->isVisible());
}

void MainWindowTest::schoolChangeOnTheClassSheetShowsItsFirstClass() {
  Start();
  QListWidget* list = ClassList();
  SheetPageControl()->setCurrentIndex(3);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  QCOMPARE(ClassIdField()->text(), QStringLiteral("BS1A02"));
  QLineEdit* edit = SchoolSelector()->lineEdit();
  edit->setText(QStringLiteral("5432"));
  QCOMPARE(list->count(), 0);
  window_->log.clear();
  edit->setText(QStringLiteral("54321"));
  // The class list is built again with its first class selected, and that class is shown.
  QCOMPARE(list->count(), 2);
  QCOMPARE(list->currentRow(), 0);
  QCOMPARE(window_->log, (QStringList{"classes", "caption BS1A01", "grid 17"}));
  QCOMPARE(CellOf(GridId::StringGrid17, 3, 2), QStringLiteral("BS1A01"));
}

void MainWindowTest::pageButtonRunsItsCommand() {
  Start();
  for (const ButtonDesign& design : Buttons()) {
    auto* button = window_->findChild<QPushButton*>(QString::fromUtf8(design.name));
    QVERIFY2(button != nullptr, design.name);
    QCOMPARE(button->text(), QString::fromUtf8(design.caption));
    // Every page button has its command.
    QVERIFY2(button->isEnabled(), design.name);
  }
  // Class "Tab. 1": the birth years typed into the grid are sorted by the button.
  SheetPageControl()->setCurrentIndex(3);
  TablePageControl(SheetId::Klassen)->setCurrentIndex(1);
  GridModel* model = Grid(GridId::StringGrid18)->Model();
  const QStringList years = {"1990", "1988", "1989"};
  for (int i = 0; i < years.size(); ++i) QVERIFY(model->setData(model->index(1 + i, 1), years[i]));
  auto* button = window_->findChild<QPushButton*>(QStringLiteral("Button44"));
  QVERIFY(button->isEnabled());
  window_->log.clear();
  QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(window_->Grids(), QStringList{"grid 18"});
  QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("1988"));
  QCOMPARE(model->index(2, 1).data().toString(), QStringLiteral("1989"));
  QCOMPARE(model->index(3, 1).data().toString(), QStringLiteral("1990"));
}

void MainWindowTest::exitQuestion_data() {
  QTest::addColumn<bool>("yes");
  QTest::addColumn<QString>("command");
  QTest::newRow("Ja by the menu") << true << "FileExitItem";
  QTest::newRow("Nein by the menu") << false << "FileExitItem";
  QTest::newRow("Ja by the tool bar") << true << "FileExitButton";
  QTest::newRow("Nein by the close box") << false << "";
}

void MainWindowTest::exitQuestion() {
  QFETCH(bool, yes);
  QFETCH(QString, command);
  program_->WriteProgramFile("VORINEXMVBS.HLP", {kHelpText});
  Start();
  window_->HelpContents();
  QVERIFY(Help()->isVisible());
  port_->Clear();
  port_->AnswerNext(yes);
  if (command.isEmpty()) {
    window_->close();
  } else {
    Action(command.toUtf8().constData())->trigger();
  }
  QCOMPARE(port_->Messages().size(), std::size_t{1});
  QCOMPARE(port_->Messages()[0].kind, MessageKind::Question);
  QCOMPARE(port_->Messages()[0].text,
           std::string("Wollen Sie den Tabellario\nMecklenburg-Vorpommern - Berufsschule\n"
                       "jetzt wirklich BEENDEN?"));
  QCOMPARE(window_->isVisible(), !yes);
  QVERIFY(!Help()->isVisible());
}

void MainWindowTest::helpCommands() {
  program_->WriteProgramFile("VORINEXMVBS.HLP", {kHelpText});
  Start();
  QAction* contents = Action("HelpContentsItem");
  QCOMPARE(contents->shortcut(), QKeySequence(Qt::Key_F1));
  contents->trigger();
  HelpWindow* help = Help();
  QVERIFY(help->isVisible());
  // Written in the Windows code page here: read as that.
  QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("Einleitung für alle")));
  QCOMPARE(help->Index().size(), std::size_t{3});

  help->hide();
  Action("Inhaltsverzeichnis1")->trigger();
  QVERIFY(help->isVisible());
  QCOMPARE(HelpWindow::ContextAnchor(2), QStringLiteral("kontext-2"));

  help->SearchField()->setText(QStringLiteral("schul"));
  QCOMPARE(help->IndexList()->count(), 1);
  Action("HelpSearchItem")->trigger();
  // The search opens with an empty keyword: every index entry is listed.
  QCOMPARE(help->SearchField()->text(), QString());
  QCOMPARE(help->IndexList()->count(), 3);
  QVERIFY(port_->Messages().empty());
}

void MainWindowTest::functionKeyOneOpensTheHelp() {
  program_->WriteProgramFile("VORINEXMVBS.HLP", {kHelpText});
  Start();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  QTest::keyClick(window_.get(), Qt::Key_F1);
  QVERIFY(Help()->isVisible());
}

void MainWindowTest::missingHelpFileIsReported() {
  Start();
  port_->Clear();
  Action("HelpContentsItem")->trigger();
  QVERIFY(!Help()->isVisible());
  QCOMPARE(port_->Messages().size(), std::size_t{1});
  QCOMPARE(port_->Messages()[0].kind, MessageKind::Warning);
  QCOMPARE(port_->Messages()[0].text,
           "Die Hilfe-Datei\n" + program_->Program() + "VORINEXMVBS.HLP\nwurde nicht gefunden!");
}

void MainWindowTest::aboutBoxOpensFromTheMenu() {
  Start();
  QString title;
  WhenOpen<TInfoBox_ZR>(QStringLiteral("InfoBox_ZR"), [&title](TInfoBox_ZR& box) {
    title = box.windowTitle();
    box.accept();
  });
  Action("HelpAboutItem")->trigger();
  QCOMPARE(title, QStringLiteral("Info"));
  QCOMPARE(Find<TInfoBox_ZR>(QStringLiteral("InfoBox_ZR"))->result(), int(QDialog::Accepted));
}

void MainWindowTest::menusAndToolBar() {
  Start();
  QStringList titles;
  QStringList visible;
  for (QAction* menu : window_->menuBar()->actions()) {
    titles << menu->text();
    if (menu->isVisible()) visible << menu->text();
  }
  QCOMPARE(titles, (QStringList{"&Datei", "E&Mail", "&Einstellungen", "&Hilfe"}));
  QCOMPARE(visible, (QStringList{"&Datei", "&Einstellungen", "&Hilfe"}));
  QCOMPARE(window_->menuBar()->actions()[0]->statusTip(),
           QStringLiteral("Datei- und Verzeichnishandling, Drucken, Beenden"));

  struct Expected {
    const char* name;
    const char* text;  // the menu item's caption, or the tool button's tool tip
    const char* statusTip;
    bool visible;
  };
  const Expected actions[] = {
      {"FileOpenItem", "Daten-Basis-Verzeichnis &festlegen...",
       "Laufwerk und Verzeichnis für die Statistik-Datenbank festlegen", true},
      {"FilePrintItem", "aktuelle Tabelle &Drucken...", "Aktuelle Tabelle drucken", false},
      {"FilePrintSetupItem", "D&rucker einrichten...", "Druckereinrichtung ändern", false},
      {"FileExitItem", "Programm &Beenden", "Diese Anwendung beenden", true},
      {"SchnellMeldung1", "&Schnell-Meldung", "", true},
      {"Programmeinstellungen1", "&Programmeinstellungen", "Optionen des Programms ändern", true},
      {"HelpContentsItem", "&anzeigen", "Inhaltsübersicht der Hilfe anzeigen", true},
      {"Inhaltsverzeichnis1", "Inhalts&verzeichnis", "", true},
      {"HelpSearchItem", "&Inhalt-Index-Suche der Hilfe...", "Hilfe zu einem Thema suchen", true},
      {"HelpAboutItem", "I&nfo zum Programm", "Programminformationen anzeigen", true},
      {"FileOpenButton", "Daten-Basis-Verzeichnis wechseln", "Daten-Basis-Verzeichnis wechseln",
       true},
      {"FileExitButton", "Beenden", "", true},
      {"HelpContentsButton", "Inhalt der Hilfe", "", true},
      {"HelpAboutButton", "Info", "", true},
      {"FilePrintButton", "Drucken", "", false},
      {"FilePrintSetupButton", "Druckereinstellungen", "", false},
  };
  for (const Expected& expected : actions) {
    QAction* action = Action(expected.name);
    QVERIFY2(action != nullptr, expected.name);
    const bool toolButton = QByteArray(expected.name).endsWith("Button");
    QCOMPARE(toolButton ? action->toolTip() : action->text(), QString::fromUtf8(expected.text));
    QCOMPARE(action->statusTip(), QString::fromUtf8(expected.statusTip));
    QCOMPARE(action->isVisible(), expected.visible);
  }
  // The commands that open the directory chooser, the settings and the e-mail dialog.
  for (const char* name :
       {"FileOpenItem", "FileOpenButton", "Programmeinstellungen1", "SchnellMeldung1"}) {
    QVERIFY2(Action(name)->isEnabled(), name);
  }
  QStringList order;
  for (QAction* action : window_->findChild<QToolBar*>()->actions()) {
    if (!action->objectName().isEmpty()) order << action->objectName();
  }
  QCOMPARE(order.mid(0, 4), (QStringList{"FileOpenButton", "FileExitButton", "HelpContentsButton",
                                         "HelpAboutButton"}));
  QCOMPARE(window_->findChild<QToolBar*>()->height(), 33);
}

void MainWindowTest::hintsReachStatusPanelZero() {
  Start();
  QWidget* list = ClassList();
  QCOMPARE(list->toolTip(), QStringLiteral("Liste der verfügbaren Klassen"));
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(list, &enter);
  QCOMPARE(StatusPanel(0)->text(), QStringLiteral("Liste der verfügbaren Klassen"));
  QCoreApplication::sendEvent(Grid(GridId::StringGrid5), &enter);
  QCOMPARE(StatusPanel(0)->text(),
           QStringLiteral("Klassen und Schüler/-innen nach Schularten/Bildungsgängen/Zeitformen "
                          "und Jahrgangsstufen"));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(Grid(GridId::StringGrid5), &leave);
  QCOMPARE(StatusPanel(0)->text(), QString());
  QCOMPARE(SheetPageControl()->toolTip(), QStringLiteral("Statistik-Meldung"));
  QCOMPARE(TablePageControl(SheetId::Lehrer)->toolTip(),
           QStringLiteral("Tabellen der Lehrer-Bogen"));
}

void MainWindowTest::statusPanelZeroTakesTheRest() {
  Start();
  QCOMPARE(StatusPanel(1)->width(), 70);
  const int before = StatusPanel(0)->width();
  window_->resize(900, 559);
  QTRY_COMPARE(StatusPanel(0)->width(), before + 138);
  QCOMPARE(StatusPanel(1)->width(), 70);
}

void MainWindowTest::identificationNoteHasItsThirteenLines() {
  Start();
  const QPlainTextEdit* note = IdentificationNote();
  QVERIFY(note->isReadOnly());
  const QStringList lines = note->toPlainText().split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 13);
  QCOMPARE(lines[1], QString(22, QLatin1Char('=')));
  QVERIFY(lines[2].isEmpty() && lines[6].isEmpty());
  for (const int withBlank : {3, 4, 7, 8, 9}) QVERIFY(lines[withBlank].endsWith(QLatin1Char(' ')));
  QCOMPARE(lines[7],
           QStringLiteral("Bei Bereitstellung der Lehreridentifikationen (Datei \"LEHRER.CSV) "));
  QCOMPARE(lines[10], QStringLiteral("Dienststellen-Verzeichnis (z.B. \"12345\") zu finden ist."));
  QCOMPARE(lines[12], QStringLiteral("Verzeichnis genutzt!"));
}

void MainWindowTest::printCommandSaysNotYetAvailable() {
  Start();
  port_->Clear();
  window_->FilePrint();
  QCOMPARE(port_->Messages().size(), std::size_t{1});
  QCOMPARE(port_->Messages()[0].kind, MessageKind::Information);
  QCOMPARE(port_->Messages()[0].text, std::string("Funktion noch nicht verfügbar!"));
}

// The new entries stand beside the hidden print items; their access keys are none of a designed
// item's, so that Alt+D then F still opens the directory chooser.
void MainWindowTest::exportAndPrintEntriesTakeNoDesignedKey() {
  Start();
  struct Expected {
    const char* name;
    const char* text;
    QKeySequence keys;
  };
  for (const Expected& expected :
       {Expected{"ExportTableItem", "Tabelle &exportieren…", QKeySequence(Qt::CTRL | Qt::Key_S)},
        Expected{"PrintTableItem", "&Tabelle drucken…", QKeySequence(Qt::CTRL | Qt::Key_P)}}) {
    QAction* action = Action(expected.name);
    QVERIFY2(action != nullptr, expected.name);
    QCOMPARE(action->text(), QString::fromUtf8(expected.text));
    QCOMPARE(action->shortcut(), expected.keys);
    QVERIFY(action->isVisible());
    QVERIFY(action->isEnabled());
  }
  auto* file = Find<QMenu>(QStringLiteral("FileMenu"));
  QVERIFY(file != nullptr);
  QStringList order;
  QString keys;
  for (QAction* action : file->actions()) {
    if (action->isSeparator()) continue;
    order << action->objectName();
    const qsizetype amp = action->text().indexOf(QLatin1Char('&'));
    QVERIFY2(amp >= 0, qPrintable(action->text()));
    const QChar key = action->text().at(amp + 1).toLower();
    QVERIFY2(!keys.contains(key), qPrintable(action->text()));
    keys += key;
  }
  QCOMPARE(order,
           (QStringList{"FileOpenItem", "CheckDataBaseItem", "FilePrintItem", "FilePrintSetupItem",
                        "ExportTableItem", "PrintTableItem", "FileExitItem"}));
  QCOMPARE(keys.at(0), QLatin1Char('f'));
}

// Datei → Tabelle exportieren…: Qt's file dialog suggests Dienststelle, sheet and table as the
// name of a workbook; the chosen file holds the table as shown.
void MainWindowTest::exportSuggestsANameAndWritesTheShownTable() {
  Start();
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("ausgabe.csv"));
  QString suggested;
  WhenOpen<QFileDialog>(QString(), [&](QFileDialog& dialog) {
    suggested = QFileInfo(dialog.selectedFiles().value(0)).fileName();
    dialog.selectFile(path);
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  Action("ExportTableItem")->trigger();
  QCOMPARE(suggested, QStringLiteral("54321_Schnell_Tabelle0.xlsx"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray csv = file.readAll();
  QVERIFY2(csv.startsWith("\xEF\xBB\xBF"), csv.constData());
  QVERIFY2(csv.contains(CellOf(GridId::StringGrid1, 1, 2).toUtf8()), csv.constData());
  QVERIFY(port_->Messages().empty());
}

void MainWindowTest::findBarWorksOnTheActiveGrid() {
  Start();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  auto* bar = Find<FindBar>(QStringLiteral("FindBar"));
  QVERIFY(bar->isHidden());
  // Ctrl+F: the bar under the grid of the active page, its field taking the keys.
  QCOMPARE(Action("FindAction")->shortcut(), QKeySequence(QKeySequence::Find));
  QTest::keySequence(window_.get(), QKeySequence::Find);
  QVERIFY(bar->isVisible());
  QCOMPARE(bar->Grid(), Grid(GridId::StringGrid1));
  QCOMPARE(bar->parentWidget(), Grid(GridId::StringGrid1)->parentWidget());
  QVERIFY(bar->geometry().top() >= Grid(GridId::StringGrid1)->geometry().bottom());
  QCOMPARE(QApplication::focusWidget(), bar->Field());
  QTest::keyClicks(bar->Field(), QStringLiteral("Bereich S"));
  QCOMPARE(bar->Result()->text(), QStringLiteral("1 von 1 Treffer"));
  QCOMPARE(Grid(GridId::StringGrid1)->CurrentCell(), (CellPosition{2, 2}));
  // F3 and Shift+F3 go on from anywhere in the window.
  QCOMPARE(Action("FindNextAction")->shortcut(), QKeySequence(Qt::Key_F3));
  QCOMPARE(Action("FindPreviousAction")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
  bar->Field()->setText(QStringLiteral("e"));
  const QString first = bar->Result()->text();
  QVERIFY2(first.endsWith(QStringLiteral("Treffern")), qPrintable(first));
  Action("FindNextAction")->trigger();
  QVERIFY(bar->Result()->text() != first);
  Action("FindPreviousAction")->trigger();
  QCOMPARE(bar->Result()->text(), first);
  // Another page: the open bar goes along, under that page's grid.
  TablePageControl(SheetId::Schnell)->setCurrentIndex(1);
  QCOMPARE(bar->Grid(), Grid(GridId::StringGrid2));
  QVERIFY(bar->isVisible());
  // Esc closes it, the grid takes the keys again.
  bar->Field()->setFocus();
  QTest::keyClick(bar->Field(), Qt::Key_Escape);
  QVERIFY(bar->isHidden());
  QCOMPARE(QApplication::focusWidget(), Grid(GridId::StringGrid2));
  // F3 with no bar open opens it.
  Action("FindNextAction")->trigger();
  QVERIFY(bar->isVisible());
}

void MainWindowTest::zoomKeysStayInBounds_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<int>("times");
  QTest::addColumn<int>("zoom");
  QTest::newRow("one step larger") << "ZoomInAction" << 1 << 110;
  QTest::newRow("up to 200 %") << "ZoomInAction" << 20 << 200;
  QTest::newRow("one step smaller") << "ZoomOutAction" << 1 << 90;
  QTest::newRow("down to 50 %") << "ZoomOutAction" << 20 << 50;
  QTest::newRow("back to normal") << "ZoomResetAction" << 1 << 100;
}

void MainWindowTest::zoomKeysStayInBounds() {
  QFETCH(QString, action);
  QFETCH(int, times);
  QFETCH(int, zoom);
  Start();
  window_->SetZoom(action == "ZoomResetAction" ? 175 : 100);
  for (int i = 0; i < times; ++i) Action(qPrintable(action))->trigger();
  QCOMPARE(window_->Zoom(), zoom);
  // Every grid alike, shown or not.
  for (const GridDesign& design : GridDesigns()) QCOMPARE(Grid(design.grid)->Zoom(), zoom);
}

void MainWindowTest::statusLineNamesTheCurrentCellAndItsOrigin() {
  Start();
  auto* panel = Find<QLabel>(QStringLiteral("StatusPosition"));
  QVERIFY(panel->isVisible());
  // Quick report table 0 of 54321: the headings, the capture-column numbers and one row; the
  // new table at its top-left data cell, right of the key column.
  QCOMPARE(panel->text(), QStringLiteral("Zeile 3 von 3 · Spalte 2"));
  GridView* grid = Grid(GridId::StringGrid1);
  // Where the current cell came from: table 0 is lines 1 and 2 of its data file, field k in
  // column k; an edit says so.
  auto* origin = Find<QLabel>(QStringLiteral("StatusOrigin"));
  QVERIFY(origin->isVisible());
  QCOMPARE(origin->text(), QStringLiteral("5432100.CSV, Zeile 2, Feld 1"));
  grid->setCurrentIndex(grid->Model()->index(0, 2));
  QCOMPARE(panel->text(), QStringLiteral("Zeile 2 von 3 · Spalte 3"));
  QCOMPARE(origin->text(), QStringLiteral("5432100.CSV, Zeile 1, Feld 2"));
  QVERIFY(grid->Model()->setData(grid->Model()->index(0, 2), QStringLiteral("neu")));
  QCOMPARE(origin->text(), QStringLiteral("hier geändert, in keiner Datei"));
  // The panel follows the page.
  TablePageControl(SheetId::Schnell)->setCurrentIndex(1);
  GridView* other = Grid(GridId::StringGrid2);
  other->setCurrentIndex(other->Model()->index(0, 3));
  QCOMPARE(panel->text(),
           QStringLiteral("Zeile 2 von %1 · Spalte 4")
               .arg(QLocale(QLocale::German).toString(other->Model()->Grid().RowCount())));
}

void MainWindowTest::tabLeavesTheGridForItsButtons() {
  Start();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  SheetPageControl()->setCurrentIndex(3);
  TablePageControl(SheetId::Klassen)->setCurrentIndex(1);
  GridView* grid = Grid(GridId::StringGrid18);
  QPushButton* first = nullptr;
  for (const ButtonDesign& design : Buttons()) {
    if (design.sheet == SheetId::Klassen && design.table == 1 && first == nullptr) {
      first = window_->findChild<QPushButton*>(QString::fromUtf8(design.name));
    }
  }
  QVERIFY(first != nullptr);
  grid->setFocus();
  const QModelIndex current = grid->currentIndex();
  QTest::keyClick(grid, Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), first);
  QCOMPARE(grid->currentIndex(), current);
  // Shift+Tab comes back; Enter on a focused button presses it.
  QTest::keyClick(first, Qt::Key_Tab, Qt::ShiftModifier);
  QCOMPARE(QApplication::focusWidget(), grid);
  // Tab in an open editor takes what was typed and leaves as well.
  grid->setCurrentIndex(grid->Model()->index(1, 1));
  QTest::keyClick(grid, Qt::Key_7);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  QVERIFY(editor != nullptr);
  QTest::keyClick(editor, Qt::Key_Tab);
  QCOMPARE(grid->Model()->index(1, 1).data().toString(), QStringLiteral("7"));
  QCOMPARE(QApplication::focusWidget(), first);
}

void MainWindowTest::helpStandsCentredAndEscapeClosesIt() {
  program_->WriteProgramFile("VORINEXMVBS.HLP", {kHelpText});
  Start();
  window_->move(40, 30);
  Action("HelpContentsItem")->trigger();
  HelpWindow* help = Help();
  QVERIFY(QTest::qWaitForWindowExposed(help));
  const QPoint offset = help->frameGeometry().center() - window_->frameGeometry().center();
  // Whole pixels: half the difference of the sizes may round either way.
  QVERIFY2(std::abs(offset.x()) <= 2 && std::abs(offset.y()) <= 2,
           qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
  QTest::keyClick(help, Qt::Key_Escape);
  QVERIFY(!help->isVisible());
}

}  // namespace tab::ui

QTEST_MAIN(tab::ui::MainWindowTest)
#include "main_window_test.moc"
