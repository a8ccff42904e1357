#pragma once
// The bar graph of a timed measurement's Ci or Cd series in the lower part of its detail window.

#include <cstddef>
#include <cstdint>

#include "data/file_record.h"
#include "views/canvas.h"

namespace tolvinark {

// Where the graph stands in the detail window's client area (pixels): from the y labels at x 10
// to the x axis's end, from the series label at the top to the foot of the tick labels.
inline constexpr int kGraphLeft = 10;
inline constexpr int kGraphTop = 156;
inline constexpr int kGraphRight = 560;
inline constexpr int kGraphBottom = 382;

// Point `point` (from 0) has its bar and x tick at this x, 4 pixels right of the one before.
int seriesPointX(std::size_t point);

struct GraphScale {
    std::int32_t maximum = 0;       // largest of the shown points, at least 0
    std::uint32_t axisMaximum = 0;  // smallest multiple of 10 not below it, at least 10
    std::uint32_t scaleFactor = 0;  // 51200 / axis maximum
};

GraphScale graphScale(const FileRecord& record, Series series);

// Draws the graph into a detail window's client area of the given size. Leaves the black pen and
// the small font selected.
void drawSeriesGraph(Canvas& canvas, const FileRecord& record, Series series, int clientWidth,
                     int clientHeight);

}  // namespace tolvinark
