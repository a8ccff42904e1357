#pragma once
// What the viewer's painted windows show a screen reader, held by the viewer. Each window's
// content lives until the window goes or shows something else; the objects screen readers keep
// then answer that they are no longer connected.

#include <cstdint>
#include <memory>

namespace tolvinark {

class AccessibleContent;

struct AccessibleWindows {
    std::shared_ptr<AccessibleContent> list;
    std::shared_ptr<AccessibleContent> infoPane;
    std::shared_ptr<AccessibleContent> headerPane;
    std::shared_ptr<AccessibleContent> detail;
    // Counts the opens, so that an open-record request posted before another file came is
    // dropped.
    std::uint32_t opens = 0;
};

}  // namespace tolvinark
