// The data-base check on the demo data base: its deliberate problems found with file and line,
// the same report with one worker and with four, and nothing written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/check_report.hpp"
#include "app/data_base_check.hpp"

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
