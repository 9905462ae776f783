#include "app/ui/findings_window.hpp"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "app/check_report.hpp"
#include "app/window_layout.hpp"
#include "records/file_names.hpp"

namespace tab::ui {

namespace {

constexpr const char* kHeadings[FindingsModel::ColumnCount] = {
    "Dienststelle", "Bogen", "Tabelle", "Klasse", "Art", "Meldung", "Datei", "Zeile"};

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

const SheetPageDesign* SheetPageOf(SheetId sheet) {
  for (const SheetPageDesign& page : SheetPages()) {
    if (page.sheet == sheet) return &page;
  }
  return nullptr;
}

// Shows a page of a tab widget of the main window, as clicking its tab would.
void ShowPage(QMainWindow& window, const char* tabWidget, const char* page) {
  auto* tabs = window.findChild<QTabWidget*>(QString::fromUtf8(tabWidget));
  auto* widget = window.findChild<QWidget*>(QString::fromUtf8(page));
  if (tabs != nullptr && widget != nullptr) tabs->setCurrentWidget(widget);
}

}  // namespace

// ---- the model -------------------------------------------------------------------------------

FindingsModel::FindingsModel(QObject* parent) : QAbstractTableModel(parent) {}

void FindingsModel::SetReport(CheckReport report) {
  beginResetModel();
  report_ = std::move(report);
  rows_.clear();
  for (const Finding& finding : report_.general) rows_.push_back(&finding);
  for (const SchoolCheck& school : report_.schools) {
    for (const Finding& finding : school.findings) rows_.push_back(&finding);
  }
  endResetModel();
}

int FindingsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FindingsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Finding& finding = FindingAt(index.row());
  const auto column = static_cast<Column>(index.column());
  if (role == kSortRole) {
    switch (column) {
      case Sheet:
        return static_cast<int>(finding.sheet);
      case Table:
        return finding.table;
      case Line:
        return static_cast<qulonglong>(finding.line);
      default:
        break;
    }
    role = Qt::DisplayRole;
  }
  if (role == Qt::ToolTipRole && column == Message) return Text(finding.text);
  if (role != Qt::DisplayRole) return {};
  switch (column) {
    case School:
      return Text(finding.school);
    case Sheet:
      return Text(SheetCaption(finding.sheet));
    case Table:
      return Text(TableCaption(finding.sheet, finding.table));
    case Class:
      return Text(finding.classId);
    case Kind:
      return QString::fromUtf8(FindingKindName(finding.kind));
    case Message:
      // One line in the table; the tool tip shows the lines as the message box would.
      return Text(finding.text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    case File:
      return Text(finding.file);
    case Line:
      return finding.line == 0 ? QString() : QString::number(finding.line);
    case ColumnCount:
      break;
  }
  return {};
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= ColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return QString::fromUtf8(kHeadings[section]);
}

// ---- the window ------------------------------------------------------------------------------

FindingsWindow::FindingsWindow(QMainWindow& window, Session& session, MessagePort& port)
    : QWidget(&window, Qt::Window),
      window_(window),
      session_(session),
      port_(port),
      model_(new FindingsModel(this)),
      proxy_(new QSortFilterProxyModel(this)),
      table_(new QTableView(this)),
      summary_(new QLabel(this)),
      filter_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("FindingsWindow"));
  setWindowTitle(QStringLiteral("Befunde der Datenbasis"));
  summary_->setObjectName(QStringLiteral("FindingsSummary"));
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  filter_->setObjectName(QStringLiteral("FindingsFilter"));
  filter_->setPlaceholderText(QStringLiteral("Befunde filtern (alle Spalten)"));
  filter_->setClearButtonEnabled(true);
  proxy_->setSourceModel(model_);
  proxy_->setSortRole(FindingsModel::kSortRole);
  proxy_->setFilterKeyColumn(-1);
  proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  connect(filter_, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);

  table_->setObjectName(QStringLiteral("FindingsTable"));
  table_->setModel(proxy_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  // The report's own order until the user clicks a heading.
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  table_->setSortingEnabled(true);
  table_->horizontalHeader()->setStretchLastSection(false);
  table_->setColumnWidth(FindingsModel::Message, 420);
  table_->setColumnWidth(FindingsModel::File, 260);
  connect(table_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { ShowInMainWindow(FindingOfRow(index.row())); });

  auto* exportButton = new QPushButton(QStringLiteral("Exportieren…"), this);
  exportButton->setObjectName(QStringLiteral("FindingsExport"));
  exportButton->setToolTip(QStringLiteral("Den Bericht als CSV-Datei speichern"));
  connect(exportButton, &QPushButton::clicked, this, &FindingsWindow::Export);
  auto* closeButton = new QPushButton(QStringLiteral("Schließen"), this);
  closeButton->setObjectName(QStringLiteral("FindingsClose"));
  connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(new QLabel(QStringLiteral("Filter:"), this));
  filterRow->addWidget(filter_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(exportButton);
  buttons->addStretch(1);
  buttons->addWidget(closeButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addLayout(filterRow);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
  resize(960, 520);
}

FindingsWindow& FindingsWindow::Of(QMainWindow& window, Session& session, MessagePort& port) {
  auto* existing = window.findChild<FindingsWindow*>(QStringLiteral("FindingsWindow"),
                                                     Qt::FindDirectChildrenOnly);
  return existing != nullptr ? *existing : *new FindingsWindow(window, session, port);
}

void FindingsWindow::ShowReport(CheckReport report) {
  summary_->setText(Text(SummaryLine(report)));
  model_->SetReport(std::move(report));
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  proxy_->sort(-1);
  show();
  raise();
  activateWindow();
}

bool FindingsWindow::ExportTo(const QString& path) {
  const std::string file = path.toStdString();
  const int error = ReplaceFile(file, FormatReport(Report(), ReportFormat::Csv));
  if (error == 0) return true;
  port_.IoError(file, error);
  return false;
}

void FindingsWindow::Export() {
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Befunde exportieren"),
                                   QDir::home().filePath(QStringLiteral("befunde.csv")),
                                   QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"));
  if (!path.isEmpty()) ExportTo(path);
}

const Finding& FindingsWindow::FindingOfRow(int row) const {
  return model_->FindingAt(proxy_->mapToSource(proxy_->index(row, 0)).row());
}

void FindingsWindow::ShowInMainWindow(const Finding& finding) {
  if (!finding.school.empty() && session_.Paths().schoolNumber != finding.school) {
    // The selector shows the school as if it had been picked; the session takes it as the
    // selector's change operation does.
    if (auto* schools = window_.findChild<QComboBox*>(QStringLiteral("ComboBox1"))) {
      const QSignalBlocker blocker(schools);
      const int index = schools->findText(Text(finding.school));
      if (index >= 0) {
        schools->setCurrentIndex(index);
      } else {
        schools->setEditText(Text(finding.school));
      }
    }
    session_.SchoolSelectorChanged(finding.school);
  }
  if (const SheetPageDesign* sheet = SheetPageOf(finding.sheet)) {
    ShowPage(window_, "PageControl1", sheet->name);
    if (!finding.classId.empty()) {
      if (auto* classes = window_.findChild<QListWidget*>(QStringLiteral("ListBox1"))) {
        const QList<QListWidgetItem*> items =
            classes->findItems(Text(finding.classId), Qt::MatchExactly);
        if (!items.isEmpty()) classes->setCurrentItem(items.first());
      }
    }
    if (const TablePageDesign* page = FindTablePage(finding.sheet, finding.table)) {
      ShowPage(window_, sheet->pageControl, page->name);
    }
  }
  window_.raise();
  window_.activateWindow();
}

}  // namespace tab::ui
