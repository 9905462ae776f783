// The quick-report e-mail: the message, the texts of the result codes, and the hand-over through
// xdg-email (a stand-in script on PATH records what it receives).
#include "mail/mail.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/fixture.hpp"

namespace tab {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(QuickReportMessage, NamesSubjectBodyAndTheSchoolsTableZeroFile) {
  const MailMessage message = QuickReportMessage("12345", "/data/base");
  EXPECT_EQ(message.subject, "Schnellmeldung");
  EXPECT_EQ(message.body, "Schnellmeldung: 12345");
  EXPECT_EQ(message.address, "") << "no recipient unless a site configured one";
  EXPECT_EQ(message.attachmentName, "1234500.CSV");
  EXPECT_EQ(QuickReportMessage("12345", "/data/base", "stelle@example.org").address,
            "stelle@example.org");
  EXPECT_EQ(message.attachmentPath, "/data/base/12345/SCHNELL/1234500.CSV");
}

TEST(QuickReportMessage, FindsTheFileWhateverTheCaseOfItsFolders) {
  TempDir temp;
  WriteBytes(temp.Path() + "12345/schnell/1234500.csv", "x");
  const MailMessage message = QuickReportMessage("12345", temp.Path());
  EXPECT_EQ(message.attachmentPath, temp.Path() + "12345/schnell/1234500.csv");
}

struct CodeCase {
  int code;
  const char* text;
};

class MailResultMessageTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(MailResultMessageTest, GivesTheTextOfTheCode) {
  MailMessage message;
  message.attachmentName = "1234500.CSV";
  message.attachmentPath = "/db/12345/SCHNELL/1234500.CSV";
  EXPECT_EQ(MailResultMessage(GetParam().code, message), GetParam().text);
}

constexpr const char* kCatchAll = "Übertragungsfehler oder Nutzerabbruch! ";

INSTANTIATE_TEST_SUITE_P(
    AllCodes, MailResultMessageTest,
    ::testing::Values(
        CodeCase{0, ""}, CodeCase{1, "Nutzer hat Vorgang abgebrochen!"},
        CodeCase{2, "FEHLER!: Genaue Ursache nicht feststellbar!"},
        CodeCase{3, "FEHLER!: Benutzerlogin fehlgeschlagen!"},
        CodeCase{5, "FEHLER!: Nicht genug Speicher vorhanden!"},
        CodeCase{9, "FEHLER!: Zu viele Dateien im Anhang!"},
        CodeCase{10, "FEHLER!: Zu viele Empfänger angegeben!"},
        CodeCase{11,
                 "FEHLER!: Datei (1234500.CSV) zum Anhängen an die Mail wurde in:\n"
                 "/db/12345/SCHNELL/1234500.CSV nicht gefunden!"},
        CodeCase{12, "FEHLER!: Datei (1234500.CSV) zum Anhängen konnte nicht geöffnet werden!"},
        CodeCase{14, "FEHLER!: Keine EMail-Adresse angegeben!"},
        CodeCase{15, "FEHLER!: Kein eindeutiger Empfängertyp!"},
        CodeCase{18, "FEHLER!: Text der Mail zu lang!"},
        CodeCase{21, "FEHLER!: Keine EMail-Adresse für den Empfänger angegeben!"},
        CodeCase{4, kCatchAll}, CodeCase{6, kCatchAll}, CodeCase{7, kCatchAll},
        CodeCase{8, kCatchAll}, CodeCase{13, kCatchAll}, CodeCase{16, kCatchAll},
        CodeCase{17, kCatchAll}, CodeCase{19, kCatchAll}, CodeCase{20, kCatchAll},
        CodeCase{22, kCatchAll}, CodeCase{99, kCatchAll}, CodeCase{-7, kCatchAll}),
    [](const ::testing::TestParamInfo<CodeCase>& param) {
      return "Code" +
             std::to_string(param.param.code < 0 ? 1000 - param.param.code : param.param.code);
    });

// Answers every hand-over with a fixed code and keeps the message.
class FakeMail : public MailPort {
 public:
  explicit FakeMail(int code) : code_(code) {}
  int Send(const MailMessage& message) override {
    sent_.push_back(message);
    return code_;
  }
  std::vector<MailMessage> sent_;

 private:
  int code_;
};

TEST(SendQuickReport, SuccessShowsNothing) {
  FakeMail mail(0);
  RecordingPort port;
  EXPECT_EQ(SendQuickReport("13001", "/db/", "", mail, port), 0);
  ASSERT_EQ(mail.sent_.size(), 1u);
  EXPECT_EQ(mail.sent_[0].body, "Schnellmeldung: 13001");
  EXPECT_TRUE(port.Messages().empty());
}

TEST(SendQuickReport, FailureShowsTheCodesTextInAPlainBox) {
  FakeMail mail(11);
  RecordingPort port;
  EXPECT_EQ(SendQuickReport("13001", "/db/", "", mail, port), 11);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Plain);
  EXPECT_EQ(port.Messages()[0].text,
            "FEHLER!: Datei (1300100.CSV) zum Anhängen an die Mail wurde in:\n"
            "/db/13001/SCHNELL/1300100.CSV nicht gefunden!");
}

