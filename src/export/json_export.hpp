#pragma once
// The JSON of tabellario-export: every grid the run touched (name, declared size, fixed rows and
// columns, widths, heights, cells), every message, and the school, its directory, the schools,
// the classes and the class shown.
#include <span>

#include "app/session.hpp"
#include "export/output_sink.hpp"
#include "records/message_port.hpp"

namespace tab {

// A grid lists the cells of its declared size, unless more than this many of them lie beyond
// its used extent (the fixed rows and columns and every row and column up to the last cell
// holding a text): then it lists the cells of the used extent only and says so in
// "cellsExtent": [columns, rows]. "cols" and "rows" stay the declared size either way.
inline constexpr long long kMostEmptyCellsListed = 1'000'000;

void WriteExportJson(OutputSink& sink, const Session& session, std::span<const GridId> grids,
                     std::span<const RecordingPort::Message> messages);

}  // namespace tab
