// The grid model and view: what the cells show, which cells can be edited and where edits go,
// row heights and column widths from the table grid, the fixed left columns, copying.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/ui/grid_model.hpp"
#include "app/ui/grid_view.hpp"
#include "records/text.hpp"

namespace tab::ui {

namespace {

// A grid of 6 columns and 5 rows, two fixed columns: row 0 captions, column 0 codes.
TableGrid MakeGrid() {
  TableGrid grid(6, 5, 2, 50);
  for (int col = 0; col < 6; ++col) {
    grid.SetCell(col, 0, "K" + std::to_string(col));
    for (int row = 1; row < 5; ++row) {
      grid.SetCell(col, row, std::to_string(col) + "/" + std::to_string(row));
    }
  }
  grid.SetCell(1, 1, W("Straße"));
  return grid;
}

constexpr GridDesign kDesign{static_cast<GridId>(99), "StringGrid99", 6, 5, 2, 50, true, true,
                             GridColour::Schule,      "Hinweis"};

}  // namespace

class GridViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void cellsAndCaptionsComeFromTheGrid();
  void aHugeCellShowsItsBeginningAndKeepsAll_data();
  void aHugeCellShowsItsBeginningAndKeepsAll();
  void fixedCellsAreNotEditable_data();
  void fixedCellsAreNotEditable();
  void editsGoIntoTheGrid_data();
  void editsGoIntoTheGrid();
  void editorTypingReachesTheGrid();
  void lowRowsReallyShowNinePixels();
  void heightsAreTakenAgainAfterARebuild();
  void widthsAndHeadingHeightFromTheGrid();
  void userDraggedWidthGoesIntoTheGrid();
  void fixedColumnsStayWhileScrolling();
  void homeKeyStopsAtTheFirstScrollingColumn();
  void keysMoveAndEdit_data();
  void keysMoveAndEdit();
  void copyGivesTabSeparatedText_data();
  void copyGivesTabSeparatedText();
  void copyKeepsEveryCharacter();
  void copyOfARangeOverTheFixedColumns();
  void copyOfNothingLeavesTheClipboard();
  void copyOffersTextAndHtml();
  void labelsAndHeadingsSelect();
  void selectAllOfAHugeGridCopiesTheUsedCells();
  void tooBigACopyIsRefused();
  void contextMenuHasTheCommands();
  void backgroundFollowsTheDesign();

 private:
  void Rebuild() {
    view_->BeginRebuild();
    view_->EndRebuild();
  }

  // The cell editor while one is open (a closed one is hidden until it is deleted).
  QLineEdit* OpenEditor() const {
    for (QLineEdit* editor : view_->viewport()->findChildren<QLineEdit*>()) {
      if (editor->isVisible()) return editor;
    }
    return nullptr;
  }

  std::unique_ptr<TableGrid> grid_;
  std::unique_ptr<GridModel> model_;
  std::unique_ptr<GridView> view_;
};

void GridViewTest::init() {
  grid_ = std::make_unique<TableGrid>(MakeGrid());
  model_ = std::make_unique<GridModel>(*grid_);
  view_ = std::make_unique<GridView>(kDesign, model_.get());
  view_->resize(300, 200);
  view_->show();
  QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
}

void GridViewTest::cleanup() {
  view_.reset();
  model_.reset();
  grid_.reset();
}

void GridViewTest::cellsAndCaptionsComeFromTheGrid() {
  // Row 0 is the header; model row r is grid row r + 1.
  QCOMPARE(model_->rowCount(), 4);
  QCOMPARE(model_->columnCount(), 6);
  QCOMPARE(model_->headerData(3, Qt::Horizontal).toString(), QStringLiteral("K3"));
  QCOMPARE(model_->index(0, 1).data().toString(), QStringLiteral("Straße"));
  QCOMPARE(model_->index(3, 5).data().toString(), QStringLiteral("5/4"));
  QCOMPARE(view_->horizontalHeader()->model()->headerData(0, Qt::Horizontal).toString(),
           QStringLiteral("K0"));
}

