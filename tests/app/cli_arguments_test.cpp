// The command line of tolvinark-cli: what is an option and what an operand.

#include "app/cli/cli_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/cli/cli_texts.h"

namespace tolvinark::cli {
namespace {

template <int N>
CommandLine parse(const char* const (&argv)[N]) {
    return parseCommandLine(N, argv);
}

TEST(CliArguments, ALoneDashIsAnOperand) {
    const CommandLine info = parse({"tolvinark-cli", "info", "-"});
    EXPECT_EQ(info.kind, CommandKind::Info);
    EXPECT_EQ(info.files, std::vector<std::string>{"-"});

    const CommandLine show = parse({"tolvinark-cli", "show", "-", "-"});
    EXPECT_EQ(show.kind, CommandKind::Show);
    EXPECT_EQ(show.files, std::vector<std::string>{"-"});
    EXPECT_EQ(show.recordNumber, "-");
}

TEST(CliArguments, ADashBeforeALetterIsAnOption) {
    const CommandLine line = parse({"tolvinark-cli", "info", "-x"});
    EXPECT_EQ(line.kind, CommandKind::UsageError);
    EXPECT_EQ(line.problem, std::string_view(messages::kUsageUnknownOption));
    EXPECT_EQ(line.problemArgument, "-x");
}

}  // namespace
}  // namespace tolvinark::cli
