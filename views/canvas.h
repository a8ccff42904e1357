#pragma once
// The narrow drawing surface that every view and printout draws through. The GDI implementation
// replays the calls into a device context; the recording one keeps them for tests.

#include <cstdint>
#include <string_view>

namespace tolvinark {

using Colour = std::uint32_t;  // 0x00BBGGRR, as a Win32 COLORREF

namespace colours {
inline constexpr Colour kBackground = 0x00F0FCFC;
inline constexpr Colour kHighlight = 0x0097FFFE;
inline constexpr Colour kMarking = 0x00FF00FF;
inline constexpr Colour kBlack = 0x00000000;
inline constexpr Colour kGrey = 0x00C0C0C0;
inline constexpr Colour kRed = 0x000000FF;
inline constexpr Colour kWhite = 0x00FFFFFF;
}  // namespace colours

// The drawing objects made once at start (pens, fonts) and the brushes fills use.
enum class Pen { Red, Black, Grey, Thick };
enum class Font { Screen, Small, Printer };
enum class Brush { Background, White };

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void selectPen(Pen pen) = 0;
    virtual void selectFont(Font font) = 0;
    virtual void setTextColour(Colour colour) = 0;
    virtual void setBackgroundColour(Colour colour) = 0;
    // Draws exactly these code page 1251 bytes with the top-left corner at (x, y), on a box of
    // the background colour (opaque mode).
    virtual void drawText(int x, int y, std::string_view cp1251Text) = 0;
    // Draws a UTF-8 file name (data/file_names.h) the same way, whole, whatever its characters:
    // a name is not code page 1251.
    virtual void drawName(int x, int y, std::string_view utf8Name) = 0;
    virtual void moveTo(int x, int y) = 0;
    // A line from the current point to (x, y), the end point itself not drawn.
    virtual void lineTo(int x, int y) = 0;
    // Fills left <= x < right, top <= y < bottom.
    virtual void fillRect(int left, int top, int right, int bottom, Brush brush) = 0;
};

}  // namespace tolvinark
