#pragma once
// A table grid on paper: the printed pages of the print preview, the printer and the PDF file
// alike. Every page has a head (Dienststelle, sheet, table) and a foot ("Seite x von y" and the
// date); the heading rows repeat at the top of every page, the fixed key columns at the left of
// every page a wide table spills onto. The grid's column widths are scaled to the page (down to
// a readable size; wider tables continue on further pages, down the rows first).
// Needs Qt GUI only (no widgets): the export tool uses it for its PDF files.
#include <QDate>
#include <QFont>
#include <QPageLayout>
#include <QString>
#include <vector>

#include "export/table_files.hpp"

class QPagedPaintDevice;
class QPainter;

namespace tab::ui {

// Names a table by what the user sees: the Dienststelle shown, the sheet page, the table page.
struct TableTitle {
  QString school;  // "13001"
  QString sheet;   // "Schule"
  QString table;   // "Tabelle 1"
  // "13001_Schule_Tabelle1": for file names (no blanks, nothing a file name must not hold).
  QString FileStem() const;
  // "Dienststelle 13001 · Schule · Tabelle 1": the head of a printed page.
  QString Heading() const;
};

class TablePrinter {
 public:
  TablePrinter(const TableGrid& grid, TableTitle title, QDate date = QDate::currentDate());

  // Landscape when the table is wider than a portrait page.
  QPageLayout::Orientation SuggestedOrientation() const;
  // Lays the pages out for the device's page and paints them; `progress` is called before each
  // page (pages done, pages in all) and cancels with false. False when cancelled or when the
  // device cannot be painted on.
  bool Print(QPagedPaintDevice& device, const ExportProgress& progress = {});
  bool Cancelled() const { return cancelled_; }
  // The pages of the last Print.
  int PageCount() const { return static_cast<int>(pages_.size()); }

 private:
  struct Page {
    int band;      // which stretch of scrolling columns
    int firstRow;  // the rows below the headings
    int endRow;
  };
  void LayOut(double width, double height);
  void PaintPage(QPainter& painter, const Page& page, int number, double width, double height);
  double RowHeight(int row) const;
  QFont Font(double points, bool bold) const;
  double ColWidth(int col) const;

  const TableGrid& grid_;
  TableTitle title_;
  QDate date_;
  UsedExtent extent_;
  double scale_ = 1.0;
  std::vector<Span> bands_;  // the scrolling columns of each page across
  std::vector<Page> pages_;
  bool cancelled_ = false;
  double unitY_ = 1.0;  // device dots a point
  QFont base_;
};

// The table as a PDF file (A4, the suggested orientation), written under a temporary name and
// renamed when complete.
ExportResult WriteTablePdf(const TableGrid& grid, const TableTitle& title, const std::string& path,
                           const ExportProgress& progress = {});

}  // namespace tab::ui
