#include "data/digit_writers.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace tolvinark {
namespace {

constexpr char kUntouched = '#';

struct IntCase {
    std::uint32_t value;
    const char* expected;
};

// Runs a fixed-width writer and checks that it wrote nothing beyond its width.
template <typename Writer>
std::string fixedWidth(Writer writer, std::uint32_t value, std::size_t width) {
    char buffer[16];
    std::memset(buffer, kUntouched, sizeof buffer);
    writer(value, buffer);
    for (std::size_t i = width; i < sizeof buffer; ++i) {
        EXPECT_EQ(buffer[i], kUntouched) << "wrote beyond its width at " << i;
    }
    return std::string(buffer, width);
}

// Runs a variable-width writer; the text is what lies between the start and the end it gave back.
template <typename Writer, typename Value>
std::string variableWidth(Writer writer, Value value) {
    char buffer[32];
    std::memset(buffer, kUntouched, sizeof buffer);
    const char* end = writer(value, buffer);
    EXPECT_EQ(*end, kUntouched) << "the end given back is not the end of what was written";
    return std::string(buffer, static_cast<std::size_t>(end - buffer));
}

TEST(DigitWriters, ThreePositionsBlankOnlyTheHundreds) {
    const IntCase cases[] = {{0, " 00"},   {5, " 05"},   {31, " 31"},  {99, " 99"}, {100, "100"},
                             {123, "123"}, {255, "255"}, {300, " 44"}, {256, " 00"}};
    for (const auto& c : cases) {
        EXPECT_EQ(fixedWidth(write3Positions, c.value, 3), c.expected) << c.value;
    }
}

TEST(DigitWriters, FivePositionsRightAligned) {
    const IntCase cases[] = {{0, "    0"},     {7, "    7"},     {123, "  123"},
                             {2019, " 2019"},  {10019, "10019"}, {10000, "10000"},
                             {65535, "65535"}, {65536, "    0"}, {70000, " 4464"}};
    for (const auto& c : cases) {
        EXPECT_EQ(fixedWidth(write5Positions, c.value, 5), c.expected) << c.value;
    }
}

TEST(DigitWriters, TwoDigitsAreTheLastTwoOfTheLow8Bits) {
    const IntCase cases[] = {{0, "00"},   {5, "05"},   {59, "59"},  {99, "99"},
                             {100, "00"}, {123, "23"}, {255, "55"}, {300, "44"}};
    for (const auto& c : cases) {
        EXPECT_EQ(variableWidth(write2Digits, c.value), c.expected) << c.value;
    }
}

TEST(DigitWriters, UpTo3DigitsOfTheLow8Bits) {
    const IntCase cases[] = {{0, "0"},     {7, "7"},     {45, "45"},  {100, "100"},
                             {105, "105"}, {255, "255"}, {300, "44"}, {256, "0"}};
    for (const auto& c : cases) {
        EXPECT_EQ(variableWidth(writeUpTo3Digits, c.value), c.expected) << c.value;
    }
}

TEST(DigitWriters, UpTo5DigitsOfTheLow16Bits) {
    const IntCase cases[] = {{0, "0"},         {7, "7"},     {2019, "2019"},   {10005, "10005"},
                             {65535, "65535"}, {65536, "0"}, {100000, "34464"}};
    for (const auto& c : cases) {
        EXPECT_EQ(variableWidth(writeUpTo5Digits, c.value), c.expected) << c.value;
    }
}

TEST(DigitWriters, UpTo8DigitsWritesTheWholeNumber) {
    const IntCase cases[] = {{0, "0"},
                             {65536, "65536"},
                             {170000, "170000"},
                             {12370000, "12370000"},
                             {99999999, "99999999"},
                             {100000000, "100000000"},
                             {4294967295u, "4294967295"}};
    for (const auto& c : cases) {
        EXPECT_EQ(variableWidth(writeUpTo8Digits, c.value), c.expected) << c.value;
    }
}

TEST(DigitWriters, AllDigitsOfAnyCount) {
    const IntCase cases[] = {
        {0, "0"}, {9, "9"}, {300, "300"}, {1000000000, "1000000000"}, {4294967295u, "4294967295"}};
    for (const auto& c : cases) {
        EXPECT_EQ(variableWidth(writeAllDigits, c.value), c.expected) << c.value;
    }
}

TEST(DigitWriters, HundredthsWithPoint) {
    const IntCase cases[] = {{0, "0.00"},       {5, "0.05"},        {10, "0.10"},
                             {50, "0.50"},      {99, "0.99"},       {100, "1.00"},
                             {250, "2.50"},     {1000, "10.00"},    {12345, "123.45"},
                             {65535, "655.35"}, {100000, "1000.00"}};
    for (const auto& c : cases) {
        char buffer[16];
        std::memset(buffer, kUntouched, sizeof buffer);
        const std::size_t length = writeHundredthsWithPoint(c.value, buffer);
        EXPECT_EQ(std::string(buffer, length), c.expected) << c.value;
        EXPECT_EQ(buffer[length], kUntouched) << c.value;
    }
}

TEST(DigitWriters, HundredthsWithCommaSigned) {
    const struct {
        std::int16_t value;
        const char* expected;
    } cases[] = {{0, "0,00"},     {5, "0,05"},        {50, "0,50"},  {123, "1,23"},
                 {1000, "10,00"}, {32767, "327,67"},  {-5, "-0,05"}, {-50, "-0,50"},
                 {-123, "-1,23"}, {-32768, "-327,68"}};
    for (const auto& c : cases) {
        EXPECT_EQ(variableWidth(writeHundredthsWithComma, c.value), c.expected) << c.value;
    }
}

TEST(DigitWriters, PrintThresholdIsTheFloatNearest0_0018) {
    EXPECT_EQ(static_cast<double>(kPrintThreshold), 0.0017999999690800905);
}

TEST(DigitWriters, ThreeDecimalsTruncate) {
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {kPrintThreshold, "0.000"},
        {std::nextafter(kPrintThreshold, inf), "0.001"},
        {0.0019f, "0.001"},
        {std::nextafter(0.002f, 0.0f), "0.001"},
        {0.002f, "0.002"},
        {0.0123f, "0.012"},
        {0.1f, "0.100"},
        {0.7f, "0.699"},
        {1.234f, "1.233"},
        {1.5f, "1.500"},
        {12.345f, "12.345"},
        {100000.5f, "100000.500"},
        {105000.0f, "105000.000"},
        {999999.875f, "999999.875"},
        {999999.9375f, "999999.937"},  // the last float below 1,000,000
        {1000000.0f, "-.---"},
        {5000000.0f, "-.---"},
        {8388608.0f, "-.---"},  // 2^23: the thousandths no longer shift right
        {1.0e30f, "-.---"},
        {std::numeric_limits<float>::max(), "-.---"},
        {inf, "-.---"},
        {0.0f, "0.000"},
        {-0.0f, "0.000"},
        {-1.5f, "0.000"},
        {-inf, "0.000"},
        {std::numeric_limits<float>::denorm_min(), "0.000"},
        {std::numeric_limits<float>::quiet_NaN(), "0.000"},
        {-std::numeric_limits<float>::quiet_NaN(), "0.000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(variableWidth(writeThreeDecimals, c.value), c.expected)
            << std::hexfloat << c.value;
    }
}

// Every float between the threshold and the overflow limit, sampled, against the floor of the
// exact product in double precision (a float times 1000 needs at most 34 bits).
TEST(DigitWriters, ThreeDecimalsAgreeWithExactThousandths) {
    std::uint32_t first;
    std::uint32_t last;
    const float threshold = kPrintThreshold;
    const float limit = 1000000.0f;
    std::memcpy(&first, &threshold, sizeof first);
    std::memcpy(&last, &limit, sizeof last);
    for (std::uint32_t bits = first + 1; bits < last; bits += 997) {
        float value;
        std::memcpy(&value, &bits, sizeof value);
        const auto thousandths = static_cast<std::uint64_t>(std::floor(double{value} * 1000.0));
        char expected[32];
        std::snprintf(expected, sizeof expected, "%" PRIu64 ".%03" PRIu64, thousandths / 1000,
                      thousandths % 1000);
        const std::string written = variableWidth(writeThreeDecimals, value);
        if (written != expected) {
            ADD_FAILURE() << std::hexfloat << value << ": " << written << " != " << expected;
            return;
        }
    }
}

}  // namespace
}  // namespace tolvinark
