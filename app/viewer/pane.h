#pragma once
// A child pane of the main window and its off-screen picture. Every change is drawn into the
// picture at once; painting only copies it to the screen.

#include <windows.h>

#include "app/win32/drawing_objects.h"
#include "app/win32/gdi_canvas.h"
#include "app/win32/gdi_handles.h"
#include "app/win32/offscreen_picture.h"

namespace tolvinark {

struct Pane {
    HWND window = nullptr;
    PAINTSTRUCT paint{};       // the pane's paint record for BeginPaint and EndPaint
    OffscreenPicture picture;  // lives for the whole run
    RECT client{};             // as measured when the picture was made: left and top 0
};

// Makes the pane's picture, of its client size, filled with `brush`, which stays selected in the
// picture's context. `drawFixedTexts`, when given, draws the pane's fixed texts with the screen
// font, black on the background colour; they too stay selected. False when the picture cannot be
// made.
bool preparePanePicture(Pane& pane, HBRUSH brush, const DrawingObjects& objects,
                        void (*drawFixedTexts)(Canvas&) = nullptr);

// One change of a pane's picture: begins painting the pane and selects the picture's bitmap; on
// destruction puts the displaced bitmap back, ends painting and invalidates the whole pane
// without erasing, so the next paint copies the new picture.
class PaneDrawing {
  public:
    PaneDrawing(Pane& pane, const DrawingObjects& objects);
    PaneDrawing(const PaneDrawing&) = delete;
    PaneDrawing& operator=(const PaneDrawing&) = delete;

    Canvas& canvas() { return canvas_; }

  private:
    // Members end in reverse order: the bitmap goes back, painting ends, then the invalidation.
    struct InvalidateAtEnd {
        HWND window;
        ~InvalidateAtEnd() { InvalidateRect(window, nullptr, FALSE); }
    };

    InvalidateAtEnd invalidate_;
    PaintSession session_;
    ScopedSelection bitmap_;
    GdiCanvas canvas_;
};

// Copies the part of the pane's picture that needs painting to the screen.
void copyPaneToScreen(Pane& pane);

}  // namespace tolvinark
