// File access on POSIX systems, giving the same results as the Win32 implementation: a
// directory cannot be opened as a file, just as CreateFileW refuses one.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

#include "data/file_access.h"

namespace tolvinark {
namespace {

// Largest amount handed to one read or write call; larger requests are split.
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;

int descriptorOf(std::intptr_t handle) {
    return static_cast<int>(handle);
}

std::size_t transferSize(std::size_t remaining) {
    return remaining < kMaxTransfer ? remaining : kMaxTransfer;
}

// Gives back how many bytes went out; stops early only on an error.
std::size_t writeAll(int fd, const char* bytes, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd, bytes + done, transferSize(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

}  // namespace

void CloseFile::operator()(std::intptr_t handle) const {
    ::close(descriptorOf(handle));
}

ReadOnlyFile::ReadOnlyFile(const std::string& name) {
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        ::close(fd);
        return;
    }
    handle_.reset(fd);
}

std::uint64_t ReadOnlyFile::size() const {
    if (!isOpen()) return 0;
    struct stat status {};
    if (::fstat(descriptorOf(handle_.get()), &status) != 0 || status.st_size < 0) return 0;
    return static_cast<std::uint64_t>(status.st_size);
}

bool ReadOnlyFile::seek(std::uint64_t offset) {
    if (!isOpen() || offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
        return false;
    return ::lseek(descriptorOf(handle_.get()), static_cast<off_t>(offset), SEEK_SET) >= 0;
}

std::size_t ReadOnlyFile::read(void* buffer, std::size_t count) {
    if (!isOpen()) return 0;
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    // A regular file may hand over less than asked; keep asking until the end or an error.
    while (done < count) {
        const ssize_t n =
            ::read(descriptorOf(handle_.get()), bytes + done, transferSize(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

bool replaceFileContents(const std::string& name, std::string_view bytes) {
    // Like the Win32 version: open or create, write everything over the old content, then cut
    // off whatever of a longer old content remains.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes.data(), bytes.size()) == bytes.size();
    ok = ok && bytes.size() <= static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) &&
         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
    if (::close(fd) != 0) ok = false;
    return ok;
}

}  // namespace tolvinark
