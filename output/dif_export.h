#pragma once
// The spreadsheet export: the shown series of a timed measurement as a DIF file.

#include <string>
#include <string_view>

#include "data/file_record.h"

namespace tolvinark {

inline constexpr std::string_view kExportFileName = "Temp.dif";

// The bytes of the export file: the 246-byte header (title from the first 22 characters of the
// date-time header, concentration title from the first 16 of the concentration line with "±"
// as "~", the column title of the series), one 43-byte row per point (at most 128, none for a
// point count of 0), then "EOD". Every line ends with CR LF. The time column holds the series'
// time texts (data/record_texts.h).
std::string difExportContent(const FileRecord& record, Series series,
                             std::string_view dateTimeHeader, std::string_view concentrationLine);

}  // namespace tolvinark
