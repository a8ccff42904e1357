#pragma once
// The record index: a 28-byte summary of every record of the loaded file, in file order, kept so
// that the list and the list printout never go back to the file.

#include <cstddef>
#include <cstdint>

#include "data/file_record.h"

namespace tolvinark {

struct IndexEntry {
    std::uint32_t serialNumber = 0;
    std::uint16_t mode = 0;
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint8_t mark = 0;  // non-zero draws the row in the marking colour; nothing sets it
    std::uint8_t spare = 0;
    float concentration = 0.0f;  // the record's four bytes, unchanged
    std::uint32_t spare2 = 0;
};
static_assert(sizeof(IndexEntry) == 28, "an index entry occupies 28 bytes");

IndexEntry makeIndexEntry(const FileRecord& record);

// The entries of `count` whole records stored one after another at `records`, as a file holds
// them, into entries[0] to entries[count - 1].
void makeIndexEntries(const unsigned char* records, std::size_t count, IndexEntry* entries);

}  // namespace tolvinark
