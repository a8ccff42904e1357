#include "app/pane.h"

namespace tolvinark {

void preparePaneBitmap(Pane& pane, HBRUSH brush, const DrawingObjects& objects,
                       void (*drawFixedTexts)(Canvas&)) {
    PaintSession session(pane.window, pane.paint);
    pane.memoryDc = CreateCompatibleDC(session.dc());
    GetClientRect(pane.window, &pane.client);
    pane.bitmap = CreateCompatibleBitmap(session.dc(), pane.client.right, pane.client.bottom);
    ScopedSelection bitmap(pane.memoryDc, pane.bitmap);
    SelectObject(pane.memoryDc, brush);
    PatBlt(pane.memoryDc, 0, 0, pane.client.right, pane.client.bottom, PATCOPY);
    if (drawFixedTexts) {
        GdiCanvas canvas(pane.memoryDc, objects);
        canvas.setTextColour(colours::kBlack);
        canvas.setBackgroundColour(colours::kBackground);
        canvas.selectFont(Font::Screen);
        drawFixedTexts(canvas);
    }
}

PaneDrawing::PaneDrawing(Pane& pane, const DrawingObjects& objects)
    : invalidate_{pane.window},
      session_(pane.window, pane.paint),
      bitmap_(pane.memoryDc, pane.bitmap),
      canvas_(pane.memoryDc, objects) {}

void copyPaneToScreen(Pane& pane) {
    PaintSession session(pane.window, pane.paint);
    ScopedSelection bitmap(pane.memoryDc, pane.bitmap);
    const RECT& update = session.updateRect();
    BitBlt(session.dc(), update.left, update.top, update.right - update.left,
           update.bottom - update.top, pane.memoryDc, update.left, update.top, SRCCOPY);
}

}  // namespace tolvinark
