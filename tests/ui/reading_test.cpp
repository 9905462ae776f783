// Finding and reading in a grid: the find bar (next, previous, round the ends, no hit, case and
// whole cell, headings and key cells), whole texts of cut cells and headings as tool tips,
// fitting columns, the zoom and its bounds, where a new table comes into view.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolTip>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "app/ui/find_bar.hpp"
#include "app/ui/grid_model.hpp"
#include "app/ui/grid_view.hpp"
#include "app/ui/help_window.hpp"
#include "records/text.hpp"

namespace tab::ui {

namespace {

// 6 columns, 5 rows, two fixed columns (keys); row 0 the headings.
TableGrid MakeGrid() {
  TableGrid grid(6, 5, 2, 50);
  const char* rows[5][6] = {
      {"Nr", "Schlüssel", "Summe A", "Summe B", "Anzahl", "Bemerkung"},
      {"1", "Müller", "müller", "x", "MÜLLER", ""},
      {"2", "Meier", "Müllerin", "", "", "müller"},
      {"3", "Schulz", "", "", "", ""},
      {"4", "Lange", "", "", "", ""},
  };
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 6; ++col) grid.SetCell(col, row, W(rows[row][col]));
  }
  return grid;
}

GridDesign Design(bool colsSizable) {
  return GridDesign{static_cast<GridId>(99), "StringGrid99", 6, 5, 2, 50, true, colsSizable,
                    GridColour::Schule,      "Hinweis"};
}

// Takes the addresses the desktop would open.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;

 public slots:
  void Open(const QUrl& url) { urls << url; }
};

}  // namespace

class ReadingTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void findGoesThroughTheMatches_data();
  void findGoesThroughTheMatches();
  void findResultCountsInGerman_data();
  void findResultCountsInGerman();
  void escapeClosesTheFindBar();
  void anEditIsFoundAtTheNextSearch();
  void cutTextsShowWhole_data();
  void cutTextsShowWhole();
  void columnsFitTheirTexts();
  void fixedDesignKeepsItsWidths();
  void zoomScalesAndStaysInBounds_data();
  void zoomScalesAndStaysInBounds();
  void aWidthDraggedWhileZoomedGoesIntoTheGridUnscaled();
  void aNewTableShowsItsTopLeft();
  void aPageCommandKeepsThePlace();
  void originsSayWhereACellCameFrom_data();
  void originsSayWhereACellCameFrom();
  void theContextMenuShowsTheFilesFolder();
  void wordStems_data();
  void wordStems();
  void helpSearchFindsWordsInTheTopics_data();
  void helpSearchFindsWordsInTheTopics();

 private:
  void Make(bool colsSizable);
  QString ToolTipAt(QWidget* widget, const QPoint& pos);

  std::unique_ptr<TableGrid> grid_;
  std::unique_ptr<GridModel> model_;
  std::unique_ptr<GridView> view_;
  std::unique_ptr<FindBar> bar_;
};

void ReadingTest::Make(bool colsSizable) {
  bar_.reset();
  view_.reset();
  model_ = std::make_unique<GridModel>(*grid_);
  view_ = std::make_unique<GridView>(Design(colsSizable), model_.get());
  view_->resize(260, 200);
  view_->show();
  QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
  bar_ = std::make_unique<FindBar>();
}

void ReadingTest::init() {
  grid_ = std::make_unique<TableGrid>(MakeGrid());
  Make(true);
}

void ReadingTest::cleanup() {
  QToolTip::hideText();
  bar_.reset();
  view_.reset();
  model_.reset();
  grid_.reset();
}

