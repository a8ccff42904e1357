// File access through the Win32 file functions. Sizes and offsets use the high 32 bits too,
// so files over 4 GB are neither misread nor wrapped.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "data/file_access.h"
#include "data/file_names.h"

namespace tolvinark {
namespace {

// Largest amount handed to one ReadFile or WriteFile call; larger requests are split.
constexpr DWORD kMaxTransfer = DWORD{1} << 30;

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

DWORD transferSize(std::size_t remaining) {
    return remaining < kMaxTransfer ? static_cast<DWORD>(remaining) : kMaxTransfer;
}

// A file of the Win32 file functions, closed when the owner goes.
struct CloseFileHandle {
    void operator()(HANDLE file) const { CloseHandle(file); }
};
struct NoFileHandle {
    static HANDLE value() { return INVALID_HANDLE_VALUE; }
};
using ScopedFile = ScopedHandle<HANDLE, CloseFileHandle, NoFileHandle>;

}  // namespace

void CloseFile::operator()(std::intptr_t handle) const {
    CloseHandle(handleOf(handle));
}

ReadOnlyFile::ReadOnlyFile(const std::string& name) {
    const HANDLE handle = CreateFileW(fileNameToWide(name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) handle_.reset(reinterpret_cast<std::intptr_t>(handle));
}

std::uint64_t ReadOnlyFile::size() const {
    if (!isOpen()) return 0;
    DWORD high = 0;
    const DWORD low = GetFileSize(handleOf(handle_.get()), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
    return static_cast<std::uint64_t>(high) << 32 | low;
}

bool ReadOnlyFile::seek(std::uint64_t offset) {
    if (!isOpen() || offset > 0x7FFFFFFFFFFFFFFFull) return false;
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(handleOf(handle_.get()),
                                     static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

std::size_t ReadOnlyFile::read(void* buffer, std::size_t count) {
    if (!isOpen()) return 0;
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        DWORD arrived = 0;
        if (!ReadFile(handleOf(handle_.get()), bytes + done, transferSize(count - done), &arrived,
                      nullptr) ||
            arrived == 0)
            break;
        done += arrived;
    }
    return done;
}

bool replaceFileContents(const std::string& name, std::string_view bytes) {
    ScopedFile file(CreateFileW(fileNameToWide(name).c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file.holds()) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, transferSize(bytes.size() - done), &written,
                       nullptr) ||
            written == 0)
            return false;
        done += written;
    }
    // OPEN_ALWAYS keeps an earlier content; cut off what of it lies past the new end.
    if (!SetEndOfFile(file.get())) return false;
    // Closed here, for the system's last word on the written content.
    return CloseHandle(file.release()) != FALSE;
}

}  // namespace tolvinark
