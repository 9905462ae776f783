// The data-base check on the demo data base: its deliberate problems found with file and line,
// the same report with one worker and with four, and nothing written; folders and files that
// cannot be read, and a Dienststelle folder that goes during the run, are findings of their own;
// a data base that may not be written is checked as any other.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/check_report.hpp"
#include "app/data_base_check.hpp"
#include "records/error_text.hpp"
#include "support/fixture.hpp"
#include "support/other_user.hpp"

namespace tab {
namespace {

const std::string kDemo = std::string(TABELLARIO_SOURCE_DIR) + "/demo/";

// Every file below `root` with its content: what a write would change.
std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    std::ostringstream content;
    if (entry.is_regular_file()) content << std::ifstream(entry.path(), std::ios::binary).rdbuf();
    files[entry.path().string()] = content.str();
  }
  return files;
}

CheckReport CheckDemo(unsigned jobs) {
  const CheckStart start = PrepareCheck(kDemo + "program/", kDemo + "db/");
  return CheckDataBase(start, {{}, jobs, nullptr});
}

TEST(DataBaseCheckTest, FindsTheDemoProblemsWithFileAndLine) {
  const CheckReport report = CheckDemo(1);
  ASSERT_EQ(report.dataBaseError, 0);
  EXPECT_TRUE(report.general.empty());
  ASSERT_EQ(report.schools.size(), 3U);
  EXPECT_EQ(report.schools[0].school, "00000");
  EXPECT_TRUE(report.schools[0].findings.empty());
  EXPECT_EQ(report.schools[0].delivery, Delivery{});

  const SchoolCheck& school = report.schools[1];
  EXPECT_EQ(school.school, "13001");
  EXPECT_EQ(school.delivery, (Delivery{3, 5, 4, true, 4}));
  struct Expected {
    SheetId sheet;
    int table;
    const char* classId;
    const char* file;
    std::uint64_t line;
  };
  const Expected expected[] = {
      {SheetId::Schnell, 1, "", "13001/SCHNELL/1300101.CSV", 13},
      {SheetId::Schnell, 1, "", "13001/SCHNELL/1300101.CSV", 14},
      {SheetId::Lehrer, 2, "", "13001/LEHRER/1300102.CSV", 6},
      {SheetId::Lehrer, 2, "", "13001/LEHRER/1300102.CSV", 12},
      {SheetId::Klassen, 2, "BS1A01", "13001/KLASSE/BS1A0102.CSV", 6},
  };
  ASSERT_EQ(school.findings.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Finding& finding = school.findings[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(finding.school, "13001");
    EXPECT_EQ(finding.sheet, expected[i].sheet);
    EXPECT_EQ(finding.table, expected[i].table);
    EXPECT_EQ(finding.classId, expected[i].classId);
    EXPECT_EQ(finding.kind, MessageKind::Information);
    EXPECT_EQ(finding.file, kDemo + "db/" + expected[i].file);
    EXPECT_EQ(finding.line, expected[i].line);
    EXPECT_NE(finding.text.find("nicht zugeordnet werden!"), std::string::npos);
  }
  EXPECT_EQ(report.schools[2].delivery, (Delivery{3, 5, 0, false, 0}));
  EXPECT_EQ(SummaryLine(report), "3 Dienststellen geprüft, 1 mit Befunden, 5 Befunde");
}

TEST(DataBaseCheckTest, OneAndFourWorkersGiveTheSameReport) {
  const CheckReport one = CheckDemo(1);
  const CheckReport four = CheckDemo(4);
  for (const ReportFormat format : {ReportFormat::Text, ReportFormat::Json, ReportFormat::Csv}) {
    EXPECT_EQ(FormatReport(one, format), FormatReport(four, format));
  }
}

TEST(DataBaseCheckTest, WritesNothing) {
  const auto before = Snapshot(kDemo);
  CheckDemo(2);
  EXPECT_EQ(Snapshot(kDemo), before);
}

TEST(DataBaseCheckTest, UnreadableDataBaseIsAnError) {
  const CheckStart start = PrepareCheck(kDemo + "program/", "/nonexistent-data-base/");
  const CheckReport report = CheckDataBase(start, {{}, 1, nullptr});
  EXPECT_EQ(report.dataBaseError, ENOENT);
  EXPECT_TRUE(report.schools.empty());
  ASSERT_EQ(report.general.size(), 1U);
  EXPECT_EQ(report.general[0].kind, MessageKind::Error);
}

// A copy of the demo program directory and data base, to be changed by a test.
class DemoCopy {
 public:
  DemoCopy() {
    std::filesystem::copy(kDemo, temp_.Path(), std::filesystem::copy_options::recursive);
  }
  const test::TempDir& Temp() const { return temp_; }
  std::string Program() const { return temp_.Path() + "program/"; }
  std::string Db() const { return temp_.Path() + "db/"; }
  CheckReport Check(CheckProgress* progress = nullptr) const {
    return CheckDataBase(PrepareCheck(Program(), Db()), {{}, 1, progress});
  }
  // Every folder of the copy with the mode given, files with it less the x bits.
  void SetModes(std::filesystem::perms folders) const {
    namespace fs = std::filesystem;
    const fs::perms files =
        folders & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec);
    for (const auto& entry : fs::recursive_directory_iterator(temp_.Path())) {
      fs::permissions(entry.path(), entry.is_directory() ? folders : files);
    }
  }

 private:
  test::TempDir temp_;
};

std::vector<std::string> TextsOf(const std::vector<Finding>& findings) {
  std::vector<std::string> texts;
  for (const Finding& finding : findings) texts.push_back(finding.text);
  return texts;
}

