#include "app/ui/progress_dialog.hpp"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "app/ui/widget_style.hpp"

namespace tab::ui {

Tfortschrittdlg::Tfortschrittdlg(QWidget* parent, int closeMilliseconds) : QDialog(parent) {
  setObjectName(QStringLiteral("fortschrittdlg"));
  setWindowTitle(QStringLiteral("Speichern ..."));
  auto* label = new QLabel(QStringLiteral("Speichern der Informationen:"), this);
  MakeBold(label);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 15);
  bar_->setTextVisible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(bar_);
  setMinimumWidth(300);

  connect(&stepTimer_, &QTimer::timeout, this, &Tfortschrittdlg::Step);
  connect(&closeTimer_, &QTimer::timeout, this, [this] {
    if (isVisible()) accept();
  });
  stepTimer_.start(kStepMilliseconds);
  // Precise: a coarse timer may tick up to 5 % late, past the 2000 ms a showing may last.
  closeTimer_.setTimerType(Qt::PreciseTimer);
  closeTimer_.start(closeMilliseconds);
}

void Tfortschrittdlg::Step() {
  const int next = bar_->value() + 1;
  bar_->setValue(next > bar_->maximum() ? bar_->minimum() : next);
}

void Tfortschrittdlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  bar_->setValue(1);
}

}  // namespace tab::ui
