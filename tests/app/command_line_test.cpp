#include "app/viewer/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "data/fixed_texts.h"

namespace tolvinark {
namespace {

struct ArgumentCase {
    std::string commandLine;
    std::optional<std::string> expected;
};

class FileArgumentTable : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(FileArgumentTable, TakesTheFirstArgument) {
    EXPECT_EQ(fileArgument(GetParam().commandLine), GetParam().expected);
}

const std::string kLongName(600, 'x');

INSTANTIATE_TEST_SUITE_P(
    CommandLines, FileArgumentTable,
    ::testing::Values(
        ArgumentCase{R"("C:\prog\tolvinark.exe")", std::nullopt},
        ArgumentCase{R"("C:\prog\tolvinark.exe" demo.dst)", "demo.dst"},
        ArgumentCase{R"("C:\prog\tolvinark.exe"demo.dst)", "demo.dst"},
        ArgumentCase{R"("C:\my prog\tolvinark.exe"   "D:\data\a.dst")", R"(D:\data\a.dst)"},
        ArgumentCase{R"("C:\tolvinark.exe" a.dst b.dst)", "a.dst"},
        ArgumentCase{R"("C:\tolvinark.exe" a.dst"b.dst")", "a.dst"},
        ArgumentCase{R"("C:\tolvinark.exe"    )", std::nullopt},
        ArgumentCase{R"("C:\tolvinark.exe" "")", std::nullopt},
        ArgumentCase{R"("C:\tolvinark.exe" "" " "  x.dst)", "x.dst"},
        ArgumentCase{R"("C:\unclosed path a.dst)", std::nullopt}, ArgumentCase{"", std::nullopt},
        // A program path without quotes ends at the first blank.
        ArgumentCase{R"(C:\tolvinark.exe d.dst)", "d.dst"},
        ArgumentCase{R"(C:\tolvinark.exe)", std::nullopt},
        ArgumentCase{R"(tolvinark "q.dst" r.dst)", "q.dst"},
        // A quoted name is taken whole, blanks and all, as Explorer and associations pass it.
        ArgumentCase{R"("C:\tolvinark.exe" "my file.dst")", "my file.dst"},
        ArgumentCase{"\"C:\\tolvinark.exe\" \"D:\\Замеры 2019\\цех 3.dst\" b.dst",
                     "D:\\Замеры 2019\\цех 3.dst"},
        ArgumentCase{R"("C:\tolvinark.exe" " lead and tail .dst ")", " lead and tail .dst "},
        ArgumentCase{R"(tolvinark "" "a b.dst"c.dst)", "a b.dst"},
        ArgumentCase{R"("C:\tolvinark.exe" "D:\no end\a.dst)", R"(D:\no end\a.dst)"},
        ArgumentCase{R"("C:\tolvinark.exe" "   )", std::nullopt},
        // The line ends at a zero, quoted or not.
        ArgumentCase{std::string("\"p.exe\" ab\0cd", 13), "ab"},
        ArgumentCase{std::string("\"p.exe\" \"a b\0c\"", 15), "a b"},
        ArgumentCase{"\"p.exe\" " + kLongName, kLongName}));

// The longest name the buffer holds reaches the open operation, which judges its extension; one
// character more is refused with the whole name, extension or not.
TEST(OpenCommandLineFile, RefusesANameLongerThanTheBufferWhole) {
    const std::string fits = std::string(kMaxFileNameLength - 4, 'a') + ".txt";
    MeasurementData data;
    const FileResult passed = openCommandLineFile(data, fits);
    EXPECT_EQ(passed.outcome, FileOutcome::WrongType);
    EXPECT_EQ(passed.message, texts::kMessageWrongType.view());

    const std::string tooLong = "b" + fits;
    const FileResult refused = openCommandLineFile(data, tooLong);
    EXPECT_EQ(refused.outcome, FileOutcome::FileMissing);
    EXPECT_EQ(refused.message, texts::kMessageNoFile.view());
    EXPECT_EQ(refused.name, tooLong);
    EXPECT_FALSE(data.fileLoaded);
    EXPECT_TRUE(data.loadedFileName.empty());
}

}  // namespace
}  // namespace tolvinark
