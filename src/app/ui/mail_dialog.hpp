#pragma once
// TEMailForm: hands the quick report of the settings' Dienststelle to the mail program.
#include <QDialog>
#include <string>

#include "mail/mail.hpp"

class QPushButton;
class QSettings;

namespace tab::ui {

// The recipient a site configured for the quick report (kQuickReportRecipientEntry), without
// surrounding blanks; empty when there is none. A text starting with "-" is no address (the mail
// program would take it for an option) and counts as none.
std::string QuickReportRecipient(const QSettings& configuration);

class TEMailForm : public QDialog {
  Q_OBJECT

 public:
  TEMailForm(MailPort& mail, MessagePort& port, QWidget* parent = nullptr);

  QPushButton* Button1() const { return button1_; }  // abbrechen
  QPushButton* Button2() const { return button2_; }  // hand over
  void SetMailPort(MailPort& mail) { mail_ = &mail; }
  // The report the next hand-over sends: the settings' Dienststelle number (Windows-1252) and
  // the running program's data-base directory.
  void SetQuickReport(const std::string& schoolNumber, const std::string& dataBaseDirectory);

 private:
  void Button2Click();

  std::string schoolNumber_;
  std::string dataBaseDirectory_;
  MailPort* mail_;
  MessagePort& port_;
  QPushButton* button1_;
  QPushButton* button2_;
};

}  // namespace tab::ui
