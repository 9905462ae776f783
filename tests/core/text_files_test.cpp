// The writer of the project's generators and tests: code pages, CR LF, folders, failures.
#include "tools/textfiles/text_files.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "support/fixture.hpp"

namespace tab {
namespace {

TEST(TextFiles, LinesAreEncodedAndEndedByCrLf) {
  test::TempDir dir;
  const std::string oem = dir.Path() + "neu/tief/A.CSV";
  const std::string ansi = dir.Path() + "A.SSD";
  textfiles::WriteLines(oem, {"Größe;1", "", "░"}, CodePage::kCp850);
  textfiles::WriteLines(ansi, {"1;Größe €"}, CodePage::kWindows1252);
  EXPECT_EQ(test::ReadBytes(oem),
            "Gr\x94\xE1"
            "e;1\r\n\r\n\xB0\r\n");
  EXPECT_EQ(test::ReadBytes(ansi),
            "1;Gr\xF6\xDF"
            "e \x80\r\n");
  textfiles::WriteLines(ansi, {}, CodePage::kWindows1252);
  EXPECT_EQ(test::ReadBytes(ansi), "") << "a file of that name is replaced";
}

TEST(TextFiles, IdLineNamesEveryCaptureColumn) {
  EXPECT_EQ(textfiles::IdLine(1), "ES001");
  EXPECT_EQ(textfiles::IdLine(3), "ES001;ES002;ES003");
  const std::string wide = textfiles::IdLine(1000);
  EXPECT_TRUE(wide.starts_with("ES001;ES002;")) << wide.substr(0, 20);
  EXPECT_TRUE(wide.ends_with(";ES999;ES1000")) << wide.substr(wide.size() - 20);
}

TEST(TextFiles, ACharacterWithoutAFormIsRefusedNotWrittenAsAQuestionMark) {
  EXPECT_EQ(textfiles::Encode("Straße", CodePage::kCp850),
            "Stra\xE1"
            "e");
  EXPECT_THROW(textfiles::Encode("1;€", CodePage::kCp850), std::invalid_argument);
  EXPECT_THROW(textfiles::Encode("Łódź", CodePage::kWindows1252), std::invalid_argument);
  EXPECT_THROW(textfiles::Encode("a\xFF", CodePage::kWindows1252), std::invalid_argument);
  test::TempDir dir;
  EXPECT_THROW(textfiles::WriteLines(dir.Path() + "A.CSV", {"ok", "€"}, CodePage::kCp850),
               std::invalid_argument);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "A.CSV"));
}

TEST(TextFiles, AFileThatCannotBeWrittenIsReportedInGerman) {
  test::TempDir dir;
  test::WriteBytes(dir.Path() + "datei", "x");
  try {
    textfiles::WriteFile(dir.Path() + "datei/unter.CSV", "y");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_TRUE(
        std::string_view(error.what())
            .starts_with("Verzeichnis kann nicht angelegt werden: " + dir.Path() + "datei ("))
        << error.what();
  }
  std::filesystem::create_directory(dir.Path() + "ordner");
  try {
    textfiles::WriteFile(dir.Path() + "ordner", "y");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_TRUE(std::string_view(error.what())
                    .starts_with("Datei kann nicht angelegt werden: " + dir.Path() + "ordner ("))
        << error.what();
  }
}

}  // namespace
}  // namespace tab
