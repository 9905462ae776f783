#pragma once
// The tables of one report form driven as the dispatcher drives them, without a session: a
// program directory, the data base of Dienststelle 12345, and the grids as the window has them.
#include <gtest/gtest.h>

#include <map>
#include <string_view>

#include "app/path_state.hpp"
#include "records/message_port.hpp"
#include "records/placement.hpp"
#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"
#include "support/fixture.hpp"

namespace tab::test {

class SheetFixture : public ::testing::Test {
 protected:
  // temp/program/ (created) and temp/db/12345/ as the paths of Dienststelle 12345.
  explicit SheetFixture(const SheetDefinition& sheet);

  SheetContext Context() { return SheetContext{paths, options, port}; }
  // The grid of a table (the grid of its first step), made on first use as the window makes it.
  TableGrid& Grid(int table);
  TableGrid& SetUpOnly(int table);
  // What the dispatcher does: the set-up, then the loader.
  TableGrid& Show(int table);
  void Run(std::string_view button, TableGrid& grid);

  TempDir temp;
  PathState paths;
  TableOptions options;
  RecordingPort port;

 private:
  const SheetDefinition& sheet_;
  std::map<GridId, TableGrid> grids_;
};

}  // namespace tab::test
