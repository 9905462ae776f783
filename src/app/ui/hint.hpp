#pragma once
// Hints: a text with a vertical bar gives the tool tip before the bar and the status-line text
// after it; a text without a bar serves as both.
#include <QString>

class QAction;
class QWidget;

namespace tab::ui {

struct HintParts {
  QString toolTip;
  QString statusText;
};

HintParts SplitHint(const QString& hint);
// Sets tool tip and status tip from a UTF-8 hint (nothing for an empty hint).
void ApplyHint(QWidget* widget, const char* hint);
void ApplyHint(QAction* action, const char* hint);

}  // namespace tab::ui