void GridViewTest::aHugeCellShowsItsBeginningAndKeepsAll_data() {
  QTest::addColumn<int>("length");
  QTest::addColumn<bool>("cut");
  QTest::newRow("just short enough") << int(kMostShownCharacters) << false;
  QTest::newRow("one more") << int(kMostShownCharacters) + 1 << true;
  QTest::newRow("50 MB") << (50 << 20) << true;
}

void GridViewTest::aHugeCellShowsItsBeginningAndKeepsAll() {
  QFETCH(int, length);
  QFETCH(bool, cut);
  const std::string cell(static_cast<std::size_t>(length), '\xE4');  // "ä" in Windows-1252
  grid_->SetCell(3, 2, cell);
  grid_->SetCell(4, 0, cell);
  const QString shown = model_->index(1, 3).data(Qt::DisplayRole).toString();
  const QString heading = model_->headerData(4, Qt::Horizontal).toString();
  const QString expected = cut ? QString(int(kMostShownCharacters), QChar(0xE4)) + QChar(0x2026)
                               : QString(length, QChar(0xE4));
  QCOMPARE(shown, expected);
  QCOMPARE(heading, expected);
  QCOMPARE(model_->index(1, 3).data(Qt::EditRole).toString().size(), length);
  QCOMPARE(grid_->Cell(3, 2).size(), std::size_t(length));
}

void GridViewTest::fixedCellsAreNotEditable_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<bool>("editable");
  QTest::newRow("fixed column 0") << 0 << false;
  QTest::newRow("fixed column 1") << 1 << false;
  QTest::newRow("first scrolling column") << 2 << true;
  QTest::newRow("last column") << 5 << true;
}

void GridViewTest::fixedCellsAreNotEditable() {
  QFETCH(int, column);
  QFETCH(bool, editable);
  const QModelIndex index = model_->index(1, column);
  QCOMPARE(bool(model_->flags(index) & Qt::ItemIsEditable), editable);
  QCOMPARE(model_->setData(index, QStringLiteral("neu")), editable);
  QCOMPARE(grid_->Cell(column, 2) == "neu", editable);
}

void GridViewTest::editsGoIntoTheGrid_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QByteArray>("stored");
  QTest::newRow("ascii") << "123" << QByteArray("123");
  QTest::newRow("umlaut") << "Müller" << QByteArray("M\xFCller");
  QTest::newRow("euro sign") << "5 €" << QByteArray("5 \x80");
  QTest::newRow("outside Windows-1252") << "Łódź"
                                        << QByteArray(
                                               "?\xF3"
                                               "d?");
  QTest::newRow("empty") << "" << QByteArray();
}

void GridViewTest::editsGoIntoTheGrid() {
  QFETCH(QString, typed);
  QFETCH(QByteArray, stored);
  QVERIFY(model_->setData(model_->index(2, 3), typed));
  QCOMPARE(QByteArray::fromStdString(std::string(grid_->Cell(3, 3))), stored);
  // Shown again as typed where Windows-1252 holds it.
  QCOMPARE(model_->index(2, 3).data().toString(),
           QString::fromStdString(Win1252ToUtf8(stored.toStdString())));
}

void GridViewTest::editorTypingReachesTheGrid() {
  // Fixed cells open no editor.
  QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
  view_->edit(model_->index(1, 0));
  QVERIFY(view_->viewport()->findChild<QLineEdit*>() == nullptr);
  const QModelIndex index = model_->index(1, 4);
  view_->setCurrentIndex(index);
  view_->edit(index);
  auto* editor = view_->viewport()->findChild<QLineEdit*>();
  QVERIFY(editor != nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("Gr"));
  editor->insert(QStringLiteral("üße"));
  QTest::keyClick(editor, Qt::Key_Return);
  // The delegate commits from the event loop.
  QTRY_COMPARE(QByteArray::fromStdString(std::string(grid_->Cell(4, 2))), QByteArray("Gr\xFC\xDF"
                                                                                     "e"));
}

