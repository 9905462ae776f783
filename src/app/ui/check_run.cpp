#include "app/ui/check_run.hpp"

#include <QMainWindow>
#include <QProgressDialog>

#include "app/check_report.hpp"
#include "app/ui/findings_window.hpp"

namespace tab::ui {

namespace {

constexpr const char* kRunName = "DataBaseCheckRun";
constexpr int kPollMilliseconds = 100;

QString ProgressText(std::size_t done, std::size_t total, double seconds) {
  return QStringLiteral("Die Datenbasis wird geprüft …\n") +
         QString::fromStdString(ProgressLine(done, total, seconds));
}

}  // namespace

void CheckRun::Start(QMainWindow& window, Session& session, MessagePort& port) {
  if (auto* running = window.findChild<CheckRun*>(QString::fromUtf8(kRunName))) {
    if (running->dialog_) {
      running->dialog_->show();
      running->dialog_->raise();
    }
    return;
  }
  new CheckRun(window, session, port);
}

CheckRun::CheckRun(QMainWindow& window, Session& session, MessagePort& port)
    : QObject(&window), window_(window), session_(session), port_(port) {
  setObjectName(QString::fromUtf8(kRunName));
  dialog_ = new QProgressDialog(ProgressText(0, 0, 0), QStringLiteral("Abbrechen"), 0, 0, &window);
  dialog_->setObjectName(QStringLiteral("CheckProgressDialog"));
  dialog_->setWindowTitle(QStringLiteral("Datenbasis prüfen"));
  // Not modal: the main window can still be used while the check runs.
  dialog_->setWindowModality(Qt::NonModal);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setMinimumDuration(0);
  connect(dialog_, &QProgressDialog::canceled, this, [this] { progress_.cancelled_ = true; });
  dialog_->show();
  connect(&timer_, &QTimer::timeout, this, &CheckRun::ShowProgress);
  timer_.start(kPollMilliseconds);

  thread_ = std::thread([this, start = CheckStartOf(session)] {
    report_ = CheckDataBase(start, {{}, 0, &progress_});
    QMetaObject::invokeMethod(
        this, [this] { Finish(); }, Qt::QueuedConnection);
  });
}

CheckRun::~CheckRun() {
  progress_.cancelled_ = true;
  if (thread_.joinable()) thread_.join();
  delete dialog_;
}

void CheckRun::ShowProgress() {
  if (!dialog_) return;
  const std::size_t total = progress_.total_;
  const std::size_t done = progress_.done_;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  if (total > 0) {
    dialog_->setMaximum(static_cast<int>(total));
    dialog_->setValue(static_cast<int>(done));
  }
  dialog_->setLabelText(ProgressText(done, total, seconds));
}

void CheckRun::Finish() {
  thread_.join();
  timer_.stop();
  delete dialog_;
  if (report_.dataBaseError != 0) {
    port_.Error(UnreadableDataBaseMessage(report_.dataBaseDirectory, report_.dataBaseError));
  } else if (!report_.cancelled) {
    FindingsWindow::Of(window_, session_, port_).ShowReport(std::move(report_));
  }
  // A new check may start from here on.
  setObjectName(QString());
  emit Finished();
  deleteLater();
}

}  // namespace tab::ui
