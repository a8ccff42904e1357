// Fuzz target: the spreadsheet export of a record of arbitrary bytes. Input: one record (588
// bytes), the series selector (1 byte), a choice byte, then, when the choice byte is odd, a
// date-time header and a concentration line of arbitrary bytes (a length byte and the bytes
// each) in place of the ones composed from the record; missing bytes read as 0.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "data/record_texts.h"
#include "output/dif_export.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/input_reader.h"
#include "tests/fuzz/reference_texts.h"

namespace tolvinark::fuzz {
namespace {

// The export header with its three filled places: the title's date and time (22 characters
// from byte 106), the concentration title (16 from byte 164) and the series letter (byte 236).
constexpr std::string_view kHeader =
    "TABLE\r\n0,1\r\n\"EXCEL\"\r\nVECTORS\r\n0,129\r\n\"\"\r\nTUPLES\r\n0,6\r\n\"\"\r\nDATA\r\n"
    "0,0\r\n\"\"\r\n-1,0\r\nBOT\r\n1,0\r\n\"  Measurement     xx.xx.xx  tt:tt:tt    \"\r\n"
    "1,0\r\n\"\"\r\n-1,0\r\nBOT\r\n1,0\r\n\"                            \"\r\n1,0\r\n\"\"\r\n"
    "-1,0\r\nBOT\r\n1,0\r\n\"   Time\"\r\n1,0\r\n\"   Ci\"\r\n-1,0\r\n";
static_assert(kHeader.size() == 246);
constexpr std::size_t kTitleStart = 106;
constexpr std::size_t kTitleLength = 22;
constexpr std::size_t kConcentrationStart = 164;
constexpr std::size_t kConcentrationLength = 16;
constexpr std::size_t kSeriesLetter = 236;
constexpr std::size_t kRowSize = 43;

// The first `width` characters of `text`, blanks where it is shorter.
std::string field(std::string_view text, std::size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string expectedHeader(Series series, std::string_view dateTime,
                           std::string_view concentration) {
    std::string header(kHeader);
    header.replace(kTitleStart, kTitleLength, field(dateTime, kTitleLength));
    std::string title = field(concentration, kConcentrationLength);
    std::replace(title.begin(), title.end(), '\xB1', '~');
    header.replace(kConcentrationStart, kConcentrationLength, title);
    header[kSeriesLetter] = series == Series::Ci ? 'i' : 'd';
    return header;
}

// Row i: the time 5 (i + 1) minutes on, the value in hundredths with a comma.
std::string expectedRow(std::size_t i, std::int16_t value) {
    const unsigned minutes = static_cast<unsigned>(5 * (i + 1));
    char time[16];
    std::snprintf(time, sizeof time, "%02u:%02u", minutes / 60, minutes % 60);
    const std::int32_t wide = value;
    const std::string text =
        (wide < 0 ? "-" : "") + hundredthsReference(wide < 0 ? -wide : wide, ',');
    return "BOT\r\n0," + field(time, 9) + "\r\nV\r\n0," + field(text, 9) + "\r\nV\r\n-1,0\r\n";
}

std::uint32_t le16(const FileRecord& record, std::size_t offset) {
    return static_cast<std::uint32_t>(record.bytes[offset] | record.bytes[offset + 1] << 8);
}

void checkExport(const FileRecord& record, Series series, std::string_view dateTime,
                 std::string_view concentration) {
    const std::string content = difExportContent(record, series, dateTime, concentration);
    const std::size_t points = std::min<std::uint32_t>(le16(record, 580), 128);
    FUZZ_CHECK(content.size() == 246 + kRowSize * points + 5);
    FUZZ_CHECK(content.compare(content.size() - 5, 5, "EOD\r\n") == 0);
    FUZZ_CHECK(content.compare(0, 246, expectedHeader(series, dateTime, concentration)) == 0);
    const std::size_t seriesStart = series == Series::Ci ? 68 : 324;
    for (std::size_t i = 0; i < points; ++i) {
        const auto value = static_cast<std::int16_t>(le16(record, seriesStart + 2 * i));
        FUZZ_CHECK(content.compare(246 + kRowSize * i, kRowSize, expectedRow(i, value)) == 0);
    }
}

}  // namespace
}  // namespace tolvinark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace tolvinark;
    using namespace tolvinark::fuzz;
    FileRecord record;
    std::memcpy(record.bytes.data(), bytes, std::min<std::size_t>(size, kRecordSize));
    InputReader input(bytes + std::min<std::size_t>(size, kRecordSize),
                      size - std::min<std::size_t>(size, kRecordSize));
    const Series series = input.u8() == 0 ? Series::Ci : Series::Cd;
    if (input.u8() % 2 == 0) {
        // As the Excel button exports: the texts composed for the record it shows.
        const ComposedText dateTime = dateTimeHeader(record);
        const ComposedText concentration = concentrationLine(record, recordMode(record));
        checkExport(record, series, dateTime.view(), concentration.view());
    } else {
        const std::string dateTime = input.text(input.u8() % 64);
        const std::string concentration = input.text(input.u8() % 64);
        checkExport(record, series, dateTime, concentration);
    }
    return 0;
}
