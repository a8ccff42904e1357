#pragma once
// The program's message boxes: a fixed text, perhaps followed by a file name, the program title
// as caption, one OK button. While one is up its modal loop still hands the program's windows
// their messages; the program asks messageBoxUp() to hold off what must wait.

#include <windows.h>

#include <string_view>

namespace tolvinark {

void showMessage(HWND owner, std::string_view cp1251Text, std::string_view utf8Name = {});

// Whether a message box of showMessage is up on this thread, the program's one thread.
bool messageBoxUp();

}  // namespace tolvinark
