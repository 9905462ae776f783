// "Datenbasis prüfen…" in the window on the demo program directory: the check runs behind its
// progress dialog, its findings fill the findings window, which sorts by any column, filters
// over all columns, leads by a double-click to the finding's place in the main window and
// exports the report as CSV; a check of a larger data base can be cancelled, and the main window
// goes on working meanwhile.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>
#include <memory>

#include "app/check_report.hpp"
#include "app/ui/findings_window.hpp"
#include "app/ui/main_window.hpp"
#include "app/window_layout.hpp"
#include "records/file_names.hpp"
#include "tools/largedb/large_db.hpp"
#include "ui/ui_fixture.hpp"
#include "ui/window_test.hpp"

namespace tab::ui {

namespace {

// Chooses `path` in the save dialog once it is open, and accepts it.
void AnswerSaveDialog(const QString& path) {
  QTimer::singleShot(10, [path] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      AnswerSaveDialog(path);
      return;
    }
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();
  });
}

}  // namespace

class FindingsWindowTest : public test::WindowTest {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void checkFillsTheTable();
  void headingsSortTheirColumn();
  void filterKeepsMatchingRowsOfAnyColumn();
  void doubleClickSelectsTheFindingsPlace();
  void exportWritesTheReportAsCsv();
  void exportThatCannotWriteIsTold();
  void aCancelledCheckShowsNothingAndTheWindowWorksMeanwhile();

 private:
  // The check of the demo run from the File menu until its findings are shown.
  void RunCheck();
  QTableView* Table() const;
  // The texts of a column, top to bottom, as the table shows them.
  QStringList Column(int column) const;

  std::unique_ptr<test::DemoProgram> demo_;
  std::unique_ptr<RecordingPort> port_;
  std::unique_ptr<TMainFormZR> window_;
  FindingsWindow* findings_ = nullptr;
};

void FindingsWindowTest::init() {
  demo_ = std::make_unique<test::DemoProgram>();
  port_ = std::make_unique<RecordingPort>();
  window_ = std::make_unique<TMainFormZR>(*port_, demo_->Program());
  QVERIFY(Show(*window_));
  RunCheck();
  QVERIFY(findings_ != nullptr);
}

void FindingsWindowTest::cleanup() {
  findings_ = nullptr;
  window_.reset();
  port_.reset();
  demo_.reset();
}

void FindingsWindowTest::RunCheck() {
  Action("CheckDataBaseItem")->trigger();
  // The check runs on a thread of its own; the main window's event loop goes on meanwhile.
  FindingsWindow* shown = nullptr;
  QTRY_VERIFY_WITH_TIMEOUT(
      (shown = Find<FindingsWindow>(QStringLiteral("FindingsWindow"))) != nullptr &&
          shown->isVisible(),
      30000);
  // The progress dialog has gone with the check.
  QCOMPARE(Find<QWidget>(QStringLiteral("CheckProgressDialog")), nullptr);
  findings_ = shown;
}

QTableView* FindingsWindowTest::Table() const {
  return findings_->findChild<QTableView*>(QStringLiteral("FindingsTable"));
}

QStringList FindingsWindowTest::Column(int column) const {
  QStringList texts;
  const QAbstractItemModel* model = Table()->model();
  for (int row = 0; row < model->rowCount(); ++row) {
    texts << model->index(row, column).data().toString();
  }
  return texts;
}

void FindingsWindowTest::checkFillsTheTable() {
  QVERIFY(port_->Messages().empty());
  const QHeaderView* header = Table()->horizontalHeader();
  QStringList headings;
  for (int column = 0; column < header->count(); ++column) {
    headings << header->model()->headerData(column, Qt::Horizontal).toString();
  }
  QCOMPARE(headings, (QStringList{"Dienststelle", "Bogen", "Tabelle", "Klasse", "Art", "Meldung",
                                  "Datei", "Zeile"}));
  QCOMPARE(findings_->findChild<QLabel*>(QStringLiteral("FindingsSummary"))->text(),
           QStringLiteral("3 Dienststellen geprüft, 1 mit Befunden, 5 Befunde"));
  // The report's own order: sheets, tables and classes as the Dienststelle has them.
  QCOMPARE(Column(FindingsModel::School), QStringList(5, QStringLiteral("13001")));
  QCOMPARE(Column(FindingsModel::Sheet),
           (QStringList{"Schnell", "Schnell", "Lehrer", "Lehrer", "Klasse"}));
  QCOMPARE(Column(FindingsModel::Table),
           (QStringList{"Tabelle 1", "Tabelle 1", "Tabelle 2", "Tabelle 2", "Tab. 2"}));
  QCOMPARE(Column(FindingsModel::Class), (QStringList{"", "", "", "", "BS1A01"}));
  QCOMPARE(Column(FindingsModel::Kind), QStringList(5, QStringLiteral("Information")));
  QCOMPARE(Column(FindingsModel::Line), (QStringList{"13", "14", "6", "12", "6"}));
  const QString file = QString::fromStdString(demo_->Program()) + "13001/SCHNELL/1300101.CSV";
  QCOMPARE(Column(FindingsModel::File).first(), file);
  // The message on one line in the table, with its line breaks in the tool tip.
  const QModelIndex message = Table()->model()->index(0, FindingsModel::Message);
  QCOMPARE(message.data().toString(), "Beim Einlesen der Datendatei: " + file +
                                          " konnte(n) 2 Datensatz/-sätze [27] nicht zugeordnet"
                                          " werden!");
  QCOMPARE(message.data(Qt::ToolTipRole).toString(),
           "Beim Einlesen der Datendatei:\n" + file +
               "\nkonnte(n) 2 Datensatz/-sätze [27]\nnicht zugeordnet werden!");
}

