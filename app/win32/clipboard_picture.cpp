#include "app/win32/clipboard_picture.h"

#include <cstddef>

namespace tolvinark {

namespace {

constexpr WORD kBitsPerPixel = 24;

std::size_t rowBytes(int width) {
    return (static_cast<std::size_t>(width) * kBitsPerPixel + 31) / 32 * 4;
}

// The header, then the pixels read from the bitmap after it.
bool fillPicture(HDC dc, HBITMAP bitmap, int width, int height, BITMAPINFOHEADER& header) {
    header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;  // positive: the bottom row first
    header.biPlanes = 1;
    header.biBitCount = kBitsPerPixel;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(rowBytes(width) * static_cast<std::size_t>(height));
    // GetDIBits takes the header as a BITMAPINFO; 24-bit pixels have no colour table after it.
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), &header + 1,
                     reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
}

}  // namespace

bool makeClipboardPicture(HDC dc, HBITMAP bitmap, int width, int height, ClipboardFormat& format) {
    format.format = CF_DIB;
    const std::size_t pixelBytes = rowBytes(width) * static_cast<std::size_t>(height);
    if (!format.allocate(sizeof(BITMAPINFOHEADER) + pixelBytes)) return false;
    bool filled = false;
    {
        const LockedBlock memory(format);
        auto* const header = memory.as<BITMAPINFOHEADER>();
        filled = header && fillPicture(dc, bitmap, width, height, *header);
    }
    if (!filled) format.block.reset();
    return filled;
}

}  // namespace tolvinark
