#pragma once
// Index entries and file records built for the view tests.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "data/file_record.h"
#include "data/record_index.h"

namespace tolvinark::test {

// Entry k of a made-up file: its time of day (and the seconds past 24 hours) differ from every
// other entry's, so a row's time text tells which record it shows.
inline IndexEntry numberedEntry(std::uint32_t k) {
    IndexEntry entry;
    entry.serialNumber = 4711;
    entry.mode = static_cast<std::uint16_t>(k % 5);
    entry.year = 2019;
    entry.month = 3;
    entry.day = 5;
    entry.hour = static_cast<std::uint16_t>(k / 60 % 24);
    entry.minute = static_cast<std::uint16_t>(k % 60);
    entry.second = static_cast<std::uint16_t>(k / 1440 % 60);
    entry.concentration = 0.5f;
    return entry;
}

inline std::vector<IndexEntry> numberedEntries(std::uint32_t count) {
    std::vector<IndexEntry> entries;
    entries.reserve(count);
    for (std::uint32_t k = 0; k < count; ++k) entries.push_back(numberedEntry(k));
    return entries;
}

// A timed measurement whose series start with the given points (hundredths); `pointCount` is
// stored as given, whatever the series hold.
inline FileRecord timedRecord(std::uint16_t pointCount, std::initializer_list<std::int16_t> ci,
                              std::initializer_list<std::int16_t> cd = {}) {
    FileRecord record;
    storeU16(record, record_offset::kMode, 2);
    storeU16(record, record_offset::kYear, 2019);
    storeU16(record, record_offset::kMonth, 3);
    storeU16(record, record_offset::kDay, 5);
    storeU16(record, record_offset::kHour, 9);
    storeU16(record, record_offset::kMinute, 5);
    storeU16(record, record_offset::kDuration, 754);
    storeU16(record, record_offset::kTemperature, 23);
    storeU16(record, record_offset::kHumidity, 45);
    storeU16(record, record_offset::kPressure, 752);
    storeFloat(record, record_offset::kConcentration, 0.123f);
    storeU16(record, record_offset::kPointCount, pointCount);
    std::size_t i = 0;
    for (std::int16_t v : ci) {
        storeU16(record, record_offset::kCiSeries + 2 * i++, static_cast<std::uint16_t>(v));
    }
    i = 0;
    for (std::int16_t v : cd) {
        storeU16(record, record_offset::kCdSeries + 2 * i++, static_cast<std::uint16_t>(v));
    }
    return record;
}

inline void storeSeriesValue(FileRecord& record, Series series, std::size_t i, std::int16_t v) {
    const std::size_t start =
        series == Series::Ci ? record_offset::kCiSeries : record_offset::kCdSeries;
    storeU16(record, start + 2 * i, static_cast<std::uint16_t>(v));
}

inline std::string bytes(std::string_view text) {
    return std::string(text);
}

}  // namespace tolvinark::test
