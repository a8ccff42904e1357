#pragma once
// The answer to WM_GETOBJECT for a painted window's client area: an IAccessible over content
// the window owns. The object a screen reader keeps holds the content only weakly, so once the
// window lets go of it (the window is gone, or it shows something else now) every call answers
// CO_E_OBJNOTCONNECTED instead of reaching freed state.

#include <windows.h>

#include <memory>

#include "app/win32/accessible_content.h"

namespace tolvinark {

LRESULT accessibleClientResult(HWND window, WPARAM wParam,
                               const std::shared_ptr<AccessibleContent>& content);

}  // namespace tolvinark
