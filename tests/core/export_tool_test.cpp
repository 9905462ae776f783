// tabellario-export as a user calls it: every usage error ends with exit 2 and a first line that
// names the fault, followed by the usage; output that cannot be written ends with exit 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fixture.hpp"
#include "support/run_program.hpp"

namespace tab::test {
namespace {

#ifdef TABELLARIO_EXPORT_TOOL
const std::string kExportTool = TABELLARIO_EXPORT_TOOL;
#else
const std::string kExportTool;
#endif

// The formats the tool writes to files in this build: PDF needs the window's Qt.
std::vector<std::string> FileFormats() {
  std::vector<std::string> formats = {"json", "csv", "xlsx"};
#ifdef TABELLARIO_EXPORT_PDF
  formats.push_back("pdf");
#endif
  return formats;
}

// A program directory whose settings name Dienststelle 12345 of a data base beside it, with
// quick-report table 0 and class KL0101.
class ExportToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(kExportTool.empty()) << "tabellario-export is not built";
    Settings settings = DefaultSettings();
    settings.schoolNumber = "12345";
    settings.dataBaseDirectory = db;
    WriteSettingsFile(program, settings);
    WriteOemLines(db + "12345/SCHNELL/1234500.CSV", {"ES001;ES002;ES003", "12345;Amt;Träger"});
    WriteOemLines(db + "12345/KLASSE/KL010100.CSV", {"ES001;ES002;ES003;ES004;ES005;ES006"});
  }

  ProgramRun Export(const std::vector<std::string>& arguments, const RunOptions& options = {}) {
    std::vector<std::string> all = {"--program-dir", program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunProgram(kExportTool, all, EnvironmentWithout({}), options);
  }

  TempDir temp;
  const std::string program = temp.Path() + "program/";
  const std::string db = temp.Path() + "db/";
};

struct UsageCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* firstLine;  // of standard error, after "tabellario-export: "
};

const UsageCase kUsageCases[] = {
    {"UnknownOption", {"--bunt", "0", "0"}, "unbekannte Option: --bunt"},
    {"ProgramDirWithoutValue", {"0", "0", "--program-dir"}, "Option ohne Wert: --program-dir"},
    {"DatabaseWithoutValue", {"0", "0", "--database"}, "Option ohne Wert: --database"},
    {"SchoolWithoutValue", {"0", "0", "--school"}, "Option ohne Wert: --school"},
    {"ClassWithoutValue", {"0", "0", "--class"}, "Option ohne Wert: --class"},
    {"RunWithoutValue", {"0", "0", "--run"}, "Option ohne Wert: --run"},
    {"FormatWithoutValue", {"0", "0", "--format"}, "Option ohne Wert: --format"},
    {"UnknownFormat", {"--format", "xml", "0", "0"}, "unbekanntes Ausgabeformat: xml"},
    {"OutputWithoutValue", {"0", "0", "--output"}, "Option ohne Wert: --output"},
    {"XlsxWithoutOutput", {"--format", "xlsx", "0", "0"}, "--format xlsx braucht --output DATEI"},
    {"PdfWithoutOutput", {"--format", "pdf", "0", "0"}, "--format pdf braucht --output DATEI"},
    {"NoTable", {"0"}, "BOGEN und TABELLE werden erwartet"},
    {"ThreeNumbers", {"0", "0", "0"}, "BOGEN und TABELLE werden erwartet"},
    {"SheetAboveThree", {"4", "0"}, "unbekannter Bogen: 4"},
    {"SheetNotANumber", {"Schule", "0"}, "unbekannter Bogen: Schule"},
    {"NegativeSheet", {"-1", "0"}, "unbekannte Option: -1"},
    {"TableNotANumber", {"1", "1a"}, "unbekannte Tabelle: 1a"},
    {"TableNotOnTheQuickReport", {"0", "7"}, "unbekannte Tabelle: 7"},
    {"TableNotOnTheTeacherSheet", {"2", "4"}, "unbekannte Tabelle: 4"},
    {"ClassTableBeyondTheLast", {"3", "11"}, "unbekannte Tabelle: 11"},
    {"UnknownButton", {"--run", "Button999", "1", "2"}, "unbekannter Button: Button999"},
    {"NotAButton", {"--run", "StringGrid1", "0", "0"}, "unbekannter Button: StringGrid1"},
    {"ButtonOfAnotherPage",
     {"--run", "Button17", "1", "1"},
     "Button Button17 liegt nicht auf der Seite von Bogen 1, Tabelle 1"},
    {"ButtonOfAnotherSheet",
     {"--run", "Button17", "2", "2"},
     "Button Button17 liegt nicht auf der Seite von Bogen 2, Tabelle 2"},
    {"UnknownClass",
     {"--class", "XY9999", "3", "0"},
     "Klasse XY9999 ist in der Klassenliste nicht vorhanden"},
};

