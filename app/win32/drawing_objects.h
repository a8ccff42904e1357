#pragma once
// The pens, brushes and fonts made once at start. They live for the whole run and the process
// end frees them, so they are held as plain handles.

#include <windows.h>

namespace tolvinark {

struct DrawingObjects {
    HPEN redPen = nullptr;    // bars of the series graph
    HPEN blackPen = nullptr;  // axes and ticks
    HPEN greyPen = nullptr;   // rules of the detail window
    HPEN thickPen = nullptr;  // rules and frames on paper
    HBRUSH backgroundBrush = nullptr;
    HBRUSH secondBackgroundBrush = nullptr;  // only the list pane's first fill
    HFONT screenFont = nullptr;
    HFONT smallFont = nullptr;
    HFONT printerFont = nullptr;  // made by printing for its printer; none on screen
};

// The LOGFONT of the screen fonts: Arial, Cyrillic character set, average width 5 pixels.
LOGFONTW screenLogFont(LONG height);

// Made in this order: red, black, grey and thick pen, the two background brushes, the screen
// font (height 14) and the small font (height 7).
DrawingObjects createDrawingObjects();

// Every object createDrawingObjects makes was made.
bool allDrawingObjectsMade(const DrawingObjects& objects);

}  // namespace tolvinark
