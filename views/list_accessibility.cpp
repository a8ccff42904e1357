#include "views/list_accessibility.h"

#include <algorithm>
#include <cstdint>

#include "data/fixed_texts.h"
#include "data/record_texts.h"

namespace tolvinark {

std::int32_t listChildCount(std::uint32_t recordCount) {
    return static_cast<std::int32_t>(std::min<std::uint32_t>(recordCount, INT32_MAX));
}

std::int32_t childOfRecord(std::uint32_t recordNumber) {
    return static_cast<std::int32_t>(recordNumber + 1);
}

std::optional<std::uint32_t> recordOfChild(std::int32_t childId, std::uint32_t recordCount) {
    if (childId < 1 || childId > listChildCount(recordCount)) return std::nullopt;
    return static_cast<std::uint32_t>(childId - 1);
}

std::string listItemName(const IndexEntry& entry) {
    std::string name = spokenText(listDateText(entry).view());
    name += ' ';
    name += spokenText(listTimeText(entry).view());
    name += ", ";
    name += spokenText(listModeName(entry.mode));
    name += ", ";
    name += spokenText(concentrationPair(entry.concentration, entry.mode).view());
    name += ' ';
    name += spokenText(texts::kUnitText);
    return name;
}

AccessibleElement listItem(const ScrollState& state, const ListContent& content,
                           std::uint32_t recordNumber, int clientWidth) {
    AccessibleElement item;
    item.role = AccessibleRole::ListItem;
    item.name = listItemName(content.entries[recordNumber]);
    item.state = accessible_state::kSelectable | accessible_state::kFocusable;
    if (highlightedRecord(state, content.recordCount) == recordNumber) {
        item.state |= accessible_state::kSelected | accessible_state::kFocused;
    }
    const std::int64_t row = std::int64_t{recordNumber} - state.topRow;
    if (row >= 0 && row < state.visibleRows) {
        const int top = kFirstRowTop + kRowPitch * static_cast<int>(row);
        item.place = ClientRect{0, top, clientWidth, top + kRowPitch};
    } else {
        item.state |= accessible_state::kOffscreen;
    }
    return item;
}

std::optional<std::int32_t> highlightedChild(const ScrollState& state, std::uint32_t recordCount) {
    const std::optional<std::uint32_t> record = highlightedRecord(state, recordCount);
    if (!record || *record >= static_cast<std::uint32_t>(listChildCount(recordCount))) {
        return std::nullopt;
    }
    return childOfRecord(*record);
}

ListAnnouncement announcementAfterKey(const ScrollState& before, const ScrollState& after,
                                      std::uint32_t recordCount) {
    ListAnnouncement announcement;
    announcement.reordered = before.topRow != after.topRow;
    const std::optional<std::int32_t> focus = highlightedChild(after, recordCount);
    if (focus != highlightedChild(before, recordCount)) announcement.focus = focus;
    return announcement;
}

}  // namespace tolvinark
