// The small dialogs: the self-closing info dialog, the about box, the progress dialog, and the
// hint texts.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include "app/ui/about_box.hpp"
#include "app/ui/hint.hpp"
#include "app/ui/info_dialog.hpp"
#include "app/ui/progress_dialog.hpp"
#include "app/ui/qt_message_port.hpp"

namespace tab::ui {

namespace {

// What a message box showed before it was answered.
struct BoxSeen {
  bool shown = false;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  QStringList buttons;
};

// Answers the next modal message box from the event loop, after noting what it shows. Nothing in
// here can fail: the checks come after the box has closed.
void AnswerNextBox(BoxSeen& seen, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [&seen, press] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      AnswerNextBox(seen, press);  // not open yet
      return;
    }
    seen.shown = true;
    seen.icon = box->icon();
    seen.title = box->windowTitle();
    seen.text = box->text();
    for (const QAbstractButton* button : box->buttons()) seen.buttons << button->text();
    seen.buttons.sort();
    QAbstractButton* answer = box->button(press);
    (answer != nullptr ? answer : box->buttons().front())->click();
  });
}

}  // namespace

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

  void messageBoxesOfEachKind_data();
  void messageBoxesOfEachKind();
  void questionIsAnsweredJaOrNein_data();
  void questionIsAnsweredJaOrNein();
  void portShowsTheInfoDialogUntilItCloses();
  void ctrlCCopiesCaptionAndTextOfABox();
  void messageBoxesStayOnTheScreen_data();
  void messageBoxesStayOnTheScreen();

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
  dialog.show();
  QVERIFY(dialog.isVisible());
  // The time comes from the request (the window asks for 2000 ms), once per showing.
  QVERIFY(dialog.TimerActive());
  QCOMPARE(dialog.TimerInterval(), 300);
  QVERIFY(dialog.TimerSingleShot());
  QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 10000);
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

void DialogsTest::messageBoxesOfEachKind_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<int>("icon");
  QTest::addColumn<QString>("title");
  QTest::newRow("warning") << int(MessageKind::Warning) << int(QMessageBox::Warning) << "Warnung";
  QTest::newRow("information") << int(MessageKind::Information) << int(QMessageBox::Information)
                               << "Information";
  QTest::newRow("error") << int(MessageKind::Error) << int(QMessageBox::Critical) << "Fehler";
  QTest::newRow("plain") << int(MessageKind::Plain) << int(QMessageBox::NoIcon) << "Tabellario";
}

void DialogsTest::messageBoxesOfEachKind() {
  QFETCH(int, kind);
  QFETCH(int, icon);
  QFETCH(QString, title);
  QtMessagePort port;
  BoxSeen seen;
  AnswerNextBox(seen, QMessageBox::Ok);
  port.Show(static_cast<MessageKind>(kind), "Zeile 1\n/pfad/zur/Datei.CSV\nZeile 3");
  QVERIFY(seen.shown);
  QCOMPARE(int(seen.icon), icon);
  QCOMPARE(seen.title, title);
  QCOMPARE(seen.text, QStringLiteral("Zeile 1\n/pfad/zur/Datei.CSV\nZeile 3"));
  QCOMPARE(seen.buttons, QStringList{"OK"});
}

void DialogsTest::questionIsAnsweredJaOrNein_data() {
  QTest::addColumn<int>("press");
  QTest::addColumn<bool>("yes");
  QTest::newRow("Ja") << int(QMessageBox::Yes) << true;
  QTest::newRow("Nein") << int(QMessageBox::No) << false;
}

void DialogsTest::questionIsAnsweredJaOrNein() {
  QFETCH(int, press);
  QFETCH(bool, yes);
  QtMessagePort port;
  BoxSeen seen;
  AnswerNextBox(seen, static_cast<QMessageBox::StandardButton>(press));
  QCOMPARE(port.Ask("Wirklich?"), yes);
  QVERIFY(seen.shown);
  QCOMPARE(int(seen.icon), int(QMessageBox::Question));
  QCOMPARE(seen.text, QStringLiteral("Wirklich?"));
  QCOMPARE(seen.buttons, (QStringList{"Ja", "Nein"}));
}

