// The table on paper and in files from the window: the printed pages read back with pdftotext
// (heading rows on every page, key columns on every page a wide table spills onto, the page
// head and foot), the suggested file names, and the files of each format written by suffix.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "app/ui/table_output.hpp"
#include "app/ui/table_print.hpp"

namespace tab::ui {

namespace {

// `cols` columns (two fixed key columns) and `rows` rows: row 0 headings "Kopf<c>", the keys
// "Schl<r>" and "Name<r>", the data "<c>/<r>".
TableGrid WideGrid(int cols, int rows) {
  TableGrid grid(cols, rows, 2, 80, 18, 1);
  // Key columns wide enough for their texts at the smallest scale.
  grid.SetColWidth(0, 110);
  grid.SetColWidth(1, 130);
  grid.SetCell(0, 0, "Schluessel");
  grid.SetCell(1, 0, "Bezeichnung");
  for (int col = 2; col < cols; ++col) grid.SetCell(col, 0, "Kopf" + std::to_string(col));
  for (int row = 1; row < rows; ++row) {
    grid.SetCell(0, row, "Schl" + std::to_string(row));
    grid.SetCell(1, row, "Name" + std::to_string(row));
    for (int col = 2; col < cols; ++col) {
      grid.SetCell(col, row, std::to_string(col) + "/" + std::to_string(row));
    }
  }
  return grid;
}

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PageCount(const QString& pdf) {
  const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
  return pages.match(Run(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

QString PageText(const QString& pdf, int page) {
  return Run(QStringLiteral("pdftotext"),
             {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
              QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
}

const TableTitle kTitle{QStringLiteral("13001"), QStringLiteral("Schule"),
                        QStringLiteral("Tabelle 1")};

}  // namespace

class TableOutputTest : public QObject {
  Q_OBJECT

 private slots:
  void fileNamesFromTheTitle_data();
  void fileNamesFromTheTitle();
  void pdfRepeatsHeadingsAndKeysOnEveryPage();
  void narrowTableIsPortraitWideLandscape();
  void longTextsEndInAnEllipsis();
  void everyFormatBySuffix();
  void failedExportIsReportedInGerman();
};

void TableOutputTest::fileNamesFromTheTitle_data() {
  QTest::addColumn<QString>("school");
  QTest::addColumn<QString>("sheet");
  QTest::addColumn<QString>("table");
  QTest::addColumn<QString>("stem");
  QTest::newRow("school table") << "13001"
                                << "Schule"
                                << "Tabelle 1"
                                << "13001_Schule_Tabelle1";
  QTest::newRow("class table") << "13001"
                               << "Klasse"
                               << "Tab. 4.1"
                               << "13001_Klasse_Tab4.1";
  QTest::newRow("teacher page") << "13001"
                                << "Lehrer"
                                << "Identifizierung + Tabelle 0"
                                << "13001_Lehrer_IdentifizierungTabelle0";
  QTest::newRow("no school") << ""
                             << "Schnell"
                             << "Tabelle 0"
                             << "Schnell_Tabelle0";
  QTest::newRow("nothing") << ""
                           << ""
                           << ""
                           << "Tabelle";
}

void TableOutputTest::fileNamesFromTheTitle() {
  QFETCH(QString, school);
  QFETCH(QString, sheet);
  QFETCH(QString, table);
  QFETCH(QString, stem);
  QCOMPARE((TableTitle{school, sheet, table}.FileStem()), stem);
}

void TableOutputTest::pdfRepeatsHeadingsAndKeysOnEveryPage() {
  QTemporaryDir temp;
  const QString pdf = temp.filePath(QStringLiteral("t.pdf"));
  // 40 columns of 80 pixels spill onto a second page across even at the smallest scale; 200
  // rows onto several pages down.
  const TableGrid grid = WideGrid(40, 200);
  const ExportResult result = WriteTablePdf(grid, kTitle, QFile::encodeName(pdf).toStdString());
  QVERIFY2(result.ok, result.error.c_str());
  const int pages = PageCount(pdf);
  QVERIFY2(pages >= 4, qPrintable(QString::number(pages)));
  bool spilled = false;
  const QString date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
  for (int page = 1; page <= pages; ++page) {
    const QString text = PageText(pdf, page);
    QVERIFY2(text.contains(QStringLiteral("Dienststelle 13001 · Schule · Tabelle 1")),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Seite %1 von %2").arg(page).arg(pages)),
             qPrintable(text));
    QVERIFY(text.contains(date));
    // The heading row: the keys' headings and some column's heading.
    QVERIFY2(text.contains(QStringLiteral("Schluessel")) &&
                 text.contains(QStringLiteral("Bezeichnung")) &&
                 text.contains(QRegularExpression(QStringLiteral("Kopf\\d+"))),
             qPrintable(text));
    // The key columns beside the rows, on the first page across and on the spilled ones.
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Schl\\d+\\s+Name\\d+"))),
             qPrintable(text));
    if (!text.contains(QStringLiteral("Kopf2 "))) spilled = true;
  }
  QVERIFY(spilled);
  // Every row and column somewhere: the last cell.
  bool last = false;
  for (int page = 1; page <= pages; ++page) {
    last = last || PageText(pdf, page).contains(QStringLiteral("39/199"));
  }
  QVERIFY(last);
}

void TableOutputTest::narrowTableIsPortraitWideLandscape() {
  QCOMPARE(TablePrinter(WideGrid(6, 10), kTitle).SuggestedOrientation(), QPageLayout::Portrait);
  QCOMPARE(TablePrinter(WideGrid(20, 10), kTitle).SuggestedOrientation(), QPageLayout::Landscape);
}

// A text wider than its cell is cut with "…" instead of running over the next cell.
void TableOutputTest::longTextsEndInAnEllipsis() {
  QTemporaryDir temp;
  const QString pdf = temp.filePath(QStringLiteral("t.pdf"));
  TableGrid grid = WideGrid(4, 3);
  grid.SetCell(2, 1, "Staatliches Schulamt mit einem sehr langen Namen");
  grid.SetCell(3, 1, "Nachbar");
  QVERIFY(WriteTablePdf(grid, kTitle, QFile::encodeName(pdf).toStdString()).ok);
  const QString text = PageText(pdf, 1);
  QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Staatlich[^\\n]*…\\s+Nachbar"))),
           qPrintable(text));
  QVERIFY(!text.contains(QStringLiteral("langen Namen")));
}

void TableOutputTest::everyFormatBySuffix() {
  QTemporaryDir temp;
  const TableGrid grid = WideGrid(5, 4);
  struct Case {
    const char* name;
    QByteArray start;
  };
  for (const Case& c : {Case{"t.xlsx", QByteArray("PK\x03\x04")},
                        Case{"t.CSV", QByteArray("\xEF\xBB\xBFSchluessel;Bezeichnung;Kopf2")},
                        Case{"t.pdf", QByteArray("%PDF-")}, Case{"t.txt", QByteArray("PK")}}) {
    const QString path = temp.filePath(QString::fromUtf8(c.name));
    const ExportResult result = ExportTableFile(grid, kTitle, path);
    QVERIFY2(result.ok, c.name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY2(file.readAll().startsWith(c.start), c.name);
  }
  QCOMPARE(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

void TableOutputTest::failedExportIsReportedInGerman() {
  QTemporaryDir temp;
  RecordingPort port;
  const QString path = temp.filePath(QStringLiteral("fehlt/t.pdf"));
  QVERIFY(!ExportWithProgress(nullptr, port, WideGrid(5, 4), kTitle, path));
  QCOMPARE(port.Messages().size(), std::size_t{1});
  QCOMPARE(port.Messages()[0].kind, MessageKind::Error);
  QCOMPARE(QString::fromStdString(port.Messages()[0].text),
           QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden:\n"
                          "Datei oder Verzeichnis nicht gefunden")
               .arg(path));
  QVERIFY(QDir(temp.path())
              .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden)
              .isEmpty());
}

}  // namespace tab::ui

QTEST_MAIN(tab::ui::TableOutputTest)
#include "table_output_test.moc"
