#pragma once
// The texts of one list row, checked against their fixed shapes: what the list pane and the
// list printout draw for every index entry of a file.

#include <string_view>

#include "data/fixed_texts.h"
#include "data/record_index.h"
#include "data/record_texts.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/reference_texts.h"

namespace tolvinark::fuzz {

// Two digits: the last two decimal digits of the low 8 bits.
inline bool isTwoDigitsOf(std::string_view text, unsigned value) {
    return text.size() == 2 && digitsValue(text) == static_cast<long long>((value & 0xFFu) % 100);
}

inline std::string_view expectedModeName(std::uint16_t mode, bool detail) {
    switch (mode) {
        case 0: return texts::kModeName0;
        case 1: return texts::kModeName1;
        case 2: return texts::kModeName2;
        case 3: return detail ? texts::kDetailModeName3.view() : texts::kListModeName3.view();
        default: return texts::kOtherModeName;
    }
}

inline void checkListRow(const IndexEntry& entry) {
    // DD.MM.YYYY; the year right-aligned in four places, leading zeros as blanks below 10000.
    const ComposedText date = listDateText(entry);
    const std::string_view d = date.view();
    FUZZ_CHECK(d.size() == 10);
    FUZZ_CHECK(d[2] == '.' && d[5] == '.');
    FUZZ_CHECK(isTwoDigitsOf(d.substr(0, 2), entry.day));
    FUZZ_CHECK(isTwoDigitsOf(d.substr(3, 2), entry.month));
    const std::string_view year = d.substr(6);
    const std::size_t firstDigit = year.find_first_not_of(' ');
    FUZZ_CHECK(firstDigit != std::string_view::npos);  // the units digit is always written
    const std::string_view yearDigits = year.substr(firstDigit);
    FUZZ_CHECK(digitsValue(yearDigits) == entry.year % 10000);
    FUZZ_CHECK(entry.year >= 10000 ? yearDigits.size() == 4 : isPlainNumber(yearDigits));

    // HH:MM:SS
    const ComposedText time = listTimeText(entry);
    const std::string_view t = time.view();
    FUZZ_CHECK(t.size() == 8);
    FUZZ_CHECK(t[2] == ':' && t[5] == ':');
    FUZZ_CHECK(isTwoDigitsOf(t.substr(0, 2), entry.hour));
    FUZZ_CHECK(isTwoDigitsOf(t.substr(3, 2), entry.minute));
    FUZZ_CHECK(isTwoDigitsOf(t.substr(6, 2), entry.second));

    const std::string_view mode = listModeName(entry.mode);
    FUZZ_CHECK(mode.size() == 25);
    FUZZ_CHECK(mode == expectedModeName(entry.mode, false));

    const ComposedText pair = concentrationPair(entry.concentration, entry.mode);
    FUZZ_CHECK(pair.length >= 15 && pair.length <= 25);
    FUZZ_CHECK(pair.view() == concentrationPairReference(entry.concentration, entry.mode));
}

}  // namespace tolvinark::fuzz
