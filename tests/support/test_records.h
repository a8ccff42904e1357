#pragma once
// Measurement records and index entries made up for the tests and the benchmarks.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "data/file_record.h"
#include "data/record_index.h"

namespace tolvinark::test {

// A record built field by field; it starts as a timed measurement of 5 March 2019, 09:05:00,
// 754 s long, at 23 °C, 45 % and 752 mmHg, 0.123 mg/m3, with no points:
//   FileRecord record = TestRecord().mode(0).concentration(0.5f);
class TestRecord {
  public:
    TestRecord() {
        mode(kTimedMode).date(2019, 3, 5).time(9, 5, 0).duration(754).climate(23, 45, 752);
        concentration(0.123f);
    }
    TestRecord& serial(std::uint32_t value) {
        storeU32(record_, record_offset::kSerialNumber, value);
        return *this;
    }
    TestRecord& mode(std::uint16_t value) { return put(record_offset::kMode, value); }
    TestRecord& date(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
        return put(record_offset::kYear, year)
            .put(record_offset::kMonth, month)
            .put(record_offset::kDay, day);
    }
    TestRecord& time(std::uint16_t hour, std::uint16_t minute, std::uint16_t second) {
        return put(record_offset::kHour, hour)
            .put(record_offset::kMinute, minute)
            .put(record_offset::kSecond, second);
    }
    TestRecord& duration(std::uint16_t seconds) { return put(record_offset::kDuration, seconds); }
    // The temperature as stored: the meter's sign encoding (251 is -4 °C).
    TestRecord& climate(std::uint16_t temperature, std::uint16_t humidity, std::uint16_t pressure) {
        return put(record_offset::kTemperature, temperature)
            .put(record_offset::kHumidity, humidity)
            .put(record_offset::kPressure, pressure);
    }
    TestRecord& concentration(float value) {
        storeFloat(record_, record_offset::kConcentration, value);
        return *this;
    }
    // Stored as given, whatever the series hold.
    TestRecord& pointCount(std::uint16_t count) { return put(record_offset::kPointCount, count); }
    // Point i of a series, in hundredths of mg/m3.
    TestRecord& point(Series series, std::size_t i, std::int16_t value) {
        const std::size_t start =
            series == Series::Ci ? record_offset::kCiSeries : record_offset::kCdSeries;
        return put(start + 2 * i, static_cast<std::uint16_t>(value));
    }
    // The first points of a series.
    TestRecord& points(Series series, std::initializer_list<std::int16_t> values) {
        std::size_t i = 0;
        for (std::int16_t value : values) point(series, i++, value);
        return *this;
    }

    operator FileRecord() const { return record_; }  // NOLINT: built to be used as a record

  private:
    TestRecord& put(std::size_t offset, std::uint16_t value) {
        storeU16(record_, offset, value);
        return *this;
    }

    FileRecord record_;
};

// A timed measurement whose series start with the given points.
inline FileRecord timedRecord(std::uint16_t pointCount, std::initializer_list<std::int16_t> ci,
                              std::initializer_list<std::int16_t> cd = {}) {
    return TestRecord().pointCount(pointCount).points(Series::Ci, ci).points(Series::Cd, cd);
}

// An index entry of that date and time, every other field zero.
inline IndexEntry entryAt(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                          std::uint16_t hour = 0, std::uint16_t minute = 0,
                          std::uint16_t second = 0) {
    IndexEntry entry;
    entry.year = year;
    entry.month = month;
    entry.day = day;
    entry.hour = hour;
    entry.minute = minute;
    entry.second = second;
    return entry;
}

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

}  // namespace tolvinark::test
