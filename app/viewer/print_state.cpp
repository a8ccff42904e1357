#include "app/viewer/print_state.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "views/canvas.h"

namespace tolvinark {

namespace {

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

void HeldPrinter::dialogAccepted(ScopedPrinterDc fresh, PrinterChosen chosen) {
    caps_ = readCaps(fresh.get());
    context_.dialogAccepted(std::move(fresh), chosen.askedBy, chosen.copies);
    chosen_ = std::move(chosen);
    const LOGFONTW logFont = printerLogFont(printerFont(caps_));
    // Made before the old ones go, so new and old never share a handle value.
    font_.reset(CreateFontIndirectW(&logFont));
    thickPen_.reset(CreatePen(PS_SOLID, thickPenWidth(caps_), colours::kBlack));
}

void PrintingState::forgetChosenPrinter() {
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    dialog.hDevMode = nullptr;
    dialog.hDevNames = nullptr;
}

}  // namespace tolvinark
