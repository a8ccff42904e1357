#pragma once
// What one accessible object of a painted window shows. The window's code owns the content and
// answers from its own state at every call; the COM object a screen reader holds only borrows
// it (app/win32/accessible_object.h).

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "views/accessible.h"

namespace tolvinark {

class AccessibleContent {
  public:
    virtual ~AccessibleContent() = default;

    virtual AccessibleRole role() const = 0;
    // UTF-8; empty leaves the window's own name.
    virtual std::string name() const { return {}; }

    // Children have the ids 1 to childCount(). Each is a simple element, an object of its own or
    // a child window.
    virtual std::int32_t childCount() const = 0;
    // Child `id` when it is a simple element.
    virtual std::optional<AccessibleElement> element(std::int32_t id) const = 0;
    // Child `id` when it is an object with children of its own.
    virtual std::shared_ptr<AccessibleContent> objectChild(std::int32_t) const { return nullptr; }
    // Child `id` when it is a window, shown by the system's own object for it.
    virtual HWND windowChild(std::int32_t) const { return nullptr; }

    // The focused and selected child, if any.
    virtual std::optional<std::int32_t> focus() const { return std::nullopt; }
    // The child under the point (x, y) of the window's client area, 0 for none of them.
    virtual std::int32_t childAt(int x, int y) const;

    // The name (UTF-8) of child `id`'s default action, empty when it has none; doing it gives
    // false when there is nothing to do.
    virtual std::string defaultAction(std::int32_t) const { return {}; }
    virtual bool doDefaultAction(std::int32_t) { return false; }

    // An object that is not a window's client area has its own place and state.
    virtual std::optional<ClientRect> place() const { return std::nullopt; }
    virtual std::uint32_t state() const { return accessible_state::kReadOnly; }
};

}  // namespace tolvinark
