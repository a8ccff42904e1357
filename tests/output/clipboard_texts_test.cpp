#include "output/clipboard_texts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "data/file_names.h"
#include "data/fixed_texts.h"
#include "output/copied_table.h"
#include "tests/data/scratch_dir.h"
#include "tests/support/test_records.h"

namespace tolvinark {
namespace {

using testing::ScratchDir;
using testing::writeFile;

// "{s}" in an expected cell stands for the user's decimal separator.
constexpr std::string_view kSeparatorMark = "{s}";

struct Edge {
    const char* what;
    std::uint16_t mode;
    std::uint16_t year, month, day, hour, minute, second;
    float concentration;
    std::uint16_t temperature, humidity, pressure;
    std::int16_t duration;
    std::uint16_t points;
    std::int16_t (*ci)(std::size_t);  // the series' values in hundredths
    std::int16_t (*cd)(std::size_t);
    std::vector<std::string> cells;  // the list's fields, UTF-8
};

std::int16_t none(std::size_t) {
    return 0;
}
std::int16_t rising(std::size_t i) {
    return static_cast<std::int16_t>(static_cast<int>(i) * 37 - 100);
}
std::int16_t fives(std::size_t i) {
    return static_cast<std::int16_t>(i * 5);
}
std::int16_t topAtTheEnd(std::size_t i) {
    return static_cast<std::int16_t>(i == 127 ? 32767 : -static_cast<int>(i) * 258);
}
std::int16_t bottomFirst(std::size_t i) {
    return static_cast<std::int16_t>(i == 0 ? -32768 : static_cast<int>(i));
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInfinity = std::numeric_limits<float>::infinity();

// Every kind of record a list can hold at its edges, with the fields the copy shows for it.
const std::vector<Edge> kEdges = {
    {"NaN",
     0,
     2019,
     3,
     5,
     9,
     5,
     0,
     kNaN,
     23,
     45,
     752,
     0,
     0,
     none,
     none,
     {"05.03.2019", "09:05:00", "Экспрес - измерение 30", "0{s}000", "0{s}000", "23", "45", "752",
      ""}},
    {"infinity",
     1,
     2020,
     12,
     31,
     23,
     59,
     59,
     kInfinity,
     0,
     100,
     760,
     0,
     0,
     none,
     none,
     {"31.12.2020", "23:59:59", "Экспрес - измерение 120", "-.---", "-.---", "0", "100", "760",
      ""}},
    {"over a million, its error under",
     3,
     2021,
     1,
     1,
     0,
     0,
     0,
     1234567.0f,
     127,
     0,
     0,
     0,
     0,
     none,
     none,
     {"01.01.2021", "00:00:00", "Диапазон 2", "-.---", "308641{s}750", "127", "0", "0", ""}},
    {"impossible date, other mode",
     7,
     19,
     13,
     300,
     25,
     61,
     99,
     0.123f,
     5,
     50,
     750,
     0,
     0,
     none,
     none,
     {"44.13.  19", "25:61:99", "???", "0{s}123", "0{s}024", "5", "50", "750", ""}},
    {"frost",
     1,
     2019,
     1,
     15,
     7,
     30,
     0,
     12.5f,
     251,
     300,
     65535,
     0,
     0,
     none,
     none,
     {"15.01.2019", "07:30:00", "Экспрес - измерение 120", "12{s}500", "2{s}500", "-4", "44",
      "65535", ""}},
    {"timed, no points",
     2,
     2019,
     3,
     5,
     10,
     0,
     0,
     0.123f,
     128,
     45,
     752,
     754,
     0,
     none,
     none,
     {"05.03.2019", "10:00:00", "Измерение по времени", "0{s}123", "0{s}024", "-127", "45", "752",
      "00:12:34"}},
    {"timed, 20 points",
     2,
     2019,
     3,
     5,
     11,
     0,
     0,
     1.234f,
     23,
     45,
     752,
     3725,
     20,
     rising,
     fives,
     {"05.03.2019", "11:00:00", "Измерение по времени", "1{s}233", "0{s}246", "23", "45", "752",
      "01:02:05"}},
    {"timed, 128 points",
     2,
     2019,
     3,
     5,
     12,
     0,
     0,
     0.0f,
     65531,
     45,
     752,
     32767,
     128,
     topAtTheEnd,
     bottomFirst,
     {"05.03.2019", "12:00:00", "Измерение по времени", "0{s}000", "0{s}000", "251", "45", "752",
      "09:06:07"}},
};

const std::vector<std::string> kListHeader = {"Дата",
                                              "Время",
                                              "Режим измерения",
                                              "Концентрация, мг/м3",
                                              "Погрешность, мг/м3",
                                              "Температура, °C",
                                              "Влажность, %",
                                              "Давление, мм рт. ст.",
                                              "Время измерения"};

FileRecord recordOf(const Edge& edge) {
    test::TestRecord record;
    record.serial(1703)
        .mode(edge.mode)
        .date(edge.year, edge.month, edge.day)
        .time(edge.hour, edge.minute, edge.second)
        .duration(static_cast<std::uint16_t>(edge.duration))
        .climate(edge.temperature, edge.humidity, edge.pressure)
        .concentration(edge.concentration)
        .pointCount(edge.points);
    for (std::size_t i = 0; i < kSeriesCapacity; ++i)
        record.point(Series::Ci, i, edge.ci(i)).point(Series::Cd, i, edge.cd(i));
    return record;
}

std::string hundredths(std::int16_t value) {
    const int magnitude = value < 0 ? -value : value;
    char text[16];
    std::snprintf(text, sizeof text, "%s%d{s}%02d", value < 0 ? "-" : "", magnitude / 100,
                  magnitude % 100);
    return text;
}

std::string minutesOf(std::size_t point) {
    const auto minutes = static_cast<unsigned>((point + 1) * 5 % 6000);  // at most 640
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u", minutes / 60, minutes % 60);
    return text;
}

using Table = std::vector<std::vector<std::string>>;  // the first row is the header, if any

struct Tables {
    std::vector<Table> tables;
    std::vector<bool> withHeader;
};

// The tables of a measurement: name and value, then the series of a timed one with points.
Tables measurementTables(const Edge& edge) {
    Tables out;
    Table fields;
    const std::size_t lines = edge.mode == 2 ? 9 : 8;
    for (std::size_t i = 0; i < lines; ++i) fields.push_back({kListHeader[i], edge.cells[i]});
    out.tables.push_back(fields);
    out.withHeader.push_back(false);
    if (edge.mode == 2 && edge.points > 0) {
        Table series = {{"Время", "Ci, мг/м3", "Cd, мг/м3"}};
        for (std::size_t i = 0; i < edge.points; ++i)
            series.push_back({minutesOf(i), hundredths(edge.ci(i)), hundredths(edge.cd(i))});
        out.tables.push_back(series);
        out.withHeader.push_back(true);
    }
    return out;
}

Tables listTables(const std::vector<Edge>& edges) {
    Table list = {kListHeader};
    for (const Edge& edge : edges) list.push_back(edge.cells);
    return {{list}, {true}};
}

std::string withSeparator(std::string cell, const std::string& separator) {
    for (std::size_t at = cell.find(kSeparatorMark); at != std::string::npos;
         at = cell.find(kSeparatorMark, at + separator.size())) {
        cell.replace(at, kSeparatorMark.size(), separator);
    }
    return cell;
}

std::string expectedText(const Tables& tables, const std::string& separator) {
    std::string text;
    for (const Table& table : tables.tables) {
        if (!text.empty()) text += "\r\n";
        for (const auto& row : table) {
            for (std::size_t i = 0; i < row.size(); ++i)
                text += (i > 0 ? "\t" : "") + withSeparator(row[i], separator);
            text += "\r\n";
        }
    }
    return text;
}

std::string expectedFragment(const Tables& tables, const std::string& separator) {
    std::string html;
    for (std::size_t t = 0; t < tables.tables.size(); ++t) {
        html += t > 0 ? "<br>\r\n<table>\r\n" : "<table>\r\n";
        bool header = tables.withHeader[t];
        for (const auto& row : tables.tables[t]) {
            const std::string cell = header ? "th>" : "td>";
            html += "<tr>";
            for (const std::string& text : row)
                html += "<" + cell + withSeparator(text, separator) + "</" + cell;
            html += "</tr>\r\n";
            header = false;
        }
        html += "</table>\r\n";
    }
    return html;
}

struct Copied {
    FileResult result;
    std::vector<char16_t> text;  // exactly the counted sizes: a write past them is caught
    std::vector<char> html;
};

Copied copyOf(const TableSource& source, std::u16string_view separator, bool withHtml,
              const TableSource& secondTime = {}) {
    Copied copied;
    CopySizes sizes;
    copied.result = measureCopy(source, separator, withHtml, sizes);
    if (!copied.result.ok()) return copied;
    copied.text.assign(sizes.textUnits, u'\xFFFF');
    copied.html.assign(sizes.htmlBytes, '\x7F');
    copied.result = writeCopy(secondTime ? secondTime : source, separator, sizes,
                              copied.text.data(), withHtml ? copied.html.data() : nullptr);
    return copied;
}

// The plain text up to its terminating zero, which must be its last unit, in UTF-8.
std::string plainText(const Copied& copied) {
    EXPECT_FALSE(copied.text.empty());
    if (copied.text.empty()) return {};
    EXPECT_EQ(copied.text.back(), u'\0');
    const std::u16string_view units(copied.text.data(), copied.text.size() - 1);
    EXPECT_EQ(units.find(u'\0'), std::u16string_view::npos);
    return fileNameFromUtf16(units);
}

// Reads the HTML description's header as a pasting program does and checks that each offset
// marks what it names; gives back the fragment.
std::string fragmentOf(const std::vector<char>& block) {
    const std::string html(block.begin(), block.end());
    std::map<std::string, std::size_t> offsets;
    std::string version;
    std::size_t at = 0;
    while (at < html.size() && html[at] != '<') {
        const std::size_t end = html.find("\r\n", at);
        const std::size_t colon = html.find(':', at);
        if (end == std::string::npos || colon > end) {
            ADD_FAILURE() << "a header line without a colon at " << at;
            return {};
        }
        const std::string key = html.substr(at, colon - at);
        const std::string value = html.substr(colon + 1, end - colon - 1);
        if (key == "Version") {
            version = value;
        } else {
            EXPECT_EQ(value.size(), 10u) << key;
            offsets[key] = std::stoul(value);
        }
        at = end + 2;
    }
    EXPECT_EQ(version, "0.9");
    for (const char* key : {"StartHTML", "EndHTML", "StartFragment", "EndFragment"}) {
        if (!offsets.count(key)) {
            ADD_FAILURE() << "no " << key;
            return {};
        }
    }
    const std::size_t startHtml = offsets["StartHTML"], endHtml = offsets["EndHTML"];
    const std::size_t startFragment = offsets["StartFragment"];
    const std::size_t endFragment = offsets["EndFragment"];
    const std::string startComment = "<!--StartFragment-->";
    const std::string endComment = "<!--EndFragment-->";
    EXPECT_EQ(startHtml, at) << "the document starts right after the header";
    EXPECT_EQ(html.compare(startHtml, 6, "<html>"), 0);
    EXPECT_EQ(html.size(), endHtml + 1) << "the block ends with one zero after the document";
    EXPECT_EQ(html.back(), '\0');
    EXPECT_EQ(html.compare(endHtml - 7, 7, "</html>"), 0);
    EXPECT_GE(startFragment, startComment.size());
    EXPECT_EQ(html.compare(startFragment - startComment.size(), startComment.size(), startComment),
              0);
    EXPECT_EQ(html.compare(endFragment, endComment.size(), endComment), 0);
    EXPECT_NE(html.find("charset=\"utf-8\""), std::string::npos);
    if (!(startHtml <= startFragment && startFragment <= endFragment && endFragment <= endHtml &&
          endHtml < html.size()))
        return {};
    return html.substr(startFragment, endFragment - startFragment);
}

const struct {
    const char* what;
    std::u16string_view system;  // as the system gives it
    std::string inText;          // UTF-8, as it stands in the plain text
    std::string inHtml;
} kSeparators[] = {
    {"English", u".", ".", "."},
    {"Russian", u",", ",", ","},
    {"Arabic", u"\u066B", "\xD9\xAB", "\xD9\xAB"},
    {"none given", u"", ".", "."},
    {"markup", u"<&>", "<&>", "&lt;&amp;&gt;"},
};

TEST(ClipboardTexts, EveryEdgeRecordAsAMeasurementInTextAndHtml) {
    for (const auto& separator : kSeparators) {
        for (const Edge& edge : kEdges) {
            const FileRecord record = recordOf(edge);
            const Copied copied = copyOf(
                [&record](TableWriter& out) {
                    writeMeasurement(record, out);
                    return FileResult{};
                },
                separator.system, true);
            ASSERT_TRUE(copied.result.ok()) << edge.what;
            const Tables tables = measurementTables(edge);
            EXPECT_EQ(plainText(copied), expectedText(tables, separator.inText))
                << edge.what << ", " << separator.what;
            EXPECT_EQ(fragmentOf(copied.html), expectedFragment(tables, separator.inHtml))
                << edge.what << ", " << separator.what;
        }
    }
}

class ListFile : public ::testing::Test {
  protected:
    void write(const std::vector<Edge>& edges) {
        std::string bytes;
        for (const Edge& edge : edges) {
            const FileRecord record = recordOf(edge);
            bytes.append(reinterpret_cast<const char*>(record.bytes.data()), kRecordSize);
        }
        ASSERT_TRUE(writeFile(name_, bytes));
    }
    void open(const std::vector<Edge>& edges) {
        write(edges);
        ASSERT_TRUE(openMeasurementFile(data_, name_).ok());
    }
    TableSource list() const {
        return [this](TableWriter& out) { return writeRecordList(data_, out); };
    }

    ScratchDir dir_;
    std::string name_ = dir_.name("list.dst");
    MeasurementData data_;
};

TEST_F(ListFile, EveryEdgeRecordInFileOrderInTextAndHtml) {
    open(kEdges);
    for (const auto& separator : kSeparators) {
        const Copied copied = copyOf(list(), separator.system, true);
        ASSERT_TRUE(copied.result.ok());
        const Tables tables = listTables(kEdges);
        EXPECT_EQ(plainText(copied), expectedText(tables, separator.inText)) << separator.what;
        EXPECT_EQ(fragmentOf(copied.html), expectedFragment(tables, separator.inHtml))
            << separator.what;
    }
}

TEST_F(ListFile, WithoutHtmlOnlyTheTextIsCountedAndWritten) {
    open(kEdges);
    const Copied copied = copyOf(list(), u",", false);
    ASSERT_TRUE(copied.result.ok());
    EXPECT_TRUE(copied.html.empty());
    EXPECT_EQ(plainText(copied), expectedText(listTables(kEdges), ","));
}

TEST_F(ListFile, AFileThatChangedBetweenCountAndCopyGivesNoCopy) {
    std::vector<Edge> longerField = kEdges;
    longerField[2].pressure = 70;  // "0" when counted
    std::vector<Edge> oneMore = kEdges;
    oneMore.push_back(kEdges.front());
    const struct {
        const char* what;
        std::vector<Edge> changedTo;
        FileOutcome outcome;
    } cases[] = {
        {"a record less", {kEdges.begin(), kEdges.end() - 1}, FileOutcome::NoSuchRecord},
        {"a longer field", longerField, FileOutcome::NoSuchRecord},
        {"a record more, which the list does not hold", oneMore, FileOutcome::Ok},
    };
    for (const auto& c : cases) {
        open(kEdges);
        const Copied copied = copyOf(list(), u",", true, [&](TableWriter& out) {
            write(c.changedTo);
            return writeRecordList(data_, out);
        });
        EXPECT_EQ(copied.result.outcome, c.outcome) << c.what;
        if (c.outcome == FileOutcome::Ok) {
            EXPECT_EQ(plainText(copied), expectedText(listTables(kEdges), ",")) << c.what;
        }
    }
}

TEST_F(ListFile, AFileGoneBeforeTheCopyIsNamed) {
    open(kEdges);
    std::filesystem::remove(name_);
    CopySizes sizes;
    const FileResult result = measureCopy(list(), u",", true, sizes);
    EXPECT_EQ(result.outcome, FileOutcome::FileMissing);
    EXPECT_EQ(result.message, std::string(texts::kMessageNoFile.view()));
    EXPECT_EQ(result.name, name_);
}

TEST(ClipboardTexts, OnlyTheProgramsDecimalNumbersTakeTheSeparator) {
    const struct {
        const char* text;
        bool number;
    } cases[] = {
        {"4.043", true},  {"-0.05", true}, {"308641.750", true}, {"0.000", true},
        {"-.---", false}, {"12", false},   {"1.", false},        {".5", false},
        {"1.2.3", false}, {"-", false},    {"", false},          {"05.03.2019", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isDecimalNumber(c.text), c.number) << c.text;
}

}  // namespace
}  // namespace tolvinark
