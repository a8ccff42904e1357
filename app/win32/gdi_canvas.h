#pragma once
// The canvas of a Windows device context: every drawing call replayed into the context with the
// drawing objects made at start. Selections stay in the context afterwards.

#include <windows.h>

#include "app/win32/drawing_objects.h"
#include "views/canvas.h"

namespace tolvinark {

class GdiCanvas final : public Canvas {
  public:
    GdiCanvas(HDC dc, const DrawingObjects& objects) : dc_(dc), objects_(objects) {}

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
    HDC dc_;  // not owned
    const DrawingObjects& objects_;
};

}  // namespace tolvinark