TEST(MailCodeOfXdgExit, MapsTheExitCodes) {
  const std::vector<std::pair<int, int>> cases = {{0, 0},  {2, 11}, {3, 1}, {-1, 1},
                                                  {5, 12}, {1, 2},  {4, 2}, {127, 2}};
  for (const auto& [exitCode, mailCode] : cases) {
    EXPECT_EQ(MailCodeOfXdgExit(exitCode), mailCode) << "exit " << exitCode;
  }
}

// A stand-in xdg-email first on PATH: writes its arguments, one per line, to a file and exits
// with the code in TAB_FAKE_XDG_EXIT.
class XdgEmailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    oldPath_ = path != nullptr ? path : "";
    bin_ = temp_.Path() + "bin/";
    record_ = temp_.Path() + "argv.txt";
    WriteBytes(bin_ + "xdg-email",
               "#!/bin/sh\n"
               ": > \"$TAB_FAKE_XDG_RECORD\"\n"
               "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$TAB_FAKE_XDG_RECORD\"; done\n"
               "exit \"${TAB_FAKE_XDG_EXIT:-0}\"\n");
    ::chmod((bin_ + "xdg-email").c_str(), 0755);
    ::setenv("PATH", (bin_ + ":" + oldPath_).c_str(), 1);
    ::setenv("TAB_FAKE_XDG_RECORD", record_.c_str(), 1);
  }
  void TearDown() override {
    ::setenv("PATH", oldPath_.c_str(), 1);
    ::unsetenv("TAB_FAKE_XDG_EXIT");
    ::unsetenv("TAB_FAKE_XDG_RECORD");
  }
  MailMessage MessageWithAttachment(const std::string& relative) {
    MailMessage message;
    message.subject = "Schnellmeldung";
    message.body = "Schnellmeldung: 12345";
    message.attachmentPath = temp_.Path() + relative;
    message.attachmentName = "1234500.CSV";
    WriteBytes(message.attachmentPath, "data");
    return message;
  }

  TempDir temp_;
  std::string oldPath_;
  std::string bin_;
  std::string record_;
};

TEST_F(XdgEmailTest, PassesTheArgumentsExactlyWithoutAShell) {
  // Without a configured recipient no address is passed: the user enters it when composing.
  for (const std::string address : {"", "stelle@example.org"}) {
    MailMessage message =
        MessageWithAttachment("my db/it's \"$HOME\" `x`; a*/12345/SCHNELL/1234500.CSV");
    message.address = address;
    ::setenv("TAB_FAKE_XDG_EXIT", "0", 1);
    XdgEmailPort port;
    EXPECT_EQ(port.Send(message), 0);
    const std::string expected =
        "--utf8\n--subject\nSchnellmeldung\n--body\nSchnellmeldung: 12345\n"
        "--attach\n" +
        message.attachmentPath + "\n" + (address.empty() ? "" : address + "\n");
    EXPECT_EQ(ReadBytes(record_), expected) << address;
  }
}

TEST_F(XdgEmailTest, MapsTheExitCodeOfTheMailProgram) {
  const MailMessage message = MessageWithAttachment("12345/SCHNELL/1234500.CSV");
  const std::vector<std::pair<const char*, int>> cases = {{"0", 0},  {"2", 11}, {"3", 1},
                                                          {"5", 12}, {"1", 2},  {"4", 2}};
  XdgEmailPort port;
  for (const auto& [exitCode, mailCode] : cases) {
    ::setenv("TAB_FAKE_XDG_EXIT", exitCode, 1);
    EXPECT_EQ(port.Send(message), mailCode) << "exit " << exitCode;
  }
}

TEST_F(XdgEmailTest, MissingAttachmentIsCode11WithoutStartingTheMailProgram) {
  MailMessage message = MessageWithAttachment("elsewhere.CSV");
  message.attachmentPath = temp_.Path() + "12345/SCHNELL/1234500.CSV";
  XdgEmailPort port;
  EXPECT_EQ(port.Send(message), 11);
  EXPECT_FALSE(std::ifstream(record_).good());
}

TEST_F(XdgEmailTest, NoMailProgramIsCode1) {
  const MailMessage message = MessageWithAttachment("12345/SCHNELL/1234500.CSV");
  ::setenv("PATH", (temp_.Path() + "empty").c_str(), 1);
  XdgEmailPort port;
  EXPECT_EQ(port.Send(message), 1);
}

}  // namespace
}  // namespace tab
