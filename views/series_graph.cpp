#include "views/series_graph.h"

#include <algorithm>
#include <cstddef>

#include "data/digit_writers.h"
#include "data/fixed_texts.h"

namespace tolvinark {
namespace {

// Plot geometry in the detail window's client area (pixels). The origin is at (40, 370); the
// top tick at y 170 stands for the axis maximum, 200 pixels above the x axis.
constexpr int kClearLeft = kGraphLeft;
constexpr int kClearTop = 162;
constexpr int kAxisX = 40;
constexpr int kAxisTop = 166;
constexpr int kAxisY = 370;
constexpr int kAxisRight = kGraphRight;
constexpr int kYTickLeft = 38;
constexpr int kYTickRight = 42;
constexpr int kYLabelX = 10;
constexpr int kSeriesLabelX = 46;
constexpr int kSeriesLabelY = kGraphTop;
constexpr int kFirstPointX = 44;
constexpr int kPointPitch = 4;
constexpr int kBarBottom = 368;
constexpr int kShortTickBottom = 372;
constexpr int kLongTickBottom = 376;
constexpr int kTickLabelY = 375;
constexpr int kPointsPerLongTick = 5;
constexpr std::uint32_t kMinutesPerLongTick = 25;  // 5 points, one every 5 minutes

constexpr std::uint32_t kScaleNumerator = 51200;  // 200 pixels in 1/256 steps
constexpr std::int32_t kAxisStep = 10;

void drawLine(Canvas& canvas, int fromX, int fromY, int toX, int toY) {
    canvas.moveTo(fromX, fromY);
    canvas.lineTo(toX, toY);
}

void drawHundredths(Canvas& canvas, int x, int y, std::uint32_t hundredths) {
    char buffer[16];
    const std::size_t length = writeHundredthsWithPoint(hundredths, buffer);
    canvas.drawText(x, y, {buffer, length});
}

void drawTickLabel(Canvas& canvas, int tickX, std::uint32_t minutes) {
    char buffer[8];
    const char* end = writeUpTo5Digits(minutes, buffer);
    const int x = minutes < 100 ? tickX - 4 : tickX - 8;
    canvas.drawText(x, kTickLabelY, {buffer, static_cast<std::size_t>(end - buffer)});
}

// Bar height in pixels: value × scale factor / 256. No value exceeds the axis maximum and the
// scale factor is 51200 / axis maximum rounded down, so no bar is higher than 200 pixels.
int barHeight(std::int16_t value, std::uint32_t scaleFactor) {
    return static_cast<int>(static_cast<std::uint32_t>(value) * scaleFactor >> 8);
}

}  // namespace

int seriesPointX(std::size_t point) {
    return kFirstPointX + kPointPitch * static_cast<int>(point);
}

GraphScale graphScale(const FileRecord& record, Series series) {
    GraphScale scale;
    const std::size_t count = recordUsablePointCount(record);
    for (std::size_t i = 0; i < count; ++i) {
        scale.maximum = std::max<std::int32_t>(scale.maximum, recordSeriesValue(record, series, i));
    }
    // Rounded up to a multiple of 10 in 32 bits, so that maxima up to 32767 give 32770.
    const std::int32_t rounded = (scale.maximum + kAxisStep - 1) / kAxisStep * kAxisStep;
    scale.axisMaximum = static_cast<std::uint32_t>(std::max(rounded, kAxisStep));
    scale.scaleFactor = kScaleNumerator / scale.axisMaximum;
    return scale;
}

void drawSeriesGraph(Canvas& canvas, const FileRecord& record, Series series, int clientWidth,
                     int clientHeight) {
    // The detail context's own white brush, not the background, under the plot.
    canvas.fillRect(kClearLeft, kClearTop, clientWidth, clientHeight, Brush::White);

    canvas.selectPen(Pen::Black);
    canvas.moveTo(kAxisX, kAxisTop);
    canvas.lineTo(kAxisX, kAxisY);
    canvas.lineTo(kAxisRight, kAxisY);

    const GraphScale scale = graphScale(record, series);
    for (const int y : {170, 220, 270, 320}) drawLine(canvas, kYTickLeft, y, kYTickRight, y);

    canvas.selectFont(Font::Screen);
    const std::uint32_t half = scale.axisMaximum >> 1;
    const std::uint32_t quarter = scale.axisMaximum >> 2;
    drawHundredths(canvas, kYLabelX, 162, scale.axisMaximum);
    drawHundredths(canvas, kYLabelX, 262, half);
    drawHundredths(canvas, kYLabelX, 312, quarter);
    drawHundredths(canvas, kYLabelX, 212, half + quarter);

    canvas.drawText(kSeriesLabelX, kSeriesLabelY,
                    series == Series::Ci ? texts::kSeriesLabelCi : texts::kSeriesLabelCd);

    canvas.selectFont(Font::Small);
    const std::size_t count = recordUsablePointCount(record);
    int tickCountdown = kPointsPerLongTick;
    std::uint32_t tickLabel = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int x = seriesPointX(i);
        canvas.selectPen(Pen::Red);
        const std::int16_t value = recordSeriesValue(record, series, i);
        // A value of 0 has no bar; a negative one has none either rather than a bar of a
        // wrapped height above the plot.
        if (value > 0)
            drawLine(canvas, x, kAxisY - barHeight(value, scale.scaleFactor), x, kBarBottom);

        canvas.selectPen(Pen::Black);
        if (--tickCountdown > 0) {
            drawLine(canvas, x, kAxisY, x, kShortTickBottom);
        } else {
            tickCountdown = kPointsPerLongTick;
            drawLine(canvas, x, kAxisY, x, kLongTickBottom);
            tickLabel += kMinutesPerLongTick;
            drawTickLabel(canvas, x, tickLabel);
        }
    }
}

}  // namespace tolvinark
