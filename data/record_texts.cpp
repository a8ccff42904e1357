#include "data/record_texts.h"

#include <cstring>

#include "data/digit_writers.h"
#include "data/fixed_texts.h"

namespace tolvinark {
namespace {

constexpr auto kPlusMinus = cp1251("  ±  ");
constexpr auto kDegrees = cp1251(" °c ");
constexpr std::string_view kPercent = " % ";
constexpr auto kClimateTemplate = cp1251("Т=           H=            P=        mmHg ");
constexpr auto kPageWord = cp1251(" лист  ");
constexpr auto kOfWord = cp1251("  из  ");

// Positions within the climate line.
constexpr std::size_t kTemperatureSign = 3;
constexpr std::size_t kTemperatureDigits = 4;
constexpr std::size_t kHumidityDigits = 17;
constexpr std::size_t kPressureDigits = 31;

char* put(std::string_view text, char* out) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// The list writes day, month and year (or hour, minute and second) in their fixed-width forms
// into a work area, puts the separators over the hundreds of the second and third value, and
// takes the text from the first value's tens on: the last two digits of each.
constexpr std::size_t kListWorkArea = 11;

ComposedText fromListWorkArea(char (&work)[kListWorkArea], char separator, std::size_t length) {
    work[3] = separator;
    work[6] = separator;
    ComposedText text;
    std::memcpy(text.begin(), work + 1, length);
    text.length = length;
    return text;
}

char* writeConcentrationPair(float concentration, std::uint16_t mode, char* out) {
    out = writeThreeDecimals(concentration, out);
    out = put(kPlusMinus, out);
    return writeThreeDecimals(errorValue(concentration, mode), out);
}

// A negative duration is no length of time; it shows as none.
std::uint32_t durationSeconds(const FileRecord& record) {
    const std::int16_t stored = recordDuration(record);
    return stored > 0 ? static_cast<std::uint32_t>(stored) : 0;
}

// "mm:ss", with "hh:" in front from an hour on or when `withHours`.
char* writeDuration(std::uint32_t seconds, bool withHours, char* out) {
    if (withHours || seconds >= 3600) {
        out = write2Digits(seconds / 3600, out);
        *out++ = ':';
        seconds %= 3600;
    }
    out = write2Digits(seconds / 60, out);
    *out++ = ':';
    return write2Digits(seconds % 60, out);
}

}  // namespace

ComposedText listDateText(const IndexEntry& entry) {
    char work[kListWorkArea];
    write3Positions(entry.day, work);
    write3Positions(entry.month, work + 3);
    write5Positions(entry.year, work + 6);
    return fromListWorkArea(work, '.', 10);
}

ComposedText listTimeText(const IndexEntry& entry) {
    char work[kListWorkArea];
    write3Positions(entry.hour, work);
    write3Positions(entry.minute, work + 3);
    write3Positions(entry.second, work + 6);
    return fromListWorkArea(work, ':', 8);
}

std::string_view listModeName(std::uint16_t mode) {
    switch (mode) {
        case 0: return texts::kModeName0;
        case 1: return texts::kModeName1;
        case 2: return texts::kModeName2;
        case 3: return texts::kListModeName3;
        default: return texts::kOtherModeName;
    }
}

ComposedText concentrationPair(float concentration, std::uint16_t mode) {
    ComposedText text;
    text.endAt(writeConcentrationPair(concentration, mode, text.begin()));
    return text;
}

std::string_view detailModeName(std::uint16_t shownMode) {
    switch (shownMode) {
        case 0: return texts::kModeName0;
        case 1: return texts::kModeName1;
        case 2: return texts::kModeName2;
        case 3: return texts::kDetailModeName3;
        default: return texts::kOtherModeName;
    }
}

ComposedText dateTimeHeader(const FileRecord& record) {
    ComposedText text;
    char* p = text.begin();
    p = write2Digits(recordDay(record), p);
    *p++ = '.';
    p = write2Digits(recordMonth(record), p);
    *p++ = '.';
    p = writeUpTo5Digits(recordYear(record), p);
    p = put("  ", p);
    p = write2Digits(recordHour(record), p);
    *p++ = ':';
    p = write2Digits(recordMinute(record), p);
    *p++ = ':';
    p = write2Digits(recordSecond(record), p);
    p = put("  ", p);
    text.endAt(p);
    return text;
}

ComposedText concentrationLine(const FileRecord& record, std::uint16_t shownMode) {
    ComposedText text;
    char* p = writeConcentrationPair(recordConcentration(record), shownMode, text.begin());
    p = put("   ", p);
    p = put(texts::kUnitText, p);
    p = put(" ", p);
    text.endAt(p);
    return text;
}

ComposedText climateLine(const FileRecord& record) {
    ComposedText text;
    char* line = text.begin();
    put(kClimateTemplate, line);
    text.length = kClimateTemplate.length;

    // 255 is "-0": the sign comes from the field, not from the number.
    const bool belowZero = static_cast<std::int16_t>(recordTemperature(record)) > 127;
    const int temperature = shownTemperature(record);
    line[kTemperatureSign] = belowZero ? '-' : ' ';
    char* p = writeUpTo3Digits(static_cast<std::uint32_t>(belowZero ? -temperature : temperature),
                               line + kTemperatureDigits);
    put(kDegrees, p);

    p = writeUpTo3Digits(recordHumidity(record), line + kHumidityDigits);
    put(kPercent, p);

    p = writeUpTo5Digits(recordPressure(record), line + kPressureDigits);
    *p = ' ';
    return text;
}

ComposedText durationLine(const FileRecord& record) {
    ComposedText text;
    char* p = put(texts::kDurationLabel, text.begin());
    p = writeDuration(durationSeconds(record), false, p);
    p = put("   ", p);
    text.endAt(p);
    return text;
}

ComposedText durationClock(const FileRecord& record) {
    ComposedText text;
    text.endAt(writeDuration(durationSeconds(record), true, text.begin()));
    return text;
}

float errorValue(float concentration, std::uint16_t mode) {
    // Stored through a float so the error is the single-precision product even where the
    // floating-point unit computes with more precision.
    volatile float error = concentration * ((mode & 0xFFu) == 3 ? 0.25f : 0.2f);
    return error;
}

int shownTemperature(const FileRecord& record) {
    const std::uint16_t temperature = recordTemperature(record);
    const int low8 = temperature & 0xFF;
    return static_cast<std::int16_t>(temperature) > 127 ? -(255 - low8) : low8;
}

ComposedText seriesTimeText(std::size_t point) {
    const auto minutes = static_cast<std::uint32_t>((point + 1) * 5);
    ComposedText text;
    char* p = write2Digits(minutes / 60, text.begin());
    *p++ = ':';
    text.endAt(write2Digits(minutes % 60, p));
    return text;
}

ComposedText seriesValueText(std::int16_t hundredths) {
    ComposedText text;
    char* p = text.begin();
    if (hundredths < 0) *p++ = '-';
    const auto magnitude =
        static_cast<std::uint32_t>(hundredths < 0 ? -std::int32_t{hundredths} : hundredths);
    text.endAt(p + writeHundredthsWithPoint(magnitude, p));
    return text;
}

ComposedText serialNumberLabel(std::uint32_t serialNumber) {
    ComposedText text;
    char* p = put(texts::kSerialNumberLabelPrefix, text.begin());
    text.endAt(writeUpTo8Digits(serialNumber, p));
    return text;
}

ComposedText serialNumberText(std::uint32_t serialNumber) {
    ComposedText text;
    text.endAt(writeUpTo8Digits(serialNumber, text.begin()));
    return text;
}

ComposedText recordCountText(std::uint32_t recordCount) {
    char digits[10];
    const std::size_t digitCount =
        static_cast<std::size_t>(writeAllDigits(recordCount, digits) - digits);
    ComposedText text;
    char* p = text.begin();
    for (std::size_t width = digitCount; width < 5; ++width) *p++ = ' ';
    p = put({digits, digitCount}, p);
    p = put("  ", p);
    text.endAt(p);
    return text;
}

ComposedText pageLabel(std::uint32_t pageNumber, std::uint32_t pageCount) {
    ComposedText text;
    char* p = put(kPageWord, text.begin());
    p = writeAllDigits(pageNumber, p);
    p = put(kOfWord, p);
    p = writeAllDigits(pageCount, p);
    p = put(" ", p);
    text.endAt(p);
    return text;
}

}  // namespace tolvinark
