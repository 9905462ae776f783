#include "app/ui/find_bar.hpp"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "app/ui/grid_model.hpp"
#include "app/ui/grid_view.hpp"
#include "records/text.hpp"

namespace tab::ui {

namespace {

QToolButton* BarButton(const char* name, QStyle::StandardPixmap icon, const char* toolTip,
                       QWidget* bar) {
  auto* button = new QToolButton(bar);
  button->setObjectName(QString::fromUtf8(name));
  button->setIcon(bar->style()->standardIcon(icon));
  button->setToolTip(QString::fromUtf8(toolTip));
  button->setAutoRaise(true);
  return button;
}

}  // namespace

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FindBar"));
  auto* label = new QLabel(QStringLiteral("Suchen:"), this);
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("FindField"));
  field_->setClearButtonEnabled(true);
  field_->installEventFilter(this);
  label->setBuddy(field_);
  QToolButton* previous =
      BarButton("FindPreviousButton", QStyle::SP_ArrowUp, "Vorheriger Treffer (Umschalt+F3)", this);
  QToolButton* next =
      BarButton("FindNextButton", QStyle::SP_ArrowDown, "Nächster Treffer (F3)", this);
  matchCase_ = new QCheckBox(QStringLiteral("Groß-/Kleinschreibung"), this);
  matchCase_->setObjectName(QStringLiteral("FindMatchCaseBox"));
  wholeCell_ = new QCheckBox(QStringLiteral("ganze Zelle"), this);
  wholeCell_->setObjectName(QStringLiteral("FindWholeCellBox"));
  result_ = new QLabel(this);
  result_->setObjectName(QStringLiteral("FindResult"));
  QToolButton* close = BarButton("FindCloseButton", QStyle::SP_TitleBarCloseButton,
                                 "Suchleiste schließen (Esc)", this);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(label);
  layout->addWidget(field_, 2);
  layout->addWidget(previous);
  layout->addWidget(next);
  layout->addWidget(matchCase_);
  layout->addWidget(wholeCell_);
  layout->addWidget(result_, 1);
  layout->addWidget(close);

  connect(field_, &QLineEdit::textChanged, this, &FindBar::TextChanged);
  connect(matchCase_, &QCheckBox::toggled, this, &FindBar::TextChanged);
  connect(wholeCell_, &QCheckBox::toggled, this, &FindBar::TextChanged);
  connect(previous, &QToolButton::clicked, this, &FindBar::FindPrevious);
  connect(next, &QToolButton::clicked, this, &FindBar::FindNext);
  connect(close, &QToolButton::clicked, this, &FindBar::Close);
  hide();
}

QString FindBar::ResultText(std::size_t match, std::size_t count) {
  if (count == 0) return QStringLiteral("kein Treffer");
  const QLocale german(QLocale::German, QLocale::Germany);
  return QStringLiteral("%1 von %2 %3")
      .arg(german.toString(static_cast<qulonglong>(match)),
           german.toString(static_cast<qulonglong>(count)),
           count == 1 ? QStringLiteral("Treffer") : QStringLiteral("Treffern"));
}

void FindBar::Attach(GridView* grid, bool focus) {
  if (grid != grid_) {
    Unmark();
    for (const QMetaObject::Connection& connection : gridConnections_) disconnect(connection);
    gridConnections_.clear();
    grid_ = grid;
    Forget();
    if (GridModel* model = grid != nullptr ? grid->Model() : nullptr) {
      gridConnections_.push_back(connect(model, &GridModel::modelReset, this, &FindBar::Forget));
      // Edits change what is found; marking a match changes only the background.
      gridConnections_.push_back(
          connect(model, &GridModel::dataChanged, this,
                  [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                    if (roles.isEmpty() || roles.contains(Qt::DisplayRole)) Forget();
                  }));
    }
  }
  show();
  if (focus) {
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
  }
}

GridView* FindBar::Grid() const {
  return grid_;
}

void FindBar::Close() {
  Unmark();
  hide();
  if (grid_) grid_->setFocus(Qt::OtherFocusReason);
}

void FindBar::FindNext() {
  Search(true, false);
}

void FindBar::FindPrevious() {
  Search(false, false);
}

void FindBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Close();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      Search((key->modifiers() & Qt::ShiftModifier) == 0, false);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FindBar::TextChanged() {
  // The matches go; the place the search goes on from stays.
  matchesValid_ = false;
  matches_.clear();
  Search(true, true);
}

void FindBar::Forget() {
  matchesValid_ = false;
  matches_.clear();
  shown_.reset();
  currentAfterShown_.reset();
  result_->clear();
}

void FindBar::Unmark() {
  if (grid_ && grid_->Model() != nullptr) grid_->Model()->SetMark(std::nullopt);
}

const std::vector<CellPosition>& FindBar::Matches() {
  if (matchesValid_) return matches_;
  matches_.clear();
  const std::string utf8 = field_->text().toStdString();
  const std::string text = Utf8ToWin1252(utf8);
  // A character the code page does not have is in no cell.
  if (Win1252ToUtf8(text) == utf8) {
    const SearchOptions options{matchCase_->isChecked(), wholeCell_->isChecked()};
    matches_ = FindCells(grid_->Model()->Grid(), TextSearch(text, options));
  }
  matchesValid_ = true;
  return matches_;
}

void FindBar::Search(bool forward, bool inclusive) {
  if (!grid_ || grid_->Model() == nullptr) return;
  if (field_->text().isEmpty()) {
    Unmark();
    result_->clear();
    return;
  }
  const std::vector<CellPosition>& found = Matches();
  if (found.empty()) {
    Unmark();
    result_->setText(ResultText(0, 0));
    return;
  }
  // From the match shown last while the cursor stays where showing it left it, else from the
  // current cell, else from the top.
  std::optional<CellPosition> from = grid_->CurrentCell();
  if (shown_ && from == currentAfterShown_) from = shown_;
  std::size_t k = forward ? 0 : found.size() - 1;
  if (from) {
    if (forward) {
      const auto it = inclusive ? std::lower_bound(found.begin(), found.end(), *from)
                                : std::upper_bound(found.begin(), found.end(), *from);
      k = it == found.end() ? 0 : static_cast<std::size_t>(it - found.begin());
    } else {
      const auto it = inclusive ? std::upper_bound(found.begin(), found.end(), *from)
                                : std::lower_bound(found.begin(), found.end(), *from);
      k = it == found.begin() ? found.size() - 1 : static_cast<std::size_t>(it - found.begin()) - 1;
    }
  }
  shown_ = found[k];
  grid_->ShowCell(found[k]);
  currentAfterShown_ = grid_->CurrentCell();
  result_->setText(ResultText(k + 1, found.size()));
}

}  // namespace tab::ui
