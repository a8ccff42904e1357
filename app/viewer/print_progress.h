#pragma once
// The small window a printout shows while its pages go to the printer: "Печать: лист N из M"
// and the button "Отмена". Between pages, and inside the printer's page calls through the abort
// procedure, it lets the program take its messages, so the windows paint and scroll and the
// button can be pressed. It goes when its owner goes.

#include <windows.h>

#include <cstdint>
#include <optional>

namespace tolvinark {

// Makes every page of a printout wait this long before the next, taking messages meanwhile, so
// that a test can act while a printout runs. Only a test build of the viewer calls it.
void holdEveryPrintedPage(DWORD milliseconds);

class PrintProgress {
  public:
    // Owned by `owner`'s top-level window, captioned with the program title. Sets the abort
    // procedure of `printer` to answer through this window.
    PrintProgress(HINSTANCE module, HWND owner, HDC printer);
    ~PrintProgress();
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;

    // Shows sheet `sheet` of `sheetCount` and takes the messages waiting. False once the user
    // has cancelled.
    bool keepGoing(std::uint64_t sheet, std::uint64_t sheetCount);
    bool cancelled() const { return cancelled_; }

    // Takes the messages waiting. A quit message cancels the printout and is posted again
    // when the window goes, for the message loop.
    void takeMessages();

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static BOOL CALLBACK abortProcedure(HDC printer, int error);

    HWND window_ = nullptr;
    HWND text_ = nullptr;
    bool cancelled_ = false;
    std::optional<int> quitCode_;
    DWORD holdMilliseconds_ = 0;
};

}  // namespace tolvinark