void GridViewTest::lowRowsReallyShowNinePixels() {
  grid_->SetRowHeight(2, 9);
  grid_->SetRowHeight(3, 9);
  Rebuild();
  QCOMPARE(view_->rowHeight(0), 18);
  QCOMPARE(view_->rowHeight(1), 9);
  QCOMPARE(view_->rowHeight(2), 9);
  QCOMPARE(view_->rowHeight(3), 18);
  // The fixed columns have the same rows.
  QCOMPARE(view_->FixedColumns()->rowHeight(1), 9);
  QCOMPARE(view_->FixedColumns()->rowHeight(3), 18);
  // Positions follow: the fourth data row starts after 18 + 9 + 9 pixels.
  QCOMPARE(view_->rowViewportPosition(3), 36);
  QCOMPARE(view_->rowAt(30), 2);
}

void GridViewTest::heightsAreTakenAgainAfterARebuild() {
  grid_->SetRowHeight(2, 9);
  Rebuild();
  QCOMPARE(view_->rowHeight(1), 9);
  grid_->SetRowHeight(2, 18);
  grid_->SetRowHeight(4, 9);
  Rebuild();
  QCOMPARE(view_->rowHeight(1), 18);
  QCOMPARE(view_->rowHeight(3), 9);
  // Mostly low rows: every row still gets its own height.
  for (int row = 1; row < 5; ++row) grid_->SetRowHeight(row, 9);
  grid_->SetRowHeight(1, 30);
  Rebuild();
  QCOMPARE(view_->rowHeight(0), 30);
  for (int row = 1; row < 4; ++row) QCOMPARE(view_->rowHeight(row), 9);
  // A grown grid: the new rows get their heights too.
  grid_->SetRowCount(8);
  grid_->SetRowHeight(7, 9);
  Rebuild();
  QCOMPARE(model_->rowCount(), 7);
  QCOMPARE(view_->rowHeight(6), 9);
  QCOMPARE(view_->rowHeight(5), grid_->RowHeight(6));
}

void GridViewTest::widthsAndHeadingHeightFromTheGrid() {
  grid_->SetColWidth(0, 30);
  grid_->SetColWidth(3, 140);
  grid_->SetRowHeight(0, 24);
  Rebuild();
  QCOMPARE(view_->columnWidth(0), 30);
  QCOMPARE(view_->columnWidth(1), 50);
  QCOMPARE(view_->columnWidth(3), 140);
  QCOMPARE(view_->horizontalHeader()->height(), 24);
  QCOMPARE(view_->FixedColumns()->columnWidth(0), 30);
  // The fixed columns cover exactly columns 0 and 1.
  QCOMPARE(view_->FixedColumns()->width(), 80);
}

void GridViewTest::userDraggedWidthGoesIntoTheGrid() {
  // A drag ends in resizeSection on the header with its signals live.
  view_->horizontalHeader()->resizeSection(4, 77);
  QCOMPARE(grid_->ColWidth(4), 77);
  view_->FixedColumns()->horizontalHeader()->resizeSection(1, 66);
  QCOMPARE(grid_->ColWidth(1), 66);
  QCOMPARE(view_->columnWidth(1), 66);
  QCOMPARE(view_->FixedColumns()->width(), 50 + 66);
  view_->verticalHeader()->resizeSection(2, 40);
  QCOMPARE(grid_->RowHeight(3), 40);
  QCOMPARE(view_->FixedColumns()->rowHeight(2), 40);
}

void GridViewTest::fixedColumnsStayWhileScrolling() {
  grid_->SetRowCount(60);
  Rebuild();
  view_->horizontalScrollBar()->setValue(view_->horizontalScrollBar()->maximum());
  view_->verticalScrollBar()->setValue(200);
  QVERIFY(view_->horizontalScrollBar()->value() > 0);
  QCOMPARE(view_->FixedColumns()->horizontalScrollBar()->value(), 0);
  // The fixed columns scroll down with the cells.
  QCOMPARE(view_->FixedColumns()->verticalScrollBar()->value(), 200);
  QCOMPARE(view_->FixedColumns()->rowAt(0), view_->rowAt(0));
  QVERIFY(view_->FixedColumns()->isVisible());
  QCOMPARE(view_->FixedColumns()->columnViewportPosition(0), 0);
}

