#include "data/cp1251.h"

namespace tolvinark {

std::u16string cp1251ToUtf16(std::string_view cp1251Text) {
    std::u16string out;
    out.reserve(cp1251Text.size());
    for (char c : cp1251Text) out.push_back(cp1251ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string cp1251ToUtf8(std::string_view cp1251Text) {
    std::string out;
    out.reserve(cp1251Text.size() * 2);
    for (char c : cp1251Text) {
        const char16_t u = cp1251ToUnicode(static_cast<unsigned char>(c));
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (u >> 12)));
            out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

std::string utf8ToCp1251(std::string_view utf8Text) {
    std::string out;
    out.reserve(utf8Text.size());
    std::size_t i = 0;
    while (i < utf8Text.size()) {
        const auto lead = static_cast<unsigned char>(utf8Text[i]);
        std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        if (lead >= 0x80 && lead < 0xC0) {  // a stray continuation byte
            out.push_back('?');
            ++i;
            continue;
        }
        char32_t codePoint = extra == 0 ? lead : lead & (0x3Fu >> extra);
        bool wellFormed = i + extra < utf8Text.size();
        for (std::size_t k = 1; wellFormed && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8Text[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (next & 0x3Fu);
        }
        if (!wellFormed) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(unicodeToCp1251(codePoint));
        i += 1 + extra;
    }
    return out;
}

}  // namespace tolvinark
