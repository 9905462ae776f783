#include "app/ui/main_window.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <array>
#include <functional>
#include <span>

#include "app/help_file.hpp"
#include "app/ui/about_box.hpp"
#include "app/ui/check_run.hpp"
#include "app/ui/directory_chooser.hpp"
#include "app/ui/find_bar.hpp"
#include "app/ui/grid_model.hpp"
#include "app/ui/grid_view.hpp"
#include "app/ui/help_window.hpp"
#include "app/ui/hint.hpp"
#include "app/ui/mail_dialog.hpp"
#include "app/ui/progress_dialog.hpp"
#include "app/ui/settings_dialog.hpp"
#include "app/ui/table_output.hpp"
#include "app/ui/widget_style.hpp"

#ifdef TABELLARIO_HAVE_PRINT_SUPPORT
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#endif

namespace tab::ui {

namespace {

using Command = void (TMainFormZR::*)();

struct MenuItemDesign {
  const char* object;  // nullptr: a separator
  const char* caption;
  const char* hint;
  Command command;
  bool visible;
  bool enabled;
  int key;  // shortcut, 0 for none
};

struct MenuDesign {
  const char* object;
  const char* title;
  const char* hint;
  bool visible;
  std::span<const MenuItemDesign> items;
};

constexpr MenuItemDesign Separator(bool visible = true) {
  return {nullptr, nullptr, nullptr, nullptr, visible, true, 0};
}

constexpr std::array kFileItems = {
    MenuItemDesign{"FileOpenItem", "Daten-Basis-Verzeichnis &festlegen...",
                   "Laufwerk und Verzeichnis für die Statistik-Datenbank festlegen",
                   &TMainFormZR::FileOpen, true, true, 0},
    MenuItemDesign{"CheckDataBaseItem", "Datenbasis &prüfen…",
                   "Alle Tabellen aller Dienststellen der Datenbasis prüfen und die Befunde zeigen",
                   &TMainFormZR::CheckDataBase, true, true, 0},
    Separator(),
    Separator(false),
    MenuItemDesign{"FilePrintItem", "aktuelle Tabelle &Drucken...", "Aktuelle Tabelle drucken",
                   &TMainFormZR::FilePrint, false, true, 0},
    MenuItemDesign{"FilePrintSetupItem", "D&rucker einrichten...", "Druckereinrichtung ändern",
                   &TMainFormZR::FilePrintSetup, false, true, 0},
    // Beside the hidden print items, with access keys none of the designed items takes.
    MenuItemDesign{"ExportTableItem", "Tabelle &exportieren…",
                   "Die angezeigte Tabelle als Excel-, CSV- oder PDF-Datei speichern",
                   &TMainFormZR::ExportTable, true, true, (Qt::CTRL | Qt::Key_S).toCombined()},
    MenuItemDesign{"PrintTableItem", "&Tabelle drucken…", "Die angezeigte Tabelle drucken",
                   &TMainFormZR::PrintTable, true, true, (Qt::CTRL | Qt::Key_P).toCombined()},
    Separator(),
    MenuItemDesign{"FileExitItem", "Programm &Beenden", "Diese Anwendung beenden",
                   &TMainFormZR::FileExit, true, true, 0},
};
constexpr std::array kMailItems = {
    MenuItemDesign{"SchnellMeldung1", "&Schnell-Meldung", nullptr,
                   &TMainFormZR::SchnellMeldung1Click, true, true, 0},
};
constexpr std::array kSettingsItems = {
    MenuItemDesign{"Programmeinstellungen1", "&Programmeinstellungen",
                   "Optionen des Programms ändern", &TMainFormZR::Programmeinstellungen1Click, true,
                   true, 0},
};
constexpr std::array kHelpItems = {
    MenuItemDesign{"HelpContentsItem", "&anzeigen", "Inhaltsübersicht der Hilfe anzeigen",
                   &TMainFormZR::HelpContents, true, true, Qt::Key_F1},
    MenuItemDesign{"Inhaltsverzeichnis1", "Inhalts&verzeichnis", nullptr,
                   &TMainFormZR::Inhaltsverzeichnis1Click, true, true, 0},
    MenuItemDesign{"HelpSearchItem", "&Inhalt-Index-Suche der Hilfe...",
                   "Hilfe zu einem Thema suchen", &TMainFormZR::HelpSearch, true, true, 0},
    Separator(),
    MenuItemDesign{"HelpAboutItem", "I&nfo zum Programm", "Programminformationen anzeigen",
                   &TMainFormZR::HelpAbout, true, true, 0},
};
const std::array kMenus = {
    MenuDesign{"FileMenu", "&Datei", "Datei- und Verzeichnishandling, Drucken, Beenden", true,
               kFileItems},
    MenuDesign{"EMailMenu", "E&Mail", nullptr, false, kMailItems},
    MenuDesign{"SettingsMenu", "&Einstellungen", nullptr, true, kSettingsItems},
    MenuDesign{"HelpMenu", "&Hilfe", nullptr, true, kHelpItems},
};

struct ToolButtonDesign {
  const char* object;
  const char* hint;
  QStyle::StandardPixmap icon;
  Command command;
  bool visible;
  bool enabled;
};

const std::array kToolButtons = {
    ToolButtonDesign{"FileOpenButton", "Daten-Basis-Verzeichnis wechseln", QStyle::SP_DirOpenIcon,
                     &TMainFormZR::FileOpen, true, true},
    ToolButtonDesign{"FileExitButton", "Beenden|", QStyle::SP_DialogCloseButton,
                     &TMainFormZR::FileExit, true, true},
    ToolButtonDesign{"HelpContentsButton", "Inhalt der Hilfe|", QStyle::SP_DialogHelpButton,
                     &TMainFormZR::HelpContents, true, true},
    ToolButtonDesign{"HelpAboutButton", "Info|", QStyle::SP_MessageBoxInformation,
                     &TMainFormZR::HelpAbout, true, true},
    ToolButtonDesign{"FilePrintButton", "Drucken|", QStyle::SP_FileIcon, &TMainFormZR::FilePrint,
                     false, true},
    ToolButtonDesign{"FilePrintSetupButton", "Druckereinstellungen|",
                     QStyle::SP_FileDialogDetailedView, &TMainFormZR::FilePrintSetup, false, true},
};

// A borderless read-only text field, as wide as its text.
QLineEdit* CaptionField(const QString& text, bool bold, QWidget* parent) {
  auto* field = new QLineEdit(text, parent);
  field->setReadOnly(true);
  field->setFrame(false);
  field->setFocusPolicy(Qt::NoFocus);
  if (bold) MakeBold(field);
  QPalette flat = field->palette();
  flat.setColor(QPalette::Base, flat.color(QPalette::Window));
  field->setPalette(flat);
  return field;
}

// A dialog or window of the main window, built when it is first needed.
template <typename Widget, typename Make>
Widget& BuiltOnce(QPointer<Widget>& held, Make make) {
  if (held.isNull()) held = make();
  return *held;
}

}  // namespace

TMainFormZR::TMainFormZR(MessagePort& port, const std::string& programDirectory, QWidget* parent)
    : QMainWindow(parent), port_(port), document_(port, *this, this) {
  setObjectName(QStringLiteral("MainFormZR"));
  setWindowTitle(QString::fromUtf8(kCaption));
  CurrentSession().Create(programDirectory);

  BuildMenus();
  BuildToolBar();
  findBar_ = new FindBar(this);
  BuildPages();
  BuildClassCaption();
  BuildStatusLine();
  BuildShortcuts();
  SetFocusOrder();
  resize(762, 559);
  CentreOnScreen(this);
}

// ---- building ------------------------------------------------------------------------------

void TMainFormZR::BuildMenus() {
  for (const MenuDesign& design : kMenus) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(design.title));
    menu->setObjectName(QString::fromUtf8(design.object));
    menu->menuAction()->setVisible(design.visible);
    ApplyHint(menu->menuAction(), design.hint);
    for (const MenuItemDesign& item : design.items) {
      QAction* action = item.object == nullptr
                            ? menu->addSeparator()
                            : menu->addAction(QString::fromUtf8(item.caption), this, item.command);
      if (item.object != nullptr) action->setObjectName(QString::fromUtf8(item.object));
      ApplyHint(action, item.hint);
      action->setVisible(item.visible);
      action->setEnabled(item.enabled);
      if (item.key != 0) action->setShortcut(QKeySequence(item.key));
    }
  }
}

