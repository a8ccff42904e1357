// Fuzz target: the series graph and the whole detail window of a record of arbitrary bytes,
// drawn through the recording canvas. Input: one record (588 bytes), the series selector and
// the shown mode (2 bytes each); missing bytes read as 0.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "data/fixed_texts.h"
#include "tests/fuzz/canvas_checks.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/reference_texts.h"
#include "tests/support/recording_canvas.h"
#include "views/detail_window.h"
#include "views/series_graph.h"

namespace tolvinark::fuzz {
namespace {

// Client areas of the detail window: a timed measurement's and every other mode's.
constexpr int kLargeClientWidth = 568;
constexpr int kLargeClientHeight = 392;
constexpr int kSmallClientWidth = 272;
constexpr int kSmallClientHeight = 148;

// The plot: bars stand on y 368 and rise at most 200 pixels above the x axis at y 370; point i
// lies at x 44 + 4 i.
constexpr int kAxisY = 370;
constexpr int kBarBottom = 368;
constexpr int kPlotHeight = 200;
constexpr int kFirstPointX = 44;
constexpr int kPointPitch = 4;

std::uint32_t le16(const FileRecord& record, std::size_t offset) {
    return static_cast<std::uint32_t>(record.bytes[offset] | record.bytes[offset + 1] << 8);
}

// The points the graph may show, read straight from the record's bytes.
std::vector<std::int16_t> shownPoints(const FileRecord& record, Series series) {
    const std::size_t count = std::min<std::uint32_t>(le16(record, 580), 128);
    const std::size_t start = series == Series::Ci ? 68 : 324;
    std::vector<std::int16_t> points(count);
    for (std::size_t i = 0; i < count; ++i)
        points[i] = static_cast<std::int16_t>(le16(record, start + 2 * i));
    return points;
}

void checkScale(const GraphScale& scale, const std::vector<std::int16_t>& points) {
    std::int32_t maximum = 0;
    for (const std::int16_t v : points) maximum = std::max<std::int32_t>(maximum, v);
    FUZZ_CHECK(scale.maximum == maximum);
    // The smallest multiple of 10 not below the maximum, at least 10.
    const std::uint32_t floor = static_cast<std::uint32_t>(std::max(maximum, 10));
    FUZZ_CHECK(scale.axisMaximum % 10 == 0);
    FUZZ_CHECK(scale.axisMaximum >= floor && scale.axisMaximum < floor + 10);
    FUZZ_CHECK(scale.scaleFactor == 51200 / scale.axisMaximum);
}

std::vector<TextCall> textsIn(const RecordingCanvas& canvas, Font font) {
    std::vector<TextCall> out;
    for (const TextCall& text : canvas.texts()) {
        if (text.font == font) out.push_back(text);
    }
    return out;
}

void checkGraph(const FileRecord& record, Series series) {
    const std::vector<std::int16_t> points = shownPoints(record, series);
    const GraphScale scale = graphScale(record, series);
    checkScale(scale, points);

    RecordingCanvas canvas;
    drawSeriesGraph(canvas, record, series, kLargeClientWidth, kLargeClientHeight);
    checkInsideArea(canvas, kLargeClientWidth, kLargeClientHeight);

    // One bar for every positive point, at its own x, standing on the plot's floor and no
    // higher than the plot: v x scale factor / 256 pixels.
    const std::vector<LineCall> bars = canvas.linesWith(Pen::Red);
    std::size_t barIndex = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i] <= 0) continue;
        FUZZ_CHECK(barIndex < bars.size());
        const LineCall& bar = bars[barIndex++];
        const int x = kFirstPointX + kPointPitch * static_cast<int>(i);
        FUZZ_CHECK(bar.fromX == x && bar.toX == x && bar.toY == kBarBottom);
        const int height = kAxisY - bar.fromY;
        FUZZ_CHECK(height >= 0 && height <= kPlotHeight);
        const auto v = static_cast<std::uint32_t>(points[i]);
        FUZZ_CHECK(static_cast<std::uint32_t>(height) == (v * scale.scaleFactor >> 8));
    }
    FUZZ_CHECK(barIndex == bars.size());

    // The y labels: the axis maximum, its half, its quarter and the two together.
    const std::vector<TextCall> screenTexts = textsIn(canvas, Font::Screen);
    FUZZ_CHECK(screenTexts.size() == 5);
    const std::uint32_t half = scale.axisMaximum >> 1;
    const std::uint32_t quarter = scale.axisMaximum >> 2;
    const std::uint32_t labels[] = {scale.axisMaximum, half, quarter, half + quarter};
    for (std::size_t k = 0; k < 4; ++k) {
        FUZZ_CHECK(screenTexts[k].text == hundredthsReference(labels[k], '.'));
        FUZZ_CHECK(screenTexts[k].text.size() >= 4 && screenTexts[k].text.size() <= 6);
    }
    FUZZ_CHECK(screenTexts[4].text == (series == Series::Ci ? texts::kSeriesLabelCi.view()
                                                            : texts::kSeriesLabelCd.view()));

    // Every fifth point a long tick labelled with its minutes: 25, 50, 75, ...
    const std::vector<TextCall> tickLabels = textsIn(canvas, Font::Small);
    FUZZ_CHECK(tickLabels.size() == points.size() / 5);
    for (std::size_t k = 0; k < tickLabels.size(); ++k)
        FUZZ_CHECK(tickLabels[k].text == std::to_string(25 * (k + 1)));
    // Axes (2), y ticks (4), one x tick per point.
    FUZZ_CHECK(canvas.linesWith(Pen::Black).size() == 6 + points.size());
}

void checkDetailWindow(const FileRecord& record, std::uint16_t shownMode, Series series) {
    const bool large = modeHasSeries(shownMode);
    const int width = large ? kLargeClientWidth : kSmallClientWidth;
    const int height = large ? kLargeClientHeight : kSmallClientHeight;
    RecordingCanvas canvas;
    drawDetailWindow(canvas, record, shownMode, series, width, height);
    checkInsideArea(canvas, width, height);
    if (!large) FUZZ_CHECK(canvas.linesWith(Pen::Red).empty());
}

}  // namespace
}  // namespace tolvinark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace tolvinark;
    using namespace tolvinark::fuzz;
    std::uint8_t input[kRecordSize + 4] = {};
    std::memcpy(input, bytes, std::min(size, sizeof input));
    FileRecord record;
    std::memcpy(record.bytes.data(), input, kRecordSize);
    // The selector shows Ci at 0 and Cd at any other value.
    const Series series =
        (input[kRecordSize] | input[kRecordSize + 1]) == 0 ? Series::Ci : Series::Cd;
    const auto shownMode =
        static_cast<std::uint16_t>(input[kRecordSize + 2] | input[kRecordSize + 3] << 8);

    checkGraph(record, series);
    checkDetailWindow(record, shownMode, series);
    return 0;
}
