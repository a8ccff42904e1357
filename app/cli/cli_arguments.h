#pragma once
// The command line of tolvinark-cli, taken apart into a command and its operands.

#include <string>
#include <string_view>
#include <vector>

#include "data/file_record.h"

namespace tolvinark::cli {

enum class CommandKind {
    Help,
    Version,
    UsageError,
    Info,
    List,
    Show,
    Export,
    Csv,
    SeriesTable,
    Statistics
};

struct CommandLine {
    CommandKind kind = CommandKind::UsageError;
    std::vector<std::string> files;  // the measurement files, bytes as given; one unless FILE...
    std::string recordNumber;        // show, export and series: the record number as typed
    Series series = Series::Ci;
    std::string outputFile;  // export: empty for standard output
    bool json = false;       // the tables as JSON instead of CSV
    // UsageError: what is wrong (code page 1251) and the argument concerned, bytes as given.
    std::string_view problem;
    std::string problemArgument;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

}  // namespace tolvinark::cli