void TMainFormZR::BuildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Werkzeugleiste"));
  bar->setObjectName(QStringLiteral("ToolBar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->toggleViewAction()->setVisible(false);
  bar->setFixedHeight(33);
  bar->setIconSize(QSize(20, 20));
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  for (const ToolButtonDesign& design : kToolButtons) {
    QAction* action =
        bar->addAction(style()->standardIcon(design.icon),
                       SplitHint(QString::fromUtf8(design.hint)).toolTip, this, design.command);
    action->setObjectName(QString::fromUtf8(design.object));
    ApplyHint(action, design.hint);
    action->setVisible(design.visible);
    action->setEnabled(design.enabled);
  }
  bar->addSeparator();
  auto* label = new QLabel(QStringLiteral("aktuelle Schule:"), bar);
  MakeBold(label);
  label->setContentsMargins(4, 0, 4, 0);
  schoolLabelAction_ = bar->addWidget(label);
  schools_ = new QComboBox(bar);
  schools_->setObjectName(QStringLiteral("ComboBox1"));
  schools_->setEditable(true);
  schools_->setInsertPolicy(QComboBox::NoInsert);
  // What is typed is the school number as it stands: no completion from the items.
  schools_->setCompleter(nullptr);
  schools_->setMinimumWidth(110);
  schoolSelectorAction_ = bar->addWidget(schools_);
  // Shown once the window is set up.
  schoolLabelAction_->setVisible(false);
  schoolSelectorAction_->setVisible(false);
  // Typed or picked: the line edit's text changes once per change either way.
  connect(schools_, &QComboBox::editTextChanged, &document_,
          [this](const QString& text) { ComboBox1Change(text); });
}

void TMainFormZR::BuildStatusLine() {
  QStatusBar* line = statusBar();
  line->setObjectName(QStringLiteral("StatusLine"));
  statusHint_ = new QLabel(line);
  statusHint_->setObjectName(QStringLiteral("StatusPanel0"));
  statusHint_->setMinimumWidth(1);
  statusSchool_ = new QLabel(QStringLiteral("DST-Nr."), line);
  statusSchool_->setObjectName(QStringLiteral("StatusPanel1"));
  statusSchool_->setFixedWidth(70);
  // Between the two: a note when the school shown has no folder in the data base (hidden
  // otherwise), and where the current cell of the active grid is.
  statusNote_ = new QLabel(line);
  statusNote_->setObjectName(QStringLiteral("StatusNote"));
  statusNote_->hide();
  // Where the current cell came from: file, line and field, a key file, or an edit.
  statusOrigin_ = new QLabel(line);
  statusOrigin_->setObjectName(QStringLiteral("StatusOrigin"));
  statusOrigin_->hide();
  statusPosition_ = new QLabel(line);
  statusPosition_->setObjectName(QStringLiteral("StatusPosition"));
  statusPosition_->setFixedWidth(statusPosition_->fontMetrics().horizontalAdvance(
                                     QStringLiteral("Zeile 100.000 von 100.000 · Spalte 60")) +
                                 8);
  for (QLabel* panel : {statusHint_, statusNote_, statusOrigin_, statusPosition_, statusSchool_}) {
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
  }
  // Panel 0 takes whatever width the others leave, at every size of the window.
  line->addWidget(statusHint_, 1);
  line->addPermanentWidget(statusNote_);
  line->addPermanentWidget(statusOrigin_);
  line->addPermanentWidget(statusPosition_);
  line->addPermanentWidget(statusSchool_);
}

void TMainFormZR::BuildShortcuts() {
  // Commands with keys only: they stand in no menu (the menus are as designed) and are listed
  // in the help.
  struct Shortcut {
    const char* object;
    const char* text;
    QList<QKeySequence> keys;
    std::function<void()> run;
  };
  const Shortcut shortcuts[] = {
      {"FindAction", "Suchen", {QKeySequence::Find}, [this] { OpenFindBar(); }},
      {"FindNextAction", "Weitersuchen", {QKeySequence(Qt::Key_F3)}, [this] { FindAgain(true); }},
      {"FindPreviousAction",
       "Rückwärts weitersuchen",
       {QKeySequence(Qt::SHIFT | Qt::Key_F3)},
       [this] { FindAgain(false); }},
      {"ZoomInAction",
       "Vergrößern",
       {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
       [this] { ZoomStep(1); }},
      {"ZoomOutAction",
       "Verkleinern",
       {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
       [this] { ZoomStep(-1); }},
      {"ZoomResetAction",
       "Normalgröße",
       {QKeySequence(Qt::CTRL | Qt::Key_0)},
       [this] { SetZoom(100); }},
  };
  for (const Shortcut& shortcut : shortcuts) {
    auto* action = new QAction(QString::fromUtf8(shortcut.text), this);
    action->setObjectName(QString::fromUtf8(shortcut.object));
    action->setShortcuts(shortcut.keys);
    connect(action, &QAction::triggered, this, shortcut.run);
    addAction(action);
  }
}

QWidget* TMainFormZR::MakeGridBox(GridId grid, QWidget* parent, GridView** made) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const GridDesign* design = FindGridDesign(grid);
  auto* view = new GridView(*design, &document_.Model(grid), box);
  ApplyHint(view, design->hint);
  layout->addWidget(view, 1);
  grids_.emplace(grid, view);
  view->installEventFilter(this);
  connect(view, &GridView::ZoomStepRequested, this, &TMainFormZR::ZoomStep);
  connect(view, &GridView::CopyRefused, this,
          [this](const QString& reason) { port_.Warning(reason.toStdString()); });
  connect(view, &GridView::ExportRequested, this, [this, view] {
    SetActiveGrid(view);
    ExportTable();
  });
  connect(view, &GridView::PrintRequested, this, [this, view] {
    SetActiveGrid(view);
    PrintTable();
  });
  connect(view, &GridView::CurrentCellChanged, this, [this, view] {
    if (view == activeGrid_) ShowPosition();
  });
  // An edit changes where the current cell's text came from.
  connect(view->Model(), &GridModel::dataChanged, this, [this, view] {
    if (view == activeGrid_) ShowPosition();
  });
  if (made != nullptr) *made = view;
  return box;
}

QWidget* TMainFormZR::BuildTablePage(const TablePageDesign& page) {
  auto* widget = new QWidget;
  widget->setObjectName(QString::fromUtf8(page.name));
  tablePageDesigns_[widget] = &page;
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(2, 2, 2, 2);

  if (page.topGrid) {
    // Teacher page "Identifizierung + Tabelle 0": teacher table 0 on top, below it the
    // identification grid and the note beside it.
    GridView* general = nullptr;
    layout->addWidget(MakeGridBox(*page.topGrid, widget, &general));
    general->setFixedHeight(80);
    auto* row = new QHBoxLayout;
    row->addWidget(MakeGridBox(page.grid, widget), 1);
    note_ = new QPlainTextEdit(widget);
    note_->setObjectName(QStringLiteral("RichEdit1"));
    note_->setReadOnly(true);
    note_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QStringList lines;
    for (const char* line : IdentificationNoteLines()) lines << QString::fromUtf8(line);
    note_->setPlainText(lines.join(QLatin1Char('\n')));
    QPalette grey = note_->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Button));
    note_->setPalette(grey);
    note_->setMinimumWidth(200);
    row->addWidget(note_, 1);
    layout->addLayout(row, 1);
  } else {
    layout->addWidget(MakeGridBox(page.grid, widget), 1);
  }

  // The page's buttons below its grid, two to a line, so that the window keeps its width.
  auto* buttons = new QGridLayout;
  int count = 0;
  for (const ButtonDesign& design : Buttons()) {
    if (design.sheet != page.sheet || design.table != page.table) continue;
    auto* button = new QPushButton(QString::fromUtf8(design.caption), widget);
    button->setObjectName(QString::fromUtf8(design.name));
    // A button works once its sheet has registered the command.
    button->setEnabled(Session::HasCommand(design.button));
    const ButtonId id = design.button;
    connect(button, &QPushButton::clicked, &document_, [this, id] {
      runningCommand_ = true;
      CurrentSession().RunButton(id);
      runningCommand_ = false;
    });
    buttons->addWidget(button, count / 2, count % 2);
    ++count;
  }
  if (count > 0) {
    buttons->setColumnStretch(2, 1);
    layout->addLayout(buttons);
  } else {
    delete buttons;
  }
  return widget;
}

