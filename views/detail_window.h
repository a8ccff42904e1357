#pragma once
// The detail window of one measurement: its size by mode, the place of its buttons, and
// everything drawn into its off-screen bitmap.

#include <cstdint>

#include "data/file_record.h"
#include "views/canvas.h"

namespace tolvinark {

struct WindowSize {
    int width = 0;
    int height = 0;
};

struct ChildPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Where the first detail window opens, and again after the user closed one (screen pixels).
inline constexpr int kDetailDefaultLeft = 20;
inline constexpr int kDetailDefaultTop = 100;

// Where the window's texts are drawn, in its client area (pixels).
struct TextPosition {
    int x = 0;
    int y = 0;
};
inline constexpr TextPosition kMeasurementLabelAt{40, 4};
inline constexpr TextPosition kDateTimeHeaderAt{114, 4};
inline constexpr TextPosition kModeNameAt{80, 28};
inline constexpr TextPosition kDurationLineAt{80, 48};
inline constexpr TextPosition kConcentrationLineAt{88, 70};
inline constexpr TextPosition kClimateLineAt{44, 112};

// Buttons of a timed measurement's window, in its client area.
inline constexpr ChildPlacement kSeriesToggleButtonPlacement{458, 104, 64, 42};
inline constexpr ChildPlacement kExcelButtonPlacement{358, 104, 64, 42};

// Only timed measurements (mode 2) have series, a graph and the two buttons.
bool modeHasSeries(std::uint16_t shownMode);

// Outer size: 574 x 418 for a timed measurement, 278 x 174 for every other mode.
WindowSize detailWindowOuterSize(std::uint16_t shownMode);

// Everything the window shows except its buttons, into a client area of the given size:
// background, rules, texts and, for a timed measurement, the series graph of `series`.
void drawDetailWindow(Canvas& canvas, const FileRecord& record, std::uint16_t shownMode,
                      Series series, int clientWidth, int clientHeight);

}  // namespace tolvinark
