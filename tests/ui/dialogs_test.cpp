// The small dialogs: the self-closing info dialog, the about box, the progress dialog, and the
// hint texts.
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "app/ui/about_box.hpp"
#include "app/ui/hint.hpp"
#include "app/ui/info_dialog.hpp"
#include "app/ui/progress_dialog.hpp"

namespace tab::ui {

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void hintSplitsAtTheBar_data();
  void hintSplitsAtTheBar();
  void hintOfAnActionAndAWidget();

  void infoDialogShowsFiveLines_data();
  void infoDialogShowsFiveLines();
  void infoDialogLooks();
  void infoDialogClosesByItsTimer();
  void infoDialogClosedEarlyKeepsNoTimer();
  void infoDialogWithoutTimeWaitsForItsButton();

  void aboutBoxShowsItsLines();
  void progressDialogClosesWithinItsTimeEachShowing();
  void progressBarStepsAndWraps();
};

void DialogsTest::hintSplitsAtTheBar_data() {
  QTest::addColumn<QString>("hint");
  QTest::addColumn<QString>("toolTip");
  QTest::addColumn<QString>("statusText");
  QTest::newRow("no bar") << "Daten-Basis-Verzeichnis wechseln"
                          << "Daten-Basis-Verzeichnis wechseln"
                          << "Daten-Basis-Verzeichnis wechseln";
  QTest::newRow("bar at the end") << "Beenden|"
                                  << "Beenden"
                                  << "";
  QTest::newRow("both parts") << "Kurz|Lange Erklärung"
                              << "Kurz"
                              << "Lange Erklärung";
  QTest::newRow("second bar stays") << "a|b|c"
                                    << "a"
                                    << "b|c";
  QTest::newRow("bar first") << "|nur Status"
                             << ""
                             << "nur Status";
  QTest::newRow("empty") << ""
                         << ""
                         << "";
}

void DialogsTest::hintSplitsAtTheBar() {
  QFETCH(QString, hint);
  QFETCH(QString, toolTip);
  QFETCH(QString, statusText);
  const HintParts parts = SplitHint(hint);
  QCOMPARE(parts.toolTip, toolTip);
  QCOMPARE(parts.statusText, statusText);
}

void DialogsTest::hintOfAnActionAndAWidget() {
  QAction action(QStringLiteral("x"));
  ApplyHint(&action, "Info|Programminformationen");
  QCOMPARE(action.toolTip(), QStringLiteral("Info"));
  QCOMPARE(action.statusTip(), QStringLiteral("Programminformationen"));
  QLabel label;
  ApplyHint(&label, "Liste der verfügbaren Klassen");
  QCOMPARE(label.toolTip(), QStringLiteral("Liste der verfügbaren Klassen"));
  QCOMPARE(label.statusTip(), QStringLiteral("Liste der verfügbaren Klassen"));
}

void DialogsTest::infoDialogShowsFiveLines_data() {
  QTest::addColumn<QString>("line1");
  QTest::addColumn<QString>("line2");
  QTest::addColumn<QString>("line3");
  QTest::newRow("one line") << "Es sind keine Klassen-Daten verfügbar!"
                            << ""
                            << "";
  QTest::newRow("three lines") << "eins"
                               << "zwei"
                               << "drei";
  QTest::newRow("all empty") << ""
                             << ""
                             << "";
}

void DialogsTest::infoDialogShowsFiveLines() {
  QFETCH(QString, line1);
  QFETCH(QString, line2);
  QFETCH(QString, line3);
  TInfoDlg dialog;
  dialog.SetRequest(
      {"Hinweis", "Kopf", line1.toStdString(), line2.toStdString(), line3.toStdString(), 2000});
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Hinweis"));
  QCOMPARE(dialog.Heading()->text(), QStringLiteral("Kopf"));
  const QTextDocument* document = dialog.MessageArea()->document();
  QCOMPARE(document->blockCount(), 5);
  const QStringList expected = {line1, QString(), line2, QString(), line3};
  for (int i = 0; i < 5; ++i) QCOMPARE(document->findBlockByNumber(i).text(), expected[i]);
}

