#pragma once
// The texts the fuzz targets expect, built another way than the program builds them: with the
// standard library's formatting and double-precision arithmetic, so a fault in the digit writers
// does not hide in the check as well.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "data/cp1251.h"
#include "data/digit_writers.h"

namespace tolvinark::fuzz {

// The thousandths of a concentration, truncated: the float times 1000 is exact in a double.
inline std::string threeDecimalsReference(float value) {
    if (!(value > kPrintThreshold)) return "0.000";
    const double scaled = std::floor(static_cast<double>(value) * 1000.0);
    if (scaled >= 1e9) return "-.---";
    const auto thousandths = static_cast<unsigned long long>(scaled);
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%03llu", thousandths / 1000, thousandths % 1000);
    return text;
}

// The error is the single-precision product of the concentration and a quarter (mode 3 in the
// low 8 bits) or a fifth.
inline std::string concentrationPairReference(float concentration, std::uint16_t mode) {
    const volatile float error = concentration * ((mode & 0xFFu) == 3 ? 0.25f : 0.2f);
    return threeDecimalsReference(concentration) + std::string(cp1251("  ±  ").view()) +
           threeDecimalsReference(error);
}

// A count of hundredths: integer part, separator, two decimals.
inline std::string hundredthsReference(std::uint64_t hundredths, char separator) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu%c%02llu",
                  static_cast<unsigned long long>(hundredths / 100), separator,
                  static_cast<unsigned long long>(hundredths % 100));
    return text;
}

}  // namespace tolvinark::fuzz
