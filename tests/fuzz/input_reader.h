#pragma once
// Values taken from the front of a fuzz input, little-endian. Past the input's end every byte is
// 0, so any input, even an empty one, yields whole values.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tolvinark::fuzz {

class InputReader {
  public:
    InputReader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool atEnd() const { return offset_ >= size_; }
    std::uint8_t u8() { return atEnd() ? 0 : bytes_[offset_++]; }
    std::uint16_t u16() {
        const std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | u8() << 8);
    }
    std::uint32_t u32() {
        const std::uint32_t low = u16();
        return low | std::uint32_t{u16()} << 16;
    }
    void take(void* out, std::size_t count) {
        auto* p = static_cast<std::uint8_t*>(out);
        for (std::size_t k = 0; k < count; ++k) p[k] = u8();
    }
    std::string text(std::size_t length) {
        std::string out;
        for (std::size_t k = 0; k < length; ++k) out.push_back(static_cast<char>(u8()));
        return out;
    }

  private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

}  // namespace tolvinark::fuzz
