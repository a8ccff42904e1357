#pragma once
// Measurements as tables for data work: one row per record, per series point or per mode of a
// file. Each field is a text, a number or empty; CSV and JSON are written from the same rows, so
// both carry the same values.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "data/composed_text.h"
#include "data/file_record.h"
#include "data/record_index.h"

namespace tolvinark {

enum class FieldKind : std::uint8_t { Empty, Text, Number };

struct TableField {
    FieldKind kind = FieldKind::Empty;
    std::string text;  // UTF-8; a number in decimal with a point, as CSV carries it
};

using TableRow = std::vector<TableField>;

inline constexpr std::array<std::string_view, 12> kRecordColumns = {
    "file",          "record",        "date_time",
    "mode",          "mode_name",     "concentration_mg_m3",
    "error_mg_m3",   "temperature_c", "humidity_pct",
    "pressure_mmhg", "duration_s",    "points"};
inline constexpr std::array<std::string_view, 3> kSeriesColumns = {"time", "ci_mg_m3", "cd_mg_m3"};
inline constexpr std::array<std::string_view, 9> kStatisticsColumns = {
    "file",       "mode",      "mode_name", "records", "min_mg_m3",
    "mean_mg_m3", "max_mg_m3", "first",     "last"};

// "2019-03-05T09:05:00" from the stored numbers, at least 4 and 2 digits, never normalised: a
// meter's clock can hold a month 13 or a day 300.
std::string isoDateTime(const IndexEntry& entry);

// The shortest decimal that reads back as the same float, without an exponent when that takes
// at most 12 characters ("0.0009", "1000000", "1e-20"); empty when it is not finite.
std::string shortestDecimal(float value);

// Field texts the tables share with the viewer's copy of a list: ASCII digits, the mode name in
// code page 1251.
// The list's mode name without the blanks that pad it to 25 characters: "Диапазон 2".
std::string_view trimmedListModeName(std::uint16_t mode);
// Whole degrees as the climate line shows them, a minus below zero: "23", "-4".
ComposedText temperatureField(const FileRecord& record);
ComposedText humidityField(const FileRecord& record);  // percent, from the low 8 bits
ComposedText pressureField(const FileRecord& record);  // mmHg
// A series point's time and value are the record texts' (data/record_texts.h).

// The fields of one record, in the order of kRecordColumns; `fileName` in UTF-8.
void recordRow(std::string_view fileName, std::uint32_t recordNumber, const FileRecord& record,
               TableRow& row);

// A timed record's used points, in the order of kSeriesColumns: time as the export writes it,
// the values in mg/m3 with two decimals.
std::vector<TableRow> seriesRows(const FileRecord& record);

// Per mode of one file: how many records, the least, mean and largest finite concentration,
// and the date-times of its first and last record in file order.
class ModeStatistics {
  public:
    void add(const IndexEntry& entry);
    // One row per mode met, by mode number, in the order of kStatisticsColumns.
    std::vector<TableRow> rows(std::string_view fileName) const;

  private:
    struct Mode {
        std::uint32_t records = 0;
        std::uint32_t finite = 0;
        float min = 0.0f;
        float max = 0.0f;
        double sum = 0.0;
        IndexEntry first;
        IndexEntry last;
    };
    std::map<std::uint16_t, Mode> modes_;
};

// One CSV line without its line end (RFC 4180: a field is quoted only when it holds a comma, a
// quote or a line end).
void appendCsvLine(const TableRow& row, std::string& out);
void appendCsvHeader(const std::vector<std::string_view>& columns, std::string& out);

}  // namespace tolvinark
