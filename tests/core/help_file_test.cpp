// The help file of the program directory: found whatever the case of its name, and the two
// warnings when it cannot be opened.
#include "app/help_file.hpp"

#include <gtest/gtest.h>

#include "support/fixture.hpp"

namespace tab::test {
namespace {

TEST(HelpFile, LiesInTheProgramDirectoryWhateverTheCaseOfItsName) {
  TempDir program;
  EXPECT_EQ(HelpFilePath(program.Path()), program.Path() + "VORINEXMVBS.HLP");
  WriteBytes(program.Path() + "vorinexmvbs.hlp", "<html></html>");
  EXPECT_EQ(HelpFilePath(program.Path()), program.Path() + "vorinexmvbs.hlp");
}

TEST(HelpFile, MissingAndUnreadableFilesGetTheirOwnWarning) {
  TempDir program;
  const std::string path = program.Path() + "VORINEXMVBS.HLP";
  RecordingPort port;
  ReportHelpFileFailure(path, port);
  WriteBytes(path, "");
  ReportHelpFileFailure(path, port);
  ASSERT_EQ(port.Messages().size(), 2u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(port.Messages()[0].text, "Die Hilfe-Datei\n" + path + "\nwurde nicht gefunden!");
  EXPECT_EQ(port.Messages()[1].kind, MessageKind::Warning);
  EXPECT_EQ(port.Messages()[1].text, "Die Hilfe-Datei\n" + path + "\nkann nicht gelesen werden!");
}

}  // namespace
}  // namespace tab::test
