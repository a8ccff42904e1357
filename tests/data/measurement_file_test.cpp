#include "data/measurement_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "data/file_access.h"
#include "data/file_names.h"
#include "data/fixed_texts.h"
#include "tests/data/scratch_dir.h"

namespace tolvinark {
namespace {

using testing::ScratchDir;
using testing::writeFile;

const std::string kWrongType(texts::kMessageWrongType.view());
const std::string kOpenFailed(texts::kMessageOpenFailed.view());
const std::string kNoFile(texts::kMessageNoFile.view());

// `size` bytes in which every record differs from its neighbours in every field.
std::string patternBytes(std::size_t size, unsigned seed = 0) {
    std::string bytes(size, '\0');
    for (std::size_t k = 0; k < size; ++k)
        bytes[k] = static_cast<char>(k * 131 + (k / kRecordSize) * 7 + seed);
    return bytes;
}

FileRecord recordAt(const std::string& bytes, std::size_t n) {
    FileRecord record;
    std::memcpy(record.bytes.data(), bytes.data() + n * kRecordSize, kRecordSize);
    return record;
}

std::string recordBytes(const FileRecord& record) {
    return std::string(reinterpret_cast<const char*>(record.bytes.data()), kRecordSize);
}

bool sameEntry(const IndexEntry& a, const IndexEntry& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every entry matches its record in `bytes`, the serial number is the first record's and the
// current record is the last one.
void expectLoadedFrom(const MeasurementData& data, const std::string& bytes) {
    const std::size_t count = bytes.size() / kRecordSize;
    ASSERT_EQ(data.recordCount, count);
    ASSERT_TRUE(data.index);
    for (std::size_t n = 0; n < count; ++n) {
        const IndexEntry expected = makeIndexEntry(recordAt(bytes, n));
        ASSERT_TRUE(sameEntry(data.index[n], expected)) << "entry " << n;
        ASSERT_EQ(data.index[n].mark, 0) << "entry " << n;
    }
    EXPECT_EQ(data.serialNumber, recordSerialNumber(recordAt(bytes, 0)));
    EXPECT_EQ(recordBytes(data.currentRecord),
              bytes.substr((count - 1) * kRecordSize, kRecordSize));
}

void expectEmpty(const MeasurementData& data) {
    EXPECT_EQ(data.recordCount, 0u);
    EXPECT_FALSE(data.index);
    EXPECT_EQ(data.serialNumber, 0u);
}

class MeasurementFileTest : public ::testing::Test {
  protected:
    // Writes a file into the scratch directory and gives back its name.
    std::string makeFile(std::string_view leaf, const std::string& bytes) {
        const std::string name = dir_.name(leaf);
        EXPECT_TRUE(writeFile(name, bytes)) << name;
        return name;
    }

    ScratchDir dir_;
    MeasurementData data_;
};

TEST(DstExtension, LastFourCharactersInAnyLetterCase) {
    struct Case {
        std::string_view name;
        bool passes;
    };
    const Case cases[] = {
        {"a.dst", true},   {"C:\\data\\A.DST", true},
        {"x.Dst", true},   {"x.dSt", true},
        {".dst", true},    {"x.dsx", false},
        {"x.dst2", false}, {"ab", false},
        {"", false},       {"dst", false},
        {"x_dst", false},  {"x.ds", false},
        {"x.dst ", false}, {"x.dst.txt", false},
    };
    for (const Case& c : cases) EXPECT_EQ(hasDstExtension(c.name), c.passes) << c.name;
}

TEST_F(MeasurementFileTest, WholeRecordsCountAndTheTrailingPartIsIgnored) {
    struct Case {
        std::size_t size;
        std::uint32_t records;
    };
    // Counts around the 1 MB blocks the open reads (1783 records each) as well.
    const Case cases[] = {
        {kRecordSize, 1},
        {2 * kRecordSize, 2},
        {3 * kRecordSize + 100, 3},
        {1783 * kRecordSize, 1783},
        {1784 * kRecordSize + 587, 1784},
        {3566 * kRecordSize, 3566},
        {4001 * kRecordSize + 1, 4001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string bytes = patternBytes(c.size, static_cast<unsigned>(c.records));
        const std::string name = makeFile("size.dst", bytes);
        const FileResult result = openMeasurementFile(data_, name);
        EXPECT_EQ(result.outcome, FileOutcome::Ok);
        EXPECT_EQ(result.message, "");
        EXPECT_TRUE(data_.fileLoaded);
        EXPECT_EQ(data_.loadedFileName, name);
        expectLoadedFrom(data_, bytes.substr(0, c.records * kRecordSize));
    }
}

TEST_F(MeasurementFileTest, FileWithoutAWholeRecordIsRefusedAndCountsAsEmpty) {
    const std::string earlier = makeFile("earlier.dst", patternBytes(4 * kRecordSize));
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{kRecordSize - 1}}) {
        SCOPED_TRACE(size);
        ASSERT_TRUE(openMeasurementFile(data_, earlier).ok());
        const std::string name = makeFile("short.dst", patternBytes(size));
        const FileResult result = openMeasurementFile(data_, name);
        EXPECT_EQ(result.outcome, FileOutcome::NoIndexMemory);
        EXPECT_EQ(result.message, kOpenFailed);
        EXPECT_TRUE(data_.fileLoaded);
        EXPECT_EQ(data_.loadedFileName, name);
        expectEmpty(data_);
        EXPECT_EQ(readRecord(data_, 0).outcome, FileOutcome::NoSuchRecord);
    }
}

TEST_F(MeasurementFileTest, SerialNumberComesFromTheFirstRecord) {
    std::string bytes;
    for (std::uint32_t serial : {1703u, 42u, 1703u, 99999999u}) {
        FileRecord record;
        storeU32(record, record_offset::kSerialNumber, serial);
        bytes += recordBytes(record);
    }
    ASSERT_TRUE(openMeasurementFile(data_, makeFile("serials.dst", bytes)).ok());
    EXPECT_EQ(data_.serialNumber, 1703u);
    EXPECT_EQ(data_.index[1].serialNumber, 42u);
    EXPECT_EQ(data_.index[3].serialNumber, 99999999u);
}

TEST_F(MeasurementFileTest, ReadRecordTakesTheRecordAtItsPosition) {
    const std::string bytes = patternBytes(2000 * kRecordSize + 300);
    ASSERT_TRUE(openMeasurementFile(data_, makeFile("many.dst", bytes)).ok());
    for (std::uint32_t n : {0u, 1u, 2u, 1782u, 1783u, 1784u, 1999u, 7u}) {
        const FileResult result = readRecord(data_, n);
        EXPECT_EQ(result.outcome, FileOutcome::Ok) << n;
        EXPECT_EQ(result.message, "");
        EXPECT_EQ(recordBytes(data_.currentRecord), bytes.substr(n * kRecordSize, kRecordSize))
            << n;
    }
}

TEST_F(MeasurementFileTest, ReadRecordAtOrPastTheCountChangesNothing) {
    EXPECT_EQ(readRecord(data_, 0).outcome, FileOutcome::NoSuchRecord);  // nothing loaded yet
    const std::string bytes = patternBytes(3 * kRecordSize + 100);
    ASSERT_TRUE(openMeasurementFile(data_, makeFile("three.dst", bytes)).ok());
    ASSERT_TRUE(readRecord(data_, 1).ok());
    for (std::uint32_t n : {3u, 4u, 1000u, std::numeric_limits<std::uint32_t>::max()}) {
        const FileResult result = readRecord(data_, n);
        EXPECT_EQ(result.outcome, FileOutcome::NoSuchRecord) << n;
        EXPECT_EQ(result.message, "");
        EXPECT_EQ(recordBytes(data_.currentRecord), bytes.substr(kRecordSize, kRecordSize));
    }
}

TEST_F(MeasurementFileTest, RecordTheFileNoLongerHoldsWholeChangesNothing) {
    const std::string bytes = patternBytes(3 * kRecordSize);
    const std::string name = makeFile("shrinks.dst", bytes);
    ASSERT_TRUE(openMeasurementFile(data_, name).ok());
    ASSERT_TRUE(readRecord(data_, 0).ok());
    ASSERT_TRUE(writeFile(name, bytes.substr(0, kRecordSize + 300)));
    for (std::uint32_t n : {1u, 2u}) {
        EXPECT_EQ(readRecord(data_, n).outcome, FileOutcome::NoSuchRecord) << n;
        EXPECT_EQ(recordBytes(data_.currentRecord), bytes.substr(0, kRecordSize));
    }
}

TEST_F(MeasurementFileTest, FileGoneOnReadRecordNamesTheFile) {
    const std::string bytes = patternBytes(2 * kRecordSize);
    const std::string name = makeFile("gone.dst", bytes);
    ASSERT_TRUE(openMeasurementFile(data_, name).ok());
    ASSERT_TRUE(std::filesystem::remove(name));
    const FileResult result = readRecord(data_, 0);
    EXPECT_EQ(result.outcome, FileOutcome::FileMissing);
    EXPECT_EQ(result.message, kNoFile);
    EXPECT_EQ(result.name, name);
    EXPECT_EQ(recordBytes(data_.currentRecord), bytes.substr(kRecordSize));
    EXPECT_EQ(data_.recordCount, 2u);  // the list stays as it was
}

TEST_F(MeasurementFileTest, WrongTypeLeavesTheLoadedFileInUse) {
    const std::string bytes = patternBytes(5 * kRecordSize);
    const std::string name = makeFile("kept.dst", bytes);
    ASSERT_TRUE(openMeasurementFile(data_, name).ok());
    const IndexEntry* const index = data_.index.get();
    for (const std::string leaf : {"x.dsx", "x.dst2", "ab", ""}) {
        SCOPED_TRACE(leaf);
        // Even an existing file with a foreign type is never touched.
        const std::string other = leaf.empty() ? leaf : makeFile(leaf, patternBytes(kRecordSize));
        const FileResult result = openMeasurementFile(data_, other);
        EXPECT_EQ(result.outcome, FileOutcome::WrongType);
        EXPECT_EQ(result.message, kWrongType);
        EXPECT_EQ(data_.loadedFileName, name);
        EXPECT_EQ(data_.index.get(), index);
        EXPECT_EQ(data_.recordCount, 5u);
        ASSERT_TRUE(readRecord(data_, 3).ok());
        EXPECT_EQ(recordBytes(data_.currentRecord), bytes.substr(3 * kRecordSize, kRecordSize));
    }
}

TEST_F(MeasurementFileTest, NameEndsAtItsFirstZero) {
    // The part after a zero is no part of the name, so it cannot lend it the type.
    makeFile("notes.txt", patternBytes(kRecordSize));
    const std::string hidden = dir_.name("notes.txt") + std::string(1, '\0') + ".dst";
    EXPECT_EQ(openMeasurementFile(data_, hidden).outcome, FileOutcome::WrongType);

    const std::string bytes = patternBytes(2 * kRecordSize);
    const std::string name = makeFile("data.dst", bytes);
    ASSERT_TRUE(openMeasurementFile(data_, name + std::string(1, '\0') + "junk").ok());
    EXPECT_EQ(data_.loadedFileName, name);
    expectLoadedFrom(data_, bytes);
}

TEST_F(MeasurementFileTest, SecondOpenReplacesEverything) {
    const std::string first = patternBytes(6 * kRecordSize, 1);
    const std::string second = patternBytes(2 * kRecordSize, 2);
    ASSERT_TRUE(openMeasurementFile(data_, makeFile("first.dst", first)).ok());
    const std::string name = makeFile("second.Dst", second);
    ASSERT_TRUE(openMeasurementFile(data_, name).ok());
    EXPECT_EQ(data_.loadedFileName, name);
    expectLoadedFrom(data_, second);
    ASSERT_TRUE(readRecord(data_, 0).ok());
    EXPECT_EQ(recordBytes(data_.currentRecord), second.substr(0, kRecordSize));
    EXPECT_EQ(readRecord(data_, 2).outcome, FileOutcome::NoSuchRecord);
}

TEST_F(MeasurementFileTest, MissingFileOrDirectoryIsNamedInTheMessage) {
    const FileResult first = openMeasurementFile(data_, dir_.name("none.dst"));
    EXPECT_EQ(first.outcome, FileOutcome::FileMissing);
    EXPECT_FALSE(data_.fileLoaded);  // set only once a file was opened

    std::filesystem::create_directory(dir_.path() / "x.dst");
    for (const std::string leaf : {"missing.dst", "x.dst"}) {
        SCOPED_TRACE(leaf);
        ASSERT_TRUE(
            openMeasurementFile(data_, makeFile("loaded.dst", patternBytes(3 * kRecordSize))).ok());
        const std::string name = dir_.name(leaf);
        const FileResult result = openMeasurementFile(data_, name);
        EXPECT_EQ(result.outcome, FileOutcome::FileMissing);
        EXPECT_EQ(result.message, kNoFile);
        EXPECT_EQ(result.name, name);
        EXPECT_EQ(data_.loadedFileName, name);
        expectEmpty(data_);
    }
}

// A name of exactly `length` UTF-16 units that leads to the file `stem` + ".dst" (or `stem` +
// "p.dst") of the scratch directory through "./" steps; the file is written with `bytes`.
std::string paddedName(const ScratchDir& dir, std::size_t length, const std::string& bytes,
                       const std::string& stem) {
    const std::string base = dir.path().string() + "/";
    std::string leaf = stem + ".dst";
    if ((length - base.size() - fileNameUnits(leaf)) % 2 != 0) leaf = stem + "p.dst";
    // Written through the program's own file access, which takes the name as UTF-8 on Windows
    // too.
    EXPECT_TRUE(replaceFileContents(base + leaf, bytes));
    std::string name = base;
    while (fileNameUnits(name + leaf) < length) name += "./";
    return name + leaf;
}

// Counted in UTF-16 units, as the name buffer is: a Cyrillic letter is one, a character beyond
// the basic plane two, whatever their length in bytes.
TEST_F(MeasurementFileTest, NamesLongerThan259UnitsAreRefusedWhole) {
    const std::string bytes = patternBytes(2 * kRecordSize);
    for (const std::string stem : {"p", "цех 3 Замеры 2019 Ωμέγα 测量", "\xF0\x9F\x98\x80"}) {
        SCOPED_TRACE(stem);
        const std::string fits = paddedName(dir_, 259, bytes, stem);
        ASSERT_EQ(fileNameUnits(fits), 259u);
        EXPECT_EQ(openMeasurementFile(data_, fits).outcome, FileOutcome::Ok);
        expectLoadedFrom(data_, bytes);

        // The file exists under this name too; it is refused all the same, never shortened.
        const std::string tooLong = paddedName(dir_, 260, bytes, stem);
        ASSERT_EQ(fileNameUnits(tooLong), 260u);
        const FileResult result = openMeasurementFile(data_, tooLong);
        EXPECT_EQ(result.outcome, FileOutcome::FileMissing);
        EXPECT_EQ(result.message, kNoFile);
        EXPECT_EQ(result.name, tooLong);
        expectEmpty(data_);
    }
    const std::string tooLong = paddedName(dir_, 260, bytes, "p");

    // The type test still comes first.
    const std::string longWrongType = tooLong.substr(0, tooLong.size() - 4) + ".txt";
    EXPECT_EQ(openMeasurementFile(data_, longWrongType).outcome, FileOutcome::WrongType);
}

TEST_F(MeasurementFileTest, FileWithMoreRecordsThanTheIndexCanCountIsRefused) {
    // Sparse, so no disk space is used: more than 2^32 records.
    const std::string name = makeFile("huge.dst", "");
    std::error_code error;
    std::filesystem::resize_file(name, (std::uint64_t{1} << 32) * kRecordSize + 1, error);
    if (error) GTEST_SKIP() << "no sparse files here: " << error.message();
    const FileResult result = openMeasurementFile(data_, name);
    EXPECT_EQ(result.outcome, FileOutcome::NoIndexMemory);
    EXPECT_EQ(result.message, kOpenFailed);
    expectEmpty(data_);
}

TEST_F(MeasurementFileTest, FileWithMoreEntriesThanAnArrayCanHoldIsRefused) {
    // One entry more than the largest array a program can have: 45 GB for a 32-bit program.
    const std::uint64_t records =
        static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max()) /
            sizeof(IndexEntry) +
        1;
    if (records > std::numeric_limits<std::uint32_t>::max())
        GTEST_SKIP() << "more records than the index counts: the test above";
    const std::string name = makeFile("huge.dst", "");
    std::error_code error;
    std::filesystem::resize_file(name, records * kRecordSize, error);
    if (error) GTEST_SKIP() << "no sparse files here: " << error.message();
    const FileResult result = openMeasurementFile(data_, name);
    EXPECT_EQ(result.outcome, FileOutcome::NoIndexMemory);
    EXPECT_EQ(result.message, kOpenFailed);
    expectEmpty(data_);
}

}  // namespace
}  // namespace tolvinark
