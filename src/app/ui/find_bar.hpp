#pragma once
// The find bar under the active grid (Ctrl+F): a text field, "Groß-/Kleinschreibung" and
// "ganze Zelle". Enter or F3 goes to the next match, Shift+Enter or Shift+F3 to the one before,
// from the last end round to the other; Esc closes the bar. Every cell of the grid is searched,
// headings and key texts included; the match is marked, scrolled into view and becomes the
// current cell where the cursor may go. The bar says "3 von 17 Treffern" or "kein Treffer".
#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

#include "records/grid_search.hpp"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tab::ui {

class GridView;

class FindBar : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(QWidget* parent = nullptr);

  // Shows the bar under `grid` (the grid of the active page; the bar goes along when that
  // changes). With `focus` the text field takes the keyboard, its text selected.
  void Attach(GridView* grid, bool focus);
  GridView* Grid() const;
  void Close();

  void FindNext();
  void FindPrevious();

  QLineEdit* Field() const { return field_; }
  QCheckBox* MatchCaseBox() const { return matchCase_; }
  QCheckBox* WholeCellBox() const { return wholeCell_; }
  QLabel* Result() const { return result_; }

  // "3 von 17 Treffern", "1 von 1 Treffer", "kein Treffer".
  static QString ResultText(std::size_t match, std::size_t count);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // From the cell looked at last (or the current cell): the next match, `inclusive` of that cell
  // itself when the search text has just changed.
  void Search(bool forward, bool inclusive);
  // The search text or its options changed: look again from where the user is.
  void TextChanged();
  // The grid changed (rebuilt or edited): the matches are found again at the next search.
  void Forget();
  void Unmark();
  const std::vector<CellPosition>& Matches();

  QLineEdit* field_;
  QCheckBox* matchCase_;
  QCheckBox* wholeCell_;
  QLabel* result_;
  QPointer<GridView> grid_;
  std::vector<QMetaObject::Connection> gridConnections_;
  std::vector<CellPosition> matches_;
  bool matchesValid_ = false;
  // The match shown last, and the current cell that showing it left (the next search goes on
  // from the match while the user has not moved the cursor).
  std::optional<CellPosition> shown_;
  std::optional<CellPosition> currentAfterShown_;
};

}  // namespace tab::ui
