#pragma once
// The terminal side of the companion: texts leave as UTF-8 with LF line ends, file names and
// export bytes leave unchanged, on every platform.

#include <cstdio>
#include <string>
#include <string_view>

namespace tolvinark::cli {

// Stops the C runtime of Windows from turning LF into CR LF on standard output and error.
void useBinaryStandardStreams();

// Lines for one stream, collected and written in large blocks.
class TextOutput {
  public:
    explicit TextOutput(std::FILE* stream) : stream_(stream) {}

    TextOutput& text(std::string_view cp1251Text);  // converted to UTF-8
    TextOutput& bytes(std::string_view raw);        // unchanged
    TextOutput& tab() { return bytes("\t"); }
    TextOutput& endLine();
    // Writes what is left; false when any write failed.
    bool finish();

  private:
    void writeBuffer();

    std::FILE* stream_;
    std::string buffer_;
    bool failed_ = false;
};

// Writes `bytes` as they are; false when not every byte was written.
bool writeAll(std::FILE* stream, std::string_view bytes);

}  // namespace tolvinark::cli
