#include "app/ui/table_output.hpp"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>

#ifdef TABELLARIO_HAVE_PRINT_SUPPORT
#include <QPrintPreviewDialog>
#include <QPrinter>
#endif

namespace tab::ui {

namespace {

constexpr const char* kXlsxFilter = "Excel-Arbeitsmappe (*.xlsx)";
constexpr const char* kCsvFilter = "CSV für Tabellenkalkulationen (*.csv)";
constexpr const char* kPdfFilter = "PDF-Dokument (*.pdf)";

// The folder of the last export in this run of the program.
QString& LastFolder() {
  static QString folder;
  return folder;
}

// A progress dialog that shows itself once the work has taken about a second.
class Progress {
 public:
  Progress(QWidget* parent, const QString& label)
      : dialog_(label, QStringLiteral("Abbrechen"), 0, 100, parent) {
    dialog_.setWindowTitle(QStringLiteral("Tabellario"));
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(1000);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setValue(0);
    clock_.start();
  }
  ExportProgress Callback() {
    return [this](int done, int total) {
      // The event loop runs a few times a second at most: the work is what counts.
      if (clock_.elapsed() - last_ >= 100) {
        last_ = clock_.elapsed();
        dialog_.setValue(total > 0 ? static_cast<int>(100LL * done / total) : 0);
        QCoreApplication::processEvents();
      }
      return !dialog_.wasCanceled();
    };
  }

 private:
  QProgressDialog dialog_;
  QElapsedTimer clock_;
  qint64 last_ = 0;
};

}  // namespace

std::optional<ExportFormat> FormatOfPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("xlsx")) return ExportFormat::Xlsx;
  if (suffix == QLatin1String("csv")) return ExportFormat::Csv;
  if (suffix == QLatin1String("pdf")) return ExportFormat::Pdf;
  return std::nullopt;
}

ExportResult ExportTableFile(const TableGrid& grid, const TableTitle& title, const QString& path,
                             const ExportProgress& progress) {
  const std::string target = QFile::encodeName(path).toStdString();
  switch (FormatOfPath(path).value_or(ExportFormat::Xlsx)) {
    case ExportFormat::Csv:
      return WriteSpreadsheetCsv(grid, target, progress);
    case ExportFormat::Pdf:
      return WriteTablePdf(grid, title, target, progress);
    case ExportFormat::Xlsx:
      break;
  }
  return WriteXlsx(grid, target, title.table.toStdString(), progress);
}

QString DefaultExportFolder() {
  if (!LastFolder().isEmpty() && QFileInfo(LastFolder()).isDir()) return LastFolder();
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::homePath();
}

bool ExportWithProgress(QWidget* parent, MessagePort& port, const TableGrid& grid,
                        const TableTitle& title, const QString& path) {
  ExportResult result;
  {
    Progress progress(parent, QStringLiteral("Die Tabelle wird exportiert …"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    result = ExportTableFile(grid, title, path, progress.Callback());
    QApplication::restoreOverrideCursor();
  }
  if (result.ok) return true;
  if (!result.cancelled) {
    port.Error(ExportFailureText(QDir::toNativeSeparators(path).toStdString(), result.error));
  }
  return false;
}

void ExportTableInteractively(QWidget* parent, MessagePort& port, const TableGrid& grid,
                              const TableTitle& title) {
  const QString filters = QStringList{QString::fromUtf8(kXlsxFilter), QString::fromUtf8(kCsvFilter),
                                      QString::fromUtf8(kPdfFilter)}
                              .join(QStringLiteral(";;"));
  QString filter = QString::fromUtf8(kXlsxFilter);
  const QString suggested =
      QDir(DefaultExportFolder()).filePath(title.FileStem() + QStringLiteral(".xlsx"));
  QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Tabelle exportieren"),
                                              suggested, filters, &filter);
  if (path.isEmpty()) return;
  if (!FormatOfPath(path)) {
    // No known suffix typed: the one of the chosen type.
    if (filter == QString::fromUtf8(kCsvFilter)) {
      path += QStringLiteral(".csv");
    } else if (filter == QString::fromUtf8(kPdfFilter)) {
      path += QStringLiteral(".pdf");
    } else {
      path += QStringLiteral(".xlsx");
    }
  }
  LastFolder() = QFileInfo(path).absolutePath();
  ExportWithProgress(parent, port, grid, title, path);
}

void PrintTableInteractively(QWidget* parent, MessagePort& port, const TableGrid& grid,
                             const TableTitle& title) {
#ifdef TABELLARIO_HAVE_PRINT_SUPPORT
  (void)port;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title.FileStem());
  TablePrinter pages(grid, title);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), pages.SuggestedOrientation(),
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(QStringLiteral("Tabelle drucken – ") + title.Heading());
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&pages, parent](QPrinter* target) {
                     Progress progress(parent, QStringLiteral("Die Seiten werden aufbereitet …"));
                     pages.Print(*target, progress.Callback());
                   });
  preview.exec();
#else
  (void)parent;
  (void)grid;
  (void)title;
  port.Information("Drucken ist in dieser Ausgabe nicht verfügbar.");
#endif
}

}  // namespace tab::ui
