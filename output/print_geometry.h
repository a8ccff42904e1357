#pragma once
// The page of both printouts. They are laid out in layout units of 1/600 inch, the device units
// of a 600-dpi printer, and mapped onto the printer's real resolution when drawn (ScaledCanvas).
// A 600-dpi printer thus gets the layout's coordinates as they stand, and every other printer the
// same page at the same physical size.
//
// The Win32 side fills PrinterCaps from the printer context after the print dialog:
//   caps.dotsPerInchX = GetDeviceCaps(dc, LOGPIXELSX);
//   caps.dotsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
//   caps.pageHeight   = GetDeviceCaps(dc, VERTRES);
// then makes the printer font from printerFont(caps), the thick pen thickPenWidth(caps) wide,
// and draws through ScaledCanvas(gdi, caps).

#include <cstdint>
#include <string_view>

namespace tolvinark {

inline constexpr int kLayoutDotsPerInch = 600;

// What the printer context reports. A resolution that is not positive is taken as 600.
struct PrinterCaps {
    int dotsPerInchX = kLayoutDotsPerInch;  // LOGPIXELSX
    int dotsPerInchY = kLayoutDotsPerInch;  // LOGPIXELSY
    int pageHeight = 0;                     // VERTRES: printable height, device units
};

// The measures that follow the page height, in layout units.
struct PrintGeometry {
    // VERTRES expressed in layout units: VERTRES * 600 / LOGPIXELSY, remainder dropped.
    std::int32_t pageHeight = 0;
    // pageHeight / 64, remainder dropped: the row step of the list printout and the font height.
    std::int32_t lineHeight = 0;
};

PrintGeometry printGeometry(const PrinterCaps& caps);

// A coordinate or length in layout units as device units of a printer with `dotsPerInch`:
// value * dotsPerInch / 600, halves rounded up (towards +infinity), so every position maps by the
// same rule and 600 dpi maps each value onto itself. Results beyond the int range are clamped.
int layoutToDevice(int layoutUnits, int dotsPerInch);

// The printer font, for a LOGFONT: lfHeight = height, lfWidth = width, lfWeight = weight,
// lfCharSet = charSet, lfFaceName = faceName; every other field 0.
struct PrinterFontFields {
    int height = 0;  // the line height in device units (LOGPIXELSY)
    int width = 0;
    int weight = 400;
    unsigned char charSet = 1;  // DEFAULT_CHARSET
    std::string_view faceName = "Microsoft Sans Serif";
};

PrinterFontFields printerFont(const PrinterCaps& caps);

// The thick pen of the printouts' rules and frames: 10 layout units wide, made for the printer's
// horizontal resolution (10 at 600 dpi, 5 at 300), never thinner than 1.
inline constexpr int kThickPenLayoutWidth = 10;
int thickPenWidth(const PrinterCaps& caps);

}  // namespace tolvinark
