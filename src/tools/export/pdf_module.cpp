#include "tools/export/pdf_module.hpp"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/ui/table_print.hpp"

extern "C" __attribute__((visibility("default"))) int tabellario_write_pdf(
    const tab::TableGrid* grid, const char* school, const char* sheet, const char* table,
    const char* path, char* error, std::size_t errorSize) {
  std::unique_ptr<QGuiApplication> app;
  if (QGuiApplication::instance() == nullptr) {
    // Qt's notes about the missing desktop session are no concern of a script.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "tabellario-export: %s\n", qPrintable(text));
      }
    });
    // Fonts without a display: scripts and servers have none.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "tabellario-export";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  const tab::ui::TableTitle title{QString::fromUtf8(school), QString::fromUtf8(sheet),
                                  QString::fromUtf8(table)};
  const tab::ExportResult result = tab::ui::WriteTablePdf(*grid, title, path);
  if (result.ok) return 0;
  if (errorSize > 0) {
    std::strncpy(error, result.error.c_str(), errorSize - 1);
    error[errorSize - 1] = '\0';
  }
  return 1;
}
