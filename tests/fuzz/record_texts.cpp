// Fuzz target: every text composed from a record, on a record of arbitrary bytes and an
// arbitrary shown mode, and the digit writers themselves on arbitrary values. Input: one record
// (588 bytes), the shown mode (2 bytes), then values of 4 bytes each; missing bytes read as 0,
// so a measurement file is a good seed. Values past the first 8 are not used.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "data/digit_writers.h"
#include "data/fixed_texts.h"
#include "data/record_index.h"
#include "data/record_texts.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/input_reader.h"
#include "tests/fuzz/list_row_checks.h"
#include "tests/fuzz/reference_texts.h"

namespace tolvinark::fuzz {
namespace {

constexpr int kMaxValues = 8;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// --- digit writers ----------------------------------------------------------------------------

// A writer writes at the middle of this area; every byte outside what it reports as written
// must keep the guard value.
class GuardedArea {
  public:
    static constexpr std::size_t kSize = 64;
    static constexpr std::size_t kStart = 24;
    static constexpr char kGuard = '\x7f';

    GuardedArea() { std::memset(bytes_, kGuard, kSize); }
    char* out() { return bytes_ + kStart; }

    // The text the writer wrote, ending at `end`, after checking the guard bytes around it.
    std::string_view written(const char* end) const {
        FUZZ_CHECK(end >= bytes_ + kStart && end <= bytes_ + kSize);
        const auto length = static_cast<std::size_t>(end - (bytes_ + kStart));
        for (std::size_t k = 0; k < kSize; ++k) {
            if (k < kStart || k >= kStart + length) FUZZ_CHECK(bytes_[k] == kGuard);
        }
        return {bytes_ + kStart, length};
    }

