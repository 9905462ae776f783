#include "records/message_port.hpp"

namespace tab {

const char* MessageKindName(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return "warning";
    case MessageKind::Information:
      return "information";
    case MessageKind::Error:
      return "error";
    case MessageKind::Plain:
      return "plain";
    case MessageKind::Question:
      return "question";
    case MessageKind::InfoDialog:
      return "info-dialog";
  }
  return "unknown";
}

void MessagePort::IoError(const std::string& path, int error) {
  Error(path + "\n" + ErrorText(error));
}

void RecordingPort::Show(MessageKind kind, const std::string& text) {
  messages_.push_back({kind, text, {}});
}

bool RecordingPort::Ask(const std::string& text) {
  messages_.push_back({MessageKind::Question, text, {}});
  if (answers_.empty()) return false;
  const bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

void RecordingPort::ShowInfo(const InfoRequest& request) {
  // The text of a recorded info dialog is its non-empty lines, heading first, one per line.
  std::string text;
  for (const std::string* part :
       {&request.heading, &request.line1, &request.line2, &request.line3}) {
    if (part->empty()) continue;
    if (!text.empty()) text += '\n';
    text += *part;
  }
  messages_.push_back({MessageKind::InfoDialog, text, request});
}

}  // namespace tab
