#include "app/ui/info_dialog.hpp"

#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/ui/widget_style.hpp"

namespace tab::ui {

TInfoDlg::TInfoDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("InfoDlg"));
  setFixedSize(281, 152);

  heading_ = new QLineEdit(this);
  heading_->setReadOnly(true);
  heading_->setFrame(false);
  heading_->setFocusPolicy(Qt::NoFocus);
  MakeBold(heading_);
  QPalette flat = heading_->palette();
  flat.setColor(QPalette::Base, flat.color(QPalette::Window));
  heading_->setPalette(flat);

  message_ = new QTextEdit(this);
  message_->setReadOnly(true);
  message_->setFrameShape(QFrame::NoFrame);
  message_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  message_->setPalette(flat);
  QTextOption centred(Qt::AlignHCenter);
  centred.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  message_->document()->setDefaultTextOption(centred);

  button_ = new QPushButton(QStringLiteral("OK   /   Schließen"), this);
  MakeDefaultButton(button_);
  connect(button_, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(heading_);
  layout->addWidget(message_, 1);
  layout->addWidget(button_, 0, Qt::AlignHCenter);

  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &QDialog::accept);
}

void TInfoDlg::SetRequest(const InfoRequest& request) {
  setWindowTitle(QString::fromStdString(request.title));
  heading_->setText(QString::fromStdString(request.heading));
  message_->clear();
  message_->setPlainText(QString::fromStdString(request.line1) + QStringLiteral("\n\n") +
                         QString::fromStdString(request.line2) + QStringLiteral("\n\n") +
                         QString::fromStdString(request.line3));
  milliseconds_ = request.milliseconds;
}

void TInfoDlg::ShowModal(const InfoRequest& request) {
  SetRequest(request);
  exec();
}

void TInfoDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The display time counts from this showing. A time of 0 means no self-closing: the window
  // would otherwise vanish before it could be read.
  timer_.stop();
  if (milliseconds_ > 0) timer_.start(static_cast<int>(milliseconds_));
}

void TInfoDlg::done(int result) {
  // However the dialog closes, its timer must not fire into a later showing.
  timer_.stop();
  QDialog::done(result);
}

}  // namespace tab::ui