class UsageErrors : public ExportToolTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageErrors, EndWithExitTwoAndNameTheFault) {
  const UsageCase& c = GetParam();
  ExpectUsageError(Export(c.arguments), "tabellario-export", c.firstLine);
}

INSTANTIATE_TEST_SUITE_P(Cases, UsageErrors, ::testing::ValuesIn(kUsageCases),
                         [](const ::testing::TestParamInfo<UsageCase>& testCase) {
                           return std::string(testCase.param.name);
                         });

// The same arguments without their fault are fine, so each case above fails for its own fault.
TEST_F(ExportToolTest, TheArgumentsWithoutTheirFaultSucceed) {
  const std::vector<std::vector<std::string>> cases = {
      {"0", "0"},
      {"--format", "csv", "0", "0"},
      {"--run", "Button17", "1", "2"},
      {"--class", "KL0101", "3", "0"},
      {"--database", db, "--school", "12345", "0", "0"},
  };
  for (const auto& arguments : cases) {
    const ProgramRun run = Export(arguments);
    EXPECT_EQ(run.status, 0) << ::testing::PrintToString(arguments) << run.errors;
    EXPECT_EQ(run.errors, "") << ::testing::PrintToString(arguments);
    EXPECT_NE(run.output, "") << ::testing::PrintToString(arguments);
  }
}

TEST_F(ExportToolTest, OutputThatCannotBeWrittenEndsWithExitOne) {
  for (const char* format : {"json", "csv"}) {
    SCOPED_TRACE(format);
    RunOptions toFull;
    toFull.outputFile = "/dev/full";
    const ProgramRun run = Export({"--format", format, "0", "0"}, toFull);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, 1) << run.errors;
  }
}

// A definition file may declare 65535 x 65535 cells and give a few of them a heading. The export
// writes the used extent (JSON keeps the declared size and says which cells it lists), in bounded
// time and memory: under a limit of 256 MB of address space (not where the sanitizers reserve
// their shadow memory), where writing every empty cell once took several gigabytes.
TEST_F(ExportToolTest, AHugeDeclaredGridExportsItsUsedExtentWithinAMemoryLimit) {
  WriteBytes(program + "Bog1Tab0.TBD", "-1;-1;Riesig\n2;0;Spalte\n0;3;Zeile\n");
  WriteOemLines(db + "12345/SCHULE/1234500.CSV", {"ES001;ES002", "00000;Müller"});
  std::vector<std::string> limit;
#if !defined(__SANITIZE_ADDRESS__)
  limit = {"/usr/bin/prlimit", "--as=268435456", "--"};
#endif
  const auto exportLimited = [&](const std::string& format) {
    std::vector<std::string> all = limit;
    all.insert(all.end(), {kExportTool, "--program-dir", program, "--format", format, "1", "0"});
    return RunProgram(all.front(), {all.begin() + 1, all.end()}, EnvironmentWithout({}));
  };

  const ProgramRun csv = exportLimited("csv");
  EXPECT_EQ(csv.signal, 0);
  EXPECT_EQ(csv.status, 0) << csv.errors;
  // The data file's lines go below the fixed row from column 1 on.
  EXPECT_EQ(csv.output, ",,Spalte\r\n,ES001,ES002\r\n,12345,Müller\r\nZeile,,\r\n");

  const ProgramRun json = exportLimited("json");
  EXPECT_EQ(json.signal, 0);
  EXPECT_EQ(json.status, 0) << json.errors;
  EXPECT_NE(json.output.find("\"cols\":65535,\"rows\":65535,"), std::string::npos);
  EXPECT_NE(json.output.find(",\"cellsExtent\":[3,4],\"cells\":[[\"\",\"\",\"Spalte\"],"
                             "[\"\",\"ES001\",\"ES002\"],[\"\",\"12345\",\"Müller\"],"
                             "[\"Zeile\",\"\",\"\"]]}"),
            std::string::npos)
      << json.output.substr(0, 200);
}

