#include "output/dif_export.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "data/digit_writers.h"
#include "data/record_texts.h"

namespace tolvinark {
namespace {

// The 31 header lines, CR LF after each. Three places are filled per export: the title (40
// characters between the quotes of line 16), the concentration title (28 characters, line 22)
// and the second column title (line 30).
constexpr std::string_view kHeaderTemplate =
    "TABLE\r\n"
    "0,1\r\n"
    "\"EXCEL\"\r\n"
    "VECTORS\r\n"
    "0,129\r\n"
    "\"\"\r\n"
    "TUPLES\r\n"
    "0,6\r\n"
    "\"\"\r\n"
    "DATA\r\n"
    "0,0\r\n"
    "\"\"\r\n"
    "-1,0\r\n"
    "BOT\r\n"
    "1,0\r\n"
    "\"  Measurement     xx.xx.xx  tt:tt:tt    \"\r\n"
    "1,0\r\n"
    "\"\"\r\n"
    "-1,0\r\n"
    "BOT\r\n"
    "1,0\r\n"
    "\"                            \"\r\n"
    "1,0\r\n"
    "\"\"\r\n"
    "-1,0\r\n"
    "BOT\r\n"
    "1,0\r\n"
    "\"   Time\"\r\n"
    "1,0\r\n"
    "\"   Ci\"\r\n"
    "-1,0\r\n";
static_assert(kHeaderTemplate.size() == 246, "the export header has 246 bytes");

// Where the filled places start: character 16 of the title, character 5 of the concentration
// title, the letter after "C" in the column title.
constexpr std::size_t kTitleStart = kHeaderTemplate.find("\"  Measurement") + 1 + 16;
constexpr std::size_t kTitleDateTimeLength = 22;
constexpr std::size_t kConcentrationTitleStart =
    kHeaderTemplate.find("\"                            \"") + 1 + 5;
constexpr std::size_t kConcentrationTitleLength = 16;
constexpr std::size_t kSeriesLetter = kHeaderTemplate.find("\"   Ci\"") + 5;
static_assert(kTitleStart == 106 && kConcentrationTitleStart == 164 && kSeriesLetter == 236);

// One row per point: "BOT", the time cell, "V", the value cell, "V", "-1,0".
constexpr std::string_view kRowTemplate =
    "BOT\r\n"
    "0,         \r\n"
    "V\r\n"
    "0,         \r\n"
    "V\r\n"
    "-1,0\r\n";
static_assert(kRowTemplate.size() == 43, "an export row has 43 bytes");

constexpr std::size_t kTimeField = 7;
constexpr std::size_t kValueField = 23;
constexpr std::size_t kCellFieldWidth = 9;

constexpr std::string_view kEndLine = "EOD\r\n";

// Copies up to `width` characters of `text` to `out` and blanks the rest of the field, so a
// short text never leaves template or earlier characters behind it.
void fillField(std::string_view text, std::size_t width, char* out) {
    const std::size_t count = std::min(text.size(), width);
    std::copy_n(text.data(), count, out);
    std::fill(out + count, out + width, ' ');
}

std::string exportHeader(Series series, std::string_view dateTimeHeader,
                         std::string_view concentrationLine) {
    std::string header(kHeaderTemplate);
    fillField(dateTimeHeader, kTitleDateTimeLength, &header[kTitleStart]);

    char* concentration = &header[kConcentrationTitleStart];
    fillField(concentrationLine, kConcentrationTitleLength, concentration);
    std::replace(concentration, concentration + kConcentrationTitleLength, '\xB1', '~');

    header[kSeriesLetter] = series == Series::Ci ? 'i' : 'd';
    return header;
}

void writeRow(std::int16_t value, std::size_t point, std::string& out) {
    char row[kRowTemplate.size()];
    std::copy(kRowTemplate.begin(), kRowTemplate.end(), row);

    const ComposedText time = seriesTimeText(point);
    std::copy_n(time.bytes.data(), time.length, row + kTimeField);

    char* const valueField = row + kValueField;
    char* const valueEnd = writeHundredthsWithComma(value, valueField);
    std::fill(valueEnd, valueField + kCellFieldWidth, ' ');

    out.append(row, sizeof row);
}

}  // namespace

std::string difExportContent(const FileRecord& record, Series series,
                             std::string_view dateTimeHeader, std::string_view concentrationLine) {
    const std::size_t pointCount = recordUsablePointCount(record);
    std::string content;
    content.reserve(kHeaderTemplate.size() + pointCount * kRowTemplate.size() + kEndLine.size());

    content += exportHeader(series, dateTimeHeader, concentrationLine);
    for (std::size_t i = 0; i < pointCount; ++i)
        writeRow(recordSeriesValue(record, series, i), i, content);
    content += kEndLine;
    return content;
}

}  // namespace tolvinark
