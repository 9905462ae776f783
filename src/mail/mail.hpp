#pragma once
// The quick-report e-mail: the message handed to the mail program, the hand-over interface
// returning the mail result code, and the texts of those codes.
#include <string>

#include "records/message_port.hpp"

namespace tab {

// The configuration entry (in tabellario.conf, per user or for the whole site) whose address a
// quick report is prefilled with. Without it the message names no recipient: the user enters
// one in the mail program's compose window.
inline constexpr const char* kQuickReportRecipientEntry = "Schnellmeldung/Empfaenger";

// Mail result codes of the hand-over.
inline constexpr int kMailSuccess = 0;
inline constexpr int kMailUserAbort = 1;
inline constexpr int kMailFailure = 2;
inline constexpr int kMailAttachmentNotFound = 11;
inline constexpr int kMailAttachmentOpenFailure = 12;

struct MailMessage {
  std::string subject;         // UTF-8
  std::string body;            // UTF-8
  std::string address;         // the configured recipient; empty: the user enters one
  std::string attachmentPath;  // full native path
  std::string attachmentName;  // file name only
};

// Hands a message to the mail program; returns the mail result code once it is done.
class MailPort {
 public:
  virtual ~MailPort() = default;
  virtual int Send(const MailMessage& message) = 0;
};

// The quick report of a Dienststelle: subject, body and its table-0 file, to `recipient` when a
// site configured one. `schoolNumber` is the number as the settings hold it (Windows-1252).
MailMessage QuickReportMessage(const std::string& schoolNumber,
                               const std::string& dataBaseDirectory,
                               const std::string& recipient = {});

// The message box text of a mail result code (empty for 0).
std::string MailResultMessage(int code, const MailMessage& message);

// Builds the quick report, hands it over and reports any failure in a plain box. Returns the
// mail result code.
int SendQuickReport(const std::string& schoolNumber, const std::string& dataBaseDirectory,
                    const std::string& recipient, MailPort& mail, MessagePort& port);

// The hand-over through xdg-email, started without a shell. Exit codes: 0 -> 0, 2 -> 11,
// 3 or not startable -> 1, 5 -> 12, anything else -> 2. A missing attachment is 11 before
// xdg-email is started. The address is passed only when there is one.
class XdgEmailPort : public MailPort {
 public:
  int Send(const MailMessage& message) override;
};

// The mail result code for an exit status of xdg-email (-1: it could not be started).
int MailCodeOfXdgExit(int exitCode);

}  // namespace tab
