#include "app/ui/qt_message_port.hpp"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <climits>

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

// The most characters a box takes; the program's own messages stay far below (a list of codes
// names at most 50 of them), so only a text of unforeseen length is cut, with "…".
constexpr int kMostCharacters = 100000;

QString BoxText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  if (shown.size() > kMostCharacters) shown = shown.left(kMostCharacters) + QChar(0x2026);
  return shown;
}

// A text taller than two thirds of the screen is shown in a scrolling field of that height in
// the place of the box's label, so that the box with its buttons stays on the screen. The label
// keeps the text (what the box says, and what Ctrl+C copies).
void KeepOnScreen(QMessageBox& box) {
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  const QScreen* screen = box.screen();
  if (label == nullptr || grid == nullptr || screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  const int width = std::min(room.width() / 2, 500);  // where a message box wraps its lines
  const int height = room.height() * 2 / 3;
  const QRect needed = label->fontMetrics().boundingRect(
      QRect(0, 0, width, INT_MAX), Qt::TextWordWrap | Qt::TextWrapAnywhere, box.text());
  if (needed.height() <= height) return;
  auto* field = new QPlainTextEdit(&box);
  field->setObjectName(QStringLiteral("tab_msgbox_scrolling_text"));
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::NoFocus);  // Return and Escape stay with the buttons
  field->setFrameShape(QFrame::NoFrame);
  field->viewport()->setAutoFillBackground(false);
  field->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  field->setPlainText(box.text());
  field->setFixedSize(width + field->verticalScrollBar()->sizeHint().width(), height);
  delete grid->replaceWidget(label, field);
  label->hide();
}

// A message box with the program's texts: plain text (a file name with "<b>" in it shows as it
// is written), never taller than the screen.
void PrepareBox(QMessageBox& box) {
  box.setTextFormat(Qt::PlainText);
  KeepOnScreen(box);
  new CopyOnCtrlC(box);
}

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
  QMessageBox box(IconOf(kind), CaptionOf(kind), BoxText(text), QMessageBox::Ok, parent_);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  PrepareBox(box);
  box.exec();
}

bool QtMessagePort::Ask(const std::string& text) {
  QMessageBox box(QMessageBox::Question, CaptionOf(MessageKind::Question), BoxText(text),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
  box.setDefaultButton(QMessageBox::Yes);
  PrepareBox(box);
  return box.exec() == QMessageBox::Yes;
}

void QtMessagePort::ShowInfo(const InfoRequest& request) {
  InfoDialog().ShowModal(request);
}

}  // namespace tab::ui
