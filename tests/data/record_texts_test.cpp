#include "data/record_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "data/cp1251.h"
#include "data/digit_writers.h"
#include "data/fixed_texts.h"
#include "tests/support/test_records.h"

namespace tolvinark {
namespace {

using test::entryAt;

// A code page 1251 literal kept as a string, so tables can hold it beyond the literal's
// lifetime.
template <std::size_t N>
std::string str(const Cp1251Literal<N>& literal) {
    return std::string(literal.view());
}

std::string str(const ComposedText& text) {
    return std::string(text.view());
}

// The float whose 32 bits these are: NaNs of any sign and payload, as a file may hold them.
float floatOfBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

FileRecord recordWithClimate(std::uint16_t temperature, std::uint16_t humidity,
                             std::uint16_t pressure) {
    return test::TestRecord().climate(temperature, humidity, pressure);
}

FileRecord recordWithDuration(std::int16_t seconds) {
    return test::TestRecord().duration(static_cast<std::uint16_t>(seconds));
}

TEST(RecordTexts, ListDateText) {
    const struct {
        IndexEntry entry;
        const char* expected;
    } cases[] = {
        {entryAt(2019, 3, 5), "05.03.2019"},     {entryAt(19, 3, 5), "05.03.  19"},
        {entryAt(0, 0, 0), "00.00.   0"},        {entryAt(2019, 12, 31), "31.12.2019"},
        {entryAt(2019, 300, 123), "23.44.2019"},  // the last two digits of the low 8 bits
    };
    for (const auto& c : cases) EXPECT_EQ(str(listDateText(c.entry)), c.expected);
}

TEST(RecordTexts, ListTimeText) {
    const struct {
        IndexEntry entry;
        const char* expected;
    } cases[] = {
        {entryAt(2019, 1, 1, 9, 5, 0), "09:05:00"},
        {entryAt(2019, 1, 1, 23, 59, 59), "23:59:59"},
        {entryAt(2019, 1, 1, 0, 0, 0), "00:00:00"},
        {entryAt(2019, 1, 1, 123, 300, 256), "23:44:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(str(listTimeText(c.entry)), c.expected);
}

TEST(RecordTexts, ModeNamesInListAndDetail) {
    const auto express30 = str(cp1251(" Экспрес - измерение 30  "));
    const auto express120 = str(cp1251(" Экспрес - измерение 120 "));
    const auto timed = str(cp1251(" Измерение по времени    "));
    const auto other = str(cp1251(" ???                     "));
    const struct {
        std::uint16_t mode;
        std::string list;
        std::string detail;
    } cases[] = {
        {0, express30, express30},
        {1, express120, express120},
        {2, timed, timed},
        {3, str(cp1251(" Диапазон 2              ")), str(cp1251("       Диапазон 2        "))},
        {4, other, other},
        {7, other, other},
        {259, other, other},
        {65535, other, other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(listModeName(c.mode), c.list) << c.mode;
        EXPECT_EQ(detailModeName(c.mode), c.detail) << c.mode;
        EXPECT_EQ(listModeName(c.mode).size(), 25u);
        EXPECT_EQ(detailModeName(c.mode).size(), 25u);
    }
}

TEST(RecordTexts, ConcentrationPair) {
    const struct {
        float concentration;
        std::uint16_t mode;
        std::string expected;
    } cases[] = {
        {0.123f, 0, str(cp1251("0.123  ±  0.024"))},
        {1.234f, 3, str(cp1251("1.233  ±  0.308"))},
        {1.234f, 259, str(cp1251("1.233  ±  0.308"))},  // only the low 8 bits choose a quarter
        {1.234f, 768, str(cp1251("1.233  ±  0.246"))},
        {1.234f, 2, str(cp1251("1.233  ±  0.246"))},
        {12.5f, 1, str(cp1251("12.500  ±  2.500"))},
        {kPrintThreshold, 0, str(cp1251("0.000  ±  0.000"))},
        {0.0f, 3, str(cp1251("0.000  ±  0.000"))},
        {-4.0f, 0, str(cp1251("0.000  ±  0.000"))},
        {999999.875f, 0, str(cp1251("999999.875  ±  199999.984"))},
        {1000000.0f, 0, str(cp1251("-.---  ±  200000.000"))},
        // The error is the product rounded to a float: 0.01f * 0.2f rounds up to just above
        // 0.002, where the exact product (and its truncation, 0.001) lies just below it.
        {0.01f, 0, str(cp1251("0.009  ±  0.002"))},
        {0.055f, 0, str(cp1251("0.054  ±  0.010"))},
        // What files from a faulty meter hold: no number, infinities, the largest float, and
        // values not above 0 down to the smallest denormal.
        {floatOfBits(0x7FC00000), 0, str(cp1251("0.000  ±  0.000"))},  // quiet NaN
        {floatOfBits(0xFFC00000), 0, str(cp1251("0.000  ±  0.000"))},  // negative NaN
        {floatOfBits(0x7F800001), 0, str(cp1251("0.000  ±  0.000"))},  // signalling NaN
        {floatOfBits(0xFFFFFFFF), 0, str(cp1251("0.000  ±  0.000"))},  // all bits set
        {std::numeric_limits<float>::infinity(), 0, str(cp1251("-.---  ±  -.---"))},
        {-std::numeric_limits<float>::infinity(), 0, str(cp1251("0.000  ±  0.000"))},
        {std::numeric_limits<float>::max(), 0, str(cp1251("-.---  ±  -.---"))},
        {-0.0f, 0, str(cp1251("0.000  ±  0.000"))},
        {-0.0005f, 0, str(cp1251("0.000  ±  0.000"))},
        {-1.5f, 0, str(cp1251("0.000  ±  0.000"))},
        {-1e6f, 0, str(cp1251("0.000  ±  0.000"))},
        {std::numeric_limits<float>::denorm_min(), 0, str(cp1251("0.000  ±  0.000"))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(str(concentrationPair(c.concentration, c.mode)), c.expected)
            << c.concentration << " mode " << c.mode;
    }
}

TEST(RecordTexts, ConcentrationLineTakesTheShownMode) {
    const FileRecord record = test::TestRecord().mode(0).concentration(0.123f);
    const ComposedText fifth = concentrationLine(record, 0);
    EXPECT_EQ(str(fifth), str(cp1251("0.123  ±  0.024   мг/м3 ")));
    EXPECT_EQ(fifth.length, 24u);
    EXPECT_EQ(str(concentrationLine(record, 3)), str(cp1251("0.123  ±  0.030   мг/м3 ")));
}

TEST(RecordTexts, DateTimeHeader) {
    const struct {
        std::uint16_t year, month, day, hour, minute, second;
        const char* expected;
    } cases[] = {
        {2019, 3, 5, 9, 5, 0, "05.03.2019  09:05:00  "},
        {19, 3, 5, 9, 5, 0, "05.03.19  09:05:00  "},
        {0, 1, 1, 0, 0, 0, "01.01.0  00:00:00  "},
        {65535, 12, 31, 23, 59, 59, "31.12.65535  23:59:59  "},
        {2019, 300, 123, 100, 255, 99, "23.44.2019  00:55:99  "},
    };
    for (const auto& c : cases) {
        const FileRecord record =
            test::TestRecord().date(c.year, c.month, c.day).time(c.hour, c.minute, c.second);
        EXPECT_EQ(str(dateTimeHeader(record)), c.expected);
    }
}

TEST(RecordTexts, ClimateLine) {
    const struct {
        std::uint16_t temperature, humidity, pressure;
        std::string expected;
    } cases[] = {
        {23, 45, 752, str(cp1251("Т=  23 °c    H=  45 %      P=  752   mmHg "))},
        {251, 100, 760, str(cp1251("Т= -4 °c     H=  100 %     P=  760   mmHg "))},
        {127, 0, 0, str(cp1251("Т=  127 °c   H=  0 %       P=  0     mmHg "))},
        {128, 255, 65535, str(cp1251("Т= -127 °c   H=  255 %     P=  65535 mmHg "))},
        {255, 300, 1000, str(cp1251("Т= -0 °c     H=  44 %      P=  1000  mmHg "))},
        {65531, 5, 99, str(cp1251("Т=  251 °c   H=  5 %       P=  99    mmHg "))},
        {0x0105, 50, 750, str(cp1251("Т= -250 °c   H=  50 %      P=  750   mmHg "))},
    };
    for (const auto& c : cases) {
        const ComposedText line =
            climateLine(recordWithClimate(c.temperature, c.humidity, c.pressure));
        EXPECT_EQ(str(line), c.expected) << c.temperature;
        EXPECT_EQ(line.length, 42u);
    }
}

TEST(RecordTexts, ClimateLineKeepsNothingOfALongerOne) {
    const ComposedText longer = climateLine(recordWithClimate(123, 100, 10000));
    ASSERT_EQ(str(longer), str(cp1251("Т=  123 °c   H=  100 %     P=  10000 mmHg ")));
    EXPECT_EQ(str(climateLine(recordWithClimate(5, 7, 9))),
              str(cp1251("Т=  5 °c     H=  7 %       P=  9     mmHg ")));
}

TEST(RecordTexts, DurationLineAndClock) {
    const struct {
        std::int16_t seconds;
        const char* time;
        const char* clock;  // always with hours
    } cases[] = {
        {754, "12:34", "00:12:34"},      {3725, "01:02:05", "01:02:05"},
        {0, "00:00", "00:00:00"},        {59, "00:59", "00:00:59"},
        {3599, "59:59", "00:59:59"},     {3600, "01:00:00", "01:00:00"},
        {32767, "09:06:07", "09:06:07"}, {-1, "00:00", "00:00:00"},  // no length of time
        {-32768, "00:00", "00:00:00"},
    };
    const std::string label = str(cp1251(" Время измерения:   "));
    for (const auto& c : cases) {
        const ComposedText line = durationLine(recordWithDuration(c.seconds));
        EXPECT_EQ(str(line), label + c.time + "   ") << c.seconds;
        EXPECT_EQ(line.length, c.seconds >= 3600 ? 31u : 28u) << c.seconds;
        EXPECT_EQ(str(durationClock(recordWithDuration(c.seconds))), c.clock) << c.seconds;
    }
}

TEST(RecordTexts, SerialNumberLabelAndText) {
    EXPECT_EQ(str(serialNumberLabel(12345)), str(cp1251(" Пылемер Лумек  с/н  12345")));
    EXPECT_EQ(str(serialNumberLabel(0)), str(cp1251(" Пылемер Лумек  с/н  0")));
    EXPECT_EQ(str(serialNumberLabel(4294967295u)), str(cp1251(" Пылемер Лумек  с/н  4294967295")));
    EXPECT_EQ(str(serialNumberText(7)), "7");
    EXPECT_EQ(str(serialNumberText(12370000)), "12370000");
    EXPECT_EQ(str(serialNumberText(100000000)), "100000000");
}

TEST(RecordTexts, RecordCountText) {
    const struct {
        std::uint32_t count;
        const char* expected;
    } cases[] = {
        {0, "    0  "},       {123, "  123  "},       {65535, "65535  "},
        {65536, "65536  "},   {70000, "70000  "},     {99999, "99999  "},
        {100000, "100000  "}, {1234567, "1234567  "}, {4294967295u, "4294967295  "},
    };
    for (const auto& c : cases) EXPECT_EQ(str(recordCountText(c.count)), c.expected);
}

TEST(RecordTexts, PageLabel) {
    const struct {
        std::uint32_t page, count;
        std::string expected;
    } cases[] = {
        {2, 5, str(cp1251(" лист  2  из  5 "))},
        {10, 12, str(cp1251(" лист  10  из  12 "))},
        {300, 400, str(cp1251(" лист  300  из  400 "))},
        {1000, 1024, str(cp1251(" лист  1000  из  1024 "))},
    };
    for (const auto& c : cases) EXPECT_EQ(str(pageLabel(c.page, c.count)), c.expected);
    EXPECT_EQ(pageLabel(2, 5).length, 16u);
    EXPECT_EQ(pageLabel(10, 12).length, 18u);
}

TEST(RecordTexts, SeriesPointTimeAndValue) {
    const struct {
        std::size_t point;
        const char* time;
    } times[] = {{0, "00:05"}, {10, "00:55"}, {11, "01:00"}, {127, "10:40"}};
    for (const auto& c : times) EXPECT_EQ(str(seriesTimeText(c.point)), c.time) << c.point;

    const struct {
        std::int16_t hundredths;
        const char* value;
    } values[] = {{0, "0.00"},     {5, "0.05"},       {-5, "-0.05"},
                  {1000, "10.00"}, {32767, "327.67"}, {-32768, "-327.68"}};
    for (const auto& c : values) EXPECT_EQ(str(seriesValueText(c.hundredths)), c.value);
}

TEST(FixedTexts, LengthsAsDrawn) {
    EXPECT_EQ(texts::kMeasurementLabel.length, 12u);
    EXPECT_EQ(texts::kDurationLabel.length, 20u);
    EXPECT_EQ(texts::kSerialNumberLabelPrefix.length, 21u);
    EXPECT_EQ(texts::kListColumnHeader.length, 95u);
    EXPECT_EQ(texts::kPrintColumnHeader.length, 98u);
    EXPECT_EQ(texts::kFileLabel.length, 8u);
    EXPECT_EQ(texts::kSeriesToggleText.length, 9u);
    EXPECT_EQ(texts::kBlankLine, std::string(264, ' '));
    EXPECT_EQ(texts::kMessageNoFile.length, 11u);
    EXPECT_EQ(texts::kMessageOpenFailed.length, 25u);
    EXPECT_EQ(texts::kMessageWrongType.length, 25u);
}

}  // namespace
}  // namespace tolvinark