TEST(DataBaseCheckTest, ADienststelleFolderThatGoesDuringTheRunIsAFinding) {
  const DemoCopy demo;
  // Once the first Dienststelle (00000) is checked, the last one's folder goes.
  class RemoveAfterTheFirst : public CheckProgress {
   public:
    explicit RemoveAfterTheFirst(std::string folder) : folder_(std::move(folder)) {}
    void Checked(std::size_t done, std::size_t) override {
      if (done == 1) std::filesystem::remove_all(folder_);
    }

   private:
    std::string folder_;
  } progress(demo.Db() + "13002");
  const CheckReport report = demo.Check(&progress);
  ASSERT_EQ(report.schools.size(), 3U);
  EXPECT_EQ(report.schools[1].findings.size(), 5U);
  const SchoolCheck& gone = report.schools[2];
  EXPECT_EQ(gone.school, "13002");
  EXPECT_EQ(gone.delivery, Delivery{});
  ASSERT_EQ(gone.findings.size(), 1U);
  EXPECT_EQ(gone.findings[0].kind, MessageKind::Error);
  EXPECT_EQ(gone.findings[0].file, demo.Db() + "13002/");
  EXPECT_EQ(gone.findings[0].text, "Das Verzeichnis der Dienststelle:\n" + demo.Db() +
                                       "13002/\nist nicht (mehr) vorhanden!");
}

// As another user when the tests run as root, since modes do not bind root.
TEST(DataBaseCheckTest, FoldersAndFilesThatCannotBeReadAreFindings) {
  const DemoCopy demo;
  const std::string db = demo.Db();
  test::HandToOtherUser(demo.Temp().Path());
  namespace fs = std::filesystem;
  fs::permissions(db + "13002", fs::perms::none);
  fs::permissions(db + "13001/LEHRER", fs::perms::none);
  fs::permissions(db + "13001/SCHULE/1300102.CSV", fs::perms::none);
  test::RunAsAnotherUser(demo.Temp(), [&] {
    const CheckReport report = demo.Check();
    ASSERT_EQ(report.schools.size(), 3U);
    const std::string denied = ErrorText(EACCES);
    EXPECT_EQ(TextsOf(report.schools[2].findings),
              std::vector<std::string>{"Das Verzeichnis:\n" + db +
                                       "13002/\nkann nicht gelesen werden:\n" + denied});
    const std::vector<Finding>& findings = report.schools[1].findings;
    const auto has = [&findings](SheetId sheet, int table, const std::string& text) {
      return std::any_of(findings.begin(), findings.end(), [&](const Finding& finding) {
        return finding.sheet == sheet && finding.table == table &&
               finding.kind == MessageKind::Error && finding.text == text;
      });
    };
    EXPECT_TRUE(
        has(SheetId::Lehrer, kUnknownTable,
            "Das Verzeichnis:\n" + db + "13001/LEHRER/\nkann nicht gelesen werden:\n" + denied))
        << FormatReport(report, ReportFormat::Text);
    EXPECT_TRUE(has(SheetId::Schule, 2, db + "13001/SCHULE/1300102.CSV\n" + denied))
        << FormatReport(report, ReportFormat::Text);
    // The rest of the Dienststelle is still checked.
    EXPECT_TRUE(std::any_of(findings.begin(), findings.end(), [](const Finding& finding) {
      return finding.classId == "BS1A01" && finding.line == 6;
    }));
  });
  demo.SetModes(fs::perms(0755));
}

// A data base and program directory that may not be written (a read-only medium): the same
// report as where they could be written.
TEST(DataBaseCheckTest, AReadOnlyDataBaseGivesTheSameReport) {
  const DemoCopy demo;
  const std::string writable = FormatReport(demo.Check(), ReportFormat::Text);
  demo.SetModes(std::filesystem::perms(0555));
  test::RunAsAnotherUser(
      demo.Temp(), [&] { EXPECT_EQ(FormatReport(demo.Check(), ReportFormat::Text), writable); });
  demo.SetModes(std::filesystem::perms(0755));
}

// "Abbrechen" in the progress dialog: the workers stop before the next Dienststelle; what was
// checked stays in the report, which says it was cancelled.
TEST(DataBaseCheckTest, ACancelledCheckKeepsWhatWasChecked) {
  class CancelAfter : public CheckProgress {
   public:
    explicit CancelAfter(std::size_t schools) : schools_(schools) {}
    void Checked(std::size_t done, std::size_t total) override {
      EXPECT_EQ(total, 3U);
      done_ = done;
    }
    bool Cancelled() const override { return done_ >= schools_; }

   private:
    std::size_t schools_;
    std::size_t done_ = 0;
  };
  for (const std::size_t after : {0U, 1U, 2U, 3U}) {
    SCOPED_TRACE(after);
    CancelAfter progress(after);
    const CheckReport report =
        CheckDataBase(PrepareCheck(kDemo + "program/", kDemo + "db/"), {{}, 1, &progress});
    EXPECT_EQ(report.cancelled, after < 3);
    ASSERT_EQ(report.schools.size(), after);
    const std::vector<std::string> order = {"00000", "13001", "13002"};
    for (std::size_t i = 0; i < after; ++i) EXPECT_EQ(report.schools[i].school, order[i]);
  }
}

TEST(DataBaseCheckTest, GermanCountsAndProgress) {
  EXPECT_EQ(GermanCount(0), "0");
  EXPECT_EQ(GermanCount(999), "999");
  EXPECT_EQ(GermanCount(1024), "1.024");
  EXPECT_EQ(GermanCount(2417000), "2.417.000");
  EXPECT_EQ(ProgressLine(1200, 5000, 3.0), "1.200 / 5.000 Dienststellen, noch 10 s");
  EXPECT_EQ(ProgressLine(5000, 5000, 3.0), "5.000 / 5.000 Dienststellen");
}

}  // namespace
}  // namespace tab
