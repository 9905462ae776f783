#pragma once
// What the window and its dialogs do alike to their widgets.
class QPushButton;
class QWidget;

namespace tab::ui {

// Moves a window to the middle of the screen it is on (or the primary screen).
void CentreOnScreen(QWidget* window);
// The widget's text in bold.
void MakeBold(QWidget* widget);
// The button Return presses, its caption in bold.
void MakeDefaultButton(QPushButton* button);

}  // namespace tab::ui
