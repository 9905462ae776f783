#pragma once
// TMainFormZR: the main window. Four sheet pages (one per report form), each with its table
// pages and grids, the tool bar with the school selector, the status line, the menus. All state
// and the dispatcher live in the Session, which the window's document holds with the models of
// the grids; the window shows what the Session reports and passes every page change, selector
// change, class list click and page button on to it. Its dialogs are built when first opened.
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <map>
#include <string>

#include "app/drive_check.hpp"
#include "app/session.hpp"
#include "app/ui/document.hpp"
#include "app/ui/table_print.hpp"
#include "app/window_layout.hpp"
#include "mail/mail.hpp"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;

namespace tab::ui {

class FindBar;
class GridView;
class HelpWindow;
class TInfoBox_ZR;
class Tfortschrittdlg;
class TEinstellFormZR;
class TVerzWahlForm;
class TEMailForm;

class TMainFormZR : public QMainWindow, public SessionView {
  Q_OBJECT

 public:
  static constexpr const char* kCaption =
      "Tabellario   Mecklenburg-Vorpommern   V.1.8. (2009)  Berufsschule";
  static constexpr const char* kExitQuestion =
      "Wollen Sie den Tabellario\nMecklenburg-Vorpommern - Berufsschule\njetzt wirklich BEENDEN?";

  // Creating the window: program directory, settings (messages go to `port`).
  TMainFormZR(MessagePort& port, const std::string& programDirectory, QWidget* parent = nullptr);

  // The mail hand-over of the e-mail dialog (xdg-email unless replaced).
  void SetMailPort(MailPort& mail);

  // The grids' zoom in percent, from GridView::kMinZoom to kMaxZoom (100 at the start); the
  // steps of Ctrl++ and Ctrl+-.
  static constexpr std::array<int, 11> kZoomSteps = {50,  67,  75,  80,  90, 100,
                                                     110, 125, 150, 175, 200};
  void SetZoom(int percent);
  int Zoom() const { return zoom_; }
  void ZoomStep(int steps);

  // The Dienststelle, sheet and table page of the active grid, as export and print name them.
  TableTitle ActiveTableTitle() const;

  // The grid the find bar, the position panel and the keyboard work on: the one of the active
  // page that last had the focus (the page's main grid at first).
  GridView* ActiveGrid() const;
  // Ctrl+F: the find bar under the active grid.
  void OpenFindBar();

  // SessionView
  void GridAboutToChange(GridId grid) override;
  void GridChanged(GridId grid) override;
  void ShowClassCaption(bool visible, const std::string& classId) override;
  void FocusClassList() override;
  void SchoolListChanged() override;
  void ClassListChanged() override;
  void StatusSchoolNumber(const std::string& number) override;
  void SchoolFolderFound(const std::string& number, bool found) override;

 public slots:
  void FileOpen();
  // "Datenbasis prüfen…": every table of the data base checked, the findings in their window.
  void CheckDataBase();
  void FilePrint();
  void FilePrintSetup();
  void FileExit();
  // "Tabelle exportieren…" and "Tabelle drucken…" of the active grid's table.
  void ExportTable();
  void PrintTable();
  void SchnellMeldung1Click();
  void Programmeinstellungen1Click();
  void HelpContents();
  void Inhaltsverzeichnis1Click();
  void HelpSearch();
  void HelpAbout();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Session& CurrentSession() { return document_.CurrentSession(); }
  // The table page control of a sheet (the quick report's for an unknown sheet).
  QTabWidget* TablePageControl(SheetId sheet) const;

  void BuildMenus();
  void BuildToolBar();
  void BuildStatusLine();
  void BuildPages();
  void BuildClassCaption();
  void BuildShortcuts();
  QWidget* BuildTablePage(const TablePageDesign& page);
  // The grid in a box of its own, which takes the find bar under it when it is the active one.
  QWidget* MakeGridBox(GridId grid, QWidget* parent, GridView** made = nullptr);
  // Focus order: selector, sheet pages, table pages, class list, then on each page its grids
  // and buttons.
  void SetFocusOrder();

  void FormShow();
  void PageControlChange();
  void ComboBox1Change(const QString& text);
  void ListBox1Click();
  // The sheet of the active sheet page, and the table of the active page of that sheet.
  SheetId ActiveSheet() const;
  int ActiveTable(SheetId sheet) const;
  // The active page changed or a grid took the focus: panels and find bar follow.
  void SetActiveGrid(GridView* grid);
  GridView* MainGridOfActivePage() const;
  // The grid that export and print take: the active one, else the page's main grid.
  GridView* GridToTakeAway() const;
  void ShowPosition();
  void FindAgain(bool forward);
  // The find bar into the box of `grid`, under it.
  void PlaceFindBar(GridView* grid, bool focus);
  // Opens the help file; reports a missing or unreadable one.
  bool HelpReady();
  HelpWindow& Help();

  MessagePort& port_;
  Document document_;
  std::map<GridId, GridView*> grids_;
  QTabWidget* sheets_ = nullptr;
  std::map<SheetId, QTabWidget*> tablePages_;
  // The design entry each page widget was built from.
  std::map<const QWidget*, const SheetPageDesign*> sheetPageDesigns_;
  std::map<const QWidget*, const TablePageDesign*> tablePageDesigns_;
  QComboBox* schools_ = nullptr;
  QAction* schoolLabelAction_ = nullptr;
  QAction* schoolSelectorAction_ = nullptr;
  QListWidget* classes_ = nullptr;
  const QObject* classListViewport_ = nullptr;
  QWidget* classCaption_ = nullptr;
  QLineEdit* classIdField_ = nullptr;
  QPlainTextEdit* note_ = nullptr;
  QLabel* statusHint_ = nullptr;
  QLabel* statusSchool_ = nullptr;
  QLabel* statusNote_ = nullptr;
  QLabel* statusPosition_ = nullptr;
  QLabel* statusOrigin_ = nullptr;
  QPointer<GridView> activeGrid_;
  FindBar* findBar_ = nullptr;
  int zoom_ = 100;
  // While a page command runs, its grid keeps the place the user was at.
  bool runningCommand_ = false;
  FileSystemVolumeLayer volumes_;
  XdgEmailPort xdgEmail_;
  MailPort* mail_ = &xdgEmail_;
  // Built when first opened.
  QPointer<HelpWindow> help_;
  QPointer<TInfoBox_ZR> about_;
  QPointer<Tfortschrittdlg> progress_;
  QPointer<TEinstellFormZR> settingsDialog_;
  QPointer<TVerzWahlForm> chooser_;
  QPointer<TEMailForm> mailDialog_;
  bool shown_ = false;
  // Pages set by the program (building, start-up) do not dispatch.
  bool settingPages_ = true;
  bool hintsAttached_ = false;
  bool classListMousePress_ = false;
};

}  // namespace tab::ui