void TMainFormZR::BuildPages() {
  sheets_ = new QTabWidget(this);
  sheets_->setObjectName(QStringLiteral("PageControl1"));
  ApplyHint(sheets_, "Statistik-Meldung");
  MakeBold(sheets_->tabBar());
  sheets_->setUsesScrollButtons(true);
  for (const SheetPageDesign& sheet : SheetPages()) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromUtf8(sheet.name));
    sheetPageDesigns_[page] = &sheet;
    ApplyHint(page, sheet.hint);
    auto* tables = new QTabWidget(page);
    tables->setObjectName(QString::fromUtf8(sheet.pageControl));
    tables->setUsesScrollButtons(true);
    ApplyHint(tables, sheet.pageControlHint);
    tablePages_[sheet.sheet] = tables;
    for (const TablePageDesign& table : TablePages()) {
      if (table.sheet == sheet.sheet) {
        tables->addTab(BuildTablePage(table), QString::fromUtf8(table.caption));
      }
    }
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    if (sheet.sheet == SheetId::Klassen) {
      // The class list left of the class tables.
      auto* left = new QVBoxLayout;
      auto* label = new QLabel(QStringLiteral("Klassen:"), page);
      MakeBold(label);
      classes_ = new QListWidget(page);
      classes_->setObjectName(QStringLiteral("ListBox1"));
      ApplyHint(classes_, "Liste der verfügbaren Klassen");
      classes_->setFixedWidth(90);
      left->addWidget(label);
      left->addWidget(classes_, 1);
      layout->addLayout(left);
      // A click reaches the dispatcher once: through `itemClicked` for the mouse, through the
      // changed current row for the keyboard.
      classes_->viewport()->installEventFilter(this);
      classListViewport_ = classes_->viewport();
      connect(classes_, &QListWidget::itemClicked, &document_, [this] { ListBox1Click(); });
      connect(classes_, &QListWidget::currentRowChanged, &document_, [this] {
        if (!classListMousePress_) ListBox1Click();
      });
    }
    layout->addWidget(tables, 1);
    sheets_->addTab(page, QString::fromUtf8(sheet.caption));
    connect(tables, &QTabWidget::currentChanged, &document_, [this] { PageControlChange(); });
  }
  connect(sheets_, &QTabWidget::currentChanged, &document_, [this] { PageControlChange(); });
  setCentralWidget(sheets_);
}

