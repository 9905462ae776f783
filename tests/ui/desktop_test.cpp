// Fitting the desktop: the window's place and size kept per user and fitted to the screen it
// comes back on, and Qt's own texts in German.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <QtTest>
#include <memory>

#include "app/ui/german_translations.hpp"
#include "app/ui/window_geometry.hpp"
#include "support/fixture.hpp"

namespace tab::ui {

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void fitToScreen_data();
  void fitToScreen();
  void firstStartKeepsTheDesignSizeCentred();
  void placeAndSizeComeBack();
  void aWindowTooLargeForTheScreenIsFitted();
  void aMaximisedWindowComesBackMaximised();
  void zoomComesBack();
  void qtsOwnTextsAreGerman();

 private:
  QRect Available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
  static void Place(QWidget& window, QPoint position, QSize size) {
    window.resize(size);
    window.move(position);
  }

  // A settings file of its own for every test.
  std::unique_ptr<test::TempDir> dir_;
  std::unique_ptr<QSettings> settings_;
};

void DesktopTest::init() {
  settings_.reset();
  dir_ = std::make_unique<test::TempDir>();
  settings_ = std::make_unique<QSettings>(QString::fromStdString(dir_->Path() + "places.conf"),
                                          QSettings::IniFormat);
}

void DesktopTest::fitToScreen_data() {
  QTest::addColumn<QRect>("frame");
  QTest::addColumn<QRect>("available");
  QTest::addColumn<QRect>("fitted");
  const QRect fullHd(0, 0, 1920, 1040);  // 1920 x 1080 less a panel
  QTest::newRow("fits") << QRect(100, 80, 762, 591) << fullHd << QRect(100, 80, 762, 591);
  QTest::newRow("off the right and bottom edges")
      << QRect(1500, 900, 762, 591) << fullHd << QRect(1158, 449, 762, 591);
  QTest::newRow("above and left of the screen")
      << QRect(-300, -40, 762, 591) << fullHd << QRect(0, 0, 762, 591);
  // Scaled twice, the same screen has 960 x 520 logical pixels: the design size does not fit.
  QTest::newRow("scaled twice") << QRect(99, -35, 762, 591) << QRect(0, 0, 960, 520)
                                << QRect(99, 0, 762, 520);
  QTest::newRow("larger than the screen")
      << QRect(10, 10, 2500, 1400) << fullHd << QRect(0, 0, 1920, 1040);
  QTest::newRow("second screen to the right")
      << QRect(3000, 100, 800, 600) << QRect(1920, 0, 1280, 1024) << QRect(2400, 100, 800, 600);
  QTest::newRow("panel at the top")
      << QRect(200, 0, 762, 591) << QRect(0, 32, 1920, 1048) << QRect(200, 32, 762, 591);
}

void DesktopTest::fitToScreen() {
  QFETCH(QRect, frame);
  QFETCH(QRect, available);
  QFETCH(QRect, fitted);
  QCOMPARE(FitToScreen(frame, available), fitted);
  QVERIFY(available.contains(FitToScreen(frame, available)));
}

void DesktopTest::firstStartKeepsTheDesignSizeCentred() {
  QWidget window;
  Place(window, {77, 55}, {600, 400});
  RestoreWindowGeometry(window, *settings_);
  QCOMPARE(window.size(), QSize(600, 400));
  QCOMPARE(window.pos(), QPoint(77, 55));
  QVERIFY(!window.windowState().testFlag(Qt::WindowMaximized));
}

void DesktopTest::placeAndSizeComeBack() {
  {
    QWidget window;
    Place(window, {40, 30}, {500, 350});
    SaveWindowGeometry(window, *settings_);
  }
  // As at the next start: the file read afresh.
  QSettings settings(settings_->fileName(), QSettings::IniFormat);
  QWidget window;
  window.resize(762, 559);
  RestoreWindowGeometry(window, settings);
  QCOMPARE(window.size(), QSize(500, 350));
  QCOMPARE(window.pos(), QPoint(40, 30));
}

void DesktopTest::aWindowTooLargeForTheScreenIsFitted() {
  QSettings& settings = *settings_;
  const QRect available = Available();
  settings.setValue(QStringLiteral("Hauptfenster/Position"), QPoint(available.right() - 50, 20));
  settings.setValue(QStringLiteral("Hauptfenster/Groesse"),
                    QSize(available.width() * 2, available.height() * 2));
  settings.setValue(QStringLiteral("Hauptfenster/Rahmen"), QSize(8, 30));
  QWidget window;
  RestoreWindowGeometry(window, settings);
  // The frame (window plus title bar and borders) lies on the screen, the bottom edge included.
  const QRect frame(window.pos(), window.size() + QSize(8, 30));
  QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                     .arg(frame.x())
                                                     .arg(frame.y())
                                                     .arg(frame.width())
                                                     .arg(frame.height())));
  QCOMPARE(frame.size(), available.size());
}

void DesktopTest::aMaximisedWindowComesBackMaximised() {
  {
    QWidget window;
    Place(window, {10, 20}, {300, 200});
    SaveWindowGeometry(window, *settings_);
  }
  settings_->setValue(QStringLiteral("Hauptfenster/Maximiert"), true);
  QWidget window;
  RestoreWindowGeometry(window, *settings_);
  QVERIFY(window.windowState().testFlag(Qt::WindowMaximized));
  QCOMPARE(window.size(), QSize(300, 200));  // the size it goes back to
}

void DesktopTest::zoomComesBack() {
  // 100 % at the first start and for a value that is no number; the window keeps the zoom
  // within its bounds whatever the file says.
  QCOMPARE(SavedZoom(*settings_), 100);
  SaveZoom(150, *settings_);
  QSettings again(settings_->fileName(), QSettings::IniFormat);
  QCOMPARE(SavedZoom(again), 150);
  again.setValue(QStringLiteral("Tabellen/Zoom"), QStringLiteral("groß"));
  QCOMPARE(SavedZoom(again), 100);
}

void DesktopTest::qtsOwnTextsAreGerman() {
  QVERIFY(LoadGermanTranslations(*QCoreApplication::instance()));
  // The context menu of a text field and the standard buttons.
  QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Rückgängig"));
  QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Kopieren"));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
  QCOMPARE(QLocale().language(), QLocale::German);
}

}  // namespace tab::ui

QTEST_MAIN(tab::ui::DesktopTest)
#include "desktop_test.moc"
