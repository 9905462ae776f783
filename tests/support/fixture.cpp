#include "support/fixture.hpp"

#include <stdlib.h>

#include <cerrno>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "tools/textfiles/text_files.hpp"

namespace tab::test {

TempDir::TempDir() {
  std::string pattern = std::filesystem::temp_directory_path() / "tabellario-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "mkdtemp");
  }
  path_ = pattern + "/";
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Make(std::string_view relative) const {
  std::string full = path_ + std::string(relative);
  std::filesystem::create_directories(std::filesystem::path(full).parent_path());
  return full;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  textfiles::WriteFile(path, bytes);
}

void WriteOemLines(const std::string& path, const std::vector<std::string>& utf8Lines) {
  textfiles::WriteLines(path, utf8Lines, CodePage::kCp850);
}

void WriteAnsiLines(const std::string& path, const std::vector<std::string>& utf8Lines) {
  textfiles::WriteLines(path, utf8Lines, CodePage::kWindows1252);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SettingsBytes(const SettingsRecord& record) {
  return std::string(reinterpret_cast<const char*>(record.data()), record.size());
}

void WriteSettingsFile(const std::string& programDirectory, const Settings& settings) {
  WriteBytes(programDirectory + kSettingsFileName, SettingsBytes(EncodeSettings(settings)));
}

}  // namespace tab::test
