#include "app/ui/table_print.hpp"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <algorithm>

#include "records/text.hpp"

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

QString Stem(QString text) {
  // "Tab. 4" gives "Tab4", "Tab. 4.1" keeps its inner point.
  text.remove(QRegularExpression(QStringLiteral("\\.(?![0-9])")));
  QString stem;
  for (const QChar c : text) {
    if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('.')) stem += c;
  }
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

QFont TablePrinter::Font(double points, bool bold) const {
  // The painter is scaled to points, and a font's point size counts in the device's dots.
  QFont font = base_;
  font.setPointSizeF(points / unitY_);
  font.setBold(bold);
  return font;
}

void TablePrinter::PaintPage(QPainter& painter, const Page& page, int number, double width,
                             double height) {
  // The head.
  painter.setFont(Font(10, true));
  painter.setPen(Qt::black);
  painter.drawText(QRectF(0, 0, width, kHeadHeight - 8), Qt::AlignLeft | Qt::AlignVCenter,
                   title_.Heading());

  const double cellPoints = std::max(5.0, kBaseFontPoints * scale_);
  const QFont cellFont = Font(cellPoints, false);
  const QFont cellBold = Font(cellPoints, true);
  const QPen line(QColor(150, 150, 150), 0.4);
  const QColor headingFill(230, 230, 230);

  const int fixedCols = std::min(grid_.FixedCols(), extent_.cols);
  const int fixedRows = std::min(grid_.FixedRows(), extent_.rows);
  std::vector<int> cols;
  for (int col = 0; col < fixedCols; ++col) cols.push_back(col);
  const Span band = bands_[static_cast<std::size_t>(page.band)];
  for (int col = band.first; col <= band.last; ++col) cols.push_back(col);

  // Where the columns and rows of the page lie.
  std::vector<double> xs;  // left edge of each column of `cols`, then the right edge
  double x = 0;
  for (const int col : cols) {
    xs.push_back(x);
    x += ColWidth(col);
  }
  xs.push_back(x);
  double keysWidth = 0;
  for (int i = 0; i < fixedCols; ++i) keysWidth += ColWidth(i);
  std::vector<int> rows;
  for (int row = 0; row < fixedRows; ++row) rows.push_back(row);
  for (int row = page.firstRow; row < page.endRow; ++row) rows.push_back(row);
  std::vector<double> ys;
  double y = kHeadHeight;
  double headingsBottom = y;
  for (const int row : rows) {
    ys.push_back(y);
    y += RowHeight(row);
    if (row < fixedRows) headingsBottom = y;
  }
  ys.push_back(y);

  // The headings' background: the heading rows and the key columns.
  painter.fillRect(QRectF(0, kHeadHeight, xs.back(), headingsBottom - kHeadHeight), headingFill);
  painter.fillRect(QRectF(0, kHeadHeight, keysWidth, y - kHeadHeight), headingFill);

  // The texts, each cut to its cell (measured only when it may be too wide).
  painter.setPen(Qt::black);
  const QFontMetricsF plainMetrics(cellFont, painter.device());
  const QFontMetricsF boldMetrics(cellBold, painter.device());
  const QFont* current = nullptr;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const int row = rows[r];
    const double h = ys[r + 1] - ys[r];
    if (h <= 0) continue;
    const int stored = grid_.StoredCells(row);
    for (std::size_t c = 0; c < cols.size(); ++c) {
      const int col = cols[c];
      if (col >= stored) continue;
      const std::string_view cell = grid_.Cell(col, row);
      if (cell.empty()) continue;
      const double room = xs[c + 1] - xs[c] - 2.5;
      if (room <= 0) continue;
      const bool heading = row < fixedRows || col < fixedCols;
      const QFont& font = heading ? cellBold : cellFont;
      const QFontMetricsF& metrics = heading ? boldMetrics : plainMetrics;
      if (current != &font) {
        painter.setFont(font);
        current = &font;
      }
      QString text = QString::fromStdString(Win1252ToUtf8(cell));
      // The fonts are sized for the points the painter paints in: so are their metrics.
      if (text.size() * metrics.maxWidth() > room && metrics.horizontalAdvance(text) > room) {
        text = metrics.elidedText(text, Qt::ElideRight, room);
      }
      const double baseline = ys[r] + (h + metrics.ascent() - metrics.descent()) / 2;
      painter.drawText(QPointF(xs[c] + 1.5, baseline), text);
    }
  }

  // The lines of the grid: one for each row and column border.
  std::vector<QLineF> lines;
  lines.reserve(xs.size() + ys.size());
  for (const double edge : xs) lines.emplace_back(edge, ys.front(), edge, ys.back());
  for (const double edge : ys) lines.emplace_back(xs.front(), edge, xs.back(), edge);
  painter.setPen(line);
  painter.drawLines(lines.data(), static_cast<int>(lines.size()));

  // The foot.
  painter.setFont(Font(kBaseFontPoints, false));
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
  const double unitX = device.logicalDpiX() / 72.0;
  unitY_ = device.logicalDpiY() / 72.0;
  painter.scale(unitX, unitY_);
  base_ = painter.font();
  const double width = device.width() / unitX;
  const double height = device.height() / unitY_;
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
