#include "app/print_state.h"

#include <algorithm>
#include <cstddef>

namespace tolvinark {

namespace {

void releaseContext(HDC context) {
    if (context) DeleteDC(context);
}

PrinterCaps readCaps(HDC context) {
    PrinterCaps caps;
    caps.dotsPerInchX = GetDeviceCaps(context, LOGPIXELSX);
    caps.dotsPerInchY = GetDeviceCaps(context, LOGPIXELSY);
    caps.pageHeight = GetDeviceCaps(context, VERTRES);
    return caps;
}

// The face name is plain ASCII, so each byte is its own UTF-16 unit.
LOGFONTW printerLogFont(const PrinterFontFields& fields) {
    LOGFONTW font{};
    font.lfHeight = fields.height;
    font.lfWidth = fields.width;
    font.lfWeight = fields.weight;
    font.lfCharSet = fields.charSet;
    const std::size_t length = std::min<std::size_t>(fields.faceName.size(), LF_FACESIZE - 1);
    std::copy_n(fields.faceName.begin(), length, font.lfFaceName);
    return font;
}

}  // namespace

HeldPrinter::~HeldPrinter() {
    releaseContext(choice_.dialogCancelled());
}

void HeldPrinter::dialogAccepted(HDC fresh) {
    releaseContext(choice_.dialogAccepted(fresh));
    caps_ = readCaps(fresh);
    const LOGFONTW logFont = printerLogFont(printerFont(caps_));
    // Made before the old font goes, so the two never share a handle value.
    font_.reset(CreateFontIndirectW(&logFont));
}

void HeldPrinter::dialogCancelled() {
    releaseContext(choice_.dialogCancelled());
}

void HeldPrinter::detailWindowBuilt() {
    releaseContext(choice_.detailWindowBuilt());
}

PrintingState::~PrintingState() {
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
}

}  // namespace tolvinark
