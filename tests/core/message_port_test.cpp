#include "records/message_port.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tab {
namespace {

TEST(MessageKindName, NamesEveryKind) {
  const std::vector<std::pair<MessageKind, std::string>> cases = {
      {MessageKind::Warning, "warning"},   {MessageKind::Information, "information"},
      {MessageKind::Error, "error"},       {MessageKind::Plain, "plain"},
      {MessageKind::Question, "question"}, {MessageKind::InfoDialog, "info-dialog"},
  };
  for (const auto& [kind, name] : cases) EXPECT_EQ(MessageKindName(kind), name);
}

TEST(ErrorText, CommonErrorsHaveGermanTexts) {
  const std::vector<std::pair<int, std::string>> cases = {
      {EACCES, "Zugriff verweigert"},
      {EPERM, "Vorgang nicht zulässig"},
      {EROFS, "Dateisystem ist nur lesbar"},
      {ENOSPC, "Kein Speicherplatz mehr auf dem Gerät"},
      {EDQUOT, "Speicherkontingent (Quota) überschritten"},
      {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
      {ENOTDIR, "Ist kein Verzeichnis"},
      {EISDIR, "Ist ein Verzeichnis"},
      {EIO, "Ein-/Ausgabefehler"},
      {ENAMETOOLONG, "Dateiname zu lang"},
      {ENOTCONN, "Keine Verbindung zum Netzlaufwerk"},
  };
  for (const auto& [error, text] : cases) EXPECT_EQ(ErrorText(error), text) << error;
}

TEST(ErrorText, OtherNumbersAreNamedByTheirNumber) {
  EXPECT_EQ(ErrorText(0), "Fehler 0");
  EXPECT_EQ(ErrorText(EPROTO), "Fehler " + std::to_string(EPROTO));
  EXPECT_EQ(ErrorText(987654), "Fehler 987654");
  EXPECT_EQ(ErrorText(-3), "Fehler -3");
}

TEST(ErrorText, EveryTextIsGermanAndItsOwn) {
  // No English text of the C library slips through: every known number has a text of its own,
  // and none of them is the C library's.
  std::set<std::string> seen;
  for (int error = 1; error < 200; ++error) {
    const std::string text = ErrorText(error);
    if (text.starts_with("Fehler ")) continue;
    EXPECT_TRUE(seen.insert(text).second) << "twice: " << text;
    EXPECT_NE(text, std::strerror(error)) << error;
  }
  EXPECT_GE(seen.size(), 20u);
}

TEST(MessagePort, IoErrorShowsPathThenErrorTextInAnErrorBox) {
  RecordingPort port;
  port.IoError("/daten/12345/SCHULE/1234501.CSV", EISDIR);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(port.Messages()[0].text, "/daten/12345/SCHULE/1234501.CSV\nIst ein Verzeichnis");
}

TEST(RecordingPort, RecordsEveryMessageInOrder) {
  RecordingPort port;
  port.Warning("w");
  port.Information("i");
  port.Error("e");
  port.Plain("p");
  const std::vector<std::pair<MessageKind, std::string>> expected = {
      {MessageKind::Warning, "w"},
      {MessageKind::Information, "i"},
      {MessageKind::Error, "e"},
      {MessageKind::Plain, "p"},
  };
  ASSERT_EQ(port.Messages().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(port.Messages()[i].kind, expected[i].first);
    EXPECT_EQ(port.Messages()[i].text, expected[i].second);
  }
  port.Clear();
  EXPECT_TRUE(port.Messages().empty());
}

TEST(RecordingPort, AnswersQuestionsFromTheQueueThenNo) {
  RecordingPort port;
  port.AnswerNext(true);
  port.AnswerNext(false);
  port.AnswerNext(true);
  const std::vector<bool> expected = {true, false, true, false, false};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(port.Ask("Frage " + std::to_string(i)), expected[i]) << i;
  }
  ASSERT_EQ(port.Messages().size(), expected.size());
  EXPECT_EQ(port.Messages()[3].kind, MessageKind::Question);
  EXPECT_EQ(port.Messages()[3].text, "Frage 3");
}

TEST(RecordingPort, KeepsTheInfoRequest) {
  RecordingPort port;
  InfoRequest request{"Titel", "Kopf", "eins", "", "drei", 1500};
  port.ShowInfo(request);
  ASSERT_EQ(port.Messages().size(), 1u);
  const auto& message = port.Messages()[0];
  EXPECT_EQ(message.kind, MessageKind::InfoDialog);
  EXPECT_EQ(message.text, "Kopf\neins\ndrei");
  EXPECT_EQ(message.info.title, "Titel");
  EXPECT_EQ(message.info.line2, "");
  EXPECT_EQ(message.info.line3, "drei");
  EXPECT_EQ(message.info.milliseconds, 1500u);
}

}  // namespace
}  // namespace tab
