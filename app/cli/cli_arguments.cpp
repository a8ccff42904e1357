#include "app/cli/cli_arguments.h"

#include <cstddef>
#include <string_view>
#include <vector>

#include "app/cli/cli_texts.h"

namespace tolvinark::cli {
namespace {

struct CommandShape {
    std::string_view name;
    CommandKind kind;
    std::size_t operands;  // FILE, or FILE and N; at least one FILE when manyFiles
    bool manyFiles;
    bool takesExportOptions;
    bool takesJson;
};

constexpr CommandShape kCommands[] = {
    {"info", CommandKind::Info, 1, false, false, false},
    {"list", CommandKind::List, 1, false, false, false},
    {"show", CommandKind::Show, 2, false, false, false},
    {"export", CommandKind::Export, 2, false, true, false},
    {"csv", CommandKind::Csv, 1, true, false, true},
    {"series", CommandKind::SeriesTable, 2, false, false, true},
    {"stats", CommandKind::Statistics, 1, true, false, true},
};

CommandLine usageError(std::string_view problem, std::string_view argument = {}) {
    CommandLine line;
    line.kind = CommandKind::UsageError;
    line.problem = problem;
    line.problemArgument = std::string(argument);
    return line;
}

// A negative number is a wrong record number, not an option.
bool isOption(std::string_view arg) {
    return arg.size() >= 2 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9');
}

const CommandShape* findCommand(std::string_view name) {
    for (const CommandShape& command : kCommands) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    const std::vector<std::string_view> args(argv + 1, argv + (argc > 1 ? argc : 1));
    for (std::string_view arg : args) {
        if (arg == "--help" || arg == "-h" || arg == "--version") {
            CommandLine line;
            line.kind = arg == "--version" ? CommandKind::Version : CommandKind::Help;
            return line;
        }
    }
    if (args.empty()) return usageError(messages::kUsageNoCommand);

    const CommandShape* command = findCommand(args[0]);
    if (command == nullptr) return usageError(messages::kUsageUnknownCommand, args[0]);

    CommandLine line;
    line.kind = command->kind;
    std::vector<std::string_view> operands;
    bool seriesGiven = false;
    bool outputGiven = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool isSeries = arg == "--series";
        const bool isOutput = arg == "-o";
        if (!isOption(arg)) {
            operands.push_back(arg);
            continue;
        }
        if (command->takesJson && arg == "--json") {
            line.json = true;
            continue;
        }
        if (!command->takesExportOptions || !(isSeries || isOutput))
            return usageError(messages::kUsageUnknownOption, arg);
        if (i + 1 == args.size()) return usageError(messages::kUsageOptionNeedsValue, arg);
        const std::string_view value = args[++i];
        if (isSeries) {
            if (seriesGiven || (value != "ci" && value != "cd"))
                return usageError(messages::kUsageBadSeries);
            line.series = value == "ci" ? Series::Ci : Series::Cd;
            seriesGiven = true;
        } else {
            if (outputGiven || value.empty()) return usageError(messages::kUsageBadOutput);
            line.outputFile = std::string(value);
            outputGiven = true;
        }
    }
    if (operands.size() < command->operands) return usageError(messages::kUsageMissingOperand);
    if (operands.size() > command->operands && !command->manyFiles)
        return usageError(messages::kUsageExtraOperand);
    if (command->manyFiles) {
        line.files.assign(operands.begin(), operands.end());
        return line;
    }
    line.files.emplace_back(operands[0]);
    if (operands.size() > 1) line.recordNumber = std::string(operands[1]);
    return line;
}

}  // namespace tolvinark::cli
