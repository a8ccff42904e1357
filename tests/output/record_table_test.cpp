#include "output/record_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/test_records.h"

namespace tolvinark {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// A field as the tests write it: its kind and its text.
TableField field(FieldKind kind, std::string text = {}) {
    return {kind, std::move(text)};
}
TableField textField(std::string text) {
    return field(FieldKind::Text, std::move(text));
}
TableField numberField(std::string text) {
    return field(FieldKind::Number, std::move(text));
}
const TableField kEmpty{};

void expectRow(const TableRow& row, const std::vector<TableField>& expected) {
    ASSERT_EQ(row.size(), expected.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
        EXPECT_EQ(row[i].kind, expected[i].kind) << "field " << i;
        EXPECT_EQ(row[i].text, expected[i].text) << "field " << i;
    }
}

// 5 March 2019, 09:05:00; 7 degrees below zero (255 - 7), the humidity's low 8 bits counting.
FileRecord record(std::uint16_t mode, float concentration) {
    return test::TestRecord()
        .mode(mode)
        .duration(0xFFFE)  // -2 s, kept as stored
        .climate(255 - 7, 0x0100 + 45, 752)
        .concentration(concentration);
}

TEST(ShortestDecimal, PlainUpToTwelveCharactersThenWithAnExponent) {
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {0.0f, "0"},
        {0.0009f, "0.0009"},
        {123456.78f, "123456.78"},
        // Twelve characters are written plain; where they would be more, the shortest form.
        {549755813888.0f, "549755813888"},  // 2^39
        {0.0000012345f, "0.0000012345"},
        {-0.000001234f, "-0.000001234"},
        {1e13f, "1e+13"},  // 9999999827968 plain
        {0.00000012345f, "1.2345e-07"},
        {-0.0000001234f, "-1.234e-07"},
        {1e-20f, "1e-20"},
        {kNaN, ""},
        {-kInfinity, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(shortestDecimal(c.value), c.expected) << c.value;
}

TEST(IsoDateTime, StoredNumbersAtLeastFourAndTwoDigitsNeverNormalised) {
    const struct {
        std::uint16_t year, month, day, hour, minute, second;
        const char* expected;
    } cases[] = {
        {2019, 3, 5, 9, 5, 0, "2019-03-05T09:05:00"},
        {7, 1, 2, 3, 4, 5, "0007-01-02T03:04:05"},
        {20190, 13, 300, 25, 61, 99, "20190-13-300T25:61:99"},
    };
    for (const auto& c : cases) {
        const IndexEntry entry = test::entryAt(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(isoDateTime(entry), c.expected);
    }
}

TEST(CsvLine, QuotesOnlyAFieldHoldingACommaAQuoteOrALineEnd) {
    const struct {
        const char* field;
        const char* expected;
    } cases[] = {
        {"plain", "plain"},
        {"", ""},
        {" blanks; and tabs\t", " blanks; and tabs\t"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"line\nfeed", "\"line\nfeed\""},
        {"carriage\rreturn", "\"carriage\rreturn\""},
        {"\r\n", "\"\r\n\""},
    };
    for (const auto& c : cases) {
        std::string line;
        appendCsvLine({textField(c.field)}, line);
        EXPECT_EQ(line, c.expected) << c.field;
    }
    std::string line = "kept:";
    appendCsvLine({textField("a"), numberField("0.5"), kEmpty, textField("b\nc")}, line);
    EXPECT_EQ(line, "kept:a,0.5,,\"b\nc\"");
    std::string header;
    appendCsvHeader({"time", "ci,mg"}, header);
    EXPECT_EQ(header, "time,\"ci,mg\"");
}

TEST(RecordRow, FieldsInTheOrderOfTheColumns) {
    TableRow row;
    recordRow("a.dst", 7, record(kTimedMode, 0.5f), row);
    expectRow(row, {textField("a.dst"), numberField("7"), textField("2019-03-05T09:05:00"),
                    numberField("2"), textField("Измерение по времени"), numberField("0.5"),
                    numberField("0.1"), numberField("-7"), numberField("45"), numberField("752"),
                    numberField("-2"), numberField("0")});
    EXPECT_EQ(row.size(), kRecordColumns.size());

    // Range 2 takes a quarter for its error; a measurement not timed has no duration or points.
    recordRow("b.dst", 0, record(3, 2.0f), row);
    EXPECT_EQ(row[4].text, "Диапазон 2");
    EXPECT_EQ(row[6].text, "0.5");
    EXPECT_EQ(row[10].kind, FieldKind::Empty);
    EXPECT_EQ(row[11].kind, FieldKind::Empty);

    // A value that is not finite has no error either.
    recordRow("c.dst", 1, record(0, kInfinity), row);
    EXPECT_EQ(row[5].kind, FieldKind::Empty);
    EXPECT_EQ(row[6].kind, FieldKind::Empty);
}

TEST(SeriesRows, OneRowPerUsedPointWithSignedHundredths) {
    test::TestRecord timed;
    timed.pointCount(2).points(Series::Ci, {12345, 0}).points(Series::Cd, {-5, 32767});
    const std::vector<TableRow> rows = seriesRows(timed);
    ASSERT_EQ(rows.size(), 2u);
    expectRow(rows[0], {textField("00:05"), numberField("123.45"), numberField("-0.05")});
    expectRow(rows[1], {textField("00:10"), numberField("0.00"), numberField("327.67")});

    for (const std::uint16_t stored : {0, 128, 129, 65535}) {
        timed.pointCount(stored);
        EXPECT_EQ(seriesRows(timed).size(), stored < 128 ? stored : 128u) << stored;
    }
}

TEST(ModeStatistics, PerModeCountsAllRecordsAndMeasuresTheFiniteOnes) {
    const struct {
        std::uint16_t mode;
        float concentration;
        std::uint16_t day;
    } entries[] = {{2, 1.0f, 1}, {0, kNaN, 2}, {2, kNaN, 3}, {2, 3.5f, 4}, {2, -0.5f, 5}};
    ModeStatistics statistics;
    for (const auto& e : entries) {
        IndexEntry entry;
        entry.mode = e.mode;
        entry.concentration = e.concentration;
        entry.year = 2019;
        entry.month = 3;
        entry.day = e.day;
        statistics.add(entry);
    }
    const std::vector<TableRow> rows = statistics.rows("m.dst");
    ASSERT_EQ(rows.size(), 2u);
    expectRow(rows[0], {textField("m.dst"), numberField("0"), textField("Экспрес - измерение 30"),
                        numberField("1"), kEmpty, kEmpty, kEmpty, textField("2019-03-02T00:00:00"),
                        textField("2019-03-02T00:00:00")});
    expectRow(rows[1],
              {textField("m.dst"), numberField("2"), textField("Измерение по времени"),
               numberField("4"), numberField("-0.5"), numberField("1.33333"), numberField("3.5"),
               textField("2019-03-01T00:00:00"), textField("2019-03-05T00:00:00")});
}

}  // namespace
}  // namespace tolvinark
