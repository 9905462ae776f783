// Named pipes and devices in place of the files the program reads: a pipe would hold the open
// until someone writes into it, a link to /dev/zero never ends. Every kind of file is met with a
// message naming it, and the program goes on. Each case runs in a child process, so that a hang
// ends as a failure.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/help_file.hpp"
#include "app/session.hpp"
#include "app/settings.hpp"
#include "records/file_names.hpp"
#include "records/line_reader.hpp"
#include "support/child_process.hpp"
#include "support/fixture.hpp"
#include "support/session_fixture.hpp"

namespace tab::test {
namespace {

namespace fs = std::filesystem;

enum class Kind { NamedPipe, LinkToDevZero };

const char* KindName(Kind kind) {
  return kind == Kind::NamedPipe ? "named pipe" : "link to /dev/zero";
}

// Puts a named pipe or a link to /dev/zero where `path` is (replacing a file there).
void PlaceNonRegular(const std::string& path, Kind kind) {
  fs::create_directories(fs::path(path).parent_path());
  fs::remove(path);
  if (kind == Kind::NamedPipe) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
  } else {
    fs::create_symlink("/dev/zero", path);
  }
}

std::string NotRegular(const std::string& path) {
  return path + "\nist keine normale Datei";
}

TEST(OpenForReading, TakesOnlyRegularFilesAndNeverWaits) {
  TempDir dir;
  const std::string regular = dir.Make("regulaer.csv");
  WriteBytes(regular, "abc");
  const std::string pipe = dir.Path() + "pipe.csv";
  PlaceNonRegular(pipe, Kind::NamedPipe);
  const std::string zero = dir.Path() + "null.csv";
  PlaceNonRegular(zero, Kind::LinkToDevZero);
  const std::string linkToRegular = dir.Path() + "verweis.csv";
  fs::create_symlink(regular, linkToRegular);
  const std::string loop = dir.Path() + "schleife.csv";
  fs::create_symlink(loop, loop);
  fs::create_directories(dir.Path() + "ordner");

  struct Case {
    std::string path;
    int error;
  };
  const std::vector<Case> cases = {{regular, 0},
                                   {linkToRegular, 0},
                                   {pipe, kNotRegularFile},
                                   {zero, kNotRegularFile},
                                   {"/dev/null", kNotRegularFile},
                                   {dir.Path() + "ordner", EISDIR},
                                   {loop, ELOOP},
                                   {dir.Path() + "fehlt.csv", ENOENT}};
  const ChildOutcome outcome = RunInChild([&](std::string& report) {
    for (const Case& c : cases) {
      int error = 12345;
      std::uint64_t size = 0;
      const int fd = OpenForReading(c.path, error, &size);
      if (fd >= 0) {
        // The descriptor blocks again, as reading expects.
        if ((::fcntl(fd, F_GETFL) & O_NONBLOCK) != 0) report += c.path + ": still non-blocking\n";
        if (size != 3) report += c.path + ": size " + std::to_string(size) + "\n";
        ::close(fd);
        error = 0;
      }
      if (error != c.error) report += c.path + ": error " + std::to_string(error) + "\n";
    }
    return report.empty() ? 0 : 1;
  });
  EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
}

TEST(OpenForReading, EveryReaderOfTheProgramGoesThroughIt) {
  TempDir dir;
  for (const Kind kind : {Kind::NamedPipe, Kind::LinkToDevZero}) {
    SCOPED_TRACE(KindName(kind));
    const std::string path = dir.Path() + "datei";
    PlaceNonRegular(path, kind);
    const ChildOutcome outcome = RunInChild([&](std::string& report) {
      LineReader reader(path);
      std::string line;
      if (reader.Next(line) || reader.Error() != kNotRegularFile) report += "line reader\n";
      std::string content = "alt";
      if (ReadWholeFile(path, content) != kNotRegularFile || !content.empty()) report += "whole\n";
      return report.empty() ? 0 : 1;
    });
    EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
  }
}

// The files of a session, each replaced in turn by a named pipe and a link to /dev/zero.
class NonRegularFileTest : public SessionFixture {
 protected:
  void SetUp() override {
    WriteAnsiLines(program + "SSSA.SSD", {"01;Berufsschule"});
    WriteAnsiLines(program + "SSVB0.SSD", {"1;ohne Berufsreife", "9;zusammen"});
    WriteAnsiLines(program + "SLAND.SSD", {"100;Deutschland"});
    WriteOemLines(program + "LEHRER.CSV", {"1;Muster;Max"});
    WriteOemLines(school + "LEHRER.CSV", {"1;Muster;Max"});
    WriteOemLines(school + "SCHULE/1234501.CSV", {"ES001;ES002", "01;5"});
    WriteOemLines(school + "LEHRER/1234501.CSV", {"ES001;ES002", "1;5"});
    WriteOemLines(school + "KLASSE/BS1A0100.CSV", {"ES001", "12345"});
    WriteOemLines(school + "KLASSE/BS1A0103.CSV", {"ES001;ES002", "Polen;"});
    WriteOemLines(school + "KLASSE/BS1A0109.CSV", {"ES001;ES002;ES003", "Bau;17;1;2;1"});
  }
};

struct SessionCase {
  const char* name;
  const char* file;  // below the temporary folder
  SheetId sheet;
  int table;
  ButtonId button;  // run after the table when not Unknown
};

constexpr ButtonId kNoButton = static_cast<ButtonId>(0);

TEST_F(NonRegularFileTest, EachFileIsNamedInAMessageAndTheProgramGoesOn) {
  const std::vector<SessionCase> cases = {
      {"data file", "db/12345/SCHULE/1234501.CSV", SheetId::Schule, 1, kNoButton},
      {"class data file", "db/12345/KLASSE/BS1A0109.CSV", SheetId::Klassen, 9, kNoButton},
      {"definition file", "program/Bog1Tab1.TBD", SheetId::Schule, 1, kNoButton},
      {"key file of the rows", "program/SSSA.SSD", SheetId::Schule, 1, kNoButton},
      {"key file of the group blocks", "program/SSVB0.SSD", SheetId::Klassen, 9, kNoButton},
      {"key file of a completion", "program/SLAND.SSD", SheetId::Klassen, 3, ButtonId::Button64},
      {"teacher list of the program", "program/LEHRER.CSV", SheetId::Lehrer, 1, kNoButton},
      {"teacher list of the school", "db/12345/LEHRER.CSV", SheetId::Lehrer, 0, kNoButton},
  };
  for (const SessionCase& c : cases) {
    for (const Kind kind : {Kind::NamedPipe, Kind::LinkToDevZero}) {
      SCOPED_TRACE(std::string(c.name) + ", " + KindName(kind));
      SetUp();
      const std::string path = temp.Path() + c.file;
      PlaceNonRegular(path, kind);
      const ChildOutcome outcome = RunInChild([&](std::string& report) {
        Start();
        session.SetCurrent(c.sheet, c.table);
        session.Dispatch(c.sheet, c.table);
        if (c.button != kNoButton) session.RunButton(c.button);
        // And the program goes on: another table shows.
        session.Dispatch(SheetId::Schnell, 0);
        for (const auto& message : port.Messages()) report += message.text + "\x1f";
        return 0;
      });
      ASSERT_TRUE(outcome.Succeeded()) << outcome.Describe();
      EXPECT_NE(outcome.report.find(NotRegular(path) + "\x1f"), std::string::npos)
          << outcome.report;
      EXPECT_EQ(fs::symlink_status(path).type(),
                kind == Kind::NamedPipe ? fs::file_type::fifo : fs::file_type::symlink)
          << "left as it was";
      fs::remove(path);  // the next case writes its files again
    }
  }
}

TEST(NonRegularSettingsFile, IsReportedAndNeitherReadNorDeleted) {
  for (const Kind kind : {Kind::NamedPipe, Kind::LinkToDevZero}) {
    SCOPED_TRACE(KindName(kind));
    TempDir dir;
    const std::string path = dir.Path() + "ZREINST.DAT";
    PlaceNonRegular(path, kind);
    const ChildOutcome outcome = RunInChild([&](std::string& report) {
      RecordingPort port;
      Settings settings;
      settings.schoolNumber = "gelesen";
      LoadSettings(settings, dir.Path(), port);
      if (!(settings == DefaultSettings())) report += "load: not the defaults\n";
      settings.schoolNumber = "gelesen";
      if (ReadSettingsFile(settings, dir.Path(), port)) report += "read: taken\n";
      for (const auto& message : port.Messages()) {
        if (message.kind != MessageKind::Error || message.text != NotRegular(path)) {
          report += "message: " + message.text + "\n";
        }
      }
      if (port.Messages().size() != 2)
        report += "messages: " + std::to_string(port.Messages().size());
      return report.empty() ? 0 : 1;
    });
    EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
    EXPECT_EQ(fs::symlink_status(path).type(),
              kind == Kind::NamedPipe ? fs::file_type::fifo : fs::file_type::symlink);
  }
}

TEST(NonRegularHelpFile, IsToldSo) {
  TempDir dir;
  const std::string path = HelpFilePath(dir.Path());
  PlaceNonRegular(path, Kind::NamedPipe);
  RecordingPort port;
  ReportHelpFileFailure(path, port);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].text, "Die Hilfe-Datei\n" + path + "\nist keine normale Datei!");
}

}  // namespace
}  // namespace tab::test
