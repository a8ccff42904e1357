#pragma once
// A canvas that takes layout units (1/600 inch, print_geometry.h) and draws in the device units of
// a printer: every position goes on to the wrapped canvas with x mapped by the printer's
// horizontal resolution and y by its vertical one; everything else is passed on unchanged. The
// Win32 side wraps its canvas over the printer context in one and hands it to the printouts.

#include <string_view>

#include "output/print_geometry.h"
#include "views/canvas.h"

namespace tolvinark {

class ScaledCanvas final : public Canvas {
  public:
    // `device` must outlive this canvas.
    ScaledCanvas(Canvas& device, const PrinterCaps& caps);

    void selectPen(Pen pen) override;
    void selectFont(Font font) override;
    void setTextColour(Colour colour) override;
    void setBackgroundColour(Colour colour) override;
    void drawText(int x, int y, std::string_view cp1251Text) override;
    void drawName(int x, int y, std::string_view utf8Name) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void fillRect(int left, int top, int right, int bottom, Brush brush) override;

  private:
    int deviceX(int x) const { return layoutToDevice(x, dotsPerInchX_); }
    int deviceY(int y) const { return layoutToDevice(y, dotsPerInchY_); }

    Canvas& device_;
    int dotsPerInchX_;
    int dotsPerInchY_;
};

}  // namespace tolvinark
