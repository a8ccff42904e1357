#pragma once
// Code page 1251, the single-byte Cyrillic code page in which the program keeps every text.
// Texts are written in the sources as UTF-8 literals and turned into code page 1251 bytes at
// compile time; they go back to Unicode only where they leave the program (the screen, the
// printer, the terminal).

#include <cstddef>
#include <string>
#include <string_view>

namespace tolvinark {

// Unicode code points of the bytes 0x80 to 0xFF. The one byte that the code page leaves
// undefined (0x98) maps to the code point of the same number, as Windows does.
inline constexpr char16_t kCp1251HighHalf[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr char16_t cp1251ToUnicode(unsigned char byte) {
    return byte < 0x80 ? char16_t{byte} : kCp1251HighHalf[byte - 0x80];
}

// The code page 1251 byte of a code point; '?' for a code point the code page lacks.
constexpr char unicodeToCp1251(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<char>(codePoint);
    for (int i = 0; i < 128; ++i) {
        if (kCp1251HighHalf[i] == codePoint) return static_cast<char>(0x80 + i);
    }
    return '?';
}

// A text literal converted to code page 1251 at compile time; N is the literal's size in
// UTF-8 bytes, an upper bound for its size in code page 1251.
template <std::size_t N>
struct Cp1251Literal {
    char bytes[N]{};
    std::size_t length = 0;

    constexpr std::string_view view() const { return {bytes, length}; }
    constexpr operator std::string_view() const { return view(); }
};

template <std::size_t N>
constexpr Cp1251Literal<N> cp1251(const char (&utf8)[N]) {
    Cp1251Literal<N> out{};
    std::size_t i = 0;
    while (i + 1 < N) {  // the last byte is the literal's terminating zero
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t codePoint = lead;
        std::size_t extra = 0;
        if (lead >= 0xF0) {
            codePoint = lead & 0x07u;
            extra = 3;
        } else if (lead >= 0xE0) {
            codePoint = lead & 0x0Fu;
            extra = 2;
        } else if (lead >= 0xC0) {
            codePoint = lead & 0x1Fu;
            extra = 1;
        }
        for (std::size_t k = 1; k <= extra && i + k + 1 < N; ++k) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        }
        out.bytes[out.length++] = unicodeToCp1251(codePoint);
        i += 1 + extra;
    }
    return out;
}

// Runtime conversions at the program's edges.
std::u16string cp1251ToUtf16(std::string_view cp1251Text);
std::string cp1251ToUtf8(std::string_view cp1251Text);
// Unknown characters become '?'; malformed UTF-8 bytes are each taken as one '?'.
std::string utf8ToCp1251(std::string_view utf8Text);

}  // namespace tolvinark
