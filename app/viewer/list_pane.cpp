#include "app/viewer/list_pane.h"

#include "app/viewer/accessibility.h"
#include "app/viewer/detail_window.h"
#include "app/viewer/list_requests.h"
#include "app/viewer/list_view.h"
#include "app/win32/message_box.h"

namespace tolvinark {

static_assert(scroll_code::kLineUp == SB_LINEUP && scroll_code::kLineDown == SB_LINEDOWN &&
                  scroll_code::kPageUp == SB_PAGEUP && scroll_code::kPageDown == SB_PAGEDOWN &&
                  scroll_code::kThumbTrack == SB_THUMBTRACK,
              "the platform's scroll bar codes");

namespace {

std::uint32_t listedRecords(const ApplicationState& app) {
    return listContent(app.data).recordCount;
}

// The scroll box's drag position in full: the message itself carries only 16 bits of it.
std::int32_t trackPosition(const ApplicationState& app) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(app.listPane.window, SB_VERT, &info);
    return info.nTrackPos;
}

// Reads the record and shows it in a detail window, as a click on its row does.
void openRecord(ApplicationState& app, std::uint32_t recordNumber) {
    const FileResult result = readRecord(app.data, recordNumber);
    switch (result.outcome) {
        case FileOutcome::Ok:
            app.seriesSelector = Series::Ci;  // every clicked record shows Ci first
            buildDetailWindow(app);
            break;
        case FileOutcome::FileMissing:
            showMessage(app.listPane.window, result.message, result.name);
            closeDetailWindow(app);
            break;
        case FileOutcome::WrongType:
        case FileOutcome::NoIndexMemory:
        case FileOutcome::NoSuchRecord: break;
    }
}

}  // namespace

LRESULT onVScroll(ApplicationState& app, WPARAM wParam) {
    const std::optional<ListMove> move = scrollBarMove(LOWORD(wParam));
    if (!move) return 0;
    const std::int32_t track = *move == ListMove::ThumbTo ? trackPosition(app) : 0;
    if (scrollList(app.scroll, *move, listedRecords(app), track)) {
        redrawList(app);
        announceListReordered(app);
    }
    return 0;
}

LRESULT onMouseWheel(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam) {
    const std::optional<ListMove> move = wheelMove(GET_WHEEL_DELTA_WPARAM(wParam));
    if (!move) return DefWindowProcW(window, WM_MOUSEWHEEL, wParam, lParam);
    if (scrollList(app.scroll, *move, listedRecords(app))) {
        redrawList(app);
        announceListReordered(app);
    }
    return 0;
}

LRESULT onListMouseMove(ApplicationState& app, int y) {
    hoverAt(app.scroll, y);
    redrawList(app);
    return 0;
}

void onListKey(ApplicationState& app, ListMove move) {
    const ScrollState before = app.scroll;
    if (!moveHighlight(app.scroll, move, listedRecords(app))) return;
    redrawList(app);
    announceListKey(app, before);
}

void openHighlightedRecord(ApplicationState& app) {
    const std::optional<std::uint32_t> recordNumber =
        highlightedRecord(app.scroll, listedRecords(app));
    if (recordNumber) openRecord(app, *recordNumber);
}

void openListedRecord(ApplicationState& app, std::uint32_t recordNumber) {
    openRecord(app, recordNumber);
}

LRESULT onRecordClick(ApplicationState& app, int y) {
    const std::optional<std::uint32_t> recordNumber =
        recordAtClick(app.scroll, y, listContent(app.data));
    if (recordNumber) openRecord(app, *recordNumber);  // else a row without a record
    return 0;
}

}  // namespace tolvinark
