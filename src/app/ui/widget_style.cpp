#include "app/ui/widget_style.hpp"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace tab::ui {

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

void MakeBold(QWidget* widget) {
  QFont bold = widget->font();
  bold.setBold(true);
  widget->setFont(bold);
}

void MakeDefaultButton(QPushButton* button) {
  MakeBold(button);
  button->setDefault(true);
}

}  // namespace tab::ui
