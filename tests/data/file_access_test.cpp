#include "data/file_access.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "tests/data/scratch_dir.h"

namespace tolvinark {
namespace {

using testing::readFile;
using testing::ScratchDir;
using testing::writeFile;

std::string readAll(ReadOnlyFile& file, std::size_t asked) {
    std::string bytes(asked, '\0');
    bytes.resize(file.read(bytes.data(), asked));
    return bytes;
}

TEST(ReadOnlyFile, ReadsFromWhereItWasMovedTo) {
    ScratchDir dir;
    const std::string name = dir.name("abc.dst");
    ASSERT_TRUE(writeFile(name, "0123456789"));
    ReadOnlyFile file(name);
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.size(), 10u);
    EXPECT_EQ(readAll(file, 4), "0123");
    EXPECT_EQ(readAll(file, 4), "4567");
    ASSERT_TRUE(file.seek(7));
    EXPECT_EQ(readAll(file, 100), "789");  // only what the file holds
    EXPECT_EQ(readAll(file, 5), "");
    ASSERT_TRUE(file.seek(50));
    EXPECT_EQ(readAll(file, 5), "");
}

TEST(ReadOnlyFile, AMovedFileReadsOnAndItsOldOwnerHoldsNone) {
    ScratchDir dir;
    const std::string name = dir.name("moved.dst");
    ASSERT_TRUE(writeFile(name, "0123456789"));
    ReadOnlyFile first(name);
    EXPECT_EQ(readAll(first, 3), "012");
    ReadOnlyFile second(std::move(first));
    EXPECT_FALSE(first.isOpen());  // NOLINT(bugprone-use-after-move): moved from on purpose
    EXPECT_EQ(readAll(second, 3), "345");
    ReadOnlyFile third(name);
    third = std::move(second);  // the file third held is closed, the moved one reads on
    EXPECT_EQ(readAll(third, 3), "678");
    // Every file was closed: Windows lets no one write a file a ReadOnlyFile holds, since it
    // shares reading only.
    third = ReadOnlyFile();
    EXPECT_TRUE(replaceFileContents(name, "ab"));
}

TEST(ReadOnlyFile, MissingFileOrDirectoryDoesNotOpen) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.path() / "folder.dst");
    for (const char* leaf : {"missing.dst", "folder.dst"}) {
        ReadOnlyFile file(dir.name(leaf));
        EXPECT_FALSE(file.isOpen()) << leaf;
        EXPECT_EQ(file.size(), 0u);
        EXPECT_FALSE(file.seek(0));
        char byte = 0;
        EXPECT_EQ(file.read(&byte, 1), 0u);
    }
}

TEST(ReadOnlyFile, SizesAndOffsetsBeyond4GbDoNotWrap) {
    ScratchDir dir;
    const std::string name = dir.name("big.dst");
    ASSERT_TRUE(writeFile(name, ""));
    const std::uint64_t size = (std::uint64_t{1} << 32) + 1000;
    std::error_code error;
    std::filesystem::resize_file(name, size, error);  // sparse: takes no disk space
    if (error) GTEST_SKIP() << "no sparse files here: " << error.message();
    ReadOnlyFile file(name);
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.size(), size);
    ASSERT_TRUE(file.seek(size - 100));
    EXPECT_EQ(readAll(file, 300), std::string(100, '\0'));  // a wrapped offset would give 300
}

TEST(ReplaceFileContents, WritesTheWholeNewContentAndNothingOfTheOld) {
    ScratchDir dir;
    const std::string name = dir.name("Temp.dif");
    ASSERT_TRUE(replaceFileContents(name, "a longer first content"));
    EXPECT_EQ(readFile(name), "a longer first content");
    ASSERT_TRUE(replaceFileContents(name, "short"));
    EXPECT_EQ(readFile(name), "short");
    ASSERT_TRUE(replaceFileContents(name, ""));
    EXPECT_EQ(readFile(name), "");

    std::string large(3 << 20, '\0');
    for (std::size_t k = 0; k < large.size(); ++k) large[k] = static_cast<char>(k % 251);
    ASSERT_TRUE(replaceFileContents(name, large));
    EXPECT_EQ(readFile(name), large);
}

TEST(ReplaceFileContents, FailsWhereNoFileCanBeWritten) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.path() / "folder");
    EXPECT_FALSE(replaceFileContents(dir.name("folder"), "x"));
    EXPECT_FALSE(replaceFileContents(dir.name("no-such-dir/file.dif"), "x"));
}

}  // namespace
}  // namespace tolvinark
