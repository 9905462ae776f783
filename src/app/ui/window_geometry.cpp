#include "app/ui/window_geometry.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace tab::ui {

namespace {

const QString kPosition = QStringLiteral("Hauptfenster/Position");
const QString kSize = QStringLiteral("Hauptfenster/Groesse");
const QString kFrame = QStringLiteral("Hauptfenster/Rahmen");
const QString kMaximized = QStringLiteral("Hauptfenster/Maximiert");
const QString kZoom = QStringLiteral("Tabellen/Zoom");

// Before the window manager has framed the window its frame is unknown: room for a title bar.
constexpr QSize kAssumedFrame(0, 32);

const QScreen* ScreenAt(const QWidget& window, const QPoint& point) {
  if (const QScreen* screen = QGuiApplication::screenAt(point)) return screen;
  if (const QScreen* screen = window.screen()) return screen;
  return QGuiApplication::primaryScreen();
}

int Clamp(int start, int length, int areaStart, int areaLength) {
  return std::clamp(start, areaStart, areaStart + areaLength - length);
}

}  // namespace

QRect FitToScreen(const QRect& frame, const QRect& available) {
  if (!available.isValid()) return frame;
  const int width = std::min(frame.width(), available.width());
  const int height = std::min(frame.height(), available.height());
  return {Clamp(frame.x(), width, available.x(), available.width()),
          Clamp(frame.y(), height, available.y(), available.height()), width, height};
}

void RestoreWindowGeometry(QWidget& window, QSettings& settings) {
  const QSize saved = settings.value(kSize).toSize();
  const bool restored = saved.isValid() && !saved.isEmpty();
  const QPoint position = restored ? settings.value(kPosition).toPoint() : window.pos();
  const QSize size = restored ? saved : window.size();
  QSize frame = settings.value(kFrame).toSize();
  if (!frame.isValid()) frame = kAssumedFrame;

  const QRect wanted(position, size + frame);
  const QScreen* screen = ScreenAt(window, wanted.center());
  const QRect fitted =
      screen != nullptr ? FitToScreen(wanted, screen->availableGeometry()) : wanted;
  // At the first start a window that fits keeps its design size and centred place exactly.
  if (restored || fitted != wanted) {
    window.resize(fitted.size() - frame);
    window.move(fitted.topLeft());
  }
  if (settings.value(kMaximized).toBool()) {
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
  }
}

void SaveWindowGeometry(const QWidget& window, QSettings& settings) {
  const bool maximized = window.isMaximized();
  settings.setValue(kMaximized, maximized);
  // A maximised window keeps the place and size it will go back to.
  if (!maximized) {
    settings.setValue(kPosition, window.pos());
    settings.setValue(kSize, window.size());
    settings.setValue(kFrame, window.frameGeometry().size() - window.size());
  }
  settings.sync();
}

int SavedZoom(QSettings& settings) {
  bool ok = false;
  const int percent = settings.value(kZoom, 100).toInt(&ok);
  return ok ? percent : 100;
}

void SaveZoom(int percent, QSettings& settings) {
  settings.setValue(kZoom, percent);
  settings.sync();
}

}  // namespace tab::ui
