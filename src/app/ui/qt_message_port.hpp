#pragma once
// The message port of the window: modal message boxes with German buttons and the info dialog.
#include <QPointer>

#include "app/ui/info_dialog.hpp"
#include "records/message_port.hpp"

class QWidget;

namespace tab::ui {

class QtMessagePort : public MessagePort {
 public:
  QtMessagePort();
  ~QtMessagePort() override;
  QtMessagePort(const QtMessagePort&) = delete;
  QtMessagePort& operator=(const QtMessagePort&) = delete;

  // The window the boxes and the info dialog belong to (centred on it). The info dialog is
  // created here, after the window, or when it is first needed.
  void SetParentWidget(QWidget* parent);
  TInfoDlg& InfoDialog();

  void Show(MessageKind kind, const std::string& text) override;
  bool Ask(const std::string& text) override;
  void ShowInfo(const InfoRequest& request) override;

 private:
  QPointer<QWidget> parent_;
  // Owned by the parent widget once there is one (which may be destroyed first).
  QPointer<TInfoDlg> info_;
};

}  // namespace tab::ui
