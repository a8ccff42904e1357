#pragma once
// A text composed from numbers and fixed parts: code page 1251 bytes with an exact length.
// Texts are drawn and written by that length, never up to a terminator.

#include <array>
#include <cstddef>
#include <string_view>

namespace tolvinark {

struct ComposedText {
    static constexpr std::size_t kCapacity = 128;

    std::array<char, kCapacity> bytes{};
    std::size_t length = 0;

    std::string_view view() const { return {bytes.data(), length}; }
    char* begin() { return bytes.data(); }
    // Sets the length from a write position that a digit writer gave back.
    void endAt(const char* end) { length = static_cast<std::size_t>(end - bytes.data()); }
};

}  // namespace tolvinark
