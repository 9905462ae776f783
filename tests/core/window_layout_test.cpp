// The table of the window's controls: every object name stands for the typed value of the same
// number, every grid the sheets fill and every button they register has its control, and every
// button lies on a page whose grid it acts on.
#include "app/window_layout.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/session.hpp"

namespace tab::test {
namespace {

TEST(WindowLayout, ObjectNamesCarryTheNumbersOfTheirTypedValues) {
  for (const GridDesign& design : GridDesigns()) {
    EXPECT_EQ(design.name, "StringGrid" + std::to_string(static_cast<int>(design.grid)));
    EXPECT_EQ(FindGridDesign(design.grid), &design) << design.name;
  }
  for (const ButtonDesign& design : Buttons()) {
    EXPECT_EQ(design.name, "Button" + std::to_string(static_cast<int>(design.button)));
    EXPECT_EQ(FindButton(design.button), &design) << design.name;
    EXPECT_EQ(FindButton(design.name), &design) << design.name;
  }
  EXPECT_EQ(FindButton("Button99"), nullptr);
  EXPECT_EQ(FindGridDesign(static_cast<GridId>(12)), nullptr);
}

TEST(WindowLayout, EveryButtonLiesOnThePageOfItsGridAndHasItsCommand) {
  for (const ButtonDesign& button : Buttons()) {
    const TablePageDesign* page = FindTablePage(button.sheet, button.table);
    ASSERT_NE(page, nullptr) << button.name;
    EXPECT_EQ(page->grid, button.grid) << button.name;
    EXPECT_TRUE(Session::HasCommand(button.button)) << button.name;
  }
}

TEST(WindowLayout, EachSheetPageAndTablePageHasItsOwnValues) {
  std::set<SheetId> sheets;
  for (const SheetPageDesign& page : SheetPages()) {
    EXPECT_TRUE(sheets.insert(page.sheet).second) << page.name;
    EXPECT_EQ(SheetOfPage(FindSheetPage(page.name)), page.sheet) << page.name;
  }
  EXPECT_EQ(sheets, (std::set<SheetId>{SheetId::Schnell, SheetId::Schule, SheetId::Lehrer,
                                       SheetId::Klassen}));
  std::set<GridId> grids;
  for (const TablePageDesign& page : TablePages()) {
    EXPECT_EQ(FindTablePage(page.sheet, page.table), &page) << page.name;
    EXPECT_TRUE(grids.insert(page.grid).second) << page.name;
    if (page.topGrid) {
      EXPECT_TRUE(grids.insert(*page.topGrid).second) << page.name;
    }
  }
  EXPECT_EQ(grids.size(), GridDesigns().size());
}

}  // namespace
}  // namespace tab::test