void TMainFormZR::SetFocusOrder() {
  std::vector<QWidget*> order = {schools_, sheets_->tabBar()};
  for (const SheetPageDesign& sheet : SheetPages())
    order.push_back(tablePages_.at(sheet.sheet)->tabBar());
  order.push_back(classes_);
  for (const TablePageDesign& page : TablePages()) {
    if (page.topGrid) order.push_back(grids_.at(*page.topGrid));
    order.push_back(grids_.at(page.grid));
    if (page.topGrid) order.push_back(note_);
    for (const ButtonDesign& button : Buttons()) {
      if (button.sheet == page.sheet && button.table == page.table) {
        order.push_back(findChild<QPushButton*>(QString::fromUtf8(button.name)));
      }
    }
  }
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TMainFormZR::BuildClassCaption() {
  classCaption_ = new QWidget(sheets_);
  classCaption_->setObjectName(QStringLiteral("ClassCaption"));
  auto* layout = new QHBoxLayout(classCaption_);
  layout->setContentsMargins(4, 0, 4, 0);
  const auto add = [this, layout](const QString& text, bool bold, const char* name) {
    QLineEdit* field = CaptionField(text, bold, classCaption_);
    field->setObjectName(QString::fromUtf8(name));
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(text) + 12);
    layout->addWidget(field);
    return field;
  };
  add(QStringLiteral("aktuelle Klasse:"), true, "ClassCaptionLabel");
  add(QStringLiteral("Statistik-Bezeichnung:"), false, "ClassCaptionKind");
  classIdField_ = add(QStringLiteral("MMMMMMMM"), true, "ClassCaptionId");
  classIdField_->clear();
  sheets_->setCornerWidget(classCaption_, Qt::TopRightCorner);
  classCaption_->hide();
}

