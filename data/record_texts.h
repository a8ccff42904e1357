#pragma once
// The texts composed from one measurement: list rows from an index entry; the detail window,
// the protocol and the export header from a whole record. Every text is code page 1251 with an
// exact length.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/composed_text.h"
#include "data/file_record.h"
#include "data/record_index.h"

namespace tolvinark {

// List row texts, from an index entry.
ComposedText listDateText(const IndexEntry& entry);  // "05.03.2019", 10 characters
ComposedText listTimeText(const IndexEntry& entry);  // "09:05:00", 8 characters
std::string_view listModeName(std::uint16_t mode);   // 25 characters
// "0.123  ±  0.024": concentration, "  ±  ", error (a fifth, a quarter when the low 8 bits of
// the mode are 3).
ComposedText concentrationPair(float concentration, std::uint16_t mode);

// Detail texts, from a whole record and the mode it is shown in.
std::string_view detailModeName(std::uint16_t shownMode);  // 25 characters
ComposedText dateTimeHeader(const FileRecord& record);     // "05.03.2019  09:05:00  "
ComposedText concentrationLine(const FileRecord& record, std::uint16_t shownMode);
ComposedText climateLine(const FileRecord& record);   // 42 characters
ComposedText durationLine(const FileRecord& record);  // 28, or 31 with hours
// The same duration always with its hours, as a spreadsheet reads a length of time: "00:12:34".
ComposedText durationClock(const FileRecord& record);

// The numbers behind the texts.
// The error value: the concentration times a fifth, a quarter when the low 8 bits of the mode
// are 3, as a 32-bit product.
float errorValue(float concentration, std::uint16_t mode);
// The temperature in degrees as the climate line shows it: the meter keeps a temperature below
// zero as 255 minus its magnitude in the low 8 bits.
int shownTemperature(const FileRecord& record);

// A series point's texts, as the export and the command line's tables write them: the time of
// point `point` (from 0), five minutes a point, "00:05" first; a value in hundredths with a
// point and a minus below 0, "-0.05".
ComposedText seriesTimeText(std::size_t point);
ComposedText seriesValueText(std::int16_t hundredths);

// Texts from the file's numbers.
ComposedText serialNumberLabel(std::uint32_t serialNumber);  // " Пылемер Лумек  с/н  " + digits
ComposedText serialNumberText(std::uint32_t serialNumber);
// The record count right-aligned in five positions and two blanks; wider when it needs more.
ComposedText recordCountText(std::uint32_t recordCount);
// " лист  2  из  5 "; numbers of any size are written in full.
ComposedText pageLabel(std::uint32_t pageNumber, std::uint32_t pageCount);

}  // namespace tolvinark