void FindingsWindowTest::headingsSortTheirColumn() {
  struct Case {
    int column;
    Qt::SortOrder order;
    QStringList shown;  // the column afterwards, top to bottom
  };
  // Lines and sheets sort as numbers (12 after 6; sheets in the window's order), texts as texts.
  const Case cases[] = {
      {FindingsModel::Line, Qt::AscendingOrder, {"6", "6", "12", "13", "14"}},
      {FindingsModel::Line, Qt::DescendingOrder, {"14", "13", "12", "6", "6"}},
      {FindingsModel::Sheet,
       Qt::AscendingOrder,
       {"Schnell", "Schnell", "Lehrer", "Lehrer", "Klasse"}},
      {FindingsModel::Sheet,
       Qt::DescendingOrder,
       {"Klasse", "Lehrer", "Lehrer", "Schnell", "Schnell"}},
      {FindingsModel::Class, Qt::DescendingOrder, {"BS1A01", "", "", "", ""}},
  };
  QHeaderView* header = Table()->horizontalHeader();
  for (const Case& c : cases) {
    // A click on the heading sorts; a second click turns the order round.
    const QPoint heading(header->sectionViewportPosition(c.column) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, heading);
    if (header->sortIndicatorOrder() != c.order) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, heading);
    }
    QCOMPARE(header->sortIndicatorSection(), c.column);
    QCOMPARE(header->sortIndicatorOrder(), c.order);
    QCOMPARE(Column(c.column), c.shown);
  }
  // The finding behind a row follows the sorting.
  QCOMPARE(findings_->FindingOfRow(0).classId, std::string("BS1A01"));
  // Files sort as texts: KLASSE before LEHRER before SCHNELL.
  Table()->sortByColumn(FindingsModel::File, Qt::AscendingOrder);
  QCOMPARE(Column(FindingsModel::Sheet),
           (QStringList{"Klasse", "Lehrer", "Lehrer", "Schnell", "Schnell"}));
}

void FindingsWindowTest::filterKeepsMatchingRowsOfAnyColumn() {
  struct Case {
    const char* typed;
    QStringList lines;  // the Zeile column of the rows kept
  };
  const Case cases[] = {
      {"bs1a01", {"6"}},                        // the class column, in any case
      {"lehrer", {"6", "12"}},                  // sheet and file
      {"[27]", {"13", "14"}},                   // a part of the message, signs as they are
      {"13001", {"13", "14", "6", "12", "6"}},  // every row has it
      {"Fehler", {}},
      {"", {"13", "14", "6", "12", "6"}},
  };
  auto* filter = findings_->findChild<QLineEdit*>(QStringLiteral("FindingsFilter"));
  for (const Case& c : cases) {
    filter->clear();
    QTest::keyClicks(filter, QString::fromUtf8(c.typed));
    QCOMPARE(Column(FindingsModel::Line), c.lines);
  }
}

