// Tabellario: the window on the program directory (the executable's folder when it holds the
// program's files, else the user's own, or the one given with --program-dir).
#include <QApplication>
#include <QIcon>
#include <QSettings>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.hpp"
#include "app/program_directory.hpp"
#include "app/ui/german_translations.hpp"
#include "app/ui/main_window.hpp"
#include "app/ui/qt_message_port.hpp"
#include "app/ui/window_geometry.hpp"

namespace {

constexpr const char* kApplicationId = "de.tabellario.Tabellario";

int UsageError(const std::string& message) {
  std::cerr << "tabellario: " << message << "\n\n" << tab::kWindowUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Help and version answer before Qt looks for a display.
  tab::WindowCommandLine line = tab::ParseWindowCommandLine({argv, argv + argc});
  switch (line.action) {
    case tab::WindowCommandLine::Action::Help:
      std::cout << tab::kWindowUsage;
      return 0;
    case tab::WindowCommandLine::Action::Version:
      std::cout << tab::VersionLine("tabellario") << '\n';
      return 0;
    case tab::WindowCommandLine::Action::UsageError:
      return UsageError(line.error);
    case tab::WindowCommandLine::Action::Run:
      break;
  }

  // Qt takes its own options out of the rest; whatever it leaves is unknown.
  std::vector<char*> qtArguments;
  for (std::string& argument : line.rest) qtArguments.push_back(argument.data());
  int qtCount = static_cast<int>(qtArguments.size());
  qtArguments.push_back(nullptr);
  QApplication app(qtCount, qtArguments.data());
  if (qtCount > 1)
    return UsageError(
        tab::UnknownArgumentsError({qtArguments.data() + 1, qtArguments.data() + qtCount}));
  QApplication::setApplicationName(QStringLiteral("Tabellario"));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
  QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kApplicationId)));
  tab::ui::LoadGermanTranslations(app);

  tab::ui::QtMessagePort port;
  const std::string programDirectory = tab::PrepareProgramDirectory(line.programDir, port);
  tab::ui::TMainFormZR window(port, programDirectory);
  port.SetParentWidget(&window);
  QSettings places(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tabellario"),
                   QStringLiteral("tabellario"));
  tab::ui::RestoreWindowGeometry(window, places);
  window.SetZoom(tab::ui::SavedZoom(places));
  window.show();
  const int status = QApplication::exec();
  tab::ui::SaveWindowGeometry(window, places);
  tab::ui::SaveZoom(window.Zoom(), places);
  return status;
}
