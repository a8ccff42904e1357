#pragma once
// The companion's commands over the viewer's core: info, list, show and export.

#include "app/cli/cli_arguments.h"

namespace tolvinark::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the file, the record or the output failed
inline constexpr int kExitUsage = 2;    // the command line was wrong

// Runs the command and gives back the exit status.
int runCommand(const CommandLine& commandLine);

}  // namespace tolvinark::cli
