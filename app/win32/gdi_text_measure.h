#pragma once
// Widths of texts as a window draws them: measured in the window's own context with the font
// given, so the places told to a screen reader match the pixels.

#include <windows.h>

#include "views/accessible.h"

namespace tolvinark {

class GdiTextMeasure final : public TextMeasure {
  public:
    GdiTextMeasure(HWND window, HFONT font);
    ~GdiTextMeasure() override;
    GdiTextMeasure(const GdiTextMeasure&) = delete;
    GdiTextMeasure& operator=(const GdiTextMeasure&) = delete;

    int textWidth(std::string_view cp1251Text) const override;
    int nameWidth(std::string_view utf8Name) const override;

  private:
    int width(const wchar_t* text, std::size_t length) const;

    HWND window_;
    HDC dc_;             // the window's, given back at the end
    HGDIOBJ displaced_;  // the font the measuring one displaced
};

}  // namespace tolvinark
