#pragma once
// Test helpers: a temporary folder per test and small writers for the files the program reads.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.hpp"

namespace tab::test {

// A fresh temporary folder (in $TMPDIR, else /tmp), removed again with everything in it when the
// object goes out of scope. Path() ends with '/'.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  // Path() + relative; creates the parent folders.
  std::string Make(std::string_view relative) const;

 private:
  std::string path_;
};

// The writers of the project's generators (tools/textfiles): they create parent folders and throw
// when a file cannot be written or a character has no form in the code page.
// Writes bytes as they are.
void WriteBytes(const std::string& path, std::string_view bytes);
// Writes UTF-8 lines converted to CP850 (the data files' code page), each ended by CR LF.
void WriteOemLines(const std::string& path, const std::vector<std::string>& utf8Lines);
// Writes UTF-8 lines converted to Windows-1252 (key files, definition files), ended by CR LF.
void WriteAnsiLines(const std::string& path, const std::vector<std::string>& utf8Lines);
std::string ReadBytes(const std::string& path);

// The bytes of a settings record, and the settings written as the settings file of a program
// directory.
std::string SettingsBytes(const SettingsRecord& record);
void WriteSettingsFile(const std::string& programDirectory, const Settings& settings);

}  // namespace tab::test
