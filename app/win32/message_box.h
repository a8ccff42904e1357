#pragma once
// The program's message boxes: a fixed text, perhaps followed by a file name, the program title
// as caption, one OK button.

#include <windows.h>

#include <string_view>

namespace tolvinark {

void showMessage(HWND owner, std::string_view cp1251Text, std::string_view utf8Name = {});

}  // namespace tolvinark
