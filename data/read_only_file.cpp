// The members of ReadOnlyFile that only move or give up the handle, alike on every platform;
// opening, reading and closing live in the platform files. -1 is the closed handle on both: no
// file descriptor, and INVALID_HANDLE_VALUE.

#include "data/file_access.h"

namespace tolvinark {

ReadOnlyFile::~ReadOnlyFile() {
    close();
}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept : handle_(other.handle_) {
    other.handle_ = -1;
}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = other.handle_;
        other.handle_ = -1;
    }
    return *this;
}

}  // namespace tolvinark
