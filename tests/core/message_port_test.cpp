#include "records/message_port.hpp"

#include <gtest/gtest.h>

#include <cerrno>
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

TEST(ErrorText, PlatformTexts) {
  EXPECT_EQ(ErrorText(ENOENT), "No such file or directory");
  EXPECT_EQ(ErrorText(EISDIR), "Is a directory");
  EXPECT_EQ(ErrorText(EACCES), "Permission denied");
  EXPECT_NE(ErrorText(987654).find("987654"), std::string::npos);
}

TEST(MessagePort, IoErrorShowsPathThenErrorTextInAnErrorBox) {
  RecordingPort port;
  port.IoError("/daten/12345/SCHULE/1234501.CSV", EISDIR);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(port.Messages()[0].text, "/daten/12345/SCHULE/1234501.CSV\nIs a directory");
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
