#include "app/viewer/detail_window.h"

#include <string>
#include <utility>

#include "app/viewer/accessibility.h"
#include "app/viewer/main_window.h"
#include "app/win32/gdi_canvas.h"
#include "app/win32/wide_text.h"
#include "data/fixed_texts.h"
#include "views/detail_window.h"

namespace tolvinark {

namespace {

// An overlapped top-level window: the system adds the title bar, which carries only the system
// menu and the close box.
constexpr DWORD kDetailWindowStyle = WS_VISIBLE | WS_CLIPCHILDREN | WS_SYSMENU;
static_assert(kDetailWindowStyle == 0x12080000, "the detail window's style");

constexpr DWORD kSeriesToggleStyle = WS_CHILD | BS_TOP;  // shown once it exists
constexpr DWORD kExcelButtonStyle = WS_CHILD | WS_VISIBLE | BS_TOP | BS_ICON;
constexpr int kButtonPictureSize = 32;

HWND createButton(const ApplicationState& app, const wchar_t* text, DWORD style,
                  const ChildPlacement& place) {
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"button", text, style, place.left, place.top,
                           place.width, place.height, app.detail.window, nullptr, app.module,
                           nullptr);
}

// The two buttons of a timed measurement's window.
void createSeriesButtons(ApplicationState& app) {
    DetailWindow& detail = app.detail;
    const std::wstring toggleText = toWide(texts::kSeriesToggleText);
    detail.seriesToggleButton =
        createButton(app, toggleText.c_str(), kSeriesToggleStyle, kSeriesToggleButtonPlacement);
    ShowWindow(detail.seriesToggleButton, SW_SHOWNORMAL);
    UpdateWindow(detail.seriesToggleButton);

    // The name is for screen readers: an icon button does not draw its text.
    const std::wstring excelName = toWide(texts::kExcelButtonName);
    detail.excelButton =
        createButton(app, excelName.c_str(), kExcelButtonStyle, kExcelButtonPlacement);
    // Each button gets its own copy of the picture, destroyed when the window is closed.
    detail.excelIcon.reset(
        static_cast<HICON>(LoadImageW(app.module, L"ICON_KNOP_EXCEL", IMAGE_ICON,
                                      kButtonPictureSize, kButtonPictureSize, LR_DEFAULTCOLOR)));
    SendMessageW(detail.excelButton, BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(detail.excelIcon.get()));
}

// Makes the window's picture, of its client size, and draws everything the window shows but its
// buttons into it. Without a picture the window stays blank.
void drawDetailPicture(ApplicationState& app) {
    DetailWindow& detail = app.detail;
    PaintSession session(detail.window, detail.paint);
    RECT client{};
    GetClientRect(detail.window, &client);
    if (!detail.picture.make(session.dc(), client.right, client.bottom)) return;

    ScopedSelection bitmap(detail.picture.context(), detail.picture.bitmap());
    GdiCanvas canvas(detail.picture.context(), app.drawing);
    drawDetailWindow(canvas, app.data.currentRecord, detail.shownMode, app.seriesSelector,
                     client.right, client.bottom);
}

}  // namespace

void buildDetailWindow(ApplicationState& app) {
    DetailWindow& detail = app.detail;
    POINT position{kDetailDefaultLeft, kDetailDefaultTop};
    detail.shownMode = recordMode(app.data.currentRecord);
    if (detail.window) {
        RECT outer{};
        GetWindowRect(detail.window, &outer);
        position = {outer.left, outer.top};
        closeDetailWindow(app);
    }

    const WindowSize size = detailWindowOuterSize(detail.shownMode);
    detail.window = CreateWindowExW(WS_EX_CLIENTEDGE, kWindowClassName, nullptr, kDetailWindowStyle,
                                    position.x, position.y, size.width, size.height, app.mainWindow,
                                    nullptr, app.module, nullptr);
    if (!detail.window) return;  // nothing to draw into; the next click tries again

    drawDetailPicture(app);
    InvalidateRect(detail.window, nullptr, FALSE);
    ShowWindow(detail.window, SW_SHOWNORMAL);
    // The new window's first protocol printout asks for a printer again.
    app.printing.printer.detailWindowBuilt();
    if (modeHasSeries(detail.shownMode)) createSeriesButtons(app);
    accessibleDetailBuilt(app);
}

void closeDetailWindow(ApplicationState& app, HWND beingDestroyed) {
    DetailWindow& detail = app.detail;
    if (!detail.window) return;
    // Taken out of the state first: the WM_DESTROY that DestroyWindow sends comes back here and
    // finds nothing left to close. The picture goes when these owners do, after the window.
    const HWND window = std::exchange(detail.window, nullptr);
    app.accessible.detail.reset();
    detail.seriesToggleButton = nullptr;
    detail.excelButton = nullptr;
    const OffscreenPicture picture = std::move(detail.picture);
    const ScopedIcon excelIcon = std::move(detail.excelIcon);
    if (window != beingDestroyed) DestroyWindow(window);
}

void copyDetailWindowToScreen(ApplicationState& app) {
    DetailWindow& detail = app.detail;
    if (!detail.window) return;
    PaintSession session(detail.window, detail.paint);
    detail.picture.copyToScreen(session);
}

LRESULT onSeriesToggle(ApplicationState& app) {
    app.seriesSelector = app.seriesSelector == Series::Ci ? Series::Cd : Series::Ci;
    // Destroys the button whose notification this is, and its parent, from inside their own
    // messages; the button sends its notification last, and nothing here touches either
    // afterwards.
    buildDetailWindow(app);
    return 0;
}

}  // namespace tolvinark
