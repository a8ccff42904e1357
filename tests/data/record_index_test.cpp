#include "data/record_index.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "data/file_record.h"

namespace tolvinark {
namespace {

// Records in which every byte differs from its neighbours, so a field taken from the wrong
// offset, or from the wrong record of a run, gives another value.
std::vector<unsigned char> patternRecords(std::size_t count) {
    std::vector<unsigned char> bytes(count * kRecordSize);
    for (std::size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = static_cast<unsigned char>(k * 131 + (k / kRecordSize) * 7 + 3);
    return bytes;
}

FileRecord recordAt(const std::vector<unsigned char>& bytes, std::size_t n) {
    FileRecord record;
    std::memcpy(record.bytes.data(), bytes.data() + n * kRecordSize, kRecordSize);
    return record;
}

std::uint32_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The entry's fields against the record's own field readers; the concentration's four bytes
// unchanged (the patterns include NaN payloads), mark and spares 0.
void expectEntryOf(const IndexEntry& entry, const FileRecord& record) {
    EXPECT_EQ(entry.serialNumber, recordSerialNumber(record));
    EXPECT_EQ(entry.mode, recordMode(record));
    EXPECT_EQ(entry.year, recordYear(record));
    EXPECT_EQ(entry.month, recordMonth(record));
    EXPECT_EQ(entry.day, recordDay(record));
    EXPECT_EQ(entry.hour, recordHour(record));
    EXPECT_EQ(entry.minute, recordMinute(record));
    EXPECT_EQ(entry.second, recordSecond(record));
    std::uint32_t stored;
    std::memcpy(&stored, record.bytes.data() + record_offset::kConcentration, sizeof stored);
    EXPECT_EQ(bitsOf(entry.concentration), stored);
    EXPECT_EQ(entry.mark, 0);
    EXPECT_EQ(entry.spare, 0);
    EXPECT_EQ(entry.spare2, 0u);
}

TEST(RecordIndex, EntriesOfARunOfRecordsTakeEachRecordsOwnFields) {
    const std::size_t count = 300;
    const std::vector<unsigned char> bytes = patternRecords(count);
    std::vector<IndexEntry> entries(count + 1);
    entries[count].serialNumber = 0xDEADBEEF;
    makeIndexEntries(bytes.data(), count, entries.data());
    for (std::size_t n = 0; n < count; ++n) {
        SCOPED_TRACE(n);
        expectEntryOf(entries[n], recordAt(bytes, n));
    }
    EXPECT_EQ(entries[count].serialNumber, 0xDEADBEEFu) << "nothing written past the run";
}

TEST(RecordIndex, OneRecordsEntryIsTheSameAsInARun) {
    const std::vector<unsigned char> bytes = patternRecords(5);
    std::vector<IndexEntry> run(5);
    makeIndexEntries(bytes.data(), run.size(), run.data());
    for (std::size_t n = 0; n < run.size(); ++n) {
        const IndexEntry single = makeIndexEntry(recordAt(bytes, n));
        expectEntryOf(single, recordAt(bytes, n));
        EXPECT_EQ(std::memcmp(&single, &run[n], sizeof single), 0) << n;
    }
}

}  // namespace
}  // namespace tolvinark
