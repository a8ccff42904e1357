#include "app/viewer/accessibility.h"

#include "app/viewer/accessible_contents.h"
#include "app/viewer/list_pane.h"
#include "app/viewer/list_view.h"
#include "app/win32/accessible_object.h"
#include "views/list_accessibility.h"

namespace tolvinark {
namespace {

bool asksForClientArea(LPARAM objectId) {
    return static_cast<DWORD>(objectId) == static_cast<DWORD>(OBJID_CLIENT);
}

// The content a window answers with, made when first asked for; none for other windows.
std::shared_ptr<AccessibleContent> contentOf(ApplicationState& app, HWND window) {
    AccessibleWindows& windows = app.accessible;
    if (window == app.listPane.window) {
        if (!windows.list) windows.list = makeListAccessible(app);
        return windows.list;
    }
    if (window == app.infoPane.window) {
        if (!windows.infoPane) windows.infoPane = makeInfoPaneAccessible(app);
        return windows.infoPane;
    }
    if (window == app.headerPane.window) {
        if (!windows.headerPane) windows.headerPane = makeHeaderPaneAccessible(app);
        return windows.headerPane;
    }
    if (app.detail.window && window == app.detail.window) return windows.detail;
    return nullptr;
}

void notifyList(const ApplicationState& app, DWORD event, LONG child) {
    NotifyWinEvent(event, app.listPane.window, OBJID_CLIENT, child);
}

}  // namespace

LRESULT onGetObject(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam) {
    if (asksForClientArea(lParam)) {
        if (const std::shared_ptr<AccessibleContent> content = contentOf(app, window)) {
            return accessibleClientResult(window, wParam, content);
        }
    }
    return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
}

void accessibleFileChanged(ApplicationState& app) {
    AccessibleWindows& windows = app.accessible;
    windows.list.reset();
    windows.infoPane.reset();
    windows.headerPane.reset();
    ++windows.opens;
    notifyList(app, EVENT_OBJECT_REORDER, CHILDID_SELF);
}

void accessibleDetailBuilt(ApplicationState& app) {
    app.accessible.detail = makeDetailAccessible(app);
}

void accessibleWindowGone(ApplicationState& app, HWND window) {
    AccessibleWindows& windows = app.accessible;
    if (window == app.listPane.window) windows.list.reset();
    if (window == app.infoPane.window) windows.infoPane.reset();
    if (window == app.headerPane.window) windows.headerPane.reset();
}

void announceListReordered(const ApplicationState& app) {
    notifyList(app, EVENT_OBJECT_REORDER, CHILDID_SELF);
}

void announceListKey(const ApplicationState& app, const ScrollState& before) {
    const ListAnnouncement announcement =
        announcementAfterKey(before, app.scroll, listContent(app.data).recordCount);
    if (announcement.reordered) announceListReordered(app);
    if (announcement.focus) {
        notifyList(app, EVENT_OBJECT_FOCUS, *announcement.focus);
        notifyList(app, EVENT_OBJECT_SELECTION, *announcement.focus);
    }
}

LRESULT onOpenRecordRequest(ApplicationState& app, WPARAM recordNumber, LPARAM opens) {
    if (static_cast<std::uint32_t>(opens) != app.accessible.opens) return 0;
    if (recordNumber < listContent(app.data).recordCount) {
        openListedRecord(app, static_cast<std::uint32_t>(recordNumber));
    }
    return 0;
}

}  // namespace tolvinark
