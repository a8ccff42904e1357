#pragma once
// Helpers of the accessibility tests: text widths, and places printed as numbers.

#include <ostream>
#include <string_view>

#include "views/accessible.h"

namespace tolvinark {

inline void PrintTo(const ClientRect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

}  // namespace tolvinark

namespace tolvinark::test {

// A blank is 3 pixels wide, every other character 6, so a place that leaves out or counts the
// wrong blanks shows in its numbers.
class MonoMeasure final : public TextMeasure {
  public:
    int textWidth(std::string_view cp1251Text) const override {
        int width = 0;
        for (char c : cp1251Text) width += c == ' ' ? 3 : 6;
        return width;
    }
    // Counts code points: every byte but UTF-8's continuation bytes.
    int nameWidth(std::string_view utf8Name) const override {
        int width = 0;
        for (char c : utf8Name) {
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) width += c == ' ' ? 3 : 6;
        }
        return width;
    }
};

}  // namespace tolvinark::test
