#pragma once
// Program directories for the window tests: a small one written by the test, or a copy of the
// demo program directory with its data base.
#include <string>
#include <vector>

#include "support/fixture.hpp"

namespace tab::test {

// A program directory with a settings file naming `school` and the data base `db/` beside it.
class TestProgram {
 public:
  explicit TestProgram(const std::string& school = "12345");

  // Rewrites the settings file: Dienststelle and data-base directory.
  void WriteSettings(const std::string& school, const std::string& db) const;

  const std::string& Program() const { return program_; }
  const std::string& Db() const { return db_; }
  // A folder below the data base (created with its parents).
  void MakeDbFolder(const std::string& relative) const;
  // CP850 data file below the data base.
  void WriteData(const std::string& relative, const std::vector<std::string>& utf8Lines) const;
  // Windows-1252 file in the program directory.
  void WriteProgramFile(const std::string& name, const std::vector<std::string>& utf8Lines) const;

 private:
  TempDir temp_;
  std::string program_;
  std::string db_;
};

// The demo program directory with its data base inside it, as the build lays it out.
class DemoProgram {
 public:
  DemoProgram();
  const std::string& Program() const { return temp_.Path(); }

 private:
  TempDir temp_;
};

}  // namespace tab::test
