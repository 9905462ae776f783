#pragma once
// TInfoBox_ZR: the about box ("Info"), opened from the help menu and the tool bar.
#include <QDialog>

namespace tab::ui {

class TInfoBox_ZR : public QDialog {
  Q_OBJECT

 public:
  explicit TInfoBox_ZR(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
};

// Moves a window to the middle of the screen it is on (or the primary screen).
void CentreOnScreen(QWidget* window);

}  // namespace tab::ui
