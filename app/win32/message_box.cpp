#include "app/win32/message_box.h"

#include <string>

#include "app/win32/wide_text.h"
#include "data/file_names.h"
#include "data/fixed_texts.h"

namespace tolvinark {

namespace {

// Message boxes up, counting one shown from inside another's loop.
int messageBoxesUp = 0;

class MessageBoxUp {
  public:
    MessageBoxUp() { ++messageBoxesUp; }
    ~MessageBoxUp() { --messageBoxesUp; }
    MessageBoxUp(const MessageBoxUp&) = delete;
    MessageBoxUp& operator=(const MessageBoxUp&) = delete;
};

}  // namespace

void showMessage(HWND owner, std::string_view cp1251Text, std::string_view utf8Name) {
    const std::wstring text = toWide(cp1251Text) + fileNameToWide(utf8Name);
    const std::wstring caption = toWide(texts::kProgramTitle);
    const MessageBoxUp up;
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
}

bool messageBoxUp() {
    return messageBoxesUp > 0;
}

}  // namespace tolvinark
