#include "app/win32/clipboard.h"

namespace tolvinark {

namespace {

constexpr DWORD kRetryStepMs = 10;

// Open from construction, when that succeeded within the wait, until destruction.
class ClipboardSession {
  public:
    explicit ClipboardSession(HWND owner) {
        const DWORD start = GetTickCount();
        for (;;) {
            open_ = OpenClipboard(owner) != FALSE;
            if (open_ || GetTickCount() - start >= kClipboardWaitMs) return;
            Sleep(kRetryStepMs);
        }
    }
    ~ClipboardSession() {
        if (open_) CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool open() const { return open_; }

  private:
    bool open_ = false;
};

}  // namespace

bool ClipboardFormat::allocate(std::size_t bytes) {
    block.reset(GlobalAlloc(GMEM_MOVEABLE, bytes));
    return block.get() != nullptr;
}

ClipboardOutcome putOnClipboard(HWND owner, std::vector<ClipboardFormat>& formats) {
    const ClipboardSession session(owner);
    if (!session.open()) return ClipboardOutcome::Busy;
    if (!EmptyClipboard()) return ClipboardOutcome::Failed;
    for (ClipboardFormat& format : formats) {
        if (!SetClipboardData(format.format, format.block.get())) {
            // A copy without all its formats would paste as something else than was copied.
            EmptyClipboard();
            return ClipboardOutcome::Failed;
        }
        format.block.release();  // the clipboard's now
    }
    return ClipboardOutcome::Done;
}

}  // namespace tolvinark
