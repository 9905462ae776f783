#include "app/ui/table_print.hpp"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <algorithm>

#include "app/ui/grid_model.hpp"

namespace tab::ui {

namespace {

// A pixel of the grid (at 96 dots an inch) in points.
constexpr double kPointsPerPixel = 0.75;
// Below this the text gets too small to read: wider tables spill onto further pages instead.
constexpr double kMinScale = 0.6;
constexpr double kBaseFontPoints = 7.5;
constexpr double kHeadHeight = 28;      // points above the table: the title and a gap
constexpr double kFootHeight = 18;      // points below it: page number and date
constexpr double kPortraitWidth = 515;  // an A4 page less 10 mm margins, in points
constexpr double kMarginMillimetres = 10;

QString Stem(const QString& text) {
  QString stem;
  for (const QChar c : text) {
    if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('.')) stem += c;
  }
  // "Tab. 4" gives "Tab4", "Tab. 4.1" keeps its inner point.
  stem.replace(QRegularExpression(QStringLiteral("\\.(?![0-9])")), QString());
  return stem;
}

}  // namespace

QString TableTitle::FileStem() const {
  QStringList parts;
  for (const QString& part : {school, sheet, table}) {
    const QString stem = Stem(part);
    if (!stem.isEmpty()) parts << stem;
  }
  return parts.isEmpty() ? QStringLiteral("Tabelle") : parts.join(QLatin1Char('_'));
}

QString TableTitle::Heading() const {
  QStringList parts;
  if (!school.isEmpty()) parts << QStringLiteral("Dienststelle ") + school;
  if (!sheet.isEmpty()) parts << sheet;
  if (!table.isEmpty()) parts << table;
  return parts.join(QStringLiteral(" · "));
}

TablePrinter::TablePrinter(const TableGrid& grid, TableTitle title, QDate date)
    : grid_(grid), title_(std::move(title)), date_(date), extent_(UsedExtentOf(grid)) {}

double TablePrinter::ColWidth(int col) const {
  return std::max(0, grid_.ColWidth(col)) * kPointsPerPixel * scale_;
}

double TablePrinter::RowHeight(int row) const {
  return std::max(0, grid_.RowHeight(row)) * kPointsPerPixel * scale_;
}

QPageLayout::Orientation TablePrinter::SuggestedOrientation() const {
  double width = 0;
  for (int col = 0; col < extent_.cols; ++col) {
    width += std::max(0, grid_.ColWidth(col)) * kPointsPerPixel;
  }
  return width * kMinScale > kPortraitWidth || width > kPortraitWidth * 1.15
             ? QPageLayout::Landscape
             : QPageLayout::Portrait;
}

void TablePrinter::LayOut(double width, double height) {
  const int fixedCols = std::min(grid_.FixedCols(), extent_.cols);
  const int fixedRows = std::min(grid_.FixedRows(), extent_.rows);
  double total = 0;
  scale_ = 1.0;
  for (int col = 0; col < extent_.cols; ++col) total += ColWidth(col);
  if (total > width) scale_ = std::max(kMinScale, width / total);

  double keys = 0;
  for (int col = 0; col < fixedCols; ++col) keys += ColWidth(col);
  // The keys take at most half the page, so that every page has room for data.
  const double room = std::max(width - std::min(keys, width / 2), 1.0);
  bands_.clear();
  Span band{fixedCols, fixedCols - 1};
  double used = 0;
  for (int col = fixedCols; col < extent_.cols; ++col) {
    const double w = ColWidth(col);
    if (band.Count() > 0 && used + w > room) {
      bands_.push_back(band);
      band = {col, col - 1};
      used = 0;
    }
    band.last = col;
    used += w;
  }
  if (band.Count() > 0 || bands_.empty()) bands_.push_back(band);

  double headings = 0;
  for (int row = 0; row < fixedRows; ++row) headings += RowHeight(row);
  const double rowRoom = std::max(height - kHeadHeight - kFootHeight - headings, 1.0);
  std::vector<std::pair<int, int>> chunks;
  int first = fixedRows;
  double filled = 0;
  for (int row = fixedRows; row < extent_.rows; ++row) {
    const double h = RowHeight(row);
    if (row > first && filled + h > rowRoom) {
      chunks.emplace_back(first, row);
      first = row;
      filled = 0;
    }
    filled += h;
  }
  if (first < extent_.rows || chunks.empty()) chunks.emplace_back(first, extent_.rows);

  pages_.clear();
  for (int b = 0; b < static_cast<int>(bands_.size()); ++b) {
    for (const auto& [from, to] : chunks) pages_.push_back({b, from, to});
  }
}

