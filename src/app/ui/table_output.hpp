#pragma once
// The shown table taken away from the window: "Tabelle exportieren…" (an Excel workbook, a CSV
// file for spreadsheets or a PDF file, chosen in Qt's file dialog) and "Tabelle drucken…" (Qt's
// print preview). Work of more than about a second shows a progress dialog with a cancel button;
// a cancelled or failed export leaves no file, and a failure is reported in German.
#include <QString>
#include <optional>

#include "app/ui/table_print.hpp"
#include "records/message_port.hpp"

class QWidget;

namespace tab::ui {

// The file types of the export, by the suffix of the chosen name.
enum class ExportFormat { Xlsx, Csv, Pdf };
// The format of a file name's suffix (case ignored); none for any other.
std::optional<ExportFormat> FormatOfPath(const QString& path);

// Writes the table to `path` in the format of its suffix (an unknown suffix writes xlsx).
ExportResult ExportTableFile(const TableGrid& grid, const TableTitle& title, const QString& path,
                             const ExportProgress& progress = {});

// The folder the file dialog opens in first: the user's documents (never the data base).
QString DefaultExportFolder();

// Asks for the file in Qt's file dialog (suggesting "<FileStem>.xlsx" in the folder of the
// last export), writes it with a progress dialog, and reports a failure through `port`.
void ExportTableInteractively(QWidget* parent, MessagePort& port, const TableGrid& grid,
                              const TableTitle& title);
// Writes `path` with a progress dialog that appears after about a second; reports a failure.
// True when the file was written.
bool ExportWithProgress(QWidget* parent, MessagePort& port, const TableGrid& grid,
                        const TableTitle& title, const QString& path);

// Qt's print preview of the table, printing on the printer chosen there.
void PrintTableInteractively(QWidget* parent, MessagePort& port, const TableGrid& grid,
                             const TableTitle& title);

}  // namespace tab::ui
