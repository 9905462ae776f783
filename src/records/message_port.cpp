#include "records/message_port.hpp"

#include <cstring>

namespace tab {
namespace {

// strerror_r comes in two forms: the GNU one returns the text, the POSIX one fills the buffer and
// returns 0 on success. Overloads on the result pick whichever the C library declares.
[[maybe_unused]] std::string StrerrorResult(const char* text, const char* /*buffer*/,
                                            int /*error*/) {
  return text;
}
[[maybe_unused]] std::string StrerrorResult(int rc, const char* buffer, int error) {
  return rc == 0 ? std::string(buffer) : "Unknown error " + std::to_string(error);
}

}  // namespace

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

std::string ErrorText(int error) {
  char buffer[256] = {};
  return StrerrorResult(strerror_r(error, buffer, sizeof buffer), buffer, error);
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
