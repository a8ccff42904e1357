#include "data/file_names.h"

namespace tolvinark {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0u) == 0x80u;
}

// The code point starting at `position`, which moves past it. A malformed sequence gives one
// replacement character per byte; the forms of surrogates are let through as they are.
char32_t nextCodePoint(std::string_view utf8, std::size_t& position) {
    const auto lead = static_cast<unsigned char>(utf8[position++]);
    if (lead < 0x80) return lead;
    std::size_t extra = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        codePoint = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        codePoint = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        codePoint = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return kReplacement;
    }
    if (utf8.size() - position < extra) return kReplacement;
    for (std::size_t k = 0; k < extra; ++k) {
        const auto byte = static_cast<unsigned char>(utf8[position + k]);
        if (!isContinuation(byte)) return kReplacement;
        codePoint = (codePoint << 6) | (byte & 0x3Fu);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF) return kReplacement;
    position += extra;
    return codePoint;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::u16string fileNameToUtf16(std::string_view utf8Name) {
    std::u16string out;
    out.reserve(utf8Name.size());
    std::size_t position = 0;
    while (position < utf8Name.size()) {
        const char32_t codePoint = nextCodePoint(utf8Name, position);
        if (codePoint >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(codePoint);
        }
    }
    return out;
}

std::string fileNameFromUtf16(std::u16string_view utf16Name) {
    std::string out;
    out.reserve(utf16Name.size());
    for (std::size_t i = 0; i < utf16Name.size(); ++i) {
        const char32_t unit = utf16Name[i];
        if (isHighSurrogate(unit) && i + 1 < utf16Name.size() && isLowSurrogate(utf16Name[i + 1])) {
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (utf16Name[i + 1] - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::size_t fileNameUnits(std::string_view utf8Name) {
    std::size_t units = 0;
    std::size_t position = 0;
    while (position < utf8Name.size()) {
        units += nextCodePoint(utf8Name, position) >= 0x10000 ? 2 : 1;
    }
    return units;
}

}  // namespace tolvinark
