#pragma once
// TEinstellFormZR: the program settings dialog. It shows the settings file each time it opens,
// lets the user change school number, data-base directory and the two display options, and
// writes the file on "übernehmen".
#include <QDialog>
#include <string>

#include "app/settings.hpp"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tab::ui {

class FolderPicker;

class TEinstellFormZR : public QDialog {
  Q_OBJECT

 public:
  // `record` is the program's settings record.
  TEinstellFormZR(Settings& record, std::string programDirectory, MessagePort& port,
                  QWidget* parent = nullptr);

  QLineEdit* Edit1() const { return edit1_; }
  QCheckBox* CheckBox2() const { return checkBox2_; }
  QCheckBox* CheckBox5() const { return checkBox5_; }
  QPushButton* Button1() const { return button1_; }  // übernehmen
  QPushButton* Button2() const { return button2_; }  // abbrechen
  QPushButton* Button3() const { return button3_; }  // Standardeinstellungen
  FolderPicker& Picker() { return *picker_; }

  void reject() override;

 signals:
  // The file has been written; the dialog closes when whatever is connected here returns.
  void Saved();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The controls from the record.
  void FillControls();
  void Button1Click();
  void Button3Click();

  Settings& record_;
  Settings before_;
  std::string programDirectory_;
  MessagePort& port_;
  QLineEdit* edit1_;
  FolderPicker* picker_;
  QCheckBox* checkBox2_;
  QCheckBox* checkBox5_;
  QPushButton* button1_;
  QPushButton* button2_;
  QPushButton* button3_;
};

}  // namespace tab::ui
