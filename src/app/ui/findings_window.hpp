#pragma once
// The findings of a data-base check in a window of their own: a table (Dienststelle, Bogen,
// Tabelle, Klasse, Art, Meldung, Datei, Zeile) sortable by any column, a filter field over all
// columns, and "Exportieren…" for the report as CSV. A double-click on a finding selects its
// Dienststelle, sheet, table and class in the main window, as the user's own choice there would.
#include <QAbstractTableModel>
#include <QWidget>

#include "app/data_base_check.hpp"

class QLabel;
class QLineEdit;
class QMainWindow;
class QSortFilterProxyModel;
class QTableView;

namespace tab::ui {

// The findings of a report as rows: those of the program directory first, then the
// Dienststellen's in their order.
class FindingsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { School, Sheet, Table, Class, Kind, Message, File, Line, ColumnCount };
  // What the columns sort by: numbers for the sheet, table and line, else the text shown.
  static constexpr int kSortRole = Qt::UserRole;

  explicit FindingsModel(QObject* parent = nullptr);

  void SetReport(CheckReport report);
  const CheckReport& Report() const { return report_; }
  const Finding& FindingAt(int row) const { return *rows_.at(static_cast<std::size_t>(row)); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  CheckReport report_;
  std::vector<const Finding*> rows_;
};

class FindingsWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of the main window's own; its session is the one whose choices a double-click
  // makes, its port tells export errors.
  FindingsWindow(QMainWindow& window, Session& session, MessagePort& port);

  // The main window's findings window, made when first needed.
  static FindingsWindow& Of(QMainWindow& window, Session& session, MessagePort& port);

  // Shows the report (replacing the one shown before) and brings the window to the front.
  void ShowReport(CheckReport report);
  const CheckReport& Report() const { return model_->Report(); }
  // Writes the report as CSV; false after telling the user why not.
  bool ExportTo(const QString& path);
  // The finding of a row of the table as shown (sorted and filtered).
  const Finding& FindingOfRow(int row) const;
  // Selects the finding's Dienststelle, sheet, table and class in the main window.
  void ShowInMainWindow(const Finding& finding);

 private:
  void Export();

  QMainWindow& window_;
  Session& session_;
  MessagePort& port_;
  FindingsModel* model_;
  QSortFilterProxyModel* proxy_;
  QTableView* table_;
  QLabel* summary_;
  QLineEdit* filter_;
};

}  // namespace tab::ui