void TablePrinter::PaintPage(QPainter& painter, const Page& page, int number, double width,
                             double height) {
  QFont font = painter.font();
  font.setPointSizeF(kBaseFontPoints);
  painter.setFont(font);
  // The head.
  QFont headFont = font;
  headFont.setPointSizeF(10);
  headFont.setBold(true);
  painter.setFont(headFont);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(0, 0, width, kHeadHeight - 8), Qt::AlignLeft | Qt::AlignVCenter,
                   title_.Heading());

  QFont cellFont = font;
  cellFont.setPointSizeF(std::max(5.0, kBaseFontPoints * scale_));
  QFont cellBold = cellFont;
  cellBold.setBold(true);
  const QPen line(QColor(150, 150, 150), 0.4);
  const QColor headingFill(230, 230, 230);

  const int fixedCols = std::min(grid_.FixedCols(), extent_.cols);
  const int fixedRows = std::min(grid_.FixedRows(), extent_.rows);
  std::vector<int> cols;
  for (int col = 0; col < fixedCols; ++col) cols.push_back(col);
  const Span band = bands_[static_cast<std::size_t>(page.band)];
  for (int col = band.first; col <= band.last; ++col) cols.push_back(col);

  const auto paintRow = [&](int row, double y) {
    const double h = RowHeight(row);
    if (h <= 0) return;
    double x = 0;
    const bool headingRow = row < fixedRows;
    const int stored = grid_.StoredCells(row);
    for (const int col : cols) {
      const double w = ColWidth(col);
      if (w <= 0) continue;
      const QRectF cell(x, y, w, h);
      const bool heading = headingRow || col < fixedCols;
      if (heading) painter.fillRect(cell, headingFill);
      painter.setPen(line);
      painter.drawRect(cell);
      if (col < stored) {
        const std::string_view text = grid_.Cell(col, row);
        if (!text.empty()) {
          painter.setFont(heading ? cellBold : cellFont);
          painter.setPen(Qt::black);
          painter.drawText(cell.adjusted(1.5, 0, -1, 0),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, CellText(text));
        }
      }
      x += w;
    }
  };

  double y = kHeadHeight;
  painter.save();
  painter.setClipRect(QRectF(0, kHeadHeight, width, height - kHeadHeight - kFootHeight));
  for (int row = 0; row < fixedRows; ++row) {
    paintRow(row, y);
    y += RowHeight(row);
  }
  for (int row = page.firstRow; row < page.endRow; ++row) {
    paintRow(row, y);
    y += RowHeight(row);
  }
  painter.restore();

  // The foot.
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QLocale german(QLocale::German, QLocale::Germany);
  const QRectF foot(0, height - kFootHeight + 4, width, kFootHeight - 4);
  painter.drawText(
      foot, Qt::AlignLeft | Qt::AlignVCenter,
      QStringLiteral("Seite %1 von %2").arg(german.toString(number), german.toString(PageCount())));
  painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, german.toString(date_, "dd.MM.yyyy"));
}

bool TablePrinter::Print(QPagedPaintDevice& device, const ExportProgress& progress) {
  cancelled_ = false;
  QPainter painter;
  if (!painter.begin(&device)) return false;
  // Painted in points.
  const double unit = device.logicalDpiX() / 72.0;
  painter.scale(unit, device.logicalDpiY() / 72.0);
  const double width = device.width() / unit;
  const double height = device.height() / (device.logicalDpiY() / 72.0);
  LayOut(width, height);
  const int count = PageCount();
  for (int i = 0; i < count; ++i) {
    if (progress && !progress(i, count)) {
      cancelled_ = true;
      painter.end();
      return false;
    }
    if (i > 0) device.newPage();
    PaintPage(painter, pages_[static_cast<std::size_t>(i)], i + 1, width, height);
  }
  return painter.end();
}

ExportResult WriteTablePdf(const TableGrid& grid, const TableTitle& title, const std::string& path,
                           const ExportProgress& progress) {
  ExportResult result;
  PendingFile pending(path);
  if (!pending.Create()) {
    result.error = pending.Error();
    return result;
  }
  QFile file;
  if (!file.open(pending.Descriptor(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
    result.error = "Die Datei konnte nicht geöffnet werden.";
    return result;
  }
  TablePrinter printer(grid, title);
  bool painted = false;
  {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Tabellario"));
    writer.setTitle(title.Heading());
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), printer.SuggestedOrientation(),
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
    painted = printer.Print(writer, progress);
  }
  if (!painted || !file.flush() || file.error() != QFileDevice::NoError) {
    if (printer.Cancelled()) {
      result.cancelled = true;
    } else {
      result.error =
          "Die PDF-Datei konnte nicht vollständig geschrieben werden (ist der Datenträger voll?).";
    }
    return result;
  }
  file.close();
  if (!pending.Commit()) {
    result.error = pending.Error();
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace tab::ui
