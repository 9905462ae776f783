#pragma once
// The shared base of the window's tests: the window's parts found by their object names, as the
// user interface names them (findChild), the session behind it, and dialogs answered once they
// are open.
#include <QAction>
#include <QDialog>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/session.hpp"
#include "sheets/identities.hpp"
#include "ui/ui_fixture.hpp"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;

namespace tab::ui {
class GridView;
}

namespace tab::test {

class WindowTest : public QObject {
 protected:
  // A program directory whose settings name Dienststelle 54321, a data base beside it with the
  // quick reports (table 0) of 54321 and 12345, and the port of the window to come.
  void WriteProgram();
  // Once the window has gone: the port and the program directory.
  void RemoveProgram();

  std::unique_ptr<TestProgram> program_;
  std::unique_ptr<RecordingPort> port_;

  // Shows the window and waits until it is on the screen; the parts below are this window's.
  bool Show(QWidget& window);
  QWidget& Window() const { return *window_; }

  template <typename Part>
  Part* Find(const QString& name) const {
    return window_->findChild<Part*>(name);
  }
  QAction* Action(const char* name) const;

  Session& CurrentSession() const;
  ui::GridView* Grid(GridId grid) const;
  // A cell of a grid as the view shows it.
  QString CellOf(GridId grid, int col, int row) const;
  QTabWidget* SheetPageControl() const;
  QTabWidget* TablePageControl(SheetId sheet) const;
  QComboBox* SchoolSelector() const;
  QListWidget* ClassList() const;
  QLabel* StatusPanel(int panel) const;
  QWidget* ClassCaption() const;
  QLineEdit* ClassIdField() const;
  QPlainTextEdit* IdentificationNote() const;

  // Runs `step` from the event loop once the window's dialog `name` is open: modal dialogs are
  // answered from the event loop they run.
  template <typename Dialog>
  void WhenOpen(const QString& name, std::function<void(Dialog&)> step) {
    QTimer::singleShot(0, window_, [this, name, step] {
      auto* dialog = Find<Dialog>(name);
      if (dialog == nullptr || !dialog->isVisible()) {
        WhenOpen<Dialog>(name, step);
        return;
      }
      step(*dialog);
    });
  }

 private:
  QWidget* window_ = nullptr;
};

}  // namespace tab::test
