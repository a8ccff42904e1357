#include "app/list_messages.h"

#include "app/detail_window_host.h"
#include "app/list_view.h"
#include "app/message_box.h"

namespace tolvinark {

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

}  // namespace

LRESULT onVScroll(ApplicationState& app, WPARAM wParam) {
    const int code = LOWORD(wParam) & 0xFF;
    const std::int32_t track = code == kThumbTrack ? trackPosition(app) : 0;
    if (scrollByCode(app.scroll, code, track, listedRecords(app))) redrawList(app);
    return 0;
}

LRESULT onMouseWheel(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam) {
    bool moved = false;
    const WheelResult result =
        scrollByWheel(app.scroll, GET_WHEEL_DELTA_WPARAM(wParam), listedRecords(app), moved);
    if (result == WheelResult::PassToDefault) {
        return DefWindowProcW(window, WM_MOUSEWHEEL, wParam, lParam);
    }
    if (moved) redrawList(app);
    return 0;
}

LRESULT onListMouseMove(ApplicationState& app, int y) {
    hoverAt(app.scroll, y);
    redrawList(app);
    return 0;
}

LRESULT onRecordClick(ApplicationState& app, int y) {
    const std::optional<std::uint32_t> recordNumber =
        recordAtClick(app.scroll, y, listContent(app.data));
    if (!recordNumber) return 0;  // a row without a record

    const FileResult result = readRecord(app.data, *recordNumber);
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
    return 0;
}

}  // namespace tolvinark
