#include "app/win32/offscreen_picture.h"

namespace tolvinark {

bool OffscreenPicture::make(HDC screen, int width, int height) {
    context_.reset(CreateCompatibleDC(screen));
    bitmap_.reset(context_.get() ? CreateCompatibleBitmap(screen, width, height) : nullptr);
    if (made()) return true;
    context_.reset();
    return false;
}

void OffscreenPicture::copyToScreen(const PaintSession& paint) const {
    ScopedSelection selected(context(), bitmap());
    const RECT& update = paint.updateRect();
    BitBlt(paint.dc(), update.left, update.top, update.right - update.left,
           update.bottom - update.top, context(), update.left, update.top, SRCCOPY);
}

}  // namespace tolvinark
