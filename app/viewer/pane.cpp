#include "app/viewer/pane.h"

namespace tolvinark {

bool preparePanePicture(Pane& pane, HBRUSH brush, const DrawingObjects& objects,
                        void (*drawFixedTexts)(Canvas&)) {
    PaintSession session(pane.window, pane.paint);
    GetClientRect(pane.window, &pane.client);
    if (!pane.picture.make(session.dc(), pane.client.right, pane.client.bottom)) return false;
    const HDC context = pane.picture.context();
    ScopedSelection bitmap(context, pane.picture.bitmap());
    SelectObject(context, brush);
    PatBlt(context, 0, 0, pane.client.right, pane.client.bottom, PATCOPY);
    if (drawFixedTexts) {
        GdiCanvas canvas(context, objects);
        canvas.setTextColour(colours::kBlack);
        canvas.setBackgroundColour(colours::kBackground);
        canvas.selectFont(Font::Screen);
        drawFixedTexts(canvas);
    }
    return true;
}

PaneDrawing::PaneDrawing(Pane& pane, const DrawingObjects& objects)
    : invalidate_{pane.window},
      session_(pane.window, pane.paint),
      bitmap_(pane.picture.context(), pane.picture.bitmap()),
      canvas_(pane.picture.context(), objects) {}

void copyPaneToScreen(Pane& pane) {
    PaintSession session(pane.window, pane.paint);
    pane.picture.copyToScreen(session);
}

}  // namespace tolvinark