void DialogsTest::ctrlCCopiesCaptionAndTextOfABox() {
  QtMessagePort port;
  QGuiApplication::clipboard()->clear();
  QString copied;
  QTimer::singleShot(0, [&copied] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;  // the missing text below tells
    box->activateWindow();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    copied = QGuiApplication::clipboard()->text();
    box->button(QMessageBox::Yes)->click();
  });
  QVERIFY(port.Ask("Wollen Sie\n/pfad/Datei wirklich?"));
  QCOMPARE(copied, QStringLiteral("Bestätigen\n\nWollen Sie\n/pfad/Datei wirklich?"));
}

void DialogsTest::messageBoxesStayOnTheScreen_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("scrolls");
  QTest::addColumn<QString>("shown");  // what the box holds; empty: the text itself
  QString lines;
  for (int i = 0; i < 600; ++i) lines += QStringLiteral("Zeile %1\n").arg(i);
  QString codes;
  for (int i = 0; i < 3000; ++i) codes += QStringLiteral("X%1;").arg(i);  // 23 KB, no blank
  QTest::newRow("short") << QStringLiteral("Zeile 1\nZeile 2") << false << QString();
  QTest::newRow("600 lines") << lines << true << QString();
  QTest::newRow("one line of 23 KB") << codes << true << QString();
  QTest::newRow("markup shows as written")
      << QStringLiteral("<b>fett</b> &amp;") << false << QString();
  QTest::newRow("200,000 characters are cut") << QString(200000, QLatin1Char('y')) << true
                                              << QString(100000, QLatin1Char('y')) + QChar(0x2026);
}

void DialogsTest::messageBoxesStayOnTheScreen() {
  QFETCH(QString, text);
  QFETCH(bool, scrolls);
  QFETCH(QString, shown);
  if (shown.isEmpty()) shown = text;
  QtMessagePort port;
  QRect screen;
  QRect frame;
  QRect okButton;
  QString boxText;
  QString labelText;
  bool field = false;
  Qt::TextFormat format = Qt::AutoText;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;  // the empty rectangles below tell
    screen = box->screen()->availableGeometry();
    frame = box->frameGeometry();
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    okButton = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
    boxText = box->text();
    format = box->textFormat();
    const auto* scrolling = box->findChild<QPlainTextEdit*>();
    field = scrolling != nullptr && scrolling->isVisible();
    if (field) labelText = scrolling->toPlainText();
    ok->click();
  });
  port.Show(MessageKind::Error, text.toStdString());
  QVERIFY(!screen.isEmpty());
  QVERIFY2(frame.height() <= screen.height(),
           qPrintable(QStringLiteral("%1 > %2").arg(frame.height()).arg(screen.height())));
  QVERIFY(frame.width() <= screen.width());
  QVERIFY(screen.contains(okButton));
  QCOMPARE(field, scrolls);
  QCOMPARE(boxText, shown);
  if (field) QCOMPARE(labelText, shown);
  QCOMPARE(format, Qt::PlainText);
}

void DialogsTest::portShowsTheInfoDialogUntilItCloses() {
  QtMessagePort port;
  QWidget window;
  port.SetParentWidget(&window);
  QSignalSpy finished(&port.InfoDialog(), &QDialog::finished);
  port.ShowInfo({"Hinweis", "", "Es wurde keine Klassen ausgewählt!", "", "", 200});
  // Returns once the dialog has closed itself, by the time of the request.
  QCOMPARE(finished.count(), 1);
  QCOMPARE(port.InfoDialog().TimerInterval(), 200);
  QCOMPARE(port.InfoDialog().windowTitle(), QStringLiteral("Hinweis"));
  QCOMPARE(port.InfoDialog().parentWidget(), &window);
  QVERIFY(!port.InfoDialog().isVisible());
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
  // The window's dialog: 2000 ms to close, a step every 150 ms.
  const Tfortschrittdlg designed;
  QCOMPARE(designed.windowTitle(), QStringLiteral("Speichern ..."));
  QCOMPARE(designed.CloseInterval(), 2000);
  QCOMPARE(designed.StepInterval(), 150);

  // The closing timer runs from creation and is not restarted by a showing: the time left can
  // only shrink.
  Tfortschrittdlg waiting(nullptr, 600000);
  QTest::qWait(20);
  const int left = waiting.RemainingBeforeClose();
  QVERIFY(left < 600000);
  waiting.show();
  QVERIFY(waiting.RemainingBeforeClose() <= left);
  waiting.hide();

  // Each showing closes at the timer's next tick.
  Tfortschrittdlg dialog(nullptr, 50);
  for (int showing = 0; showing < 2; ++showing) {
    dialog.show();
    QVERIFY(dialog.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 10000);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
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
