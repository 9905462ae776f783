#pragma once
// CSV for scripts: UTF-8, cells separated by commas, every row ended by CR LF; a cell holding a
// comma, a double quote or a line break is put in double quotes, its quotes doubled.
#include "export/table_writer.hpp"

namespace tab {

class CsvWriter final : public TableWriter {
 public:
  std::string_view Format() const override { return "csv"; }
  void Write(const TableSource& table, OutputSink& sink) const override;
};

}  // namespace tab