  private:
    char bytes_[kSize];
};

void checkDigitWriters(std::uint32_t value) {
    const std::uint32_t low8 = value & 0xFFu;
    const std::uint32_t low16 = value & 0xFFFFu;
    {
        GuardedArea area;
        write3Positions(value, area.out());
        const std::string_view text = area.written(area.out() + 3);
        FUZZ_CHECK(text[0] == (low8 >= 100 ? static_cast<char>('0' + low8 / 100) : ' '));
        FUZZ_CHECK(digitsValue(text.substr(1)) == low8 % 100);
    }
    {
        GuardedArea area;
        write5Positions(value, area.out());
        const std::string_view text = area.written(area.out() + 5);
        const std::size_t firstDigit = text.find_first_not_of(' ');
        FUZZ_CHECK(firstDigit != std::string_view::npos);
        FUZZ_CHECK(isPlainNumber(text.substr(firstDigit)));
        FUZZ_CHECK(digitsValue(text.substr(firstDigit)) == low16);
    }
    {
        GuardedArea area;
        const std::string_view text = area.written(write2Digits(value, area.out()));
        FUZZ_CHECK(isTwoDigitsOf(text, value));
    }
    {
        GuardedArea area;
        const std::string_view text = area.written(writeUpTo3Digits(value, area.out()));
        FUZZ_CHECK(text.size() <= 3 && isPlainNumber(text) && digitsValue(text) == low8);
    }
    {
        GuardedArea area;
        const std::string_view text = area.written(writeUpTo5Digits(value, area.out()));
        FUZZ_CHECK(text.size() <= 5 && isPlainNumber(text) && digitsValue(text) == low16);
    }
    {
        GuardedArea area;
        const std::string_view text = area.written(writeUpTo8Digits(value, area.out()));
        FUZZ_CHECK(isPlainNumber(text) && digitsValue(text) == value);
        FUZZ_CHECK(value > 99999999 || text.size() <= 8);
    }
    {
        GuardedArea area;
        const std::string_view text = area.written(writeAllDigits(value, area.out()));
        FUZZ_CHECK(isPlainNumber(text) && digitsValue(text) == value);
    }
    for (const std::uint32_t hundredths : {low16, value}) {
        GuardedArea area;
        const std::size_t length = writeHundredthsWithPoint(hundredths, area.out());
        const std::string_view text = area.written(area.out() + length);
        FUZZ_CHECK(text == hundredthsReference(hundredths, '.'));
        FUZZ_CHECK(hundredths > 0xFFFF || (length >= 4 && length <= 6));
    }
    {
        GuardedArea area;
        const auto signedValue = static_cast<std::int16_t>(low16);
        const std::string_view text =
            area.written(writeHundredthsWithComma(signedValue, area.out()));
        const std::int32_t wide = signedValue;
        const std::string expected =
            (wide < 0 ? "-" : "") + hundredthsReference(wide < 0 ? -wide : wide, ',');
        FUZZ_CHECK(text == expected);
    }
    {
        GuardedArea area;
        float concentration;
        std::memcpy(&concentration, &value, sizeof concentration);
        const std::string_view text = area.written(writeThreeDecimals(concentration, area.out()));
        FUZZ_CHECK(text.size() >= 5 && text.size() <= 10);
        FUZZ_CHECK(text == threeDecimalsReference(concentration));
    }
}

// --- detail texts -----------------------------------------------------------------------------

std::string plainNumber(std::uint32_t value) {
    return std::to_string(value);
}

void checkDateTimeHeader(const FileRecord& record) {
    // DD.MM.YEAR  HH:MM:SS  with the year's digits without leading zeros.
    const ComposedText header = dateTimeHeader(record);
    const std::string_view h = header.view();
    const std::string year = plainNumber(recordYear(record));
    FUZZ_CHECK(h.size() == 18 + year.size());
    FUZZ_CHECK(isTwoDigitsOf(h.substr(0, 2), recordDay(record)) && h[2] == '.');
    FUZZ_CHECK(isTwoDigitsOf(h.substr(3, 2), recordMonth(record)) && h[5] == '.');
    FUZZ_CHECK(h.substr(6, year.size()) == year);
    const std::string_view time = h.substr(6 + year.size());
    FUZZ_CHECK(startsWith(time, "  ") && endsWith(time, "  "));
    FUZZ_CHECK(isTwoDigitsOf(time.substr(2, 2), recordHour(record)) && time[4] == ':');
    FUZZ_CHECK(isTwoDigitsOf(time.substr(5, 2), recordMinute(record)) && time[7] == ':');
    FUZZ_CHECK(isTwoDigitsOf(time.substr(8, 2), recordSecond(record)));
}

void checkClimateLine(const FileRecord& record) {
    // The template with the three numbers put in at fixed places; nothing else changes.
    std::string expected(cp1251("Т=           H=            P=        mmHg ").view());
    const auto putAt = [&expected](std::size_t position, const std::string& text) {
        FUZZ_CHECK(position + text.size() <= expected.size());
        expected.replace(position, text.size(), text);
    };
    const std::uint16_t temperature = recordTemperature(record);
    const std::uint32_t low8 = temperature & 0xFFu;
    const bool belowZero = static_cast<std::int16_t>(temperature) > 127;
    expected[3] = belowZero ? '-' : ' ';
    putAt(4, plainNumber(belowZero ? 255 - low8 : low8) + std::string(cp1251(" °c ").view()));
    putAt(17, plainNumber(recordHumidity(record) & 0xFFu) + " % ");
    putAt(31, plainNumber(recordPressure(record)) + " ");

    const ComposedText line = climateLine(record);
    FUZZ_CHECK(line.length == 42);
    FUZZ_CHECK(line.view() == expected);
}

void checkDurationLine(const FileRecord& record) {
    const ComposedText line = durationLine(record);
    const std::string_view d = line.view();
    const std::int16_t stored = recordDuration(record);
    const std::uint32_t seconds = stored > 0 ? static_cast<std::uint32_t>(stored) : 0;
    FUZZ_CHECK(d.size() == (seconds >= 3600 ? 31u : 28u));
    FUZZ_CHECK(startsWith(d, texts::kDurationLabel) && endsWith(d, "   "));
    std::string_view clock = d.substr(20, d.size() - 23);
    std::uint32_t shown = 0;
    if (seconds >= 3600) {
        FUZZ_CHECK(clock[2] == ':');
        shown = static_cast<std::uint32_t>(digitsValue(clock.substr(0, 2))) * 3600;
        clock.remove_prefix(3);
    }
    FUZZ_CHECK(clock.size() == 5 && clock[2] == ':');
    const long long minutes = digitsValue(clock.substr(0, 2));
    const long long rest = digitsValue(clock.substr(3, 2));
    FUZZ_CHECK(minutes >= 0 && minutes < 60 && rest >= 0 && rest < 60);
    shown += static_cast<std::uint32_t>(minutes * 60 + rest);
    FUZZ_CHECK(shown == seconds);
}

void checkDetailTexts(const FileRecord& record, std::uint16_t shownMode) {
    const std::string_view mode = detailModeName(shownMode);
    FUZZ_CHECK(mode.size() == 25 && mode == expectedModeName(shownMode, true));

    checkDateTimeHeader(record);

    const ComposedText line = concentrationLine(record, shownMode);
    const std::string pair = concentrationPairReference(recordConcentration(record), shownMode);
    FUZZ_CHECK(line.length == pair.size() + 9 && line.length <= 34);
    FUZZ_CHECK(line.view() == pair + "   " + std::string(texts::kUnitText.view()) + " ");

    checkClimateLine(record);
    checkDurationLine(record);
}

// --- texts of the file's numbers --------------------------------------------------------------

void checkNumberTexts(std::uint32_t first, std::uint32_t second) {
    const std::string firstDigits = plainNumber(first);
    const std::string secondDigits = plainNumber(second);

    const ComposedText label = serialNumberLabel(first);
    FUZZ_CHECK(label.length == 21 + firstDigits.size());
    FUZZ_CHECK(label.view() == std::string(texts::kSerialNumberLabelPrefix.view()) + firstDigits);
    FUZZ_CHECK(serialNumberText(first).view() == firstDigits);

    // Right-aligned in five places, wider only when the count needs it, then two blanks.
    const ComposedText count = recordCountText(first);
    const std::string padding(firstDigits.size() < 5 ? 5 - firstDigits.size() : 0, ' ');
    FUZZ_CHECK(count.view() == padding + firstDigits + "  ");
    FUZZ_CHECK(first > 99999 || count.length == 7);

    const ComposedText page = pageLabel(first, second);
    FUZZ_CHECK(page.view() == std::string(cp1251(" лист  ").view()) + firstDigits +
                                  std::string(cp1251("  из  ").view()) + secondDigits + " ");
    FUZZ_CHECK(page.length >= 16 && page.length <= 34);
}

}  // namespace
}  // namespace tolvinark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace tolvinark;
    using namespace tolvinark::fuzz;
    InputReader input(bytes, size);
    FileRecord record;
    input.take(record.bytes.data(), kRecordSize);
    const std::uint16_t shownMode = input.u16();

    checkListRow(makeIndexEntry(record));
    checkDetailTexts(record, shownMode);
    checkNumberTexts(recordSerialNumber(record), recordPointCount(record));
    // A bounded number of values keeps every run short whatever the input's length.
    for (int k = 0; k < kMaxValues && (k == 0 || !input.atEnd()); ++k) {
        const std::uint32_t value = input.u32();
        checkDigitWriters(value);
        checkNumberTexts(value, ~value);
    }
    return 0;
}
