// The files a table is taken away in: the used extent, the spreadsheet CSV byte for byte, the
// Excel workbook read back from its sheet XML, and failures and cancels that leave no file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "export/table_files.hpp"
#include "records/error_text.hpp"
#include "records/text.hpp"
#include "support/fixture.hpp"
#include "support/other_user.hpp"

namespace tab {
namespace {

using test::TempDir;

// Row 0 headings, column 0 the codes; a cell with each thing a CSV must quote.
TableGrid SampleGrid() {
  TableGrid grid(5, 6, 1, 64, 18, 1);
  grid.SetCell(0, 0,
               "Schl\xFC"
               "ssel");  // Windows-1252
  grid.SetCell(1, 0, "Text");
  grid.SetCell(2, 0, "Zahl");
  grid.SetCell(0, 1, "06");
  grid.SetCell(1, 1, "a;b");
  grid.SetCell(2, 1, "0012");
  grid.SetCell(0, 2, "01");
  grid.SetCell(1, 2, "sagt \"ja\"");
  grid.SetCell(0, 3, "10");
  grid.SetCell(1, 3, "zwei\nZeilen");
  grid.SetCell(2, 3, " 5");
  grid.SetColWidth(1, 200);
  return grid;
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// One member of a zip file, as `unzip -p` gives it.
std::string ZipMember(const std::string& zip, const std::string& member) {
  const std::string command = "unzip -p '" + zip + "' '" + member + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string out;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

TEST(TableFilesTest, UsedExtentFollowsTheTexts) {
  struct Case {
    const char* name;
    std::function<void(TableGrid&)> fill;
    int cols;
    int rows;
  };
  const std::vector<Case> cases = {
      {"empty grid: the fixed row and column", [](TableGrid&) {}, 1, 1},
      {"a text far down and right", [](TableGrid& g) { g.SetCell(40, 900, "x"); }, 41, 901},
      {"a cell written empty again",
       [](TableGrid& g) {
         g.SetCell(7, 5, "x");
         g.SetCell(7, 5, "");
         g.SetCell(2, 1, "y");
       },
       3, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TableGrid grid(65535, 65535, 1, 64, 18, 1);
    c.fill(grid);
    const UsedExtent extent = UsedExtentOf(grid);
    EXPECT_EQ(extent.cols, c.cols);
    EXPECT_EQ(extent.rows, c.rows);
  }
}

TEST(TableFilesTest, BlocksFromOverlappingRangesAndTheirSize) {
  const TableGrid grid = SampleGrid();
  CellBlock block;
  // Ranges as a selection gives them: overlapping, unsorted, over the fixed cells, past the end.
  block.rows = {{3, 9}, {1, 1}, {0, 1}};
  block.cols = {{2, 2}, {0, 1}, {2, 40}};
  const CellBlock clipped = ClipBlock(grid, block, UsedExtentOf(grid));
  ASSERT_EQ(clipped.rows.size(), 2u);
  EXPECT_EQ(clipped.rows[0].first, 1);
  EXPECT_EQ(clipped.rows[0].last, 1);
  EXPECT_EQ(clipped.rows[1].first, 3);
  EXPECT_EQ(clipped.rows[1].last, 3);
  ASSERT_EQ(clipped.cols.size(), 1u);
  EXPECT_EQ(clipped.cols[0].first, 1);
  EXPECT_EQ(clipped.cols[0].last, 2);
  const std::string text = BlockText(grid, clipped);
  EXPECT_EQ(text, "a;b\t0012\n\"zwei\nZeilen\"\t 5\n");
  const BlockSize size = EstimateBlockSize(grid, clipped);
  EXPECT_GE(size.text, text.size());
  EXPECT_GE(size.html, BlockHtml(grid, clipped).size());
}

TEST(TableFilesTest, SpreadsheetCsvBytes) {
  TempDir temp;
  const std::string path = temp.Path() + "t.csv";
  const ExportResult result = WriteSpreadsheetCsv(SampleGrid(), path);
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(test::ReadBytes(path),
            "\xEF\xBB\xBF"
            "Schl\xC3\xBCssel;Text;Zahl\r\n"
            "06;\"a;b\";0012\r\n"
            "01;\"sagt \"\"ja\"\"\";\r\n"
            "10;\"zwei\nZeilen\";\" 5\"\r\n");
  EXPECT_EQ(Entries(temp.Path()), std::vector<std::string>{"t.csv"});
}

TEST(TableFilesTest, XlsxSheetHoldsTextCellsHeadingsFrozenPanesAndWidths) {
  TempDir temp;
  const std::string path = temp.Path() + "t.xlsx";
  const ExportResult result = WriteXlsx(SampleGrid(), path, "Tabelle 1");
  ASSERT_TRUE(result.ok) << result.error;
  const std::string sheet = ZipMember(path, "xl/worksheets/sheet1.xml");
  ASSERT_FALSE(sheet.empty());
  // Every cell a string: "06" and "0012" keep their zeros.
  EXPECT_NE(sheet.find("<c r=\"A2\" s=\"1\" t=\"inlineStr\"><is><t>06</t></is></c>"),
            std::string::npos)
      << sheet;
  EXPECT_NE(sheet.find("<c r=\"C2\" s=\"2\" t=\"inlineStr\"><is><t>0012</t></is></c>"),
            std::string::npos)
      << sheet;
  EXPECT_EQ(sheet.find("<v>"), std::string::npos) << "no number cells";
  // The headings in row 1, bold (style 1).
  EXPECT_NE(sheet.find("<row r=\"1\""), std::string::npos);
  EXPECT_NE(sheet.find("<c r=\"A1\" s=\"1\" t=\"inlineStr\"><is><t>Schl\xC3\xBCssel</t></is></c>"),
            std::string::npos);
  EXPECT_NE(sheet.find("<c r=\"B1\" s=\"1\" t=\"inlineStr\"><is><t>Text</t></is></c>"),
            std::string::npos);
  // Frozen at the fixed row and column.
  EXPECT_NE(sheet.find("<pane xSplit=\"1\" ySplit=\"1\" topLeftCell=\"B2\""), std::string::npos)
      << sheet;
  EXPECT_NE(sheet.find("state=\"frozen\""), std::string::npos);
  // The widths of the grid: 64 pixels (Excel's own width) and 200 pixels.
  EXPECT_NE(sheet.find("<col min=\"1\" max=\"1\" width=\"9.14"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("<col min=\"2\" max=\"2\" width=\"28.57"), std::string::npos) << sheet;
  EXPECT_NE(ZipMember(path, "xl/workbook.xml").find("name=\"Tabelle 1\""), std::string::npos);
  EXPECT_NE(ZipMember(path, "xl/styles.xml").find("<b/>"), std::string::npos);
  EXPECT_EQ(Entries(temp.Path()), std::vector<std::string>{"t.xlsx"});
}

TEST(TableFilesTest, SheetNamesExcelAccepts) {
  EXPECT_EQ(XlsxSheetName("Tabelle 1"), "Tabelle 1");
  EXPECT_EQ(XlsxSheetName("Tab. 4.1"), "Tab. 4.1");
  EXPECT_EQ(XlsxSheetName("a/b:c?"), "a_b_c_");
  EXPECT_EQ(XlsxSheetName(""), "Tabelle");
  EXPECT_EQ(XlsxSheetName("'x'"), "_x_");
  // 31 characters, counted as characters (an umlaut is two bytes).
  EXPECT_EQ(XlsxSheetName(std::string(40, 'x')), std::string(31, 'x'));
  EXPECT_EQ(XlsxSheetName("\xC3\xBC" + std::string(40, 'x')), "\xC3\xBC" + std::string(30, 'x'));
}

using Writer =
    std::function<ExportResult(const TableGrid&, const std::string&, const ExportProgress&)>;

std::vector<std::pair<const char*, Writer>> Writers() {
  return {
      {"csv", [](const TableGrid& g, const std::string& p,
                 const ExportProgress& progress) { return WriteSpreadsheetCsv(g, p, progress); }},
      {"xlsx", [](const TableGrid& g, const std::string& p,
                  const ExportProgress& progress) { return WriteXlsx(g, p, "T", progress); }},
  };
}

// A failed write says why in German and leaves nothing behind: neither the file nor its
// temporary; an earlier file of the name stays as it was.
TEST(TableFilesTest, FailedWritesLeaveNoFile) {
  for (const auto& [format, write] : Writers()) {
    SCOPED_TRACE(format);
    {
      TempDir temp;
      const ExportResult result = write(SampleGrid(), temp.Path() + "fehlt/t.x", {});
      EXPECT_FALSE(result.ok);
      EXPECT_EQ(result.error, ErrorText(ENOENT));
      EXPECT_TRUE(Entries(temp.Path()).empty());
    }
    {
      // The disk full: a file may not grow past 300 bytes.
      TempDir temp;
      test::WriteBytes(temp.Path() + "t.x", "vorher");
      TableGrid big(3, 2000, 1, 64, 18, 1);
      for (int row = 0; row < 2000; ++row) big.SetCell(1, row, "Zeile " + std::to_string(row));
      test::RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{300, RLIM_INFINITY};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const ExportResult result = write(big, temp.Path() + "t.x", {});
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
      });
      EXPECT_EQ(Entries(temp.Path()), std::vector<std::string>{"t.x"});
      EXPECT_EQ(test::ReadBytes(temp.Path() + "t.x"), "vorher");
    }
    {
      // A folder the user may not write in.
      TempDir temp;
      const std::string folder = temp.Path() + "nur-lesen/";
      std::filesystem::create_directories(folder);
      chmod(folder.c_str(), 0555);
      test::RunAsAnotherUser(temp, [&] {
        const ExportResult result = write(SampleGrid(), folder + "t.x", {});
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, ErrorText(EACCES));
      });
      EXPECT_TRUE(Entries(folder).empty());
      chmod(folder.c_str(), 0755);
    }
  }
}

TEST(TableFilesTest, CancelledWritesLeaveNoFile) {
  TableGrid big(3, 10000, 1, 64, 18, 1);
  for (int row = 0; row < 10000; ++row) big.SetCell(1, row, "Zeile " + std::to_string(row));
  for (const auto& [format, write] : Writers()) {
    SCOPED_TRACE(format);
    TempDir temp;
    int calls = 0;
    const ExportResult result = write(big, temp.Path() + "t.x", [&](int done, int total) {
      EXPECT_EQ(total, 10000);
      EXPECT_LE(done, total);
      return ++calls < 2;
    });
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(result.error.empty());
    EXPECT_TRUE(Entries(temp.Path()).empty());
  }
}

TEST(TableFilesTest, FailureTextNamesTheFile) {
  EXPECT_EQ(ExportFailureText("/x/t.csv", "Zugriff verweigert"),
            "Die Datei \xE2\x80\x9E/x/t.csv\xE2\x80\x9C konnte nicht geschrieben werden:\n"
            "Zugriff verweigert");
}

}  // namespace
}  // namespace tab
