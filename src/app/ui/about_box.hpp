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

}  // namespace tab::ui
