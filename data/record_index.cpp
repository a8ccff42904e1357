#include "data/record_index.h"

#include <cstring>

namespace tolvinark {

namespace {

// Little-endian loads straight from a record's bytes, which the compiler turns into plain
// loads: building the index of a large file costs little more than reading it.
std::uint16_t loadU16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

std::uint32_t loadU32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

IndexEntry entryOf(const unsigned char* record) {
    IndexEntry entry;
    entry.serialNumber = loadU32(record + record_offset::kSerialNumber);
    entry.mode = loadU16(record + record_offset::kMode);
    entry.year = loadU16(record + record_offset::kYear);
    entry.month = loadU16(record + record_offset::kMonth);
    entry.day = loadU16(record + record_offset::kDay);
    entry.hour = loadU16(record + record_offset::kHour);
    entry.minute = loadU16(record + record_offset::kMinute);
    entry.second = loadU16(record + record_offset::kSecond);
    const std::uint32_t bits = loadU32(record + record_offset::kConcentration);
    std::memcpy(&entry.concentration, &bits, sizeof entry.concentration);
    return entry;
}

}  // namespace

IndexEntry makeIndexEntry(const FileRecord& record) {
    return entryOf(record.bytes.data());
}

void makeIndexEntries(const unsigned char* records, std::size_t count, IndexEntry* entries) {
    for (std::size_t i = 0; i < count; ++i) entries[i] = entryOf(records + i * kRecordSize);
}

}  // namespace tolvinark
