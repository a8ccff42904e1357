#include "views/detail_window.h"

#include "data/fixed_texts.h"
#include "data/record_texts.h"
#include "views/series_graph.h"

namespace tolvinark {
namespace {

// Positions in the detail window's client area (pixels).
constexpr int kRuleLeft = 4;
constexpr int kRuleRight = 270;
constexpr int kUpperRuleY = 20;
constexpr int kLowerRuleY = 100;
constexpr int kSeriesRuleY = 140;
constexpr int kSeriesRuleRight = 274;
constexpr int kSeriesRuleTop = 10;

void drawText(Canvas& canvas, TextPosition at, std::string_view text) {
    canvas.drawText(at.x, at.y, text);
}

void drawRule(Canvas& canvas, int y) {
    canvas.moveTo(kRuleLeft, y);
    canvas.lineTo(kRuleRight, y);
}

}  // namespace

bool modeHasSeries(std::uint16_t shownMode) {
    return shownMode == kTimedMode;
}

WindowSize detailWindowOuterSize(std::uint16_t shownMode) {
    return modeHasSeries(shownMode) ? WindowSize{574, 418} : WindowSize{278, 174};
}

void drawDetailWindow(Canvas& canvas, const FileRecord& record, std::uint16_t shownMode,
                      Series series, int clientWidth, int clientHeight) {
    canvas.fillRect(0, 0, clientWidth, clientHeight, Brush::Background);

    canvas.selectPen(Pen::Grey);
    canvas.setTextColour(colours::kBlack);
    canvas.setBackgroundColour(colours::kBackground);
    canvas.selectFont(Font::Screen);

    drawRule(canvas, kUpperRuleY);
    drawRule(canvas, kLowerRuleY);

    if (modeHasSeries(shownMode)) {
        // Closes the series part off: along y 140, then up the right-hand side.
        canvas.moveTo(kRuleLeft, kSeriesRuleY);
        canvas.lineTo(kSeriesRuleRight, kSeriesRuleY);
        canvas.lineTo(kSeriesRuleRight, kSeriesRuleTop);
        drawText(canvas, kDurationLineAt, durationLine(record).view());
    }
    drawText(canvas, kModeNameAt, detailModeName(shownMode));
    drawText(canvas, kMeasurementLabelAt, texts::kMeasurementLabel);
    drawText(canvas, kDateTimeHeaderAt, dateTimeHeader(record).view());
    drawText(canvas, kConcentrationLineAt, concentrationLine(record, shownMode).view());
    drawText(canvas, kClimateLineAt, climateLine(record).view());

    if (modeHasSeries(shownMode)) {
        drawSeriesGraph(canvas, record, series, clientWidth, clientHeight);
    }
}

}  // namespace tolvinark
