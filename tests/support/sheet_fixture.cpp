#include "support/sheet_fixture.hpp"

#include <filesystem>
#include <stdexcept>
#include <string>

#include "app/window_layout.hpp"

#include "support/sheets.hpp"

namespace tab::test {

SheetFixture::SheetFixture(const SheetDefinition& sheet) : sheet_(sheet) {
  paths.programDirectory = temp.Path() + "program/";
  paths.dataBaseDirectory = temp.Path() + "db/";
  paths.schoolNumber = "12345";
  paths.schoolDirectory = paths.dataBaseDirectory + "12345/";
  std::filesystem::create_directories(paths.programDirectory);
  options.schoolNumber = "12345";
}

TableGrid& SheetFixture::Grid(int table) {
  const GridId number = TableOf(sheet_, table).steps[0].grid;
  auto found = grids_.find(number);
  if (found == grids_.end()) found = grids_.emplace(number, DesignedGrid(number)).first;
  return found->second;
}

TableGrid& SheetFixture::SetUpOnly(int table) {
  TableGrid& grid = Grid(table);
  TableOf(sheet_, table).steps[0].setUp(grid, Context());
  return grid;
}

TableGrid& SheetFixture::Show(int table) {
  TableGrid& grid = SetUpOnly(table);
  TableOf(sheet_, table).steps[0].load(grid, Context());
  return grid;
}

void SheetFixture::Run(std::string_view button, TableGrid& grid) {
  // Tests name the buttons as the window does; the window's control table gives their identity.
  const ButtonDesign* design = FindButton(button);
  if (design == nullptr) throw std::out_of_range("no button " + std::string(button));
  CommandOf(sheet_, design->button)(grid, Context());
}

}  // namespace tab::test
