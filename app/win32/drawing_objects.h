#pragma once
// The pens, brushes and fonts the drawing calls select. Those of the screen are made once at
// start, live for the whole run and are freed by the process end, so they are held as plain
// handles. The printer's font and thick pen are not among them: they belong to the printer the
// viewer holds, made for its resolution after each print dialog, and only a printout's copy of
// these objects carries them.

#include <windows.h>

namespace tolvinark {

struct DrawingObjects {
    // Made at start.
    HPEN redPen = nullptr;    // bars of the series graph
    HPEN blackPen = nullptr;  // axes and ticks
    HPEN greyPen = nullptr;   // rules of the detail window
    HBRUSH backgroundBrush = nullptr;
    HBRUSH secondBackgroundBrush = nullptr;  // only the list pane's first fill
    HFONT screenFont = nullptr;
    HFONT smallFont = nullptr;

    // The held printer's, in a printout's copy only; none on screen.
    HPEN thickPen = nullptr;  // rules and frames on paper
    HFONT printerFont = nullptr;
};

// The LOGFONT of the screen fonts: Arial, Cyrillic character set, average width 5 pixels.
LOGFONTW screenLogFont(LONG height);

// Makes the screen's objects in this order: red, black and grey pen, the two background
// brushes, the screen font (height 14) and the small font (height 7).
DrawingObjects createDrawingObjects();

// Every object createDrawingObjects makes was made.
bool allDrawingObjectsMade(const DrawingObjects& objects);

}  // namespace tolvinark
