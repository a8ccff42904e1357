#include "app/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "data/fixed_texts.h"

namespace tolvinark {
namespace {

struct ArgumentCase {
    const char* commandLine;
    std::optional<std::string> expected;
};

class FileArgumentTable : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(FileArgumentTable, TakesTheFirstArgument) {
    EXPECT_EQ(fileArgument(GetParam().commandLine), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, FileArgumentTable,
    ::testing::Values(ArgumentCase{R"("C:\prog\tolvinark.exe")", std::nullopt},
                      ArgumentCase{R"("C:\prog\tolvinark.exe" demo.dst)", "demo.dst"},
                      ArgumentCase{R"("C:\prog\tolvinark.exe"demo.dst)", "demo.dst"},
                      ArgumentCase{R"("C:\my prog\tolvinark.exe"   "D:\data\a.dst")",
                                   R"(D:\data\a.dst)"},
                      ArgumentCase{R"("C:\tolvinark.exe" a.dst b.dst)", "a.dst"},
                      ArgumentCase{R"("C:\tolvinark.exe" "my file.dst")", "my"},
                      ArgumentCase{R"("C:\tolvinark.exe" a.dst"b.dst")", "a.dst"},
                      ArgumentCase{R"("C:\tolvinark.exe"    )", std::nullopt},
                      ArgumentCase{R"("C:\tolvinark.exe" "")", std::nullopt},
                      ArgumentCase{R"("C:\tolvinark.exe" "" " "  x.dst)", "x.dst"},
                      ArgumentCase{R"("C:\unclosed path a.dst)", std::nullopt},
                      ArgumentCase{"", std::nullopt},
                      // A program path without quotes ends at the first blank.
                      ArgumentCase{R"(C:\tolvinark.exe d.dst)", "d.dst"},
                      ArgumentCase{R"(C:\tolvinark.exe)", std::nullopt},
                      ArgumentCase{R"(tolvinark "q.dst" r.dst)", "q.dst"}));

TEST(FileArgument, EndsAtAZeroByte) {
    const std::string line("\"p.exe\" ab\0cd", 13);
    EXPECT_EQ(fileArgument(line), std::optional<std::string>("ab"));
}

TEST(FileArgument, KeepsANameOfAnyLengthWhole) {
    const std::string name(600, 'x');
    EXPECT_EQ(fileArgument("\"p.exe\" " + name), std::optional<std::string>(name));
}

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
    EXPECT_EQ(refused.message, std::string(texts::kMessageNoFile.view()) + tooLong);
    EXPECT_FALSE(data.fileLoaded);
    EXPECT_TRUE(data.loadedFileName.empty());
}

}  // namespace
}  // namespace tolvinark
