#include "output/copied_table.h"

#include <algorithm>
#include <cstring>

#include "data/cp1251.h"
#include "data/digit_writers.h"
#include "data/record_index.h"
#include "data/record_texts.h"
#include "output/record_table.h"

namespace tolvinark {
namespace {

// The list's columns, also the names of a measurement's lines.
constexpr auto kDate = cp1251("Дата");
constexpr auto kTime = cp1251("Время");
constexpr auto kMode = cp1251("Режим измерения");
constexpr auto kConcentration = cp1251("Концентрация, мг/м3");
constexpr auto kError = cp1251("Погрешность, мг/м3");
constexpr auto kTemperature = cp1251("Температура, °C");
constexpr auto kHumidity = cp1251("Влажность, %");
constexpr auto kPressure = cp1251("Давление, мм рт. ст.");
constexpr auto kDuration = cp1251("Время измерения");
constexpr std::array<std::string_view, CopiedRow::kMaxCells> kListColumns = {
    kDate, kTime, kMode, kConcentration, kError, kTemperature, kHumidity, kPressure, kDuration};

constexpr auto kSeriesTime = cp1251("Время");
constexpr auto kSeriesCi = cp1251("Ci, мг/м3");
constexpr auto kSeriesCd = cp1251("Cd, мг/м3");

// The number as the list row shows it: three decimals, truncated, "-.---" from 1,000,000 on.
ComposedText threeDecimals(float value) {
    ComposedText text;
    text.endAt(writeThreeDecimals(value, text.begin()));
    return text;
}

CopiedRow listHeader() {
    CopiedRow row(true);
    for (std::string_view name : kListColumns) row.text(name);
    return row;
}

void writeSeries(const FileRecord& record, TableWriter& out) {
    out.beginTable();
    out.row(CopiedRow(true).text(kSeriesTime).text(kSeriesCi).text(kSeriesCd));
    const std::size_t points = recordUsablePointCount(record);
    for (std::size_t i = 0; i < points; ++i) {
        out.row(CopiedRow()
                    .text(seriesTimeText(i).view())
                    .decimal(seriesValueText(recordSeriesValue(record, Series::Ci, i)).view())
                    .decimal(seriesValueText(recordSeriesValue(record, Series::Cd, i)).view()));
    }
    out.endTable();
}

}  // namespace

CopiedRow& CopiedRow::add(std::string_view text, bool decimal) {
    // The rows are made of the program's fixed texts and bounded numbers; a cell that did not
    // fit would be a fault of this file, so it is left out or cut rather than written past the
    // row.
    if (count_ == kMaxCells) return *this;
    const std::size_t length = std::min(text.size(), kCapacity - used_);
    if (length > 0) std::memcpy(chars_.data() + used_, text.data(), length);
    cells_[count_++] = {used_, length, decimal};
    used_ += length;
    return *this;
}

CopiedRow recordListRow(const FileRecord& record) {
    const IndexEntry entry = makeIndexEntry(record);
    CopiedRow row;
    row.text(listDateText(entry).view())
        .text(listTimeText(entry).view())
        .text(trimmedListModeName(entry.mode))
        .decimal(threeDecimals(entry.concentration).view())
        .decimal(threeDecimals(errorValue(entry.concentration, entry.mode)).view())
        .text(temperatureField(record).view())
        .text(humidityField(record).view())
        .text(pressureField(record).view());
    if (entry.mode == kTimedMode) {
        row.text(durationClock(record).view());
    } else {
        row.empty();
    }
    return row;
}

FileResult writeRecordList(const MeasurementData& data, TableWriter& out) {
    out.beginTable();
    out.row(listHeader());
    const FileResult result = forEachRecord(
        data, [&out](std::uint32_t, const FileRecord& record) { out.row(recordListRow(record)); });
    out.endTable();
    return result;
}

void writeMeasurement(const FileRecord& record, TableWriter& out) {
    const CopiedRow fields = recordListRow(record);
    const bool timed = recordMode(record) == kTimedMode;
    const std::size_t lines = timed ? kListColumns.size() : kListColumns.size() - 1;
    out.beginTable();
    for (std::size_t i = 0; i < lines; ++i) {
        CopiedRow line;
        line.text(kListColumns[i]);
        if (fields[i].decimal) {
            line.decimal(fields[i].text);
        } else {
            line.text(fields[i].text);
        }
        out.row(line);
    }
    out.endTable();
    if (timed && recordUsablePointCount(record) > 0) writeSeries(record, out);
}

}  // namespace tolvinark
