#pragma once
// What the viewer keeps of the open detail window. The window owns its picture and the Excel
// button's icon; they are released exactly once, when the window is closed or replaced.

#include <windows.h>

#include <cstdint>

#include "app/win32/offscreen_picture.h"
#include "app/win32/scoped_icon.h"

namespace tolvinark {

struct DetailWindow {
    HWND window = nullptr;        // none while no detail window is open
    PAINTSTRUCT paint{};          // for BeginPaint and EndPaint on the window
    OffscreenPicture picture;     // of the client area's size
    std::uint16_t shownMode = 0;  // the mode of the record shown, taken at every build

    // Only a timed measurement's window has these; they are its children and go with it.
    HWND seriesToggleButton = nullptr;
    HWND excelButton = nullptr;
    ScopedIcon excelIcon;
};

}  // namespace tolvinark
