#pragma once
// TInfoDlg: a message window that closes itself after a given time. The heading field at the
// top, a message area of five lines (line 1, empty, line 2, empty, line 3) and the button
// "OK   /   Schließen". It has no close box.
#include <QDialog>
#include <QTimer>

#include "records/message_port.hpp"

class QLineEdit;
class QPushButton;
class QTextEdit;

namespace tab::ui {

class TInfoDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TInfoDlg(QWidget* parent = nullptr);

  // Takes the texts and the display time for the next showing.
  void SetRequest(const InfoRequest& request);
  // Shows the request modally; returns when the dialog has closed.
  void ShowModal(const InfoRequest& request);

  QLineEdit* Heading() const { return heading_; }
  QTextEdit* MessageArea() const { return message_; }
  QPushButton* CloseButton() const { return button_; }
  bool TimerActive() const { return timer_.isActive(); }
  // The time of the request shown last; the dialog closes once, that long after its showing.
  int TimerInterval() const { return timer_.interval(); }
  bool TimerSingleShot() const { return timer_.isSingleShot(); }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* heading_;
  QTextEdit* message_;
  QPushButton* button_;
  QTimer timer_;
  unsigned milliseconds_ = 0;
};

}  // namespace tab::ui
