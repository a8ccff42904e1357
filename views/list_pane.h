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

inline constexpr int kRowPitch = 14;    // pixels per row, the screen font's height
inline constexpr int kFirstRowTop = 2;  // y of row 0's top in the list pane

// Where the info pane's labels and values and the header pane's titles stand, in pixels of
// each pane's client area.
namespace info_pane {
inline constexpr int kLabelX = 10;
inline constexpr int kFileY = 6;
inline constexpr int kRecordsY = 30;
inline constexpr int kInstrumentY = 54;
inline constexpr int kFileNameX = 84;
inline constexpr int kRecordCountX = 74;
inline constexpr int kSerialNumberX = 80;
}  // namespace info_pane
inline constexpr int kHeaderX = 10;
inline constexpr int kHeaderY = 4;

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

// How the list can move: by a line, a page, to either end, or to a dragged scroll box.
enum class ListMove { LineDown, LineUp, PageDown, PageUp, Top, Bottom, ThumbTo };

// After an open: top row 0, visible rows from the pane's client height, scroll maximum from the
// record count. The hover row top is kept.
void startList(ScrollState& state, std::uint32_t recordCount, int clientHeight);

// The scroll bar's and the wheel's moves: the rows move, the highlight stays on its screen
// row. Top and Bottom are not the scroll bar's and do nothing here. `thumbPosition` is read only
// for ThumbTo. Gives back true when the top row moved, so the rows are redrawn.
bool scrollList(ScrollState& state, ListMove move, std::uint32_t recordCount,
                std::int32_t thumbPosition = 0);

// The keys' moves, which carry the highlighted row (the hover row) along. A line move steps the
// highlight one row and scrolls a line where it would leave the visible rows; without a
// highlight on a record, LineDown highlights the top row and LineUp the bottom one. A page move
// is the scroll bar's, the highlight keeping its screen row but never passing the last record.
// Top and Bottom highlight the first and last record. Gives back true when the rows or the
// highlight changed, so the rows are redrawn.
bool moveHighlight(ScrollState& state, ListMove move, std::uint32_t recordCount);

// The record in the highlighted row, or nothing when the highlight stands on no record.
std::optional<std::uint32_t> highlightedRecord(const ScrollState& state, std::uint32_t recordCount);

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
