#include "app/win32/gdi_text_measure.h"

#include <string>

#include "app/win32/wide_text.h"
#include "data/file_names.h"

namespace tolvinark {

GdiTextMeasure::GdiTextMeasure(HWND window, HFONT font)
    : window_(window), dc_(GetDC(window)), displaced_(SelectObject(dc_, font)) {}

GdiTextMeasure::~GdiTextMeasure() {
    SelectObject(dc_, displaced_);
    ReleaseDC(window_, dc_);
}

int GdiTextMeasure::textWidth(std::string_view cp1251Text) const {
    const std::wstring text = toWide(cp1251Text);
    return width(text.data(), text.size());
}

int GdiTextMeasure::nameWidth(std::string_view utf8Name) const {
    const std::wstring name = fileNameToWide(utf8Name);
    return width(name.data(), name.size());
}

int GdiTextMeasure::width(const wchar_t* text, std::size_t length) const {
    SIZE size{};
    if (length == 0 || !GetTextExtentPoint32W(dc_, text, static_cast<int>(length), &size)) return 0;
    return size.cx;
}

}  // namespace tolvinark
