#pragma once
// TEMailForm: hands the quick report of the settings' Dienststelle to the mail program.
#include <QDialog>
#include <string>

#include "mail/mail.hpp"

class QPushButton;

namespace tab::ui {

class TEMailForm : public QDialog {
  Q_OBJECT

 public:
  // The settings' Dienststelle number (Windows-1252) and the running program's data-base
  // directory, both read at the moment of sending.
  TEMailForm(const std::string& schoolNumber, const std::string& dataBaseDirectory, MailPort& mail,
             MessagePort& port, QWidget* parent = nullptr);

  QPushButton* Button1() const { return button1_; }  // abbrechen
  QPushButton* Button2() const { return button2_; }  // hand over
  void SetMailPort(MailPort& mail) { mail_ = &mail; }

 private:
  void Button2Click();

  const std::string& schoolNumber_;
  const std::string& dataBaseDirectory_;
  MailPort* mail_;
  MessagePort& port_;
  QPushButton* button1_;
  QPushButton* button2_;
};

}  // namespace tab::ui