QString ReadingTest::ToolTipAt(QWidget* widget, const QPoint& pos) {
  QToolTip::hideText();
  QHelpEvent help(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
  QApplication::sendEvent(widget, &help);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// Typed text looks from the current cell on (grid column 2, row 1 at the start), that cell
// included; Enter goes on to the next match, Shift+Enter back, round the ends. A match in a key
// cell makes the row's first cell right of the keys current, one in a heading the cell below it
// in the current row.
void ReadingTest::findGoesThroughTheMatches_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("matchCase");
  QTest::addColumn<bool>("wholeCell");
  QTest::addColumn<QStringList>("keys");     // after typing: "next" or "previous"
  QTest::addColumn<QStringList>("results");  // after typing and after each key
  QTest::addColumn<QPoint>("mark");          // grid column and row of the match shown last
  QTest::addColumn<QPoint>("current");       // the current cell afterwards, likewise
  // "müller" without regard to case: key cell (1,1), (2,1), (4,1), (2,2) inside "Müllerin",
  // (5,2).
  QTest::newRow("next, round the end onto a key cell")
      << "müller" << false << false << QStringList{"next", "next", "next", "next"}
      << QStringList{"2 von 5 Treffern", "3 von 5 Treffern", "4 von 5 Treffern", "5 von 5 Treffern",
                     "1 von 5 Treffern"}
      << QPoint(1, 1) << QPoint(2, 1);
  QTest::newRow("after the key cell the next one")
      << "müller" << false << false << QStringList{"next", "next", "next", "next", "next"}
      << QStringList{"2 von 5 Treffern", "3 von 5 Treffern", "4 von 5 Treffern",
                     "5 von 5 Treffern", "1 von 5 Treffern", "2 von 5 Treffern"}
      << QPoint(2, 1) << QPoint(2, 1);
  QTest::newRow("previous, round the start")
      << "müller" << false << false << QStringList{"previous", "previous"}
      << QStringList{"2 von 5 Treffern", "1 von 5 Treffern", "5 von 5 Treffern"} << QPoint(5, 2)
      << QPoint(5, 2);
  QTest::newRow("next and back") << "müller" << false << false
                                 << QStringList{"next", "next", "previous"}
                                 << QStringList{"2 von 5 Treffern", "3 von 5 Treffern",
                                                "4 von 5 Treffern", "3 von 5 Treffern"}
                                 << QPoint(4, 1) << QPoint(4, 1);
  QTest::newRow("case matters") << "Müller" << true << false << QStringList{"next"}
                                << QStringList{"2 von 2 Treffern", "1 von 2 Treffern"}
                                << QPoint(1, 1) << QPoint(2, 1);
  QTest::newRow("whole cell") << "MÜLLER" << false << true << QStringList{"next", "next"}
                              << QStringList{"2 von 4 Treffern", "3 von 4 Treffern",
                                             "4 von 4 Treffern"}
                              << QPoint(5, 2) << QPoint(5, 2);
  QTest::newRow("case and whole cell")
      << "MÜLLER" << true << true << QStringList{"next"}
      << QStringList{"1 von 1 Treffer", "1 von 1 Treffer"} << QPoint(4, 1) << QPoint(4, 1);
  QTest::newRow("headings") << "summe" << false << false << QStringList{"next", "next"}
                            << QStringList{"1 von 2 Treffern", "2 von 2 Treffern",
                                           "1 von 2 Treffern"}
                            << QPoint(2, 0) << QPoint(2, 1);
  QTest::newRow("a heading of a key column")
      << "schlüssel" << false << false << QStringList{} << QStringList{"1 von 1 Treffer"}
      << QPoint(1, 0) << QPoint(2, 1);
  QTest::newRow("no hit") << "Schmidt" << false << false << QStringList{"next", "previous"}
                          << QStringList{"kein Treffer", "kein Treffer", "kein Treffer"}
                          << QPoint(-1, -1) << QPoint(2, 1);
  QTest::newRow("a character the cells cannot hold")
      << "Ω" << false << false << QStringList{"next"} << QStringList{"kein Treffer", "kein Treffer"}
      << QPoint(-1, -1) << QPoint(2, 1);
}

void ReadingTest::findGoesThroughTheMatches() {
  QFETCH(QString, text);
  QFETCH(bool, matchCase);
  QFETCH(bool, wholeCell);
  QFETCH(QStringList, keys);
  QFETCH(QStringList, results);
  QFETCH(QPoint, mark);
  QFETCH(QPoint, current);
  view_->setCurrentIndex(model_->index(0, 2));
  bar_->Attach(view_.get(), true);
  QVERIFY(bar_->isVisible());
  QCOMPARE(bar_->Grid(), view_.get());
  bar_->MatchCaseBox()->setChecked(matchCase);
  bar_->WholeCellBox()->setChecked(wholeCell);
  QStringList seen;
  bar_->Field()->setText(text);
  seen << bar_->Result()->text();
  for (const QString& key : keys) {
    QTest::keyClick(bar_->Field(), Qt::Key_Return,
                    key == "previous" ? Qt::ShiftModifier : Qt::NoModifier);
    seen << bar_->Result()->text();
  }
  QCOMPARE(seen, results);
  const std::optional<CellPosition> marked = model_->Mark();
  QCOMPARE(marked ? QPoint(marked->col, marked->row) : QPoint(-1, -1), mark);
  QCOMPARE(QPoint(view_->currentIndex().column(), view_->currentIndex().row() + 1), current);
  // The match is painted, a heading in its header section, a cell in its background.
  if (marked && marked->row == 0) {
    QCOMPARE(model_->headerData(mark.x(), Qt::Horizontal, Qt::BackgroundRole),
             QVariant(GridModel::MarkBrush()));
  } else if (marked) {
    QCOMPARE(model_->index(mark.y() - 1, mark.x()).data(Qt::BackgroundRole),
             QVariant(GridModel::MarkBrush()));
  }
}

void ReadingTest::findResultCountsInGerman_data() {
  QTest::addColumn<int>("match");
  QTest::addColumn<int>("count");
  QTest::addColumn<QString>("text");
  QTest::newRow("none") << 0 << 0 << "kein Treffer";
  QTest::newRow("the only one") << 1 << 1 << "1 von 1 Treffer";
  QTest::newRow("some") << 3 << 17 << "3 von 17 Treffern";
  QTest::newRow("thousands") << 1234 << 100001 << "1.234 von 100.001 Treffern";
}

void ReadingTest::findResultCountsInGerman() {
  QFETCH(int, match);
  QFETCH(int, count);
  QFETCH(QString, text);
  QCOMPARE(FindBar::ResultText(static_cast<std::size_t>(match), static_cast<std::size_t>(count)),
           text);
}

void ReadingTest::escapeClosesTheFindBar() {
  bar_->Attach(view_.get(), true);
  bar_->Field()->setText(QStringLiteral("Meier"));
  QVERIFY(model_->Mark().has_value());
  QTest::keyClick(bar_->Field(), Qt::Key_Escape);
  QVERIFY(bar_->isHidden());
  // The mark goes; the cell found stays the current one.
  QVERIFY(!model_->Mark().has_value());
  QCOMPARE(view_->currentIndex(), model_->index(1, 2));
}

void ReadingTest::anEditIsFoundAtTheNextSearch() {
  bar_->Attach(view_.get(), true);
  bar_->Field()->setText(QStringLiteral("Meier"));
  QCOMPARE(bar_->Result()->text(), QStringLiteral("1 von 1 Treffer"));
  model_->setData(model_->index(3, 4), QStringLiteral("Meier"), Qt::EditRole);
  // The count of a changed table is not shown until it has been looked through again.
  QCOMPARE(bar_->Result()->text(), QString());
  QTest::keyClick(bar_->Field(), Qt::Key_Return);
  QCOMPARE(bar_->Result()->text(), QStringLiteral("2 von 2 Treffern"));
  QCOMPARE(view_->currentIndex(), model_->index(3, 4));
}

// A tool tip with the whole text where a cell or heading is cut; elsewhere the grid's own hint.
void ReadingTest::cutTextsShowWhole_data() {
  QTest::addColumn<QString>("where");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("width");
  QTest::addColumn<QString>("tip");
  QTest::newRow("cut heading") << "heading" << 3 << 12 << "Summe B";
  QTest::newRow("whole heading") << "heading" << 4 << 200 << "Hinweis";
  QTest::newRow("cut cell") << "cell" << 2 << 12 << "müller";
  QTest::newRow("whole cell") << "cell" << 2 << 200 << "Hinweis";
  QTest::newRow("cut key cell") << "key" << 1 << 12 << "Müller";
  QTest::newRow("whole key cell") << "key" << 1 << 200 << "Hinweis";
}

void ReadingTest::cutTextsShowWhole() {
  QFETCH(QString, where);
  QFETCH(int, column);
  QFETCH(int, width);
  QFETCH(QString, tip);
  view_->setToolTip(QStringLiteral("Hinweis"));
  grid_->SetColWidth(column, width);
  view_->ApplyGridLayout();
  view_->resize(600, 200);
  QCoreApplication::processEvents();
  QString shown;
  if (where == "heading") {
    QHeaderView* header = view_->horizontalHeader();
    const QPoint pos(header->sectionViewportPosition(column) + 3, header->height() / 2);
    shown = ToolTipAt(header->viewport(), pos);
  } else if (where == "key") {
    QTableView* fixed = view_->FixedColumns();
    shown = ToolTipAt(fixed->viewport(), fixed->visualRect(model_->index(0, column)).center());
  } else {
    shown = ToolTipAt(view_->viewport(), view_->visualRect(model_->index(0, column)).center());
  }
  QCOMPARE(shown, tip);
}

void ReadingTest::columnsFitTheirTexts() {
  grid_->SetCell(5, 3, W("eine recht lange Bemerkung über die Klasse"));
  grid_->SetColWidth(5, 20);
  view_->ApplyGridLayout();
  view_->resize(900, 200);
  QCoreApplication::processEvents();
  QHeaderView* header = view_->horizontalHeader();
  const int textWidth = view_->fontMetrics().horizontalAdvance(
      QStringLiteral("eine recht lange Bemerkung über die Klasse"));
  // A double click on the column's right border.
  emit header->sectionHandleDoubleClicked(5);
  QVERIFY2(header->sectionSize(5) > textWidth, qPrintable(QString::number(header->sectionSize(5))));
  // The fitted width is the grid's: it stays through a rebuild of the same table.
  QCOMPARE(grid_->ColWidth(5), header->sectionSize(5));
  // The context menu fits every column: "Summe B" no longer cut.
  grid_->SetColWidth(3, 10);
  view_->ApplyGridLayout();
  const std::unique_ptr<QMenu> menu(view_->MakeContextMenu(nullptr));
  auto* fitAll = menu->findChild<QAction*>(QStringLiteral("FitAllColumnsItem"));
  QVERIFY(fitAll != nullptr);
  QCOMPARE(fitAll->text(), QStringLiteral("Alle Spalten an den Inhalt anpassen"));
  QVERIFY(fitAll->isEnabled());
  fitAll->trigger();
  QVERIFY(header->sectionSize(3) >
          view_->horizontalHeader()->fontMetrics().horizontalAdvance(QStringLiteral("Summe B")));
  QVERIFY(header->sectionSize(5) > textWidth);
}

void ReadingTest::fixedDesignKeepsItsWidths() {
  grid_->SetColWidth(3, 10);
  Make(false);
  emit view_->horizontalHeader()->sectionHandleDoubleClicked(3);
  QCOMPARE(view_->horizontalHeader()->sectionSize(3), 10);
  const std::unique_ptr<QMenu> menu(view_->MakeContextMenu(nullptr));
  QVERIFY(!menu->findChild<QAction*>(QStringLiteral("FitAllColumnsItem"))->isEnabled());
}

// The zoom scales widths, row heights (9, 18 and 30 pixels alike) and the font, and stays
// within 50 % and 200 %.
void ReadingTest::zoomScalesAndStaysInBounds_data() {
  QTest::addColumn<int>("asked");
  QTest::addColumn<int>("zoom");
  QTest::addColumn<int>("width");           // of a column 50 wide
  QTest::addColumn<QList<int>>("heights");  // of rows 9, 18 and 30 high
  QTest::newRow("normal") << 100 << 100 << 50 << QList<int>{9, 18, 30};
  QTest::newRow("larger") << 150 << 150 << 75 << QList<int>{14, 27, 45};
  QTest::newRow("largest") << 200 << 200 << 100 << QList<int>{18, 36, 60};
  QTest::newRow("above the largest") << 400 << 200 << 100 << QList<int>{18, 36, 60};
  QTest::newRow("smallest") << 50 << 50 << 25 << QList<int>{5, 9, 15};
  QTest::newRow("below the smallest") << 10 << 50 << 25 << QList<int>{5, 9, 15};
}

void ReadingTest::zoomScalesAndStaysInBounds() {
  QFETCH(int, asked);
  QFETCH(int, zoom);
  QFETCH(int, width);
  QFETCH(QList<int>, heights);
  grid_->SetRowHeight(2, 9);
  grid_->SetRowHeight(3, 18);
  grid_->SetRowHeight(4, 30);
  const qreal points = view_->font().pointSizeF();
  view_->SetZoom(asked);
  QCOMPARE(view_->Zoom(), zoom);
  QCOMPARE(view_->horizontalHeader()->sectionSize(3), width);
  QCOMPARE(view_->FixedColumns()->horizontalHeader()->sectionSize(1), width);
  const QList<int> shown = {view_->rowHeight(1), view_->rowHeight(2), view_->rowHeight(3)};
  QCOMPARE(shown, heights);
  QCOMPARE(view_->horizontalHeader()->height(), view_->Scaled(grid_->RowHeight(0)));
  QCOMPARE(view_->font().pointSizeF(), points * zoom / 100.0);
  // The grid keeps its own sizes.
  QCOMPARE(grid_->ColWidth(3), 50);
  QCOMPARE(grid_->RowHeight(2), 9);
}

void ReadingTest::aWidthDraggedWhileZoomedGoesIntoTheGridUnscaled() {
  view_->SetZoom(200);
  view_->horizontalHeader()->resizeSection(3, 140);
  QCOMPARE(grid_->ColWidth(3), 70);
  view_->SetZoom(100);
  QCOMPARE(view_->horizontalHeader()->sectionSize(3), 70);
}

void ReadingTest::aNewTableShowsItsTopLeft() {
  grid_->SetRowCount(200);
  view_->BeginRebuild();
  view_->EndRebuild();
  view_->setCurrentIndex(model_->index(150, 5));
  view_->horizontalScrollBar()->setValue(view_->horizontalScrollBar()->maximum());
  QVERIFY(view_->verticalScrollBar()->value() > 0);
  QVERIFY(view_->horizontalScrollBar()->value() > 0);
  view_->BeginRebuild();
  view_->EndRebuild();
  QCOMPARE(view_->verticalScrollBar()->value(), 0);
  QCOMPARE(view_->horizontalScrollBar()->value(), 0);
  // The first data row, below the row of capture-column numbers, in the first column right of
  // the keys.
  QCOMPARE(view_->currentIndex(), model_->index(1, 2));
}

void ReadingTest::aPageCommandKeepsThePlace() {
  grid_->SetRowCount(200);
  view_->BeginRebuild();
  view_->EndRebuild();
  view_->setCurrentIndex(model_->index(150, 5));
  const int vertical = view_->verticalScrollBar()->value();
  QVERIFY(vertical > 0);
  view_->BeginRebuild();
  view_->EndRebuild(true);
  QCOMPARE(view_->verticalScrollBar()->value(), vertical);
  QCOMPARE(view_->currentIndex(), model_->index(150, 5));
}

// Rows 1 and 2 from lines 1 and 2 of a data file (fields from column 2 on), row 3 laid out by
// line 7 of a key file, row 4 a key row with a record of line 9 in it.
void ReadingTest::originsSayWhereACellCameFrom_data() {
  QTest::addColumn<int>("col");
  QTest::addColumn<int>("row");
  QTest::addColumn<bool>("edited");
  QTest::addColumn<QString>("origin");
  QTest::addColumn<QString>("path");
  const QString data = QStringLiteral("/db/13001/SCHULE/1300102.CSV");
  const QString key = QStringLiteral("/programm/SSSA.SSD");
  QTest::newRow("a field") << 3 << 2 << false << "1300102.CSV, Zeile 2, Feld 2" << data;
  QTest::newRow("the first field") << 2 << 1 << false << "1300102.CSV, Zeile 1, Feld 1" << data;
  QTest::newRow("a key column of a placed row")
      << 0 << 1 << false << "1300102.CSV, Zeile 1" << data;
  QTest::newRow("a key row") << 1 << 3 << false << "Schlüsselzeile aus SSSA.SSD, Zeile 7" << key;
  QTest::newRow("an empty cell of a key row")
      << 4 << 3 << false << "Schlüsselzeile aus SSSA.SSD, Zeile 7" << key;
  QTest::newRow("a field of a key row")
      << 5 << 4 << false << "1300102.CSV, Zeile 9, Feld 4" << data;
  QTest::newRow("the key column of a key row with a record")
      << 0 << 4 << false << "Schlüsselzeile aus SSSA.SSD" << key;
  QTest::newRow("an edited cell") << 3 << 2 << true << "hier geändert, in keiner Datei"
                                  << "";
  QTest::newRow("the headings") << 3 << 0 << false << ""
                                << "";
}

void ReadingTest::originsSayWhereACellCameFrom() {
  QFETCH(int, col);
  QFETCH(int, row);
  QFETCH(bool, edited);
  QFETCH(QString, origin);
  QFETCH(QString, path);
  const std::string data = "/db/13001/SCHULE/1300102.CSV";
  grid_->SetDataOrigin(1, 1, data, 2);
  grid_->SetDataOrigin(2, 2, data, 2);
  grid_->SetKeyOrigin(3, 7, "/programm/SSSA.SSD");
  grid_->SetKeyOrigin(4, 8, "/programm/SSSA.SSD");
  grid_->SetDataOrigin(4, 9, data, 2);
  if (edited) QVERIFY(model_->setData(model_->index(row - 1, col), QStringLiteral("neu")));
  QString file = QStringLiteral("unchanged");
  QCOMPARE(model_->Origin(col, row, &file), origin);
  QCOMPARE(file, path);
  // A rebuild forgets the edit: the table has been read again.
  model_->BeginGridChange();
  model_->EndGridChange();
  QVERIFY(model_->Origin(col, row) != QStringLiteral("hier geändert, in keiner Datei"));
}

void ReadingTest::theContextMenuShowsTheFilesFolder() {
  UrlCatcher desktop;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "Open");
  grid_->SetDataOrigin(2, 2, "/db/13001/SCHULE/1300102.CSV", 2);
  const auto item = [this] {
    auto menu = std::unique_ptr<QMenu>(view_->MakeContextMenu(nullptr));
    QAction* found = menu->findChild<QAction*>(QStringLiteral("ShowFileInFolderItem"));
    if (found != nullptr) found->setParent(nullptr);
    return std::unique_ptr<QAction>(found);
  };
  // A cell without an origin: nothing to show.
  view_->setCurrentIndex(model_->index(2, 3));
  std::unique_ptr<QAction> folder = item();
  QVERIFY(folder != nullptr);
  QCOMPARE(folder->text(), QStringLiteral("Datei im Ordner zeigen"));
  QVERIFY(!folder->isEnabled());
  view_->setCurrentIndex(model_->index(1, 3));
  folder = item();
  QVERIFY(folder->isEnabled());
  folder->trigger();
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/db/13001/SCHULE"))});
}

