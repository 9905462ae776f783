#include "mail/mail.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <vector>

#include "records/file_names.hpp"
#include "records/text.hpp"

extern char** environ;

namespace tab {

MailMessage QuickReportMessage(const std::string& schoolNumber,
                               const std::string& dataBaseDirectory, const std::string& recipient) {
  const std::string number = Win1252ToUtf8(schoolNumber);
  MailMessage message;
  message.subject = "Schnellmeldung";
  message.body = "Schnellmeldung: " + number;
  message.address = recipient;
  message.attachmentName = number + "00.CSV";
  // The school's folder, then its quick-report folder, then table 0's file.
  message.attachmentPath = ResolvePath(WithTrailingSeparator(dataBaseDirectory),
                                       number + "/SCHNELL/" + message.attachmentName);
  return message;
}

std::string MailResultMessage(int code, const MailMessage& message) {
  switch (code) {
    case 0:
      return {};
    case 1:
      return "Nutzer hat Vorgang abgebrochen!";
    case 2:
      return "FEHLER!: Genaue Ursache nicht feststellbar!";
    case 3:
      return "FEHLER!: Benutzerlogin fehlgeschlagen!";
    case 5:
      return "FEHLER!: Nicht genug Speicher vorhanden!";
    case 9:
      return "FEHLER!: Zu viele Dateien im Anhang!";
    case 10:
      return "FEHLER!: Zu viele Empfänger angegeben!";
    case 11:
      return "FEHLER!: Datei (" + message.attachmentName +
             ") zum Anhängen an die Mail wurde in:\n" + message.attachmentPath + " nicht gefunden!";
    case 12:
      return "FEHLER!: Datei (" + message.attachmentName +
             ") zum Anhängen konnte nicht geöffnet werden!";
    case 14:
      return "FEHLER!: Keine EMail-Adresse angegeben!";
    case 15:
      return "FEHLER!: Kein eindeutiger Empfängertyp!";
    case 18:
      return "FEHLER!: Text der Mail zu lang!";
    case 21:
      return "FEHLER!: Keine EMail-Adresse für den Empfänger angegeben!";
    default:
      return "Übertragungsfehler oder Nutzerabbruch! ";
  }
}

int SendQuickReport(const std::string& schoolNumber, const std::string& dataBaseDirectory,
                    const std::string& recipient, MailPort& mail, MessagePort& port) {
  const MailMessage message = QuickReportMessage(schoolNumber, dataBaseDirectory, recipient);
  const int code = mail.Send(message);
  if (code != kMailSuccess) port.Plain(MailResultMessage(code, message));
  return code;
}

int MailCodeOfXdgExit(int exitCode) {
  switch (exitCode) {
    case 0:
      return kMailSuccess;
    case 2:
      return kMailAttachmentNotFound;
    case -1:
    case 3:
      return kMailUserAbort;  // no mail program to hand the message to
    case 5:
      return kMailAttachmentOpenFailure;
    default:
      return kMailFailure;
  }
}

int XdgEmailPort::Send(const MailMessage& message) {
  if (!PathExists(message.attachmentPath)) return kMailAttachmentNotFound;
  // An argument list, no shell: paths and texts reach xdg-email exactly as they are.
  std::vector<std::string> arguments = {
      "xdg-email", "--utf8",     "--subject", message.subject,
      "--body",    message.body, "--attach",  message.attachmentPath};
  if (!message.address.empty()) arguments.push_back(message.address);
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  if (::posix_spawnp(&child, "xdg-email", nullptr, nullptr, argv.data(), environ) != 0) {
    return MailCodeOfXdgExit(-1);
  }
  int status = 0;
  pid_t waited = 0;
  do {
    waited = ::waitpid(child, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited < 0 || !WIFEXITED(status)) return kMailFailure;
  return MailCodeOfXdgExit(WEXITSTATUS(status));
}

}  // namespace tab
