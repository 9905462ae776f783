#include "app/ui/hint.hpp"

#include <QAction>
#include <QWidget>

namespace tab::ui {

HintParts SplitHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  if (bar < 0) return {hint, hint};
  return {hint.left(bar), hint.mid(bar + 1)};
}

void ApplyHint(QWidget* widget, const char* hint) {
  if (hint == nullptr || *hint == '\0') return;
  const HintParts parts = SplitHint(QString::fromUtf8(hint));
  widget->setToolTip(parts.toolTip);
  widget->setStatusTip(parts.statusText);
}

void ApplyHint(QAction* action, const char* hint) {
  if (hint == nullptr || *hint == '\0') return;
  const HintParts parts = SplitHint(QString::fromUtf8(hint));
  action->setToolTip(parts.toolTip);
  action->setStatusTip(parts.statusText);
}

}  // namespace tab::ui
