// tolvinark-cli: the viewer's measurements on the command line: the viewer's texts (info, list,
// show), its DIF export (export) and tables for data work (csv, series, stats).

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <memory>

#include "data/file_names.h"
#endif

#include "app/cli/cli_arguments.h"
#include "app/cli/cli_commands.h"
#include "app/cli/cli_output.h"

namespace {

#ifdef _WIN32
struct LocalRelease {
    void operator()(LPWSTR* arguments) const { LocalFree(arguments); }
};

// The narrow arguments of Windows are in the ANSI code page, which holds few scripts: the
// arguments are read in UTF-16 and kept in UTF-8, as names are on every platform.
std::vector<std::string> commandArguments(int, char**) {
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalRelease> wide(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i)
        arguments.push_back(tolvinark::fileNameFromWide(wide.get()[i]));
    return arguments;
}
#else
std::vector<std::string> commandArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    tolvinark::cli::useBinaryStandardStreams();
    const std::vector<std::string> arguments = commandArguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    pointers.push_back(nullptr);
    return tolvinark::cli::runCommand(
        tolvinark::cli::parseCommandLine(static_cast<int>(arguments.size()), pointers.data()));
}