void GridViewTest::homeKeyStopsAtTheFirstScrollingColumn() {
  view_->setFocus();
  view_->setCurrentIndex(model_->index(2, 4));
  QTest::keyClick(view_.get(), Qt::Key_Home);
  QCOMPARE(view_->currentIndex().column(), 2);
  QTest::keyClick(view_.get(), Qt::Key_Left);
  QCOMPARE(view_->currentIndex().column(), 2);
}

// Key sequences from a current cell: where the cursor goes, and whether an editor is open with
// which text. Model rows are grid rows less one; columns 0 and 1 are fixed.
void GridViewTest::keysMoveAndEdit_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("col");
  QTest::addColumn<QStringList>("keys");
  QTest::addColumn<int>("endRow");
  QTest::addColumn<int>("endCol");
  QTest::addColumn<bool>("editing");
  QTest::addColumn<QString>("editorText");
  QTest::addColumn<QString>("cell");  // the start cell in the grid afterwards
  // Tab and Shift+Tab leave the grid for the controls around it (the window's test follows
  // the focus); the current cell stays. Enter and Shift+Enter move down and up a row.
  QTest::newRow("Tab") << 1 << 2 << QStringList{"Tab"} << 1 << 2 << false << ""
                       << "2/2";
  QTest::newRow("Shift+Tab") << 1 << 4 << QStringList{"Shift+Tab"} << 1 << 4 << false << ""
                             << "4/2";
  QTest::newRow("Return") << 1 << 4 << QStringList{"Return"} << 2 << 4 << false << ""
                          << "4/2";
  QTest::newRow("Shift+Return") << 2 << 4 << QStringList{"Shift+Return"} << 1 << 4 << false << ""
                                << "4/3";
  QTest::newRow("Return on the last row")
      << 3 << 4 << QStringList{"Return"} << 3 << 4 << false << ""
      << "4/4";
  QTest::newRow("Home") << 2 << 4 << QStringList{"Home"} << 2 << 2 << false << ""
                        << "4/3";
  QTest::newRow("Home, Left") << 2 << 4 << QStringList{"Home", "Left"} << 2 << 2 << false << ""
                              << "4/3";
  QTest::newRow("Ctrl+Home") << 3 << 4 << QStringList{"Ctrl+Home"} << 0 << 2 << false << ""
                             << "4/4";
  QTest::newRow("End") << 2 << 2 << QStringList{"End"} << 2 << 5 << false << ""
                       << "2/3";
  QTest::newRow("a letter opens the editor with it")
      << 1 << 3 << QStringList{"X"} << 1 << 3 << true << "x"
      << "3/2";
  QTest::newRow("a letter and Return takes it and moves down")
      << 1 << 3 << QStringList{"X", "Return"} << 2 << 3 << false << ""
      << "x";
  QTest::newRow("a letter and Tab takes it")
      << 1 << 3 << QStringList{"X", "Tab"} << 1 << 3 << false << ""
      << "x";
  QTest::newRow("F2 opens the editor on the cell's text")
      << 1 << 3 << QStringList{"F2"} << 1 << 3 << true << "3/2"
      << "3/2";
  QTest::newRow("Escape cancels what was typed")
      << 1 << 3 << QStringList{"X", "Y", "Escape"} << 1 << 3 << false << ""
      << "3/2";
  QTest::newRow("F2, Escape") << 2 << 4 << QStringList{"F2", "Escape"} << 2 << 4 << false << ""
                              << "4/3";
}

void GridViewTest::keysMoveAndEdit() {
  QFETCH(int, row);
  QFETCH(int, col);
  QFETCH(QStringList, keys);
  QFETCH(int, endRow);
  QFETCH(int, endCol);
  QFETCH(bool, editing);
  QFETCH(QString, editorText);
  QFETCH(QString, cell);
  view_->setFocus();
  view_->setCurrentIndex(model_->index(row, col));
  for (const QString& key : keys) {
    QLineEdit* editor = OpenEditor();
    QTest::keySequence(editor != nullptr ? static_cast<QWidget*>(editor) : view_.get(),
                       QKeySequence(key));
  }
  QCoreApplication::processEvents();
  QCOMPARE(view_->currentIndex().row(), endRow);
  QCOMPARE(view_->currentIndex().column(), endCol);
  QLineEdit* editor = OpenEditor();
  QCOMPARE(editor != nullptr, editing);
  if (editing) QCOMPARE(editor->text(), editorText);
  QCOMPARE(QString::fromStdString(Win1252ToUtf8(grid_->Cell(col, row + 1))), cell);
}

