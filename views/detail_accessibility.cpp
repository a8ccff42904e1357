#include "views/detail_accessibility.h"

#include <string>

#include "data/fixed_texts.h"
#include "data/record_texts.h"
#include "views/detail_window.h"
#include "views/series_graph.h"

namespace tolvinark {
namespace {

constexpr int kPointHalfWidth = 2;  // points stand 4 pixels apart
constexpr int kPlotTop = 166;       // the y axis's top
constexpr int kTickBottom = 376;    // the long ticks' foot

AccessibleElement textLine(TextPosition at, std::string_view text, const TextMeasure& measure) {
    return {AccessibleRole::StaticText, spokenText(text), accessible_state::kReadOnly,
            drawnTextPlace(at.x, at.y, text, measure)};
}

}  // namespace

std::vector<AccessibleElement> detailWindowTexts(const FileRecord& record, std::uint16_t shownMode,
                                                 const TextMeasure& measure) {
    std::vector<AccessibleElement> lines;
    // The label and the date and time beside it read as one line.
    const ComposedText header = dateTimeHeader(record);
    AccessibleElement date = textLine(kMeasurementLabelAt, texts::kMeasurementLabel, measure);
    const AccessibleElement dateTime = textLine(kDateTimeHeaderAt, header.view(), measure);
    date.name += ' ' + dateTime.name;
    date.place->right = dateTime.place->right;
    lines.push_back(std::move(date));

    lines.push_back(textLine(kModeNameAt, detailModeName(shownMode), measure));
    if (modeHasSeries(shownMode)) {
        lines.push_back(textLine(kDurationLineAt, durationLine(record).view(), measure));
    }
    lines.push_back(
        textLine(kConcentrationLineAt, concentrationLine(record, shownMode).view(), measure));
    lines.push_back(textLine(kClimateLineAt, climateLine(record).view(), measure));
    return lines;
}

AccessibleElement seriesChart(Series series) {
    const std::string_view label =
        series == Series::Ci ? texts::kSeriesLabelCi : texts::kSeriesLabelCd;
    return {AccessibleRole::Chart, spokenText(label), accessible_state::kReadOnly,
            ClientRect{kGraphLeft, kGraphTop, kGraphRight, kGraphBottom}};
}

AccessibleElement chartPoint(const FileRecord& record, Series series, std::size_t point) {
    std::string name(seriesTimeText(point).view());
    name += ' ';
    name += seriesValueText(recordSeriesValue(record, series, point)).view();
    const int x = seriesPointX(point);
    return {AccessibleRole::ListItem, std::move(name), accessible_state::kReadOnly,
            ClientRect{x - kPointHalfWidth, kPlotTop, x + kPointHalfWidth, kTickBottom}};
}

}  // namespace tolvinark
