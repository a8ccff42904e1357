#include "views/pane_accessibility.h"

#include <algorithm>
#include <string>

#include "data/fixed_texts.h"
#include "data/record_texts.h"
#include "views/list_pane.h"

namespace tolvinark {
namespace {

AccessibleElement staticText(std::string name, const ClientRect& place) {
    return {AccessibleRole::StaticText, std::move(name), accessible_state::kReadOnly, place};
}

// A label and the value drawn to its right, read as one line and placed over both.
AccessibleElement labelledValue(std::string_view label, int y, std::string spokenValue,
                                ClientRect valuePlace, const TextMeasure& measure) {
    ClientRect place = drawnTextPlace(info_pane::kLabelX, y, label, measure);
    std::string name = spokenText(label);
    if (!spokenValue.empty()) {
        name += ' ';
        name += spokenValue;
        place.right = std::max(place.right, valuePlace.right);
    }
    return staticText(std::move(name), place);
}

}  // namespace

std::vector<AccessibleElement> infoPaneTexts(const std::optional<InfoPaneValues>& values,
                                             const TextMeasure& measure) {
    using namespace info_pane;
    std::vector<AccessibleElement> lines;
    if (!values) {
        lines.push_back(labelledValue(texts::kInfoFileLabel, kFileY, {}, {}, measure));
        lines.push_back(labelledValue(texts::kInfoRecordsLabel, kRecordsY, {}, {}, measure));
        lines.push_back(labelledValue(texts::kInfoInstrumentLabel, kInstrumentY, {}, {}, measure));
        return lines;
    }
    const int nameRight = kFileNameX + measure.nameWidth(values->fileName);
    lines.push_back(labelledValue(texts::kInfoFileLabel, kFileY, std::string(values->fileName),
                                  {kFileNameX, kFileY, nameRight, kFileY + kRowPitch}, measure));
    const ComposedText count = recordCountText(values->recordCount);
    lines.push_back(labelledValue(texts::kInfoRecordsLabel, kRecordsY, spokenText(count.view()),
                                  drawnTextPlace(kRecordCountX, kRecordsY, count.view(), measure),
                                  measure));
    const ComposedText serial = serialNumberText(values->serialNumber);
    lines.push_back(labelledValue(
        texts::kInfoInstrumentLabel, kInstrumentY, spokenText(serial.view()),
        drawnTextPlace(kSerialNumberX, kInstrumentY, serial.view(), measure), measure));
    return lines;
}

std::vector<AccessibleElement> headerPaneTexts(const TextMeasure& measure) {
    // The titles stand apart by runs of blanks; one blank lies inside "Режим измерения".
    const std::string_view header = texts::kListColumnHeader;
    std::vector<AccessibleElement> titles;
    std::size_t start = header.find_first_not_of(' ');
    while (start != std::string_view::npos) {
        std::size_t end = header.find("  ", start);
        if (end == std::string_view::npos) end = header.find_last_not_of(' ') + 1;
        const std::string_view title = header.substr(start, end - start);
        const int left = kHeaderX + measure.textWidth(header.substr(0, start));
        const int right = left + measure.textWidth(title);
        titles.push_back(
            staticText(spokenText(title), {left, kHeaderY, right, kHeaderY + kRowPitch}));
        start = header.find_first_not_of(' ', end);
    }
    return titles;
}

}  // namespace tolvinark
