#pragma once
// The PDF writer of tabellario-export, in a module of its own that the tool loads only when it
// writes a PDF: the tool starts without Qt for every other format.
#include <cstddef>

#include "records/table_grid.hpp"

// The module's file name; it lies beside the program (build tree) or in ../lib/tabellario/.
inline constexpr const char* kPdfModuleName = "tabellario-export-pdf.so";
inline constexpr const char* kPdfModuleEntry = "tabellario_write_pdf";

// Writes the grid as the window prints it. 0 when written, 1 on failure with the German reason
// in `error` (cut to `errorSize`). Runs Qt without a display.
extern "C" int tabellario_write_pdf(const tab::TableGrid* grid, const char* school,
                                    const char* sheet, const char* table, const char* path,
                                    char* error, std::size_t errorSize);
using TabellarioWritePdf = decltype(&tabellario_write_pdf);