void DialogsTest::infoDialogLooks() {
  TInfoDlg dialog;
  QCOMPARE(dialog.CloseButton()->text(), QStringLiteral("OK   /   Schließen"));
  QVERIFY(dialog.CloseButton()->font().bold());
  QVERIFY(dialog.Heading()->font().bold());
  QVERIFY(dialog.Heading()->isReadOnly());
  QVERIFY(dialog.MessageArea()->isReadOnly());
  QCOMPARE(dialog.MessageArea()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  // No close box: the window has a title but no close button hint.
  QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
  QCOMPARE(dialog.size(), QSize(281, 152));
}

void DialogsTest::infoDialogClosesByItsTimer() {
  TInfoDlg dialog;
  dialog.SetRequest({"Hinweis", "", "Zeile", "", "", 300});
  QElapsedTimer clock;
  clock.start();
  dialog.show();
  QVERIFY(dialog.isVisible());
  QVERIFY(dialog.TimerActive());
  QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 3000);
  QVERIFY(clock.elapsed() >= 290);
  QVERIFY(!dialog.TimerActive());
}

void DialogsTest::infoDialogClosedEarlyKeepsNoTimer() {
  TInfoDlg dialog;
  QSignalSpy finished(&dialog, &QDialog::finished);
  dialog.SetRequest({"Hinweis", "", "kurz", "", "", 400});
  dialog.show();
  QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
  QVERIFY(!dialog.isVisible());
  QVERIFY(!dialog.TimerActive());
  QCOMPARE(finished.count(), 1);
  // Shown again for longer: a timer left over from the first showing would close it at 400 ms.
  dialog.SetRequest({"Hinweis", "", "lang", "", "", 5000});
  dialog.show();
  QTest::qWait(700);
  QVERIFY(dialog.isVisible());
  QCOMPARE(finished.count(), 1);
  dialog.CloseButton()->click();
  QCOMPARE(finished.count(), 2);
}

void DialogsTest::infoDialogWithoutTimeWaitsForItsButton() {
  TInfoDlg dialog;
  dialog.SetRequest({"Hinweis", "", "bleibt", "", "", 0});
  dialog.show();
  QTest::qWait(200);
  QVERIFY(dialog.isVisible());
  QVERIFY(!dialog.TimerActive());
  dialog.CloseButton()->click();
  QVERIFY(!dialog.isVisible());
}

void DialogsTest::aboutBoxShowsItsLines() {
  TInfoBox_ZR box;
  QCOMPARE(box.windowTitle(), QStringLiteral("Info"));
  QCOMPARE(box.size(), QSize(382, 259));
  QStringList lines;
  for (const QLabel* label : box.findChildren<QLabel*>(QStringLiteral("AboutLine"))) {
    lines << label->text();
  }
  QCOMPARE(lines,
           (QStringList{QStringLiteral("Tabellario"), QStringLiteral("Berufsschule     V.1.8."),
                        QStringLiteral("für"), QStringLiteral("Mecklenburg-Vorpommern")}));
  const QList<QPushButton*> buttons = box.findChildren<QPushButton*>();
  QCOMPARE(buttons.size(), 1);
  QCOMPARE(buttons.front()->text(), QStringLiteral("OK"));
  box.show();
  buttons.front()->click();
  QVERIFY(!box.isVisible());
}

void DialogsTest::progressDialogClosesWithinItsTimeEachShowing() {
  Tfortschrittdlg dialog;
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Speichern ..."));
  for (int showing = 0; showing < 2; ++showing) {
    QElapsedTimer clock;
    clock.start();
    dialog.show();
    QVERIFY(dialog.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 4000);
    // The closing timer runs from creation and is not restarted by the showing.
    QVERIFY2(clock.elapsed() <= Tfortschrittdlg::kCloseMilliseconds + 250,
             qPrintable(QString::number(clock.elapsed())));
  }
}

void DialogsTest::progressBarStepsAndWraps() {
  Tfortschrittdlg dialog;
  QProgressBar* bar = dialog.Bar();
  QCOMPARE(bar->minimum(), 0);
  QCOMPARE(bar->maximum(), 15);
  dialog.show();
  QCOMPARE(bar->value(), 1);
  bar->setValue(14);
  dialog.Step();
  QCOMPARE(bar->value(), 15);
  dialog.Step();
  QCOMPARE(bar->value(), 0);
  dialog.Step();
  QCOMPARE(bar->value(), 1);
  // The stepping timer moves the bar on its own.
  const int before = bar->value();
  QTRY_VERIFY_WITH_TIMEOUT(bar->value() != before, 1000);
  dialog.hide();
}

}  // namespace tab::ui

QTEST_MAIN(tab::ui::DialogsTest)
#include "dialogs_test.moc"
