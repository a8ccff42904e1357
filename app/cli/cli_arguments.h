#pragma once
// The command line of tolvinark-cli, taken apart into a command and its operands.

#include <string>
#include <string_view>

#include "data/file_record.h"

namespace tolvinark::cli {

enum class CommandKind { Help, UsageError, Info, List, Show, Export };

struct CommandLine {
    CommandKind kind = CommandKind::UsageError;
    std::string file;          // the measurement file, bytes as given
    std::string recordNumber;  // show and export: the record number as typed
    Series series = Series::Ci;
    std::string outputFile;  // export: empty for standard output
    // UsageError: what is wrong (code page 1251) and the argument concerned, bytes as given.
    std::string_view problem;
    std::string problemArgument;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

}  // namespace tolvinark::cli
