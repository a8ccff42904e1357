#pragma once
// An icon loaded for one window and destroyed when its owner goes. Must outlive every window
// that shows it.

#include <windows.h>

#include "data/scoped_handle.h"

namespace tolvinark {

struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};

using ScopedIcon = ScopedHandle<HICON, DestroyIconHandle>;

}  // namespace tolvinark
