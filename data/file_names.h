#pragma once
// File names as the program keeps them: UTF-8 on every platform, so the portable core needs no
// system call to compare, show or print one. Windows gives and takes names as UTF-16; every
// conversion between the two is made here. An unpaired surrogate, which a Windows name may
// hold, keeps its three-byte form, so that such a name converts back to the same file.

#include <cstddef>
#include <string>
#include <string_view>

namespace tolvinark {

std::u16string fileNameToUtf16(std::string_view utf8Name);
std::string fileNameFromUtf16(std::u16string_view utf16Name);

// The name's length in UTF-16 units, the measure of the system's name buffers.
std::size_t fileNameUnits(std::string_view utf8Name);

#ifdef _WIN32
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

// The same conversions in the system's own character type.
inline std::wstring fileNameToWide(std::string_view utf8Name) {
    const std::u16string utf16 = fileNameToUtf16(utf8Name);
    return std::wstring(utf16.begin(), utf16.end());
}

inline std::string fileNameFromWide(std::wstring_view wideName) {
    const std::u16string utf16(wideName.begin(), wideName.end());
    return fileNameFromUtf16(utf16);
}
#endif

}  // namespace tolvinark