// ---- showing, closing, hints ---------------------------------------------------------------

void TMainFormZR::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
}

void TMainFormZR::FormShow() {
  // Data base, school, classes, schools and status panel 1.
  CurrentSession().StartUp();
  hintsAttached_ = true;
  settingPages_ = true;
  for (auto it = tablePages_.rbegin(); it != tablePages_.rend(); ++it) {
    it->second->setCurrentIndex(0);
  }
  sheets_->setCurrentIndex(0);
  settingPages_ = false;
  schoolLabelAction_->setVisible(true);
  schoolSelectorAction_->setVisible(true);
  const SheetId sheet = ActiveSheet();
  CurrentSession().SetCurrent(sheet, ActiveTable(sheet));
  SetActiveGrid(MainGridOfActivePage());
  CurrentSession().Dispatch(CurrentSession().CurrentSheet(), CurrentSession().CurrentTable());
}

void TMainFormZR::closeEvent(QCloseEvent* event) {
  const bool yes = port_.Ask(kExitQuestion);
  if (help_) help_->close();
  if (yes) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool TMainFormZR::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    // Status panel 0 shows the long hint of whatever is under the mouse.
    if (hintsAttached_) statusHint_->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

bool TMainFormZR::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    // A grid that takes the focus is the one the find bar and the position panel work on.
    auto* grid = qobject_cast<GridView*>(watched);
    if (grid != nullptr && grid != activeGrid_) SetActiveGrid(grid);
  }
  // Compared by address only: the list may be half destroyed when its viewport's last events
  // arrive.
  if (watched == classListViewport_) {
    // While a mouse button is down on the class list, its row changes are the click's.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
      classListMousePress_ = true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
      classListMousePress_ = false;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---- pages, school selector, class list ----------------------------------------------------

QTabWidget* TMainFormZR::TablePageControl(SheetId sheet) const {
  const auto found = tablePages_.find(sheet);
  return found == tablePages_.end() ? tablePages_.at(SheetId::Schnell) : found->second;
}

SheetId TMainFormZR::ActiveSheet() const {
  const auto found = sheetPageDesigns_.find(sheets_->currentWidget());
  return SheetOfPage(found == sheetPageDesigns_.end() ? nullptr : found->second);
}

int TMainFormZR::ActiveTable(SheetId sheet) const {
  const auto found = tablePageDesigns_.find(TablePageControl(sheet)->currentWidget());
  return TableOfPage(sheet, found == tablePageDesigns_.end() ? nullptr : found->second);
}

void TMainFormZR::PageControlChange() {
  SetActiveGrid(MainGridOfActivePage());
  if (settingPages_) return;
  const SheetId sheet = ActiveSheet();
  CurrentSession().PageChanged(sheet, ActiveTable(sheet));
}

void TMainFormZR::ComboBox1Change(const QString& text) {
  CurrentSession().SchoolSelectorChanged(text.toStdString());
}

void TMainFormZR::ListBox1Click() {
  CurrentSession().ClassListClicked(classes_->currentRow(), ActiveTable(SheetId::Klassen));
}

// ---- SessionView ---------------------------------------------------------------------------

void TMainFormZR::GridAboutToChange(GridId grid) {
  const auto found = grids_.find(grid);
  if (found != grids_.end()) found->second->BeginRebuild();
}

void TMainFormZR::GridChanged(GridId grid) {
  const auto found = grids_.find(grid);
  if (found != grids_.end()) found->second->EndRebuild(runningCommand_);
}

void TMainFormZR::ShowClassCaption(bool visible, const std::string& classId) {
  classIdField_->setText(QString::fromStdString(classId));
  classCaption_->setVisible(visible);
}

void TMainFormZR::FocusClassList() {
  classes_->setFocus();
}

void TMainFormZR::SchoolListChanged() {
  // Filling the selector is no choice of the user: the current school stays, and the selector
  // names it (the item of that number, or the number as its text), not the first school of the
  // list.
  const QSignalBlocker blocker(schools_);
  schools_->clear();
  for (const std::string& school : CurrentSession().Paths().schools) {
    schools_->addItem(QString::fromStdString(school));
  }
  const QString current = QString::fromStdString(CurrentSession().Paths().schoolNumber);
  const int item = schools_->findText(current, Qt::MatchExactly | Qt::MatchCaseSensitive);
  schools_->setCurrentIndex(item);
  if (item < 0) schools_->setEditText(current);
}

void TMainFormZR::SchoolFolderFound(const std::string& number, bool found) {
  // Empty tables for a number the data base does not know are no fault of the data: say why.
  statusNote_->setText(QStringLiteral("Dienststelle %1 nicht in der Datenbasis")
                           .arg(QString::fromStdString(number)));
  statusNote_->setVisible(!found && !number.empty());
}

void TMainFormZR::ClassListChanged() {
  const QSignalBlocker blocker(classes_);
  classes_->clear();
  for (const std::string& id : CurrentSession().Paths().classes) {
    classes_->addItem(QString::fromStdString(id));
  }
  classes_->setCurrentRow(CurrentSession().Paths().selectedClass);
}

void TMainFormZR::StatusSchoolNumber(const std::string& number) {
  statusSchool_->setText(QString::fromStdString(number));
}

// ---- active grid, position, find bar, zoom ---------------------------------------------------

GridView* TMainFormZR::MainGridOfActivePage() const {
  const auto found = tablePageDesigns_.find(TablePageControl(ActiveSheet())->currentWidget());
  if (found == tablePageDesigns_.end()) return nullptr;
  const auto grid = grids_.find(found->second->grid);
  return grid == grids_.end() ? nullptr : grid->second;
}

GridView* TMainFormZR::ActiveGrid() const {
  return activeGrid_;
}

void TMainFormZR::SetActiveGrid(GridView* grid) {
  activeGrid_ = grid;
  ShowPosition();
  // An open find bar goes along with the page: under the grid now looked at, its text kept.
  if (grid != nullptr && !findBar_->isHidden() && findBar_->Grid() != grid) {
    PlaceFindBar(grid, false);
  }
}

void TMainFormZR::PlaceFindBar(GridView* grid, bool focus) {
  grid->parentWidget()->layout()->addWidget(findBar_);
  findBar_->Attach(grid, focus);
}

void TMainFormZR::ShowPosition() {
  const GridView* grid = activeGrid_;
  if (grid == nullptr || grid->Model() == nullptr) {
    statusPosition_->clear();
    statusOrigin_->hide();
    return;
  }
  const QLocale german(QLocale::German, QLocale::Germany);
  const TableGrid& table = grid->Model()->Grid();
  const std::optional<CellPosition> cell = grid->CurrentCell();
  // Rows and columns as the user counts them: from 1, the heading row being row 1.
  statusPosition_->setText(
      cell ? QStringLiteral("Zeile %1 von %2 · Spalte %3")
                 .arg(german.toString(cell->row + 1), german.toString(table.RowCount()),
                      german.toString(cell->col + 1))
           : QStringLiteral("%1 Zeilen").arg(german.toString(table.RowCount())));
  const QString origin = cell ? grid->Model()->Origin(cell->col, cell->row) : QString();
  statusOrigin_->setText(origin);
  statusOrigin_->setVisible(!origin.isEmpty());
}

void TMainFormZR::OpenFindBar() {
  GridView* grid = activeGrid_ != nullptr ? activeGrid_.data() : MainGridOfActivePage();
  if (grid != nullptr) PlaceFindBar(grid, true);
}

void TMainFormZR::FindAgain(bool forward) {
  if (findBar_->isHidden() || findBar_->Field()->text().isEmpty()) {
    OpenFindBar();
    return;
  }
  if (forward) {
    findBar_->FindNext();
  } else {
    findBar_->FindPrevious();
  }
}

void TMainFormZR::SetZoom(int percent) {
  zoom_ = std::clamp(percent, GridView::kMinZoom, GridView::kMaxZoom);
  for (const auto& [id, grid] : grids_) grid->SetZoom(zoom_);
}

void TMainFormZR::ZoomStep(int steps) {
  if (steps > 0) {
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom_);
    SetZoom(next == kZoomSteps.end() ? kZoomSteps.back() : *next);
  } else if (steps < 0) {
    const auto next = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom_);
    SetZoom(next == kZoomSteps.begin() ? kZoomSteps.front() : *(next - 1));
  }
}

