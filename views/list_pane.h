#pragma once
// The record list: the info pane's values, the rows of the list pane, and the scroll state that
// the scroll bar, the wheel, the pointer and clicks act on. The viewer calls these and replays
// the drawing into the panes' off-screen bitmaps.

#include <cstdint>
#include <optional>
#include <string_view>

#include "data/record_index.h"
#include "views/canvas.h"

namespace tolvinark {

inline constexpr int kRowPitch = 14;    // pixels per row
inline constexpr int kFirstRowTop = 2;  // y of row 0's top in the list pane

// Scroll state of the list pane. The scroll position shown by the scroll bar always equals the
// top row.
struct ScrollState {
    std::int32_t topRow = 0;
    std::int32_t scrollMaximum = 0;  // record count - visible rows when larger, else 0
    std::uint32_t visibleRows = 0;   // whole rows in the pane: client height / 14, at most 255
    std::int32_t hoverRowTop = 0;    // top of the row under the pointer; 0 matches no row
};

// The loaded file as the list sees it. `entries` holds `recordCount` entries (none when 0).
struct ListContent {
    const IndexEntry* entries = nullptr;
    std::uint32_t recordCount = 0;
};

// Scroll bar request codes, as the platform numbers them.
enum ScrollCode : int {
    kLineUp = 0,
    kLineDown = 1,
    kPageUp = 2,
    kPageDown = 3,
    kThumbTrack = 5,
};

// After an open: top row 0, visible rows from the pane's client height, scroll maximum from the
// record count. The hover row top is kept.
void startList(ScrollState& state, std::uint32_t recordCount, int clientHeight);

// A scroll bar request. `trackPosition` is the scroll box's 32-bit drag position (only read for
// kThumbTrack). Gives back true when the top row moved, so the rows are redrawn.
bool scrollByCode(ScrollState& state, int code, std::int32_t trackPosition,
                  std::uint32_t recordCount);

enum class WheelResult { Handled, PassToDefault };
// One wheel notch (delta 112..127 up, -128..-113 down) scrolls one row; any other delta is left
// to the default window procedure. `moved` is set when the top row changed.
WheelResult scrollByWheel(ScrollState& state, int wheelDelta, std::uint32_t recordCount,
                          bool& moved);

// The pointer moved to y (client coordinates of the list pane).
void hoverAt(ScrollState& state, int y);

// The record under a click at y, or nothing when the row there holds no record.
std::optional<std::uint32_t> recordAtClick(const ScrollState& state, int y,
                                           const ListContent& content);

// Fixed texts drawn once at start: the info pane's labels and the header pane's column titles.
void drawInfoLabels(Canvas& canvas);
void drawHeaderPane(Canvas& canvas);

// The info pane's values after an open: file name, record count text, serial-number text, each
// drawn over a run of blanks that clears the previous value.
void drawInfoValues(Canvas& canvas, std::string_view fileName, std::uint32_t recordCount,
                    std::uint32_t serialNumber);

// The visible rows from the top row, blank rows below the last record.
void drawListRows(Canvas& canvas, const ScrollState& state, const ListContent& content);

}  // namespace tolvinark