void GridViewTest::copyGivesTabSeparatedText_data() {
  QTest::addColumn<int>("top");
  QTest::addColumn<int>("left");
  QTest::addColumn<int>("bottom");
  QTest::addColumn<int>("right");
  QTest::addColumn<bool>("headings");
  QTest::addColumn<QString>("text");
  QTest::newRow("one cell") << 0 << 2 << 0 << 2 << false << "2/1\n";
  QTest::newRow("a row") << 1 << 2 << 1 << 4 << false << "2/2\t3/2\t4/2\n";
  QTest::newRow("a block") << 2 << 4 << 3 << 5 << false << "4/3\t5/3\n4/4\t5/4\n";
  // Ctrl+Shift+C: the headings of the key columns and of the selected columns above, the key
  // cells before each row.
  QTest::newRow("one cell, headings") << 1 << 3 << 1 << 3 << true << "K0\tK1\tK3\n0/2\t1/2\t3/2\n";
  QTest::newRow("a block, headings")
      << 0 << 3 << 1 << 4 << true
      << QString::fromUtf8("K0\tK1\tK3\tK4\n0/1\tStraße\t3/1\t4/1\n0/2\t1/2\t3/2\t4/2\n");
  QTest::newRow("over the keys, headings")
      << 3 << 0 << 3 << 2 << true << "K0\tK1\tK2\n0/4\t1/4\t2/4\n";
}

