#pragma once
// The record list as a screen reader reads it: one list item per record, child ids 1 to N in
// file order, each named after its row. Every answer comes from the record index and the scroll
// state alone, so a list of any length answers at once.

#include <cstdint>
#include <optional>
#include <string>

#include "data/record_index.h"
#include "views/accessible.h"
#include "views/list_pane.h"

namespace tolvinark {

// Child ids are positive 32-bit numbers: records past the largest id are not offered.
std::int32_t listChildCount(std::uint32_t recordCount);
std::int32_t childOfRecord(std::uint32_t recordNumber);
// The record of child id `childId`, or nothing for an id that names none.
std::optional<std::uint32_t> recordOfChild(std::int32_t childId, std::uint32_t recordCount);

// "18.03.2019 08:16:25, Экспрес - измерение 30, 0.000 ± 0.000 мг/м3": the row's fields as
// shown, without their padding.
std::string listItemName(const IndexEntry& entry);

// The row of record `recordNumber`: selectable and focusable; selected and focused when it is
// the highlighted row; off screen unless it is in a visible row. Its place is the row's band across
// the pane, none off screen. `recordNumber` is one of the content's records.
AccessibleElement listItem(const ScrollState& state, const ListContent& content,
                           std::uint32_t recordNumber, int clientWidth);

// The highlighted row's child id, the list's focus and selection; nothing without one.
std::optional<std::int32_t> highlightedChild(const ScrollState& state, std::uint32_t recordCount);

// What a screen reader is told after a key moved the highlight: the list's order changed when
// its rows scrolled; the focus and selection went to `focus` when the highlighted record
// changed.
struct ListAnnouncement {
    bool reordered = false;
    std::optional<std::int32_t> focus;
};
ListAnnouncement announcementAfterKey(const ScrollState& before, const ScrollState& after,
                                      std::uint32_t recordCount);

}  // namespace tolvinark
