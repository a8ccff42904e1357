#include "output/record_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <utility>

#include "data/cp1251.h"
#include "data/record_texts.h"

namespace tolvinark {
namespace {

constexpr std::ptrdiff_t kLongestPlainDecimal = 12;

TableField text(std::string value) {
    return {FieldKind::Text, std::move(value)};
}

TableField number(std::string value) {
    return {value.empty() ? FieldKind::Empty : FieldKind::Number, std::move(value)};
}

template <typename Integer>
TableField integer(Integer value) {
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    return number(std::string(digits, end.ptr));
}

void appendPadded(std::uint16_t value, std::size_t width, std::string& out) {
    char digits[8];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    const auto length = static_cast<std::size_t>(end.ptr - digits);
    if (length < width) out.append(width - length, '0');
    out.append(digits, length);
}

std::string trimmedModeName(std::uint16_t mode) {
    return cp1251ToUtf8(trimmedListModeName(mode));
}

TableField numberField(const ComposedText& field) {
    return number(std::string(field.view()));
}

ComposedText wholeNumber(int value) {
    ComposedText text;
    text.endAt(std::to_chars(text.begin(), text.begin() + ComposedText::kCapacity, value).ptr);
    return text;
}

std::string meanText(double mean) {
    char digits[32];
    const std::to_chars_result end =
        std::to_chars(digits, digits + sizeof digits, mean, std::chars_format::general, 6);
    return std::string(digits, end.ptr);
}

// One pass over the field: find_first_of searches the four characters for every byte, which
// was a fifth of `csv`'s time.
bool needsQuotes(std::string_view field) {
    return std::any_of(field.begin(), field.end(),
                       [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
}

void appendCsvField(std::string_view field, std::string& out) {
    if (!needsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace

std::string_view trimmedListModeName(std::uint16_t mode) {
    std::string_view name = listModeName(mode);
    name.remove_prefix(std::min(name.find_first_not_of(' '), name.size()));
    name.remove_suffix(name.size() - (name.find_last_not_of(' ') + 1));
    return name;
}

ComposedText temperatureField(const FileRecord& record) {
    return wholeNumber(shownTemperature(record));
}

ComposedText humidityField(const FileRecord& record) {
    return wholeNumber(recordHumidity(record) & 0xFF);
}

ComposedText pressureField(const FileRecord& record) {
    return wholeNumber(recordPressure(record));
}

std::string isoDateTime(const IndexEntry& entry) {
    std::string out;
    out.reserve(19);
    appendPadded(entry.year, 4, out);
    out.push_back('-');
    appendPadded(entry.month, 2, out);
    out.push_back('-');
    appendPadded(entry.day, 2, out);
    out.push_back('T');
    appendPadded(entry.hour, 2, out);
    out.push_back(':');
    appendPadded(entry.minute, 2, out);
    out.push_back(':');
    appendPadded(entry.second, 2, out);
    return out;
}

std::string shortestDecimal(float value) {
    if (!std::isfinite(value)) return {};
    // The same digits without an exponent, unless that makes a long run of zeros.
    char digits[64];
    std::to_chars_result end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    if (end.ec != std::errc() || end.ptr - digits > kLongestPlainDecimal)
        end = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, end.ptr);
}

void recordRow(std::string_view fileName, std::uint32_t recordNumber, const FileRecord& record,
               TableRow& row) {
    const IndexEntry entry = makeIndexEntry(record);
    const bool timed = entry.mode == kTimedMode;
    row.clear();
    row.push_back(text(std::string(fileName)));
    row.push_back(integer(recordNumber));
    row.push_back(text(isoDateTime(entry)));
    row.push_back(integer(entry.mode));
    row.push_back(text(trimmedModeName(entry.mode)));
    row.push_back(number(shortestDecimal(entry.concentration)));
    // The error of a value that is not finite is none either.
    row.push_back(number(std::isfinite(entry.concentration)
                             ? shortestDecimal(errorValue(entry.concentration, entry.mode))
                             : std::string()));
    row.push_back(numberField(temperatureField(record)));
    row.push_back(numberField(humidityField(record)));
    row.push_back(numberField(pressureField(record)));
    row.push_back(timed ? integer(recordDuration(record)) : TableField{});
    row.push_back(timed ? integer(recordUsablePointCount(record)) : TableField{});
}

std::vector<TableRow> seriesRows(const FileRecord& record) {
    std::vector<TableRow> rows;
    const std::size_t points = recordUsablePointCount(record);
    for (std::size_t i = 0; i < points; ++i) {
        rows.push_back({text(std::string(seriesTimeText(i).view())),
                        numberField(seriesValueText(recordSeriesValue(record, Series::Ci, i))),
                        numberField(seriesValueText(recordSeriesValue(record, Series::Cd, i)))});
    }
    return rows;
}

void ModeStatistics::add(const IndexEntry& entry) {
    Mode& mode = modes_[entry.mode];
    if (mode.records++ == 0) mode.first = entry;
    mode.last = entry;
    const float value = entry.concentration;
    if (!std::isfinite(value)) return;
    if (mode.finite++ == 0) {
        mode.min = value;
        mode.max = value;
    }
    mode.min = std::min(mode.min, value);
    mode.max = std::max(mode.max, value);
    mode.sum += value;
}

std::vector<TableRow> ModeStatistics::rows(std::string_view fileName) const {
    std::vector<TableRow> rows;
    for (const auto& [modeNumber, mode] : modes_) {
        const bool any = mode.finite > 0;
        rows.push_back({text(std::string(fileName)), integer(modeNumber),
                        text(trimmedModeName(modeNumber)), integer(mode.records),
                        number(any ? shortestDecimal(mode.min) : std::string()),
                        number(any ? meanText(mode.sum / mode.finite) : std::string()),
                        number(any ? shortestDecimal(mode.max) : std::string()),
                        text(isoDateTime(mode.first)), text(isoDateTime(mode.last))});
    }
    return rows;
}

void appendCsvLine(const TableRow& row, std::string& out) {
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) out.push_back(',');
        appendCsvField(row[i].text, out);
    }
}

void appendCsvHeader(const std::vector<std::string_view>& columns, std::string& out) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) out.push_back(',');
        appendCsvField(columns[i], out);
    }
}

}  // namespace tolvinark
