#pragma once
// Tfortschrittdlg: shown briefly after the settings have been saved. Both of its timers run
// from its creation, visible or not: the bar steps every 150 ms, and the closing timer closes
// the dialog on its next tick, so each showing ends within 2000 ms (other times for tests).
#include <QDialog>
#include <QTimer>

class QProgressBar;

namespace tab::ui {

class Tfortschrittdlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kStepMilliseconds = 150;
  static constexpr int kCloseMilliseconds = 2000;

  explicit Tfortschrittdlg(QWidget* parent = nullptr, int closeMilliseconds = kCloseMilliseconds);

  QProgressBar* Bar() const { return bar_; }
  int CloseInterval() const { return closeTimer_.interval(); }
  int StepInterval() const { return stepTimer_.interval(); }
  // Until the closing timer's next tick.
  int RemainingBeforeClose() const { return closeTimer_.remainingTime(); }
  // One step of the bar; a step past the end starts again at the beginning of the range.
  void Step();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QProgressBar* bar_;
  QTimer stepTimer_;
  QTimer closeTimer_;
};

}  // namespace tab::ui