void ReadingTest::wordStems_data() {
  QTest::addColumn<QString>("word");
  QTest::addColumn<QString>("stem");
  QTest::newRow("infinitive") << "sortieren"
                              << "sort";
  QTest::newRow("participle") << "sortiert"
                              << "sort";
  QTest::newRow("already a stem") << "sort"
                                  << "sort";
  QTest::newRow("capitals") << "Schulen"
                            << "schul";
  QTest::newRow("noun in -ung") << "Zeilenumbrechung"
                                << "zeilenumbrech";
  QTest::newRow("short words keep their letters") << "Tab"
                                                  << "tab";
  QTest::newRow("no ending") << "Zoom"
                             << "zoom";
  QTest::newRow("a stem keeps four letters") << "Taste"
                                             << "tast";
}

void ReadingTest::wordStems() {
  QFETCH(QString, word);
  QFETCH(QString, stem);
  QCOMPARE(HelpWindow::WordStem(word), stem);
}

// The topics that hold every word searched for, found by their stems in the texts as well as
// the headings, those with the most hits first.
void ReadingTest::helpSearchFindsWordsInTheTopics_data() {
  QTest::addColumn<QString>("words");
  QTest::addColumn<QStringList>("topics");
  QTest::newRow("a word of a text only") << "sortieren" << QStringList{"Die Schaltflächen"};
  QTest::newRow("by its stem") << "sort" << QStringList{"Die Schaltflächen"};
  QTest::newRow("inside a longer word")
      << "datei" << QStringList{"Einstellungen", "Die Schaltflächen"};
  QTest::newRow("a heading counts more")
      << "Tabellen" << QStringList{"Tabellen lesen", "Die Schaltflächen", "Einstellungen"};
  QTest::newRow("every word") << "Suchen Tabelle" << QStringList{"Tabellen lesen"};
  QTest::newRow("no topic") << "Drucker" << QStringList{};
  QTest::newRow("nothing typed") << ""
                                 << QStringList{"Die Schaltflächen", "Einstellungen",
                                                "Tabellen lesen"};
}

