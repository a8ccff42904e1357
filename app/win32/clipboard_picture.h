#pragma once
// A picture for the clipboard as CF_DIB: a BITMAPINFOHEADER, then 24-bit rows from the bottom
// up, each padded to four bytes; what a user pastes into a report.

#include <windows.h>

#include "app/win32/clipboard.h"

namespace tolvinark {

// Makes `format` a CF_DIB of the `width` x `height` pixels of `bitmap`, read through `dc`; the
// bitmap must not be selected into any context. False, holding nothing, when the memory cannot
// be had or the pixels cannot be read.
bool makeClipboardPicture(HDC dc, HBITMAP bitmap, int width, int height, ClipboardFormat& format);

}  // namespace tolvinark
