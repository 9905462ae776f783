#pragma once
// How the core talks to the user: every message box and the self-closing info dialog go through
// this one interface. The window shows real boxes; tests and the export tool record them.
// Texts are UTF-8; a line break inside a message is "\n".
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "records/error_text.hpp"

namespace tab {

enum class MessageKind { Warning, Information, Error, Plain, Question, InfoDialog };

const char* MessageKindName(MessageKind kind);  // "warning", "information", ...

struct InfoRequest {
  std::string title;
  std::string heading;
  std::string line1;
  std::string line2;
  std::string line3;
  unsigned milliseconds = 0;
};

class MessagePort {
 public:
  virtual ~MessagePort() = default;

  // A modal box with one OK button of the given kind (warning, information, error or plain).
  virtual void Show(MessageKind kind, const std::string& text) = 0;
  // A Yes/No question; true for Yes.
  virtual bool Ask(const std::string& text) = 0;
  // The info dialog: shows the request and returns when it has closed.
  virtual void ShowInfo(const InfoRequest& request) = 0;

  void Warning(const std::string& text) { Show(MessageKind::Warning, text); }
  void Information(const std::string& text) { Show(MessageKind::Information, text); }
  void Error(const std::string& text) { Show(MessageKind::Error, text); }
  void Plain(const std::string& text) { Show(MessageKind::Plain, text); }
  // An input/output error (errno) of a file, as an error box: the path, then the error's
  // German text.
  void IoError(const std::string& path, int error);
};

// Records every message in order; questions are answered from a queue given in advance
// (No when the queue is empty).
class RecordingPort : public MessagePort {
 public:
  struct Message {
    MessageKind kind;
    std::string text;
    InfoRequest info;  // for MessageKind::InfoDialog, whose text is the non-empty heading and
                       // lines joined by "\n"
  };

  void Show(MessageKind kind, const std::string& text) override;
  bool Ask(const std::string& text) override;
  void ShowInfo(const InfoRequest& request) override;

  void AnswerNext(bool yes) { answers_.push_back(yes); }
  const std::vector<Message>& Messages() const { return messages_; }
  void Clear() { messages_.clear(); }

 private:
  std::vector<Message> messages_;
  std::deque<bool> answers_;
};

}  // namespace tab
