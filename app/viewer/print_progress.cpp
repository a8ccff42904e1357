#include "app/viewer/print_progress.h"

#include <string>

#include "app/win32/wide_text.h"
#include "data/fixed_texts.h"
#include "output/print_job.h"

namespace tolvinark {

namespace {

constexpr wchar_t kProgressClassName[] = L"TolvinarkPrintProgress";
constexpr DWORD kProgressStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
constexpr int kClientWidth = 280;
constexpr int kClientHeight = 92;

// The printout under way; the abort procedure is handed only the printer context.
PrintProgress* activeProgress = nullptr;

// 0 in the viewer; a test build sets it.
DWORD pageHoldMilliseconds = 0;

void registerProgressClass(HINSTANCE module, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    if (GetClassInfoW(module, kProgressClassName, &windowClass)) return;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kProgressClassName;
    RegisterClassW(&windowClass);
}

HWND createChild(HWND parent, HINSTANCE module, const wchar_t* windowClass, const wchar_t* text,
                 DWORD style, RECT place, int id) {
    HWND child =
        CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                        place.right - place.left, place.bottom - place.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return child;
}

// Centred on the top-level window of `owner`.
POINT progressPosition(HWND topLevel, SIZE outer) {
    RECT area{};
    GetWindowRect(topLevel, &area);
    return {area.left + (area.right - area.left - outer.cx) / 2,
            area.top + (area.bottom - area.top - outer.cy) / 2};
}

}  // namespace

void holdEveryPrintedPage(DWORD milliseconds) {
    pageHoldMilliseconds = milliseconds;
}

PrintProgress::PrintProgress(HINSTANCE module, HWND owner, HDC printer)
    : holdMilliseconds_(pageHoldMilliseconds) {
    registerProgressClass(module, procedure);
    const HWND topLevel = GetAncestor(owner, GA_ROOT);
    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, kProgressStyle, FALSE, 0);
    const SIZE size{outer.right - outer.left, outer.bottom - outer.top};
    const POINT position = progressPosition(topLevel, size);
    const std::wstring title = toWide(texts::kProgramTitle);
    window_ = CreateWindowExW(0, kProgressClassName, title.c_str(), kProgressStyle, position.x,
                              position.y, size.cx, size.cy, topLevel, nullptr, module, nullptr);
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        text_ = createChild(window_, module, L"static", nullptr, SS_LEFT, {16, 16, 264, 36}, 0);
        const std::wstring cancel = toWide(texts::kPrintCancelText);
        const HWND button =
            createChild(window_, module, L"button", cancel.c_str(), BS_DEFPUSHBUTTON | WS_TABSTOP,
                        {100, 52, 180, 78}, IDCANCEL);
        SetFocus(button);
        UpdateWindow(window_);
    }
    activeProgress = this;
    SetAbortProc(printer, abortProcedure);
}

PrintProgress::~PrintProgress() {
    activeProgress = nullptr;
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (quitCode_) PostQuitMessage(*quitCode_);
}

bool PrintProgress::keepGoing(std::uint64_t sheet, std::uint64_t sheetCount) {
    if (text_) {
        const std::wstring text = toWide(printProgressText(sheet, sheetCount));
        SetWindowTextW(text_, text.c_str());
    }
    takeMessages();
    const DWORD start = GetTickCount();
    for (DWORD held = 0; !cancelled_ && held < holdMilliseconds_; held = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, holdMilliseconds_ - held, QS_ALLINPUT);
        takeMessages();
    }
    return !cancelled_;
}

void PrintProgress::takeMessages() {
    MSG message{};
    while (!quitCode_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitCode_ = static_cast<int>(message.wParam);
            cancelled_ = true;
            break;
        }
        if (window_ && IsDialogMessageW(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LRESULT CALLBACK PrintProgress::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* progress = reinterpret_cast<PrintProgress*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_COMMAND:
            if (progress && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)) {
                progress->cancelled_ = true;
            }
            return 0;
        case WM_CLOSE:  // the close box and Alt+F4 cancel; the window goes with the printout
            if (progress) progress->cancelled_ = true;
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

BOOL CALLBACK PrintProgress::abortProcedure(HDC, int) {
    if (!activeProgress) return TRUE;
    activeProgress->takeMessages();
    return activeProgress->cancelled() ? FALSE : TRUE;
}

}  // namespace tolvinark