void FindingsWindowTest::doubleClickSelectsTheFindingsPlace() {
  struct Case {
    int row;
    SheetId sheet;
    int table;
    const char* classId;  // the class selected afterwards, or "" for none asked for
  };
  const Case cases[] = {
      {0, SheetId::Schnell, 1, ""},
      {3, SheetId::Lehrer, 2, ""},
      {4, SheetId::Klassen, 2, "BS1A01"},
  };
  for (const Case& c : cases) {
    // The main window shows another Dienststelle and its first table first.
    CurrentSession().SchoolSelectorChanged("13002");
    SheetPageControl()->setCurrentIndex(0);
    QCOMPARE(CurrentSession().Paths().schoolNumber, std::string("13002"));
    port_->Clear();

    const QRect cell = Table()->visualRect(Table()->model()->index(c.row, FindingsModel::School));
    // A double-click as the window system sends it: a click, then the second press.
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(Table()->viewport(), Qt::LeftButton, {}, cell.center());

    QCOMPARE(CurrentSession().Paths().schoolNumber, std::string("13001"));
    QCOMPARE(SchoolSelector()->currentText(), QStringLiteral("13001"));
    const QWidget* sheetPage = SheetPageControl()->currentWidget();
    const QWidget* tablePage = TablePageControl(c.sheet)->currentWidget();
    QVERIFY(sheetPage->isAncestorOf(tablePage));
    QCOMPARE(tablePage->objectName(), QString::fromUtf8(FindTablePage(c.sheet, c.table)->name));
    if (*c.classId != '\0') {
      QCOMPARE(ClassList()->currentItem()->text(), QString::fromUtf8(c.classId));
      QCOMPARE(ClassIdField()->text(), QString::fromUtf8(c.classId));
    }
    // The table now shown tells, with the report option on, what the finding says.
    QVERIFY(!port_->Messages().empty());
    QCOMPARE(port_->Messages().back().text, findings_->FindingOfRow(c.row).text);
  }
}

void FindingsWindowTest::exportWritesTheReportAsCsv() {
  test::TempDir out;
  const QString path = QString::fromStdString(out.Path()) + "befunde.csv";
  // The save dialog is answered from its own event loop, as a user would answer it.
  AnswerSaveDialog(path);
  QTest::mouseClick(findings_->findChild<QWidget*>(QStringLiteral("FindingsExport")),
                    Qt::LeftButton);
  std::string written;
  QCOMPARE(ReadWholeFile(path.toStdString(), written), 0);
  QCOMPARE(written, FormatReport(findings_->Report(), ReportFormat::Csv));
  QVERIFY(written.starts_with("Dienststelle;"));
  QVERIFY(written.find("13001/KLASSE/BS1A0102.CSV;6\r\n") != std::string::npos);
  QVERIFY(port_->Messages().empty());
}

void FindingsWindowTest::exportThatCannotWriteIsTold() {
  QVERIFY(!findings_->ExportTo(QStringLiteral("/nonexistent-folder/befunde.csv")));
  QCOMPARE(port_->Messages().size(), std::size_t{1});
  QCOMPARE(port_->Messages()[0].kind, MessageKind::Error);
  QVERIFY(port_->Messages()[0].text.find("/nonexistent-folder/befunde.csv") != std::string::npos);
}

void FindingsWindowTest::aCancelledCheckShowsNothingAndTheWindowWorksMeanwhile() {
  // Forty Dienststellen of the usual size take a good while longer to check than a click.
  test::TempDir folder;
  largedb::Options options;
  options.schools = 40;
  options.usualSchools = 39;
  options.classes = largedb::kUsualClasses;
  options.teachers = largedb::kUsualTeachers;
  options.lines = largedb::kUsualLines;
  options.keyLines = 100;
  options.groups = 3;
  const largedb::Layout layout = largedb::WriteLargeDataBase(folder.Path(), options);
  RecordingPort port;
  TMainFormZR window(port, layout.programDirectory);
  QVERIFY(Show(window));
  Action("CheckDataBaseItem")->trigger();
  auto* dialog = Find<QProgressDialog>(QStringLiteral("CheckProgressDialog"));
  QVERIFY(dialog != nullptr);
  QVERIFY(dialog->isVisible());
  QVERIFY(dialog->windowModality() == Qt::NonModal);
  // The main window shows another sheet while the check runs.
  SheetPageControl()->setCurrentIndex(1);
  QCOMPARE(CurrentSession().CurrentSheet(), SheetId::Schule);
  QVERIFY(Find<QObject>(QStringLiteral("DataBaseCheckRun")) != nullptr);
  QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(Find<QObject>(QStringLiteral("DataBaseCheckRun")) == nullptr, 30000);
  QCOMPARE(Find<QWidget>(QStringLiteral("CheckProgressDialog")), nullptr);
  const auto* findings = Find<FindingsWindow>(QStringLiteral("FindingsWindow"));
  QVERIFY(findings == nullptr || !findings->isVisible());
  QVERIFY(port.Messages().empty());
}

}  // namespace tab::ui

QTEST_MAIN(tab::ui::FindingsWindowTest)
#include "findings_window_test.moc"