// ---- menu and tool bar commands ------------------------------------------------------------

void TMainFormZR::FileOpen() {
  TVerzWahlForm& chooser =
      BuiltOnce(chooser_, [this] { return new TVerzWahlForm(port_, volumes_, this); });
  if (chooser.OpenAt(CurrentSession().Paths().dataBaseDirectory) == QDialog::Accepted) {
    CurrentSession().DataBaseChosen(chooser.ChosenFolder().toStdString());
  }
}

void TMainFormZR::CheckDataBase() {
  CheckRun::Start(*this, CurrentSession(), port_);
}

void TMainFormZR::Programmeinstellungen1Click() {
  TEinstellFormZR& dialog = BuiltOnce(settingsDialog_, [this] {
    auto* settings = new TEinstellFormZR(CurrentSession().CurrentSettings(),
                                         CurrentSession().Paths().programDirectory, port_, this);
    connect(settings, &TEinstellFormZR::Saved, this,
            [this] { BuiltOnce(progress_, [this] { return new Tfortschrittdlg(this); }).exec(); });
    return settings;
  });
  if (dialog.exec() == QDialog::Accepted) CurrentSession().SettingsAccepted();
}

void TMainFormZR::SchnellMeldung1Click() {
  TEMailForm& dialog =
      BuiltOnce(mailDialog_, [this] { return new TEMailForm(*mail_, port_, this); });
  dialog.SetQuickReport(CurrentSession().CurrentSettings().schoolNumber,
                        CurrentSession().Paths().dataBaseDirectory);
  dialog.exec();
}

