// Tabellario: the window on the program directory of the executable.
#include <QApplication>

#include "app/program_directory.hpp"
#include "app/ui/main_window.hpp"
#include "app/ui/qt_message_port.hpp"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tabellario"));
  tab::ui::QtMessagePort port;
  tab::ui::TMainFormZR window(port, tab::ExecutableDirectory());
  port.SetParentWidget(&window);
  window.show();
  return QApplication::exec();
}