// A grid of ordinary size lists every declared cell in JSON, empty ones included, and has no
// extent; CSV writes its used extent.
TEST_F(ExportToolTest, AnOrdinaryGridListsEveryDeclaredCellInJson) {
  WriteBytes(program + "Bog1Tab0.TBD", "4;4;Klein\n1;0;Spalte\n");
  WriteOemLines(db + "12345/SCHULE/1234500.CSV", {"ES001"});
  const ProgramRun json = Export({"1", "0"});
  EXPECT_EQ(json.status, 0) << json.errors;
  EXPECT_EQ(json.output.find("cellsExtent"), std::string::npos);
  // The school number fills the first data row.
  EXPECT_NE(json.output.find("\"cells\":[[\"\",\"Spalte\",\"\",\"\"],[\"\",\"ES001\",\"\",\"\"],"
                             "[\"\",\"12345\",\"\",\"\"],[\"\",\"\",\"\",\"\"]]}"),
            std::string::npos)
      << json.output;
  const ProgramRun csv = Export({"--format", "csv", "1", "0"});
  EXPECT_EQ(csv.status, 0) << csv.errors;
  EXPECT_EQ(csv.output, ",Spalte\r\n,ES001\r\n,12345\r\n");
}

// Every format into a file, without a display: the text formats as they go to standard output,
// the workbook and the PDF as the window writes them.
TEST_F(ExportToolTest, EveryFormatIntoAFileWithoutADisplay) {
  const auto headless = [&](const std::vector<std::string>& arguments) {
    std::vector<std::string> all = {"--program-dir", program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunProgram(kExportTool, all, EnvironmentWithout({"DISPLAY", "WAYLAND_DISPLAY"}));
  };
  for (const char* format : {"json", "csv"}) {
    SCOPED_TRACE(format);
    const std::string path = temp.Path() + "t." + format;
    const ProgramRun toFile = headless({"--format", format, "--output", path, "0", "0"});
    EXPECT_EQ(toFile.status, 0) << toFile.errors;
    EXPECT_EQ(toFile.output, "");
    EXPECT_EQ(ReadBytes(path), headless({"--format", format, "0", "0"}).output);
  }
  struct Binary {
    const char* format;
    std::string start;
  };
  for (const Binary& b : {Binary{"xlsx", "PK\x03\x04"}, Binary{"pdf", "%PDF-"}}) {
    SCOPED_TRACE(b.format);
    if (FileFormats().back() != "pdf" && std::string(b.format) == "pdf") continue;
    const std::string path = temp.Path() + "t." + b.format;
    const ProgramRun run = headless({"--format", b.format, "--output", path, "0", "0"});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(ReadBytes(path).substr(0, b.start.size()), b.start);
  }
  // The printed page names the table, and the workbook's sheet holds its cells as text.
  if (FileFormats().back() == "pdf") {
    const ProgramRun text = RunProgram("/usr/bin/pdftotext", {temp.Path() + "t.pdf", "-"}, {});
    EXPECT_NE(text.output.find("Dienststelle 12345 · Schnell · Tabelle 0"), std::string::npos)
        << text.output;
  }
  const ProgramRun sheet =
      RunProgram("/usr/bin/unzip", {"-p", temp.Path() + "t.xlsx", "xl/worksheets/sheet1.xml"}, {});
  EXPECT_NE(sheet.output.find("<t>12345</t>"), std::string::npos) << sheet.output;
}

TEST_F(ExportToolTest, AFileThatCannotBeWrittenEndsWithExitOneAndNoFile) {
  for (const std::string& format : FileFormats()) {
    SCOPED_TRACE(format);
    const std::string path = temp.Path() + "fehlt/t";
    const ProgramRun run = Export({"--format", format, "--output", path, "0", "0"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "tabellario-export: Die Datei \xE2\x80\x9E" + path +
                              "\xE2\x80\x9C konnte nicht geschrieben werden:\n"
                              "Datei oder Verzeichnis nicht gefunden\n");
  }
}

}  // namespace
}  // namespace tab::test
