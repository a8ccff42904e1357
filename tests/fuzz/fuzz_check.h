#pragma once
// Checks for the fuzz targets: a broken rule aborts with the rule's text, which libFuzzer
// reports as a crash and keeps the input that caused it.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tolvinark::fuzz {

[[noreturn]] inline void fail(const char* rule, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken rule: %s\n", file, line, rule);
    std::abort();
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of a run of decimal digits; -1 for an empty run or any other character, or for a
// value past what an unsigned 32-bit number holds (the checks compare with such numbers).
inline long long digitsValue(std::string_view text) {
    if (text.empty() || text.size() > 10) return -1;
    long long value = 0;
    for (char c : text) {
        if (!isDigit(c)) return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Digits without a leading zero, except the single digit "0".
inline bool isPlainNumber(std::string_view text) {
    return digitsValue(text) >= 0 && (text.size() == 1 || text[0] != '0');
}

}  // namespace tolvinark::fuzz

#define FUZZ_CHECK(rule) \
    ((rule) ? static_cast<void>(0) : ::tolvinark::fuzz::fail(#rule, __FILE__, __LINE__))
