#pragma once
// The info pane's lines and the header pane's column titles as the static texts a screen reader
// reads, in the order they stand.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "views/accessible.h"

namespace tolvinark {

// What the info pane shows of the loaded file; the file name in UTF-8.
struct InfoPaneValues {
    std::string_view fileName;
    std::uint32_t recordCount = 0;
    std::uint32_t serialNumber = 0;
};

// "Файл: <name>", "Записей: 61", "Прибор: 1703"; the labels alone before a file is shown.
std::vector<AccessibleElement> infoPaneTexts(const std::optional<InfoPaneValues>& values,
                                             const TextMeasure& measure);

// "Дата", "Время", "Режим измерения", "мг/м3".
std::vector<AccessibleElement> headerPaneTexts(const TextMeasure& measure);

}  // namespace tolvinark
