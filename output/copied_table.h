#pragma once
// What the viewer copies, as tables of text cells: the whole list of the loaded file, or one
// measurement with its series. Each cell is code page 1251 text, the same a view shows for it
// without the blanks around it; a cell that holds a decimal number says so, so that the copy can
// give it the user's decimal separator.

#include <array>
#include <cstddef>
#include <string_view>

#include "data/file_record.h"
#include "data/measurement_file.h"

namespace tolvinark {

struct CopiedCell {
    std::string_view text;  // code page 1251
    bool decimal = false;   // a number whose point becomes the user's decimal separator
};

// One row, its cells' texts held in the row itself, so that a row can be copied. Every row of a
// copy fits: the longest is the list's header, 123 characters.
class CopiedRow {
  public:
    static constexpr std::size_t kMaxCells = 9;
    static constexpr std::size_t kCapacity = 512;  // characters of all cells together

    explicit CopiedRow(bool header = false) : header_(header) {}

    CopiedRow& text(std::string_view cp1251Text) { return add(cp1251Text, false); }
    // A decimal number written with a point; any other text stays as it is.
    CopiedRow& decimal(std::string_view cp1251Text) { return add(cp1251Text, true); }
    CopiedRow& empty() { return add({}, false); }

    bool header() const { return header_; }  // the table's column names
    std::size_t size() const { return count_; }
    CopiedCell operator[](std::size_t i) const {
        const Cell& cell = cells_[i];
        return {std::string_view(chars_.data() + cell.start, cell.length), cell.decimal};
    }

  private:
    struct Cell {
        std::size_t start = 0;
        std::size_t length = 0;
        bool decimal = false;
    };

    CopiedRow& add(std::string_view text, bool decimal);

    bool header_;
    std::size_t count_ = 0;
    std::size_t used_ = 0;
    std::array<Cell, kMaxCells> cells_{};
    std::array<char, kCapacity> chars_{};
};

// Takes a copy's tables row by row.
class TableWriter {
  public:
    virtual ~TableWriter() = default;
    virtual void beginTable() = 0;
    virtual void row(const CopiedRow& row) = 0;
    virtual void endTable() = 0;
};

// The list of the loaded file as one table: the header, then every record in file order, read
// from the file for the fields the index does not hold. Not Ok when the file no longer opens or
// no longer holds every record; the rows before went to `out`.
FileResult writeRecordList(const MeasurementData& data, TableWriter& out);

// The list row of one record: date, time, mode name, concentration and error as the list shows
// them; temperature, humidity and pressure as the tables write them; a timed measurement's
// duration with its hours, empty for the other modes.
CopiedRow recordListRow(const FileRecord& record);

// One measurement: a table of the list's header names beside the record's list fields (the
// duration only for a timed measurement), then for a timed measurement with points the table of
// its series, both series side by side.
void writeMeasurement(const FileRecord& record, TableWriter& out);

}  // namespace tolvinark