void TMainFormZR::SetMailPort(MailPort& mail) {
  mail_ = &mail;
  if (mailDialog_) mailDialog_->SetMailPort(mail);
}

void TMainFormZR::FilePrint() {
  port_.Information("Funktion noch nicht verfügbar!");
}

void TMainFormZR::FilePrintSetup() {
#ifdef TABELLARIO_HAVE_PRINT_SUPPORT
  if (!QPrinterInfo::availablePrinterNames().isEmpty()) {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.exec();
    return;
  }
#endif
  port_.Information("Es ist kein Drucker eingerichtet: die Druckereinrichtung ist nicht möglich.");
}

TableTitle TMainFormZR::ActiveTableTitle() const {
  TableTitle title;
  title.school = statusSchool_->text().trimmed();
  if (title.school == QLatin1String("DST-Nr.")) title.school.clear();
  const auto sheet = sheetPageDesigns_.find(sheets_->currentWidget());
  if (sheet != sheetPageDesigns_.end()) title.sheet = QString::fromUtf8(sheet->second->caption);
  const auto table = tablePageDesigns_.find(TablePageControl(ActiveSheet())->currentWidget());
  if (table != tablePageDesigns_.end()) title.table = QString::fromUtf8(table->second->caption);
  return title;
}

GridView* TMainFormZR::GridToTakeAway() const {
  return activeGrid_ != nullptr ? activeGrid_.data() : MainGridOfActivePage();
}

