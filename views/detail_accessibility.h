#pragma once
// The detail window as a screen reader reads it: a static text for each line of text it shows,
// top to bottom, and for a timed measurement its graph, a chart with one list item per point.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/file_record.h"
#include "views/accessible.h"

namespace tolvinark {

// "Измерение: 05.03.2019 09:05:00", the mode name, the duration line (timed measurements
// only), the concentration line and the climate line.
std::vector<AccessibleElement> detailWindowTexts(const FileRecord& record, std::uint16_t shownMode,
                                                 const TextMeasure& measure);

// The graph of `series`, named by its series label ("Си" or "Сд").
AccessibleElement seriesChart(Series series);

// Point `point` (from 0) of the shown series, named by its time and value as the command line's
// series table writes them: "00:05 0.12". Placed over its bar and tick.
AccessibleElement chartPoint(const FileRecord& record, Series series, std::size_t point);

}  // namespace tolvinark
