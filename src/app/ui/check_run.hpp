#pragma once
// "Datenbasis prüfen…": the check of the data base the main window shows, on a thread of its own
// behind a progress dialog that can be cancelled; its report then goes to the findings window.
// The main window stays usable meanwhile: the check works on copies of what the session knows.
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "app/data_base_check.hpp"

class QMainWindow;
class QProgressDialog;

namespace tab::ui {

class CheckRun : public QObject {
  Q_OBJECT

 public:
  // Starts a check of the session's data base; while one runs, its progress dialog comes to the
  // front instead.
  static void Start(QMainWindow& window, Session& session, MessagePort& port);
  // A check that still runs (the main window closes) is cancelled and waited for.
  ~CheckRun() override;

 signals:
  // The check is over: its findings are shown, or it was cancelled or could not read the data
  // base (told to the user). The run deletes itself afterwards.
  void Finished();

 private:
  // Written by the workers, read by the progress dialog's timer.
  class Progress : public CheckProgress {
   public:
    void Checked(std::size_t done, std::size_t total) override {
      total_ = total;
      done_ = done;
    }
    bool Cancelled() const override { return cancelled_; }
    std::atomic<std::size_t> done_{0};
    std::atomic<std::size_t> total_{0};
    std::atomic<bool> cancelled_{false};
  };

  CheckRun(QMainWindow& window, Session& session, MessagePort& port);
  void ShowProgress();
  void Finish();

  QMainWindow& window_;
  Session& session_;
  MessagePort& port_;
  Progress progress_;
  CheckReport report_;
  QPointer<QProgressDialog> dialog_;
  QTimer timer_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::thread thread_;
};

}  // namespace tab::ui
