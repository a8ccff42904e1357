#include "data/file_record.h"

#include <cstring>

namespace tolvinark {
namespace {

std::uint16_t loadU16(const FileRecord& record, std::size_t offset) {
    return static_cast<std::uint16_t>(record.bytes[offset] | (record.bytes[offset + 1] << 8));
}

std::uint32_t loadU32(const FileRecord& record, std::size_t offset) {
    return static_cast<std::uint32_t>(record.bytes[offset]) |
           static_cast<std::uint32_t>(record.bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(record.bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(record.bytes[offset + 3]) << 24;
}

}  // namespace

std::uint32_t recordSerialNumber(const FileRecord& r) {
    return loadU32(r, record_offset::kSerialNumber);
}
std::uint16_t recordMode(const FileRecord& r) {
    return loadU16(r, record_offset::kMode);
}
std::uint16_t recordYear(const FileRecord& r) {
    return loadU16(r, record_offset::kYear);
}
std::uint16_t recordMonth(const FileRecord& r) {
    return loadU16(r, record_offset::kMonth);
}
std::uint16_t recordDay(const FileRecord& r) {
    return loadU16(r, record_offset::kDay);
}
std::uint16_t recordHour(const FileRecord& r) {
    return loadU16(r, record_offset::kHour);
}
std::uint16_t recordMinute(const FileRecord& r) {
    return loadU16(r, record_offset::kMinute);
}
std::uint16_t recordSecond(const FileRecord& r) {
    return loadU16(r, record_offset::kSecond);
}
std::int16_t recordDuration(const FileRecord& r) {
    return static_cast<std::int16_t>(loadU16(r, record_offset::kDuration));
}
std::uint16_t recordTemperature(const FileRecord& r) {
    return loadU16(r, record_offset::kTemperature);
}
std::uint16_t recordHumidity(const FileRecord& r) {
    return loadU16(r, record_offset::kHumidity);
}
std::uint16_t recordPressure(const FileRecord& r) {
    return loadU16(r, record_offset::kPressure);
}
std::uint16_t recordPointCount(const FileRecord& r) {
    return loadU16(r, record_offset::kPointCount);
}

float recordConcentration(const FileRecord& r) {
    const std::uint32_t bits = loadU32(r, record_offset::kConcentration);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::int16_t recordSeriesValue(const FileRecord& r, Series series, std::size_t i) {
    if (i >= kSeriesCapacity) return 0;
    const std::size_t start =
        series == Series::Ci ? record_offset::kCiSeries : record_offset::kCdSeries;
    return static_cast<std::int16_t>(loadU16(r, start + 2 * i));
}

std::size_t recordUsablePointCount(const FileRecord& r) {
    const std::size_t stored = recordPointCount(r);
    return stored < kSeriesCapacity ? stored : kSeriesCapacity;
}

void storeU16(FileRecord& r, std::size_t offset, std::uint16_t value) {
    r.bytes[offset] = static_cast<unsigned char>(value & 0xFF);
    r.bytes[offset + 1] = static_cast<unsigned char>(value >> 8);
}

void storeU32(FileRecord& r, std::size_t offset, std::uint32_t value) {
    for (std::size_t k = 0; k < 4; ++k)
        r.bytes[offset + k] = static_cast<unsigned char>(value >> (8 * k));
}

void storeFloat(FileRecord& r, std::size_t offset, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    storeU32(r, offset, bits);
}

}  // namespace tolvinark
