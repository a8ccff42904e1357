#pragma once
// Handing formats to the clipboard as its owner expects: each format's data in a movable memory
// block of its own, made and filled before the clipboard is opened, so that a copy that cannot
// get its memory leaves the clipboard as it was; then one session that opens the clipboard with
// the copying window as owner, empties it, sets every format and closes it, on every path.

#include <windows.h>

#include <cstddef>
#include <vector>

#include "data/scoped_handle.h"

namespace tolvinark {

struct FreeGlobalMemory {
    void operator()(HGLOBAL block) const { GlobalFree(block); }
};

// One format's data: freed when it goes, unless the clipboard took it.
struct ClipboardFormat {
    UINT format = 0;
    ScopedHandle<HGLOBAL, FreeGlobalMemory> block;

    // Makes the block, `bytes` long. False, holding nothing, when the memory cannot be had.
    bool allocate(std::size_t bytes);
};

// The block's memory while the owner lives.
class LockedBlock {
  public:
    explicit LockedBlock(const ClipboardFormat& format)
        : block_(format.block.get()), memory_(block_ ? GlobalLock(block_) : nullptr) {}
    ~LockedBlock() {
        if (memory_) GlobalUnlock(block_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    template <typename T>
    T* as() const {
        return static_cast<T*>(memory_);
    }

  private:
    HGLOBAL block_;
    void* memory_;
};

enum class ClipboardOutcome {
    Done,
    Busy,    // another program kept the clipboard open for the whole wait
    Failed,  // the system refused a format; the clipboard is left empty
};

// The wait for a clipboard that another program holds open.
inline constexpr DWORD kClipboardWaitMs = 200;

// Puts every format on the clipboard for `owner`, in the order given.
ClipboardOutcome putOnClipboard(HWND owner, std::vector<ClipboardFormat>& formats);

}  // namespace tolvinark
