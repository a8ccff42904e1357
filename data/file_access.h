#pragma once
// The narrow seam through which the program touches files. One implementation per platform:
// Win32 (CreateFileW, GetFileSize, SetFilePointer, ReadFile, WriteFile) and POSIX; both give
// the same results.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/scoped_handle.h"

namespace tolvinark {

// Names are UTF-8 (data/file_names.h); POSIX takes their bytes as they are.

// Closes a file descriptor or a Win32 file handle; defined by each platform's file access.
struct CloseFile {
    void operator()(std::intptr_t handle) const;
};
// -1 is no file on both platforms: no file descriptor, and INVALID_HANDLE_VALUE.
struct NoFile {
    static constexpr std::intptr_t value() { return -1; }
};

// A file opened read only and shared for reading, closed when the object goes.
class ReadOnlyFile {
  public:
    ReadOnlyFile() = default;
    explicit ReadOnlyFile(const std::string& name);  // check isOpen()

    bool isOpen() const { return handle_.holds(); }
    std::uint64_t size() const;
    bool seek(std::uint64_t offset);
    // Reads up to `count` bytes; gives back how many arrived (0 at the end or on an error).
    std::size_t read(void* buffer, std::size_t count);

  private:
    ScopedHandle<std::intptr_t, CloseFile, NoFile> handle_;  // a file descriptor or a HANDLE
};

// Writes `bytes` as the whole new content of the file `name` (created when missing, shortened
// when longer). False when the file cannot be opened or not every byte was written.
bool replaceFileContents(const std::string& name, std::string_view bytes);

}  // namespace tolvinark
