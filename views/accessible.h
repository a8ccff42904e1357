#pragma once
// What a screen reader is told about the viewer's painted windows: each element's role, name,
// state and place. Roles and states carry the numbers of Microsoft Active Accessibility, which
// the viewer hands on unchanged; names are UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolvinark {

enum class AccessibleRole : std::uint32_t {
    Client = 0x0A,
    Chart = 0x11,
    List = 0x21,
    ListItem = 0x22,
    StaticText = 0x29,
};

namespace accessible_state {
inline constexpr std::uint32_t kSelected = 0x2;
inline constexpr std::uint32_t kFocused = 0x4;
inline constexpr std::uint32_t kReadOnly = 0x40;
inline constexpr std::uint32_t kOffscreen = 0x10000;
inline constexpr std::uint32_t kFocusable = 0x100000;
inline constexpr std::uint32_t kSelectable = 0x200000;
}  // namespace accessible_state

// A rectangle in pixels of a window's client area: left <= x < right, top <= y < bottom.
struct ClientRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const ClientRect& a, const ClientRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// One element without children of its own: a text, a list row, a point of the graph.
struct AccessibleElement {
    AccessibleRole role = AccessibleRole::StaticText;
    std::string name;  // UTF-8
    std::uint32_t state = 0;
    std::optional<ClientRect> place;  // none for an element out of view
};

// Widths in pixels of texts in the screen font, as the window draws them; the places of the
// texts follow from them.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual int textWidth(std::string_view cp1251Text) const = 0;
    virtual int nameWidth(std::string_view utf8Name) const = 0;
};

// A drawn text as it is read out: UTF-8, without the blanks that pad it at either end, a run of
// blanks inside read as one.
std::string spokenText(std::string_view cp1251Text);

// The place of the text drawn at (x, y) in the screen font: the blanks at its ends left out.
ClientRect drawnTextPlace(int x, int y, std::string_view cp1251Text, const TextMeasure& measure);

}  // namespace tolvinark
