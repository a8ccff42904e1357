#include "app/viewer/main_window.h"

#include <string>
#include <string_view>

#include <shellapi.h>

#include "app/viewer/window_procedure.h"
#include "app/win32/wide_text.h"
#include "data/fixed_texts.h"

namespace tolvinark {

namespace {

constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
static_assert(kClassStyle == 0x000B, "the window class's style");

constexpr DWORD kMainWindowStyle =
    WS_VISIBLE | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
static_assert(kMainWindowStyle == 0x12CA0000, "the main window's style");

constexpr DWORD kListPaneStyle = WS_CHILD | WS_VSCROLL;
constexpr DWORD kPaneStyle = WS_CHILD;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_TOP | BS_ICON | BS_PUSHBUTTON;
static_assert(kButtonStyle == 0x50000440, "the icon buttons' style");

constexpr int kButtonPictureSize = 32;

HWND createPane(const ApplicationState& app, DWORD style, int left, int top, int width,
                int height) {
    return CreateWindowExW(WS_EX_CLIENTEDGE, kWindowClassName, nullptr, style, left, top, width,
                           height, app.mainWindow, nullptr, app.module, nullptr);
}

// A push button showing the icon resource `picture`. The icon stays the button's for the whole
// run, so it is never destroyed. `name` is for screen readers: an icon button does not draw its
// text.
HWND createIconButton(const ApplicationState& app, const wchar_t* picture, std::string_view name,
                      int left) {
    const std::wstring text = toWide(name);
    HWND button = CreateWindowExW(WS_EX_CLIENTEDGE, L"button", text.c_str(), kButtonStyle, left, 20,
                                  64, 42, app.mainWindow, nullptr, app.module, nullptr);
    if (!button) return nullptr;
    HANDLE icon = LoadImageW(app.module, picture, IMAGE_ICON, kButtonPictureSize,
                             kButtonPictureSize, LR_DEFAULTCOLOR);
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    return button;
}

}  // namespace

bool registerWindowClass(const ApplicationState& app) {
    WNDCLASSW windowClass{};
    windowClass.style = kClassStyle;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = app.module;
    windowClass.hIcon = LoadIconW(app.module, L"ICON_BIG");
    // The arrow is a resource number, the same in either character set.
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kWindowClassName;
    return RegisterClassW(&windowClass) != 0;
}

std::optional<StartFailure> createMainWindow(ApplicationState& app) {
    const std::wstring title = toWide(texts::kProgramTitle);
    app.mainWindow =
        CreateWindowExW(0, kWindowClassName, title.c_str(), kMainWindowStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, 720, 500, nullptr, nullptr, app.module, nullptr);
    if (!app.mainWindow) return failedAt(StartStep::MainWindow);

    app.listPane.window = createPane(app, kListPaneStyle, 6, 114, 528, 344);
    if (!app.listPane.window) return failedAt(StartStep::ListPane);
    SetScrollRange(app.listPane.window, SB_VERT, 0, 0, TRUE);  // no range until a file is open
    if (!preparePanePicture(app.listPane, app.drawing.secondBackgroundBrush, app.drawing))
        return failedAt(StartStep::ListPanePicture);

    app.infoPane.window = createPane(app, kPaneStyle, 6, 6, 528, 76);
    if (!app.infoPane.window) return failedAt(StartStep::InfoPane);
    if (!preparePanePicture(app.infoPane, app.drawing.backgroundBrush, app.drawing, drawInfoLabels))
        return failedAt(StartStep::InfoPanePicture);

    app.exitButton = createIconButton(app, L"ICON_KNOP_EXIT", texts::kExitButtonName, 634);
    if (!app.exitButton) return failedAt(StartStep::ExitButton);
    app.openButton = createIconButton(app, L"ICON_KNOP_LOOK", texts::kOpenButtonName, 560);
    if (!app.openButton) return failedAt(StartStep::OpenButton);

    app.headerPane.window = createPane(app, kPaneStyle, 6, 88, 528, 26);
    if (!app.headerPane.window) return failedAt(StartStep::HeaderPane);
    if (!preparePanePicture(app.headerPane, app.drawing.backgroundBrush, app.drawing,
                            drawHeaderPane))
        return failedAt(StartStep::HeaderPanePicture);

    // A file dropped anywhere on the main window opens; the detail window takes none.
    for (HWND window :
         {app.mainWindow, app.listPane.window, app.infoPane.window, app.headerPane.window}) {
        DragAcceptFiles(window, TRUE);
    }
    return std::nullopt;
}

}  // namespace tolvinark
