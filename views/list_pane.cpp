#include "views/list_pane.h"

#include <algorithm>

#include "data/fixed_texts.h"
#include "data/record_texts.h"

namespace tolvinark {
namespace {

constexpr std::uint32_t kMostVisibleRows = 255;

using namespace info_pane;

// Each value is drawn over this many blanks first. The record count is written in full, up to
// ten digits, so ten blanks would not cover the digits of a count of 100000 or more.
constexpr std::size_t kValueClearLength = 256;

constexpr int kRowBandX = 0;
constexpr int kBlankRowX = 6;
constexpr int kDateX = 7;
constexpr int kTimeX = 86;
constexpr int kModeNameX = 144;
constexpr int kPairX = 340;

int rowTop(std::uint32_t row) {
    return kFirstRowTop + kRowPitch * static_cast<int>(row);
}

// Rows below y 0 belong to no row; division rounds towards minus infinity so that they stay
// clear of row 0.
int rowAt(int y) {
    return y >= 0 ? y / kRowPitch : -((-y + kRowPitch - 1) / kRowPitch);
}

bool lineUp(ScrollState& state) {
    if (state.topRow <= 0) return false;
    --state.topRow;
    return true;
}

bool lineDown(ScrollState& state) {
    if (state.topRow >= state.scrollMaximum) return false;
    ++state.topRow;
    return true;
}

bool pageUp(ScrollState& state) {
    if (state.topRow <= 0) return false;
    const std::int32_t old = state.topRow;
    const std::int64_t next = std::int64_t{old} - state.visibleRows;
    state.topRow = static_cast<std::int32_t>(std::max<std::int64_t>(next, 0));
    return state.topRow != old;
}

bool pageDown(ScrollState& state, std::uint32_t recordCount) {
    const std::int64_t count = recordCount;
    const std::int64_t visible = state.visibleRows;
    if (count - state.topRow <= visible) return false;
    const std::int32_t old = state.topRow;
    const std::int64_t next = std::min(std::int64_t{old} + visible, count - visible);
    state.topRow = static_cast<std::int32_t>(next);
    return state.topRow != old;
}

// The rows from the top row that hold a record: never past the last entry.
std::uint32_t rowsWithRecords(const ScrollState& state, std::uint32_t recordCount) {
    if (state.topRow < 0) return 0;
    const auto top = static_cast<std::uint32_t>(state.topRow);
    if (top >= recordCount) return 0;
    return std::min(state.visibleRows, recordCount - top);
}

std::uint32_t rowsWithRecords(const ScrollState& state, const ListContent& content) {
    return content.entries == nullptr ? 0 : rowsWithRecords(state, content.recordCount);
}

// The visible row the highlight stands on, when that row holds a record. The hover row top of 0
// left by the start, a row above the pane, the strip below the last whole row and a blank row
// are no highlight.
std::optional<std::uint32_t> highlightedRow(const ScrollState& state, std::uint32_t recordCount) {
    const std::int32_t offset = state.hoverRowTop - kFirstRowTop;
    if (offset < 0 || offset % kRowPitch != 0) return std::nullopt;
    const auto row = static_cast<std::uint32_t>(offset / kRowPitch);
    if (row >= rowsWithRecords(state, recordCount)) return std::nullopt;
    return row;
}

void highlightRow(ScrollState& state, std::uint32_t row) {
    state.hoverRowTop = rowTop(row);
}

// A highlight left on a blank row by a page move is drawn back to the last record; one outside
// the visible rows stays where it is.
void clampHighlightToLastRecord(ScrollState& state, std::uint32_t recordCount) {
    const std::int32_t offset = state.hoverRowTop - kFirstRowTop;
    if (offset < 0 || offset % kRowPitch != 0) return;
    const auto row = static_cast<std::uint32_t>(offset / kRowPitch);
    const std::uint32_t shown = rowsWithRecords(state, recordCount);
    if (row < state.visibleRows && row >= shown && shown > 0) highlightRow(state, shown - 1);
}

void drawRow(Canvas& canvas, int y, const IndexEntry& entry, bool highlighted) {
    if (highlighted) canvas.setBackgroundColour(colours::kHighlight);
    canvas.setTextColour(entry.mark != 0 ? colours::kMarking : colours::kBlack);
    canvas.drawText(kRowBandX, y, texts::kBlankLine);
    canvas.drawText(kDateX, y, listDateText(entry).view());
    canvas.drawText(kTimeX, y, listTimeText(entry).view());
    canvas.drawText(kModeNameX, y, listModeName(entry.mode));
    canvas.drawText(kPairX, y, concentrationPair(entry.concentration, entry.mode).view());
    if (highlighted) canvas.setBackgroundColour(colours::kBackground);
}

}  // namespace

void startList(ScrollState& state, std::uint32_t recordCount, int clientHeight) {
    state.topRow = 0;
    const std::uint32_t wholeRows = clientHeight > 0 ? clientHeight / kRowPitch : 0;
    state.visibleRows = std::min(wholeRows, kMostVisibleRows);
    // A file holds far fewer than 2^31 records; the clamp only keeps the field's sign.
    const std::uint32_t hidden =
        recordCount > state.visibleRows ? recordCount - state.visibleRows : 0;
    state.scrollMaximum = static_cast<std::int32_t>(std::min<std::uint32_t>(hidden, INT32_MAX));
}

bool scrollList(ScrollState& state, ListMove move, std::uint32_t recordCount,
                std::int32_t thumbPosition) {
    switch (move) {
        case ListMove::LineUp: return lineUp(state);
        case ListMove::LineDown: return lineDown(state);
        case ListMove::PageUp: return pageUp(state);
        case ListMove::PageDown: return pageDown(state, recordCount);
        case ListMove::ThumbTo: {
            // The 32-bit track position, so that every record of a long file can be reached.
            const std::int32_t next =
                std::clamp(thumbPosition, 0, std::max(state.scrollMaximum, 0));
            const bool moved = next != state.topRow;
            state.topRow = next;
            return moved;
        }
        case ListMove::Top:
        case ListMove::Bottom: return false;
    }
    return false;
}

bool moveHighlight(ScrollState& state, ListMove move, std::uint32_t recordCount) {
    const std::uint32_t shown = rowsWithRecords(state, recordCount);
    if (shown == 0) return false;
    const std::int32_t oldTop = state.topRow;
    const std::int32_t oldHighlight = state.hoverRowTop;
    const std::optional<std::uint32_t> row = highlightedRow(state, recordCount);
    switch (move) {
        case ListMove::LineDown:
            if (!row) {
                highlightRow(state, 0);
            } else if (*row + 1 < shown) {
                highlightRow(state, *row + 1);
            } else {
                lineDown(state);  // the highlight stays on the last visible row
            }
            break;
        case ListMove::LineUp:
            if (!row) {
                highlightRow(state, shown - 1);
            } else if (*row > 0) {
                highlightRow(state, *row - 1);
            } else {
                lineUp(state);
            }
            break;
        case ListMove::PageDown:
        case ListMove::PageUp:
            scrollList(state, move, recordCount);
            clampHighlightToLastRecord(state, recordCount);
            break;
        case ListMove::Top:
            state.topRow = 0;
            highlightRow(state, 0);
            break;
        case ListMove::Bottom:
            state.topRow = std::max(state.scrollMaximum, 0);
            highlightRow(state, rowsWithRecords(state, recordCount) - 1);
            break;
        case ListMove::ThumbTo: break;
    }
    return state.topRow != oldTop || state.hoverRowTop != oldHighlight;
}

std::optional<std::uint32_t> highlightedRecord(const ScrollState& state,
                                               std::uint32_t recordCount) {
    const std::optional<std::uint32_t> row = highlightedRow(state, recordCount);
    if (!row) return std::nullopt;
    return static_cast<std::uint32_t>(state.topRow) + *row;
}

void hoverAt(ScrollState& state, int y) {
    state.hoverRowTop = rowAt(y) * kRowPitch + kFirstRowTop;
}

std::optional<std::uint32_t> recordAtClick(const ScrollState& state, int y,
                                           const ListContent& content) {
    if (y < 0 || content.entries == nullptr || state.topRow < 0) return std::nullopt;
    const auto row = static_cast<std::uint32_t>(y / kRowPitch);
    if (row >= state.visibleRows) return std::nullopt;  // the strip below the last whole row
    const std::uint64_t record = std::uint64_t{static_cast<std::uint32_t>(state.topRow)} + row;
    if (record >= content.recordCount) return std::nullopt;
    return static_cast<std::uint32_t>(record);
}

void drawInfoLabels(Canvas& canvas) {
    canvas.setTextColour(colours::kBlack);
    canvas.setBackgroundColour(colours::kBackground);
    canvas.selectFont(Font::Screen);
    canvas.drawText(kLabelX, kFileY, texts::kInfoFileLabel);
    canvas.drawText(kLabelX, kRecordsY, texts::kInfoRecordsLabel);
    canvas.drawText(kLabelX, kInstrumentY, texts::kInfoInstrumentLabel);
}

void drawHeaderPane(Canvas& canvas) {
    canvas.setTextColour(colours::kBlack);
    canvas.setBackgroundColour(colours::kBackground);
    canvas.selectFont(Font::Screen);
    canvas.drawText(kHeaderX, kHeaderY, texts::kListColumnHeader);
}

void drawInfoValues(Canvas& canvas, std::string_view fileName, std::uint32_t recordCount,
                    std::uint32_t serialNumber) {
    // The labels left the screen font and black text selected; set them again all the same so
    // that the values never depend on what was drawn before.
    canvas.setBackgroundColour(colours::kBackground);
    canvas.setTextColour(colours::kBlack);
    canvas.selectFont(Font::Screen);

    const std::string_view blanks = texts::kBlankLine;
    canvas.drawText(kFileNameX, kFileY, blanks.substr(0, kValueClearLength));
    canvas.drawName(kFileNameX, kFileY, fileName);
    canvas.drawText(kRecordCountX, kRecordsY, blanks.substr(0, kValueClearLength));
    canvas.drawText(kRecordCountX, kRecordsY, recordCountText(recordCount).view());
    canvas.drawText(kSerialNumberX, kInstrumentY, blanks.substr(0, kValueClearLength));
    canvas.drawText(kSerialNumberX, kInstrumentY, serialNumberText(serialNumber).view());
}

void drawListRows(Canvas& canvas, const ScrollState& state, const ListContent& content) {
    canvas.setBackgroundColour(colours::kBackground);
    canvas.setTextColour(colours::kBlack);
    canvas.selectFont(Font::Screen);

    const std::uint32_t rows = rowsWithRecords(state, content);
    const IndexEntry* first = rows > 0 ? content.entries + state.topRow : nullptr;
    for (std::uint32_t k = 0; k < rows; ++k) {
        const int y = rowTop(k);
        drawRow(canvas, y, first[k], y == state.hoverRowTop);
    }
    for (std::uint32_t k = rows; k < state.visibleRows; ++k) {
        canvas.drawText(kBlankRowX, rowTop(k), texts::kBlankLine);
    }
}

}  // namespace tolvinark
