#pragma once
// The output of tabellario-export: JSON with every touched grid and every message, or the last
// grid as CSV.
#include <string>
#include <vector>

#include "app/session.hpp"
#include "records/message_port.hpp"

namespace tab {

std::string ToJson(const Session& session, const std::vector<GridId>& grids,
                   const std::vector<RecordingPort::Message>& messages);
std::string ToCsv(const TableGrid& grid);

}  // namespace tab
