#pragma once
// The tables for data work on standard output: CSV with a header line, or a JSON array of
// objects with the same keys.

#include <string>
#include <string_view>
#include <vector>

#include "app/cli/cli_output.h"
#include "output/record_table.h"

namespace tolvinark::cli {

class TableWriter {
  public:
    // Writes the CSV header line or the array's opening bracket.
    TableWriter(TextOutput& out, std::vector<std::string_view> columns, bool json);
    void row(const TableRow& row);
    // Closes the array.
    void finish();

  private:
    TextOutput& out_;
    std::vector<std::string_view> columns_;
    bool json_;
    bool firstRow_ = true;
    std::string line_;
};

}  // namespace tolvinark::cli
