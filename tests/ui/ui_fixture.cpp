#include "ui/ui_fixture.hpp"

#include <filesystem>

#include "app/settings.hpp"

namespace tab::test {

TestProgram::TestProgram(const std::string& school)
    : program_(temp_.Path() + "program/"), db_(temp_.Path() + "db/") {
  std::filesystem::create_directories(program_);
  std::filesystem::create_directories(db_);
  WriteSettings(school, db_);
}

void TestProgram::WriteSettings(const std::string& school, const std::string& db) const {
  Settings settings = DefaultSettings();
  settings.schoolNumber = school;
  settings.dataBaseDirectory = db;
  const SettingsRecord record = EncodeSettings(settings);
  WriteBytes(program_ + kSettingsFileName,
             std::string(reinterpret_cast<const char*>(record.data()), record.size()));
}

void TestProgram::MakeDbFolder(const std::string& relative) const {
  std::filesystem::create_directories(db_ + relative);
}

void TestProgram::WriteData(const std::string& relative,
                            const std::vector<std::string>& utf8Lines) const {
  WriteOemLines(db_ + relative, utf8Lines);
}

void TestProgram::WriteProgramFile(const std::string& name,
                                   const std::vector<std::string>& utf8Lines) const {
  WriteAnsiLines(program_ + name, utf8Lines);
}

DemoProgram::DemoProgram() {
  namespace fs = std::filesystem;
  const fs::path source = TABELLARIO_SOURCE_DIR;
  fs::copy(source / "demo" / "program", temp_.Path(), fs::copy_options::recursive);
  fs::copy(source / "demo" / "db", temp_.Path(), fs::copy_options::recursive);
}

}  // namespace tab::test
