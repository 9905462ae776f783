#include "app/ui/qt_message_port.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include "app/ui/info_dialog.hpp"

namespace tab::ui {

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Error:
      return QMessageBox::Critical;
    case MessageKind::Question:
      return QMessageBox::Question;
    case MessageKind::Plain:
    case MessageKind::InfoDialog:
      break;
  }
  return QMessageBox::NoIcon;
}

QString CaptionOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return QStringLiteral("Warnung");
    case MessageKind::Information:
      return QStringLiteral("Information");
    case MessageKind::Error:
      return QStringLiteral("Fehler");
    case MessageKind::Question:
      return QStringLiteral("Bestätigen");
    case MessageKind::Plain:
    case MessageKind::InfoDialog:
      break;
  }
  return QStringLiteral("Tabellario");
}

// Ctrl+C copies a box's caption and text, as message boxes do on the system the program comes
// from: a path in an error message can be pasted where it is needed. The key reaches the box from
// whichever of its buttons has the focus.
class CopyOnCtrlC : public QObject {
 public:
  explicit CopyOnCtrlC(QMessageBox& box) : QObject(&box), box_(box) {
    box.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &box_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
      QGuiApplication::clipboard()->setText(box_.windowTitle() + QStringLiteral("\n\n") +
                                            box_.text());
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QMessageBox& box_;
};

}  // namespace

QtMessagePort::QtMessagePort() = default;

QtMessagePort::~QtMessagePort() {
  if (info_ != nullptr && info_->parent() == nullptr) delete info_.data();
}

void QtMessagePort::SetParentWidget(QWidget* parent) {
  parent_ = parent;
  if (info_ == nullptr) {
    info_ = new TInfoDlg(parent);
  } else {
    info_->setParent(parent, info_->windowFlags());
  }
}

TInfoDlg& QtMessagePort::InfoDialog() {
  if (info_ == nullptr) info_ = new TInfoDlg(parent_);
  return *info_;
}

void QtMessagePort::Show(MessageKind kind, const std::string& text) {
  QMessageBox box(IconOf(kind), CaptionOf(kind), QString::fromStdString(text), QMessageBox::Ok,
                  parent_);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  new CopyOnCtrlC(box);
  box.exec();
}

bool QtMessagePort::Ask(const std::string& text) {
  QMessageBox box(QMessageBox::Question, CaptionOf(MessageKind::Question),
                  QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, parent_);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
  box.setDefaultButton(QMessageBox::Yes);
  new CopyOnCtrlC(box);
  return box.exec() == QMessageBox::Yes;
}

void QtMessagePort::ShowInfo(const InfoRequest& request) {
  InfoDialog().ShowModal(request);
}

}  // namespace tab::ui
