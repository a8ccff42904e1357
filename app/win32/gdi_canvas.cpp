#include "app/win32/gdi_canvas.h"

#include <string>

#include "app/win32/wide_text.h"
#include "data/file_names.h"

namespace tolvinark {

void GdiCanvas::selectPen(Pen pen) {
    HPEN handle = nullptr;
    switch (pen) {
        case Pen::Red: handle = objects_.redPen; break;
        case Pen::Black: handle = objects_.blackPen; break;
        case Pen::Grey: handle = objects_.greyPen; break;
        case Pen::Thick: handle = objects_.thickPen; break;
    }
    if (handle) SelectObject(dc_, handle);
}

void GdiCanvas::selectFont(Font font) {
    HFONT handle = nullptr;
    switch (font) {
        case Font::Screen: handle = objects_.screenFont; break;
        case Font::Small: handle = objects_.smallFont; break;
        case Font::Printer: handle = objects_.printerFont; break;
    }
    if (handle) SelectObject(dc_, handle);
}

void GdiCanvas::setTextColour(Colour colour) {
    SetTextColor(dc_, colour);
}

void GdiCanvas::setBackgroundColour(Colour colour) {
    SetBkColor(dc_, colour);
}

void GdiCanvas::drawText(int x, int y, std::string_view cp1251Text) {
    const std::wstring text = toWide(cp1251Text);
    TextOutW(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

void GdiCanvas::drawName(int x, int y, std::string_view utf8Name) {
    const std::wstring name = fileNameToWide(utf8Name);
    TextOutW(dc_, x, y, name.data(), static_cast<int>(name.size()));
}

void GdiCanvas::moveTo(int x, int y) {
    MoveToEx(dc_, x, y, nullptr);
}

void GdiCanvas::lineTo(int x, int y) {
    LineTo(dc_, x, y);
}

void GdiCanvas::fillRect(int left, int top, int right, int bottom, Brush brush) {
    // The white brush is the system's stock object, neither made nor deleted here.
    HBRUSH handle = brush == Brush::White ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                          : objects_.backgroundBrush;
    const RECT area{left, top, right, bottom};
    FillRect(dc_, &area, handle);
}

}  // namespace tolvinark
