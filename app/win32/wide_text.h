#pragma once
// Texts handed to the system as UTF-16, converted from the program's code page 1251 bytes by
// the program's own table, so Cyrillic reads right whatever the system's code page.

#include <string>
#include <string_view>

#include "data/cp1251.h"

namespace tolvinark {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline std::wstring toWide(std::string_view cp1251Text) {
    const std::u16string utf16 = cp1251ToUtf16(cp1251Text);
    return std::wstring(utf16.begin(), utf16.end());
}

}  // namespace tolvinark
