#include "output/protocol_printout.h"

#include "data/fixed_texts.h"
#include "data/record_texts.h"

namespace tolvinark {
namespace {

// Positions in layout units.
constexpr int kSerialNumberX = 1840;
constexpr int kSerialNumberTop = 1000;
constexpr int kMeasurementLabelX = 1680;
constexpr int kMeasurementLabelTop = 1298;
constexpr int kDateTimeX = 2400;
constexpr int kDateTimeTop = 1300;
constexpr int kConcentrationX = 2080;
constexpr int kConcentrationTop = 2000;
constexpr int kClimateX = 1700;
constexpr int kClimateTop = 2300;
constexpr int kDurationX = 2000;
constexpr int kDurationTop = 1800;
constexpr int kModeX = 2020;
constexpr int kModeTop = 1600;
constexpr int kRuleLeft = 1580;
constexpr int kRuleRight = 3420;
constexpr int kUpperRuleTop = 1460;
constexpr int kLowerRuleTop = 2200;
constexpr int kFrameLeft = 1500;
constexpr int kFrameTop = 1200;
constexpr int kFrameRight = 3500;
constexpr int kFrameBottom = 2600;

}  // namespace

void drawProtocolPage(Canvas& canvas, const FileRecord& record, std::uint16_t shownMode,
                      std::uint32_t serialNumber) {
    canvas.selectFont(Font::Printer);
    canvas.drawText(kSerialNumberX, kSerialNumberTop, serialNumberLabel(serialNumber).view());
    canvas.drawText(kMeasurementLabelX, kMeasurementLabelTop, texts::kMeasurementLabel);
    canvas.drawText(kDateTimeX, kDateTimeTop, dateTimeHeader(record).view());
    canvas.drawText(kConcentrationX, kConcentrationTop,
                    concentrationLine(record, shownMode).view());
    canvas.drawText(kClimateX, kClimateTop, climateLine(record).view());
    if (shownMode == kTimedMode) {
        canvas.drawText(kDurationX, kDurationTop, durationLine(record).view());
    }
    canvas.drawText(kModeX, kModeTop, detailModeName(shownMode));

    canvas.selectPen(Pen::Thick);
    canvas.moveTo(kRuleLeft, kUpperRuleTop);
    canvas.lineTo(kRuleRight, kUpperRuleTop);
    canvas.moveTo(kRuleLeft, kLowerRuleTop);
    canvas.lineTo(kRuleRight, kLowerRuleTop);
    canvas.moveTo(kFrameLeft, kFrameTop);
    canvas.lineTo(kFrameLeft, kFrameBottom);
    canvas.lineTo(kFrameRight, kFrameBottom);
    canvas.lineTo(kFrameRight, kFrameTop);
    canvas.lineTo(kFrameLeft, kFrameTop);
}

}  // namespace tolvinark