void TMainFormZR::ExportTable() {
  GridView* grid = GridToTakeAway();
  if (grid == nullptr || grid->Model() == nullptr) return;
  ExportTableInteractively(this, port_, grid->Model()->Grid(), ActiveTableTitle());
}

void TMainFormZR::PrintTable() {
  GridView* grid = GridToTakeAway();
  if (grid == nullptr || grid->Model() == nullptr) return;
  PrintTableInteractively(this, port_, grid->Model()->Grid(), ActiveTableTitle());
}

void TMainFormZR::FileExit() {
  close();
}

HelpWindow& TMainFormZR::Help() {
  return BuiltOnce(help_, [this] { return new HelpWindow(this); });
}

bool TMainFormZR::HelpReady() {
  const std::string path = HelpFilePath(CurrentSession().Paths().programDirectory);
  if (Help().Load(QString::fromStdString(path))) return true;
  ReportHelpFileFailure(path, port_);
  return false;
}

void TMainFormZR::HelpContents() {
  if (HelpReady()) Help().ShowContents();
}

void TMainFormZR::Inhaltsverzeichnis1Click() {
  if (HelpReady()) Help().ShowContext(2);
}

void TMainFormZR::HelpSearch() {
  if (HelpReady()) Help().ShowSearch(QString());
}

void TMainFormZR::HelpAbout() {
  BuiltOnce(about_, [this] { return new TInfoBox_ZR(this); }).exec();
}

}  // namespace tab::ui
