#include "output/scaled_canvas.h"

namespace tolvinark {

ScaledCanvas::ScaledCanvas(Canvas& device, const PrinterCaps& caps)
    : device_(device), dotsPerInchX_(caps.dotsPerInchX), dotsPerInchY_(caps.dotsPerInchY) {}

void ScaledCanvas::selectPen(Pen pen) {
    device_.selectPen(pen);
}

void ScaledCanvas::selectFont(Font font) {
    device_.selectFont(font);
}

void ScaledCanvas::setTextColour(Colour colour) {
    device_.setTextColour(colour);
}

void ScaledCanvas::setBackgroundColour(Colour colour) {
    device_.setBackgroundColour(colour);
}

void ScaledCanvas::drawText(int x, int y, std::string_view cp1251Text) {
    device_.drawText(deviceX(x), deviceY(y), cp1251Text);
}

void ScaledCanvas::drawName(int x, int y, std::string_view utf8Name) {
    device_.drawName(deviceX(x), deviceY(y), utf8Name);
}

void ScaledCanvas::moveTo(int x, int y) {
    device_.moveTo(deviceX(x), deviceY(y));
}

void ScaledCanvas::lineTo(int x, int y) {
    device_.lineTo(deviceX(x), deviceY(y));
}

void ScaledCanvas::fillRect(int left, int top, int right, int bottom, Brush brush) {
    device_.fillRect(deviceX(left), deviceY(top), deviceX(right), deviceY(bottom), brush);
}

}  // namespace tolvinark
