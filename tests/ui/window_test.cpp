#include "ui/window_test.hpp"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

#include "app/ui/document.hpp"
#include "app/ui/grid_view.hpp"
#include "app/window_layout.hpp"
#include "records/text.hpp"

namespace tab::test {

void WindowTest::WriteProgram() {
  program_ = std::make_unique<TestProgram>("54321");
  program_->WriteData("54321/SCHNELL/5432100.CSV",
                      {"ES001;ES002;ES003", "54321;Bereich Süd;Landkreis Müritz"});
  program_->WriteData("12345/SCHNELL/1234500.CSV", {"ES001;ES002;ES003", "12345;Nord;Stadt"});
  port_ = std::make_unique<RecordingPort>();
}

void WindowTest::RemoveProgram() {
  port_.reset();
  program_.reset();
}

bool WindowTest::Show(QWidget& window) {
  window_ = &window;
  window.show();
  return QTest::qWaitForWindowExposed(&window);
}

QAction* WindowTest::Action(const char* name) const {
  return Find<QAction>(QString::fromUtf8(name));
}

Session& WindowTest::CurrentSession() const {
  return Find<ui::Document>(QStringLiteral("Document"))->CurrentSession();
}

ui::GridView* WindowTest::Grid(GridId grid) const {
  return Find<ui::GridView>(QString::fromUtf8(FindGridDesign(grid)->name));
}

QString WindowTest::CellOf(GridId grid, int col, int row) const {
  return QString::fromStdString(Win1252ToUtf8(CurrentSession().Grid(grid).Cell(col, row)));
}

QTabWidget* WindowTest::SheetPageControl() const {
  return Find<QTabWidget>(QStringLiteral("PageControl1"));
}

QTabWidget* WindowTest::TablePageControl(SheetId sheet) const {
  for (const SheetPageDesign& page : SheetPages()) {
    if (page.sheet == sheet) return Find<QTabWidget>(QString::fromUtf8(page.pageControl));
  }
  return nullptr;
}

QComboBox* WindowTest::SchoolSelector() const {
  return Find<QComboBox>(QStringLiteral("ComboBox1"));
}

QListWidget* WindowTest::ClassList() const {
  return Find<QListWidget>(QStringLiteral("ListBox1"));
}

QLabel* WindowTest::StatusPanel(int panel) const {
  return Find<QLabel>(QStringLiteral("StatusPanel%1").arg(panel));
}

QWidget* WindowTest::ClassCaption() const {
  return Find<QWidget>(QStringLiteral("ClassCaption"));
}

QLineEdit* WindowTest::ClassIdField() const {
  return Find<QLineEdit>(QStringLiteral("ClassCaptionId"));
}

QPlainTextEdit* WindowTest::IdentificationNote() const {
  return Find<QPlainTextEdit>(QStringLiteral("RichEdit1"));
}

}  // namespace tab::test