void ReadingTest::helpSearchFindsWordsInTheTopics() {
  QFETCH(QString, words);
  QFETCH(QStringList, topics);
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("hilfe.htm")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(
      "<html><head><meta charset=\"utf-8\"></head><body>"
      "<h2><a name=\"lesen\">Tabellen lesen</a></h2>"
      "<p>Mit Strg+F suchen Sie in der Tabelle.</p>"
      "<h2><a name=\"knoepfe\">Die Schaltflächen</a></h2>"
      "<p>Die Schaltflächen unter einer Tabelle sortieren die Zeilen; die Datei bleibt.</p>"
      "<h2><a name=\"einstellungen\">Einstellungen</a></h2>"
      "<p>Die Schlüsseldatei und die Datenbasis der Tabellen; die Datei.</p>"
      "</body></html>");
  file.close();
  HelpWindow help;
  QVERIFY(help.Load(file.fileName()));
  help.SearchField()->setText(words);
  QStringList listed;
  for (int i = 0; i < help.IndexList()->count(); ++i) listed << help.IndexList()->item(i)->text();
  QCOMPARE(listed, topics);
  if (topics.isEmpty() || words.isEmpty()) return;
  // Enter opens the first topic with the first hit selected.
  QTest::keyClick(help.SearchField(), Qt::Key_Return);
  const QString selected = help.Browser()->textCursor().selectedText().toLower();
  QCOMPARE(selected, HelpWindow::WordStem(words.split(QLatin1Char(' ')).front()));
}

}  // namespace tab::ui

QTEST_MAIN(tab::ui::ReadingTest)
#include "reading_test.moc"
