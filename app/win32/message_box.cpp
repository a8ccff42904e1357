#include "app/win32/message_box.h"

#include <string>

#include "app/win32/wide_text.h"
#include "data/file_names.h"
#include "data/fixed_texts.h"

namespace tolvinark {

void showMessage(HWND owner, std::string_view cp1251Text, std::string_view utf8Name) {
    const std::wstring text = toWide(cp1251Text) + fileNameToWide(utf8Name);
    const std::wstring caption = toWide(texts::kProgramTitle);
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace tolvinark
