#pragma once
// One measurement as the meter stores it: a 588-byte record, numbers little-endian. The reader
// functions decode a field wherever the host's byte order; bytes that are no field are kept as
// they came and never interpreted.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tolvinark {

inline constexpr std::uint32_t kRecordSize = 588;
inline constexpr std::size_t kSeriesCapacity = 128;  // points each series has room for
inline constexpr std::uint16_t kTimedMode = 2;       // the one mode with a duration and series

// Which of a timed measurement's two series is shown and exported.
enum class Series : std::uint16_t { Ci = 0, Cd = 1 };

struct FileRecord {
    std::array<unsigned char, kRecordSize> bytes{};
};

// Byte offsets of the fields within a record.
namespace record_offset {
inline constexpr std::size_t kSerialNumber = 4;
inline constexpr std::size_t kMode = 16;
inline constexpr std::size_t kYear = 18;
inline constexpr std::size_t kMonth = 20;
inline constexpr std::size_t kDay = 22;
inline constexpr std::size_t kHour = 24;
inline constexpr std::size_t kMinute = 26;
inline constexpr std::size_t kSecond = 28;
inline constexpr std::size_t kDuration = 30;
inline constexpr std::size_t kTemperature = 36;
inline constexpr std::size_t kHumidity = 38;
inline constexpr std::size_t kPressure = 40;
inline constexpr std::size_t kConcentration = 64;
inline constexpr std::size_t kCiSeries = 68;
inline constexpr std::size_t kCdSeries = 324;
inline constexpr std::size_t kPointCount = 580;
}  // namespace record_offset

std::uint32_t recordSerialNumber(const FileRecord& record);
std::uint16_t recordMode(const FileRecord& record);
std::uint16_t recordYear(const FileRecord& record);
std::uint16_t recordMonth(const FileRecord& record);
std::uint16_t recordDay(const FileRecord& record);
std::uint16_t recordHour(const FileRecord& record);
std::uint16_t recordMinute(const FileRecord& record);
std::uint16_t recordSecond(const FileRecord& record);
std::int16_t recordDuration(const FileRecord& record);      // seconds
std::uint16_t recordTemperature(const FileRecord& record);  // the meter's sign encoding
std::uint16_t recordHumidity(const FileRecord& record);     // percent, low 8 bits used
std::uint16_t recordPressure(const FileRecord& record);     // mmHg
float recordConcentration(const FileRecord& record);        // mg/m3
std::uint16_t recordPointCount(const FileRecord& record);   // as stored, may exceed 128
// Point i (0 to 127) of a series, in hundredths.
std::int16_t recordSeriesValue(const FileRecord& record, Series series, std::size_t i);
// The stored point count clamped to the room the series have: 0 to 128.
std::size_t recordUsablePointCount(const FileRecord& record);

// Little-endian stores, for the sample generator and tests that build records.
void storeU16(FileRecord& record, std::size_t offset, std::uint16_t value);
void storeU32(FileRecord& record, std::size_t offset, std::uint32_t value);
void storeFloat(FileRecord& record, std::size_t offset, float value);

}  // namespace tolvinark
