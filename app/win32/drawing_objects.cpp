#include "app/win32/drawing_objects.h"

#include <algorithm>
#include <iterator>

#include "views/canvas.h"

namespace tolvinark {

LOGFONTW screenLogFont(LONG height) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWidth = 5;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = RUSSIAN_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = 0;
    constexpr wchar_t kFace[] = L"Arial";
    std::copy(std::begin(kFace), std::end(kFace), font.lfFaceName);
    return font;
}

DrawingObjects createDrawingObjects() {
    DrawingObjects objects;
    objects.redPen = CreatePen(PS_SOLID, 2, colours::kRed);
    objects.blackPen = CreatePen(PS_SOLID, 1, colours::kBlack);
    objects.greyPen = CreatePen(PS_SOLID, 1, colours::kGrey);
    objects.backgroundBrush = CreateSolidBrush(colours::kBackground);
    objects.secondBackgroundBrush = CreateSolidBrush(colours::kBackground);
    const LOGFONTW screen = screenLogFont(14);
    objects.screenFont = CreateFontIndirectW(&screen);
    const LOGFONTW tickLabels = screenLogFont(7);
    objects.smallFont = CreateFontIndirectW(&tickLabels);
    return objects;
}

bool allDrawingObjectsMade(const DrawingObjects& objects) {
    return objects.redPen && objects.blackPen && objects.greyPen && objects.backgroundBrush &&
           objects.secondBackgroundBrush && objects.screenFont && objects.smallFont;
}

}  // namespace tolvinark
