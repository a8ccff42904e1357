#include "app/cli/cli_output.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "data/cp1251.h"

namespace tolvinark::cli {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

void useBinaryStandardStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

TextOutput& TextOutput::text(std::string_view cp1251Text) {
    return bytes(cp1251ToUtf8(cp1251Text));
}

TextOutput& TextOutput::bytes(std::string_view raw) {
    buffer_.append(raw.data(), raw.size());
    return *this;
}

TextOutput& TextOutput::endLine() {
    buffer_.push_back('\n');
    if (buffer_.size() >= kBlockSize) writeBuffer();
    return *this;
}

void TextOutput::writeBuffer() {
    if (!failed_ && !writeAll(stream_, buffer_)) failed_ = true;
    buffer_.clear();
}

bool TextOutput::finish() {
    writeBuffer();
    if (std::fflush(stream_) != 0) failed_ = true;
    return !failed_;
}

bool writeAll(std::FILE* stream, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

}  // namespace tolvinark::cli
