#include "views/accessible.h"

#include "data/cp1251.h"
#include "views/list_pane.h"

namespace tolvinark {

std::string spokenText(std::string_view cp1251Text) {
    std::string spoken;
    bool blankBefore = false;
    for (char c : cp1251Text) {
        if (c == ' ') {
            blankBefore = !spoken.empty();
            continue;
        }
        if (blankBefore) spoken.push_back(' ');
        blankBefore = false;
        spoken.push_back(c);
    }
    return cp1251ToUtf8(spoken);
}

ClientRect drawnTextPlace(int x, int y, std::string_view cp1251Text, const TextMeasure& measure) {
    const std::size_t first = cp1251Text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {x, y, x, y + kRowPitch};
    const std::size_t end = cp1251Text.find_last_not_of(' ') + 1;
    const int left = x + measure.textWidth(cp1251Text.substr(0, first));
    const int right = x + measure.textWidth(cp1251Text.substr(0, end));
    return {left, y, right, y + kRowPitch};
}

}  // namespace tolvinark