void GridViewTest::copyGivesTabSeparatedText() {
  QFETCH(int, top);
  QFETCH(int, left);
  QFETCH(int, bottom);
  QFETCH(int, right);
  QFETCH(bool, headings);
  QFETCH(QString, text);
  QApplication::clipboard()->clear();
  view_->setFocus();
  view_->selectionModel()->select(
      QItemSelection(model_->index(top, left), model_->index(bottom, right)),
      QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(view_.get(), Qt::Key_C,
                  headings ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(), text);
  // In the HTML the headings are heading cells, the data text cells.
  const QString html = QApplication::clipboard()->mimeData()->html();
  QCOMPARE(html.contains(QStringLiteral("<tr><th x:str>K0</th><th x:str>K1</th>")), headings);
  QCOMPARE(html.contains(QStringLiteral("<th x:str>0/") + QString::number(bottom + 1)), headings);
  QVERIFY2(html.contains(QStringLiteral("<td x:str>") + QString::number(std::max(left, 2)) +
                         QStringLiteral("/") + QString::number(bottom + 1)),
           qPrintable(html));
}

// The clipboard holds UTF-8 text: every character of Windows-1252, the euro sign among them.
void GridViewTest::copyKeepsEveryCharacter() {
  grid_->SetCell(2, 1, W("Müller"));
  grid_->SetCell(3, 1, W("5 €"));
  Rebuild();
  view_->setFocus();
  view_->selectionModel()->select(QItemSelection(model_->index(0, 2), model_->index(0, 3)),
                                  QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain")),
           QByteArray("M\xC3\xBCller\t5 \xE2\x82\xAC\n"));
}

// The fixed columns hold the rows' labels and take no part in a selection: a range drawn over
// them, or everything (Ctrl+A), copies from the first scrolling column on.
void GridViewTest::copyOfARangeOverTheFixedColumns() {
  view_->setFocus();
  view_->selectionModel()->select(QItemSelection(model_->index(0, 0), model_->index(1, 3)),
                                  QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2/1\t3/1\n2/2\t3/2\n"));
  QTest::keyClick(view_.get(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(),
           QStringLiteral("2/1\t3/1\t4/1\t5/1\n2/2\t3/2\t4/2\t5/2\n2/3\t3/3\t4/3\t5/3\n"
                          "2/4\t3/4\t4/4\t5/4\n"));
}

void GridViewTest::copyOfNothingLeavesTheClipboard() {
  QApplication::clipboard()->setText(QStringLiteral("vorher"));
  view_->setFocus();
  view_->setCurrentIndex(model_->index(1, 3));
  view_->clearSelection();
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("vorher"));
}

// Both kinds: plain text for editors, an HTML table whose cells are text for spreadsheets, so
// that a code "06" does not turn into the number 6.
void GridViewTest::copyOffersTextAndHtml() {
  grid_->SetCell(2, 1, "06");
  grid_->SetCell(3, 2, W("<a & b>"));
  Rebuild();
  QApplication::clipboard()->clear();
  view_->setFocus();
  view_->selectionModel()->select(QItemSelection(model_->index(0, 2), model_->index(1, 3)),
                                  QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
  const QMimeData* data = QApplication::clipboard()->mimeData();
  QVERIFY(data->hasText());
  QVERIFY(data->hasHtml());
  QCOMPARE(data->text(), QStringLiteral("06\t3/1\n2/2\t<a & b>\n"));
  const QString html = data->html();
  QVERIFY2(html.contains(QStringLiteral("mso-number-format:\"\\@\"")), qPrintable(html));
  QVERIFY2(html.contains(QStringLiteral("<tr><td x:str>06</td><td x:str>3/1</td></tr>")),
           qPrintable(html));
  QVERIFY2(html.contains(QStringLiteral("<td x:str>&lt;a &amp; b&gt;</td>")), qPrintable(html));
  QVERIFY(!html.contains(QStringLiteral("<th")));
}

// A click on a row's label (its key cells) selects the row, on a column heading the column;
// Shift extends from the last click, Ctrl adds.
void GridViewTest::labelsAndHeadingsSelect() {
  QTableView* keys = view_->FixedColumns();
  const auto clickRow = [&](int row, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(keys->viewport(), Qt::LeftButton, modifiers,
                      keys->visualRect(model_->index(row, 0)).center());
  };
  QHeaderView* header = view_->horizontalHeader();
  const auto clickColumn = [&](int column, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers,
                      QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
  };
  struct Case {
    std::function<void()> clicks;
    QString text;
  };
  const Case cases[] = {
      {[&] { clickRow(2, Qt::NoModifier); }, QStringLiteral("2/3\t3/3\t4/3\t5/3\n")},
      {[&] {
         clickRow(1, Qt::NoModifier);
         clickRow(2, Qt::ShiftModifier);
       },
       QStringLiteral("2/2\t3/2\t4/2\t5/2\n2/3\t3/3\t4/3\t5/3\n")},
      {[&] {
         clickRow(0, Qt::NoModifier);
         clickRow(3, Qt::ControlModifier);
       },
       QStringLiteral("2/1\t3/1\t4/1\t5/1\n2/4\t3/4\t4/4\t5/4\n")},
      {[&] { clickColumn(3, Qt::NoModifier); }, QStringLiteral("3/1\n3/2\n3/3\n3/4\n")},
      {[&] {
         clickColumn(2, Qt::NoModifier);
         clickColumn(3, Qt::ShiftModifier);
       },
       QStringLiteral("2/1\t3/1\n2/2\t3/2\n2/3\t3/3\n2/4\t3/4\n")},
  };
  for (const Case& c : cases) {
    view_->clearSelection();
    c.clicks();
    QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), c.text);
  }
  // A click on a key column's heading selects nothing: the keys are headings themselves.
  view_->clearSelection();
  QTest::mouseClick(keys->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(10, keys->horizontalHeader()->height() / 2));
  QVERIFY(!view_->selectionModel()->hasSelection());
}

// Ctrl+A on a grid of 65535 x 65535 cells is one range, not four billion indexes; the copy
// covers the cells that hold text, not the declared size.
void GridViewTest::selectAllOfAHugeGridCopiesTheUsedCells() {
  cleanup();
  grid_ = std::make_unique<TableGrid>(65535, 65535, 1, 64, 18, 1);
  grid_->SetCell(1, 0, "A");
  grid_->SetCell(1, 1, "a");
  grid_->SetCell(3, 2, "b");
  model_ = std::make_unique<GridModel>(*grid_);
  view_ = std::make_unique<GridView>(kDesign, model_.get());
  view_->show();
  view_->setFocus();
  QTest::keyClick(view_.get(), Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(view_->selectionModel()->selection().size(), 1);
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\t\t\n\t\tb\n"));
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("\tA\t\t\n\ta\t\t\n\t\t\tb\n"));
}

// A used extent of 65535 x 65535 cells would be gigabytes of text: refused with a German reason,
// the clipboard as it was.
void GridViewTest::tooBigACopyIsRefused() {
  cleanup();
  grid_ = std::make_unique<TableGrid>(65535, 65535, 1, 64, 18, 1);
  grid_->SetCell(1, 1, "a");
  grid_->SetCell(65534, 65534, "z");
  model_ = std::make_unique<GridModel>(*grid_);
  view_ = std::make_unique<GridView>(kDesign, model_.get());
  view_->show();
  QApplication::clipboard()->setText(QStringLiteral("vorher"));
  QSignalSpy refused(view_.get(), &GridView::CopyRefused);
  view_->setFocus();
  QTest::keyClick(view_.get(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(refused.size(), 1);
  const QString reason = refused[0][0].toString();
  QVERIFY2(reason.startsWith(QStringLiteral("Die Auswahl ist zu groß zum Kopieren")),
           qPrintable(reason));
  QVERIFY2(reason.contains(QStringLiteral("höchstens 50 MB")), qPrintable(reason));
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("vorher"));
  // A part of it is copied.
  view_->selectionModel()->select(
      QItemSelection(model_->index(65533, 65533), model_->index(65533, 65534)),
      QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(refused.size(), 1);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("\tz\n"));
}

void GridViewTest::contextMenuHasTheCommands() {
  const std::unique_ptr<QMenu> menu(view_->MakeContextMenu(view_.get()));
  QStringList texts;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text();
  }
  QCOMPARE(texts, (QStringList{"Kopieren", "Mit Überschriften kopieren", "Alles auswählen",
                               "Tabelle exportieren…", "Tabelle drucken…",
                               "Alle Spalten an den Inhalt anpassen", "Datei im Ordner zeigen"}));
  QSignalSpy exportRequested(view_.get(), &GridView::ExportRequested);
  QSignalSpy printRequested(view_.get(), &GridView::PrintRequested);
  menu->findChild<QAction*>(QStringLiteral("ExportTableItem"))->trigger();
  menu->findChild<QAction*>(QStringLiteral("PrintTableItem"))->trigger();
  QCOMPARE(exportRequested.size(), 1);
  QCOMPARE(printRequested.size(), 1);
  // Copying needs a selection.
  QVERIFY(!menu->findChild<QAction*>(QStringLiteral("CopyItem"))->isEnabled());
  menu->findChild<QAction*>(QStringLiteral("SelectAllItem"))->trigger();
  const std::unique_ptr<QMenu> again(view_->MakeContextMenu(view_.get()));
  again->findChild<QAction*>(QStringLiteral("CopyWithHeadingsItem"))->trigger();
  QVERIFY2(QApplication::clipboard()->text().startsWith(QStringLiteral("K0\tK1\tK2\tK3\tK4\tK5\n")),
           qPrintable(QApplication::clipboard()->text()));
}

void GridViewTest::backgroundFollowsTheDesign() {
  QCOMPARE(view_->palette().color(QPalette::Base), QColor(255, 255, 0));
  // Fixed cells paint as headings, the others in the grid's colour.
  QCOMPARE(model_->index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
           view_->palette().color(QPalette::Button));
  QVERIFY(!model_->index(0, 2).data(Qt::BackgroundRole).isValid());
}

}  // namespace tab::ui

QTEST_MAIN(tab::ui::GridViewTest)
#include "grid_view_test.moc"
