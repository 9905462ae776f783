#pragma once
// The main window's place and size and the zoom of its grids, kept per user in Qt's settings
// (the XDG config folder) and restored at the next start, the window fitted to the screen it
// comes back on.
#include <QRect>

class QSettings;
class QWidget;

namespace tab::ui {

// The frame rectangle moved and, where it is larger, shrunk so that it lies inside `available`.
QRect FitToScreen(const QRect& frame, const QRect& available);

// Before the window is shown: the place and size of the last run, or, at the first start, the
// design size centred (as the window made itself); either fitted to the available part of the
// screen, so that no part of the window (the status line at the bottom) lies off it.
void RestoreWindowGeometry(QWidget& window, QSettings& settings);
// When the window has closed.
void SaveWindowGeometry(const QWidget& window, QSettings& settings);

// The grids' zoom in percent of the last run; 100 at the first start.
int SavedZoom(QSettings& settings);
void SaveZoom(int percent, QSettings& settings);

}  // namespace tab::ui
