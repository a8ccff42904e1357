#include "app/cli/cli_tables.h"

#include <charconv>
#include <cstdint>
#include <utility>

#include <nlohmann/json.hpp>

namespace tolvinark::cli {
namespace {

// Numbers are kept as 32-bit floats: the concentrations are floats, and a float written as its
// shortest decimal comes out exactly as in the CSV.
using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool,
                                  std::int64_t, std::uint64_t, float>;

Json numberValue(const std::string& text) {
    const char* const end = text.data() + text.size();
    std::int64_t integer = 0;
    const std::from_chars_result asInteger = std::from_chars(text.data(), end, integer);
    if (asInteger.ec == std::errc() && asInteger.ptr == end) return integer;
    float value = 0.0f;
    std::from_chars(text.data(), end, value);
    return value;
}

Json fieldValue(const TableField& field) {
    switch (field.kind) {
        case FieldKind::Text: return field.text;
        case FieldKind::Number: return numberValue(field.text);
        case FieldKind::Empty: break;
    }
    return nullptr;
}

}  // namespace

TableWriter::TableWriter(TextOutput& out, std::vector<std::string_view> columns, bool json)
    : out_(out), columns_(std::move(columns)), json_(json) {
    if (json_) {
        out_.bytes("[").endLine();
        return;
    }
    appendCsvHeader(columns_, line_);
    out_.bytes(line_).endLine();
}

void TableWriter::row(const TableRow& row) {
    line_.clear();
    if (!json_) {
        appendCsvLine(row, line_);
        out_.bytes(line_).endLine();
        return;
    }
    Json object = Json::object();
    for (std::size_t i = 0; i < columns_.size() && i < row.size(); ++i)
        object[std::string(columns_[i])] = fieldValue(row[i]);
    // One object a line, the comma ending the line before.
    if (!firstRow_) out_.bytes(",").endLine();
    firstRow_ = false;
    // A file name that is no UTF-8 gets replacement characters instead of stopping the output.
    out_.bytes(object.dump(-1, ' ', false, Json::error_handler_t::replace));
}

void TableWriter::finish() {
    if (!json_) return;
    if (!firstRow_) out_.endLine();
    out_.bytes("]").endLine();
}

}  // namespace tolvinark::cli
