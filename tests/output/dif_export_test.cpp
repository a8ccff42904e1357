#include "output/dif_export.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/test_records.h"

namespace tolvinark {
namespace {

constexpr std::size_t kHeaderSize = 246;
constexpr std::size_t kRowSize = 43;
constexpr std::string_view kDateTime = "05.03.2019  09:05:00  ";
constexpr std::string_view kConcentration = "0.123  \xB1  0.024   \xEC\xE3/\xEC\x33 ";

using test::TestRecord;

std::string header(std::string_view title, std::string_view concentrationTitle,
                   std::string_view column) {
    const std::vector<std::string> lines = {
        "TABLE",     "0,1",
        "\"EXCEL\"", "VECTORS",
        "0,129",     "\"\"",
        "TUPLES",    "0,6",
        "\"\"",      "DATA",
        "0,0",       "\"\"",
        "-1,0",      "BOT",
        "1,0",       "\"" + std::string(title) + "\"",
        "1,0",       "\"\"",
        "-1,0",      "BOT",
        "1,0",       "\"" + std::string(concentrationTitle) + "\"",
        "1,0",       "\"\"",
        "-1,0",      "BOT",
        "1,0",       "\"   Time\"",
        "1,0",       "\"" + std::string(column) + "\"",
        "-1,0"};
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

std::string row(std::string_view time, std::string_view value) {
    return "BOT\r\n0," + std::string(time) + "\r\nV\r\n0," + std::string(value) +
           "\r\nV\r\n-1,0\r\n";
}

std::string twoDigits(std::size_t n) {
    return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

std::string rowAt(const std::string& content, std::size_t i) {
    return content.substr(kHeaderSize + i * kRowSize, kRowSize);
}

TEST(DifExport, HeaderOfCiSeriesWithTitleAndConcentration) {
    const std::string content =
        difExportContent(TestRecord().pointCount(0), Series::Ci, kDateTime, kConcentration);
    const std::string expected =
        header("  Measurement   05.03.2019  09:05:00    ", "     0.123  ~  0.024        ", "   Ci");
    ASSERT_EQ(expected.size(), kHeaderSize);
    EXPECT_EQ(content, expected + "EOD\r\n");
}

TEST(DifExport, CdSeriesNamesItsColumnAndTakesItsValues) {
    TestRecord record = TestRecord().pointCount(2);
    record.point(Series::Ci, 0, 111);
    record.point(Series::Ci, 1, 222);
    record.point(Series::Cd, 0, 5);
    record.point(Series::Cd, 1, 32767);

    const std::string cd = difExportContent(record, Series::Cd, kDateTime, kConcentration);
    EXPECT_EQ(cd.substr(0, kHeaderSize), header("  Measurement   05.03.2019  09:05:00    ",
                                                "     0.123  ~  0.024        ", "   Cd"));
    EXPECT_EQ(cd.substr(kHeaderSize),
              row("00:05    ", "0,05     ") + row("00:10    ", "327,67   ") + "EOD\r\n");

    const std::string ci = difExportContent(record, Series::Ci, kDateTime, kConcentration);
    EXPECT_EQ(rowAt(ci, 0), row("00:05    ", "1,11     "));
    EXPECT_EQ(rowAt(ci, 1), row("00:10    ", "2,22     "));
}

TEST(DifExport, FullSeriesGives5755BytesAndTimeRunsTo1040) {
    TestRecord record = TestRecord().pointCount(128);
    for (std::size_t i = 0; i < 128; ++i) record.point(Series::Ci, i, static_cast<std::int16_t>(i));
    const std::string content = difExportContent(record, Series::Ci, kDateTime, kConcentration);

    ASSERT_EQ(content.size(), 5755u);
    for (std::size_t i = 0; i < 128; ++i) {
        const std::size_t minutes = (i + 1) * 5;
        const std::string time = twoDigits(minutes / 60) + ":" + twoDigits(minutes % 60) + "    ";
        std::string valueField = std::to_string(i / 100) + "," + twoDigits(i % 100);
        valueField.resize(9, ' ');
        EXPECT_EQ(rowAt(content, i), row(time, valueField)) << "row " << i;
    }
    EXPECT_EQ(rowAt(content, 11).substr(5, 11), "0,01:00    ");
    EXPECT_EQ(rowAt(content, 127).substr(5, 11), "0,10:40    ");
    EXPECT_EQ(content.substr(content.size() - 5), "EOD\r\n");
}

TEST(DifExport, ValueCellsTakeOnlyTheirOwnValue) {
    struct Case {
        std::int16_t value;
        std::string_view field;
    };
    // 5 follows 12345 so that a longer value before it would show through.
    const Case cases[] = {{0, "0,00     "},     {7, "0,07     "},     {99, "0,99     "},
                          {100, "1,00     "},   {12345, "123,45   "}, {5, "0,05     "},
                          {32767, "327,67   "}, {-5, "-0,05    "},    {-1234, "-12,34   "},
                          {10, "0,10     "},    {-32768, "-327,68  "}};
    const std::size_t count = sizeof cases / sizeof cases[0];
    TestRecord record = TestRecord().pointCount(static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) record.point(Series::Ci, i, cases[i].value);

    const std::string content = difExportContent(record, Series::Ci, kDateTime, kConcentration);
    ASSERT_EQ(content.size(), kHeaderSize + count * kRowSize + 5);
    for (std::size_t i = 0; i < count; ++i)
        EXPECT_EQ(rowAt(content, i).substr(21, 13), "0," + std::string(cases[i].field) + "\r\n")
            << "value " << cases[i].value;
}

TEST(DifExport, RowsFollowThePointCountWithinTheSeries) {
    struct Case {
        std::uint16_t pointCount;
        std::size_t rows;
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{3, 3}, Case{127, 127}, Case{128, 128},
                         Case{129, 128}, Case{65535, 128}}) {
        TestRecord record = TestRecord().pointCount(c.pointCount);
        // Bytes just past the Cd series must never become a row.
        record.point(Series::Cd, 127, 4242);
        const std::string content = difExportContent(record, Series::Cd, kDateTime, kConcentration);
        EXPECT_EQ(content.size(), kHeaderSize + c.rows * kRowSize + 5) << c.pointCount;
        EXPECT_EQ(content.substr(content.size() - 5), "EOD\r\n");
        if (c.rows == 128) {
            EXPECT_EQ(rowAt(content, 127).substr(23, 9), "42,42    ");
        }
    }
}

TEST(DifExport, TitleTakesExactly22CharactersOfTheDateTimeHeader) {
    struct Case {
        std::string_view dateTime;
        std::string_view title;
    };
    const Case cases[] = {
        {"05.03.19  09:05:00  ", "  Measurement   05.03.19  09:05:00      "},  // blanks, not x
        {"05.03.20190  09:05:00  ", "  Measurement   05.03.20190  09:05:00   "},
        {"", "  Measurement                           "},
    };
    for (const Case& c : cases) {
        const std::string content =
            difExportContent(TestRecord().pointCount(0), Series::Ci, c.dateTime, kConcentration);
        EXPECT_EQ(content.substr(89, 44), "\"" + std::string(c.title) + "\"\r\n") << c.dateTime;
        EXPECT_EQ(content.size(), kHeaderSize + 5);
    }
}

TEST(DifExport, ConcentrationTitleTakes16CharactersWithTildeForPlusMinus) {
    struct Case {
        std::string_view line;
        std::string_view title;
    };
    const Case cases[] = {
        {"12.500  \xB1  2.500   \xEC\xE3/\xEC\x33 ", "     12.500  ~  2.500       "},
        {"0.000  \xB1  0.000   \xEC\xE3/\xEC\x33 ", "     0.000  ~  0.000        "},
        {"\xB1\xB1", "     ~~                     "},
    };
    for (const Case& c : cases) {
        const std::string content =
            difExportContent(TestRecord().pointCount(0), Series::Ci, kDateTime, c.line);
        EXPECT_EQ(content.substr(158, 32), "\"" + std::string(c.title) + "\"\r\n");
    }
}

}  // namespace
}  // namespace tolvinark
