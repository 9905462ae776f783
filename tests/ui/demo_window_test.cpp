// The window on the demo program directory: painted for real (offscreen), its size and what the
// first table's grid put on the screen; and the help file that ships with it.
#include <QAction>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>

#include "app/ui/grid_model.hpp"
#include "app/ui/grid_view.hpp"
#include "app/ui/help_window.hpp"
#include "app/ui/main_window.hpp"
#include "ui/ui_fixture.hpp"
#include "ui/window_test.hpp"

namespace tab::ui {

namespace {

// Counts the horizontal grid lines crossing one pixel column of a painted grid.
int GridLinesAt(const QImage& image, int x, QRgb lineColour) {
  int lines = 0;
  bool onLine = false;
  for (int y = 0; y < image.height(); ++y) {
    const bool line = image.pixel(x, y) == lineColour;
    if (line && !onLine) ++lines;
    onLine = line;
  }
  return lines;
}

QRgb GridLineColour(const QTableView* view) {
  QStyleOptionViewItem option;
  option.initFrom(view);
  return static_cast<QRgb>(view->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, view));
}

}  // namespace

class DemoWindowTest : public test::WindowTest {
  Q_OBJECT

 private slots:
  void demoWindowPaintsItsFirstTable();
  void lowRowsArePaintedNinePixelsHigh();
  void helpFileHasItsTopics();
};

void DemoWindowTest::demoWindowPaintsItsFirstTable() {
  const test::DemoProgram demo;
  RecordingPort port;
  TMainFormZR window(port, demo.Program());
  QVERIFY(Show(window));
  const QPixmap shot = window.grab();
  QCOMPARE(shot.size(), QSize(762, 559));

  // Quick-report table 0 of Dienststelle 13001: the ids row and the record row under the
  // heading row.
  GridView* grid = Grid(GridId::StringGrid1);
  QVERIFY(grid->isVisible());
  const int rows = grid->Model()->rowCount();
  QCOMPARE(rows, 2);
  QCOMPARE(grid->horizontalHeader()->model()->headerData(1, Qt::Horizontal).toString(),
           QStringLiteral("DST Nr."));
  QCOMPARE(grid->model()->index(1, 1).data().toString(), QStringLiteral("13001"));
  // Every pixel row of the grid's area belongs to a row until the rows end.
  int lastRow = -1;
  for (int y = 0; y < grid->viewport()->height(); ++y) {
    const int row = grid->rowAt(y);
    if (row >= 0) lastRow = row;
    if (y >= 2 * 18) QCOMPARE(row, -1);
  }
  QCOMPARE(lastRow, rows - 1);
  // One grid line under each painted row, in a scrolling column just inside its left edge.
  const QImage cells = grid->viewport()->grab().toImage();
  const int x = grid->columnViewportPosition(1) + 1;
  QCOMPARE(GridLinesAt(cells, x, GridLineColour(grid)), rows);
  // The fixed column is painted by the overlay, as wide as the table's first column.
  QCOMPARE(grid->FixedColumns()->width(), grid->columnWidth(0));
  QVERIFY(port.Messages().empty());
}

void DemoWindowTest::lowRowsArePaintedNinePixelsHigh() {
  TableGrid table(4, 6, 1, 60);
  for (int row = 2; row < 6; ++row) table.SetRowHeight(row, 9);
  GridModel model(table);
  const GridDesign design{
      static_cast<GridId>(98), "StringGrid98", 4, 6, 1, 60, true, true, GridColour::Plain, ""};
  GridView view(design, &model);
  view.resize(300, 200);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  view.BeginRebuild();
  view.EndRebuild();
  const QImage cells = view.viewport()->grab().toImage();
  const int x = view.columnViewportPosition(1) + 1;
  const QRgb line = GridLineColour(&view);
  // Lines at the bottom of each row: 18 pixels for the first data row, then every 9.
  QList<int> ys;
  for (int y = 0; y < cells.height(); ++y) {
    if (cells.pixel(x, y) == line) ys << y;
  }
  QCOMPARE(ys, (QList<int>{17, 26, 35, 44, 53}));
}

void DemoWindowTest::helpFileHasItsTopics() {
  const test::DemoProgram demo;
  RecordingPort port;
  TMainFormZR window(port, demo.Program());
  QVERIFY(Show(window));
  Action("Inhaltsverzeichnis1")->trigger();
  auto* help = Find<HelpWindow>(QStringLiteral("HelpWindow"));
  QVERIFY(help->isVisible());
  QVERIFY(port.Messages().empty());
  QStringList anchors;
  QStringList topics;
  for (const HelpWindow::IndexEntry& entry : help->Index()) {
    anchors << entry.anchor;
    topics << entry.text;
  }
  // The topic with context number 2 is the table of contents.
  QVERIFY(anchors.contains(HelpWindow::ContextAnchor(2)));
  QVERIFY(topics.contains(QStringLiteral("Inhaltsverzeichnis")));
  for (const char* topic :
       {"Schnell-Meldung (Bogen 0)", "Schul-Meldung (Bogen 1)", "Lehrer-Meldung (Bogen 2)",
        "Klassen-Meldung (Bogen 3)", "Programmeinstellungen", "Daten-Basis-Verzeichnis festlegen",
        "Die Schaltflächen auf den Tabellenseiten", "Suchen in einer Tabelle",
        "Lesen: ganze Texte, Spaltenbreiten, Position und Zoom", "Bedienung mit der Tastatur"}) {
    QVERIFY2(topics.contains(QString::fromUtf8(topic)), topic);
  }
  // Every shortcut of the window is listed.
  const QString text = help->Browser()->toPlainText();
  for (const char* keys : {"F1", "Strg+F", "F3 / Umschalt+F3", "Strg++ / Strg+- / Strg+0",
                           "Tabulator / Umschalt+Tabulator", "Strg+C"}) {
    QVERIFY2(text.contains(QString::fromUtf8(keys)), keys);
  }
  // The search finds words of the texts by their stems.
  help->SearchField()->setText(QStringLiteral("sort"));
  QVERIFY(help->IndexList()->count() > 0);
  QCOMPARE(help->IndexList()->item(0)->text(),
           QStringLiteral("Die Schaltflächen auf den Tabellenseiten"));
  help->SearchField()->setText(QStringLiteral("Zoom"));
  QCOMPARE(help->IndexList()->item(0)->text(),
           QStringLiteral("Lesen: ganze Texte, Spaltenbreiten, Position und Zoom"));
  // The contents topic lies below the introduction; the contents command shows the top.
  QTRY_VERIFY(help->Browser()->verticalScrollBar()->value() > 0);
  window.HelpContents();
  QCOMPARE(help->Browser()->verticalScrollBar()->value(), 0);
  QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("Strg+C")));
  help->close();
}

}  // namespace tab::ui

QTEST_MAIN(tab::ui::DemoWindowTest)
#include "demo_window_test.moc"
