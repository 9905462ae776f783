#include "app/ui/mail_dialog.hpp"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSettings>

#include "app/ui/widget_style.hpp"

namespace tab::ui {

std::string QuickReportRecipient(const QSettings& configuration) {
  const QString recipient =
      configuration.value(QString::fromLatin1(kQuickReportRecipientEntry)).toString().trimmed();
  if (recipient.startsWith(QLatin1Char('-'))) return {};
  return recipient.toStdString();
}

TEMailForm::TEMailForm(MailPort& mail, MessagePort& port, QWidget* parent)
    : QDialog(parent), mail_(&mail), port_(port) {
  setObjectName(QStringLiteral("EMailForm"));
  setWindowTitle(QStringLiteral("EMail mit Statistik-Datenbank versenden..."));
  setModal(true);
  auto* layout = new QHBoxLayout(this);
  button1_ = new QPushButton(QStringLiteral("abbrechen"), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button2_ = new QPushButton(
      QStringLiteral("Daten zusammenstellen und an EMail-Programm übergeben "), this);
  button2_->setObjectName(QStringLiteral("Button2"));
  MakeDefaultButton(button2_);
  layout->addWidget(button1_);
  layout->addWidget(button2_);
  connect(button1_, &QPushButton::clicked, this, &QDialog::reject);
  connect(button2_, &QPushButton::clicked, this, &TEMailForm::Button2Click);
}

void TEMailForm::SetQuickReport(const std::string& schoolNumber,
                                const std::string& dataBaseDirectory) {
  schoolNumber_ = schoolNumber;
  dataBaseDirectory_ = dataBaseDirectory;
}

void TEMailForm::Button2Click() {
  // The program's own configuration, per user (~/.config/tabellario/tabellario.conf) or for
  // the site (/etc/xdg/tabellario/tabellario.conf).
  const QSettings configuration(QSettings::NativeFormat, QSettings::UserScope,
                                QStringLiteral("tabellario"), QStringLiteral("tabellario"));
  const std::string recipient = QuickReportRecipient(configuration);
  // Blocks until the mail program is done with the message.
  if (SendQuickReport(schoolNumber_, dataBaseDirectory_, recipient, *mail_, port_) ==
      kMailSuccess) {
    accept();
  } else {
    reject();
  }
}

}  // namespace tab::ui
