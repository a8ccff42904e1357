#include "data/digit_writers.h"

#include <cstring>

namespace tolvinark {
namespace {

char digitChar(std::uint32_t digit) {
    return static_cast<char>('0' + digit);
}

// The variable-width rule: divide by the powers of ten from `highestPower` down to ten, skip
// quotients of 0 until the first non-zero digit, then write every digit; the units digit is
// always written.
char* writeWithoutLeadingZeros(std::uint32_t value, std::uint32_t highestPower, char* out) {
    bool digitWritten = false;
    for (std::uint32_t power = highestPower; power >= 10; power /= 10) {
        const std::uint32_t digit = value / power;
        value %= power;
        if (digit != 0 || digitWritten) {
            *out++ = digitChar(digit);
            digitWritten = true;
        }
    }
    *out++ = digitChar(value);
    return out;
}

// Writes the integer part, the point and two decimals of a count of hundredths.
std::size_t writeHundredths(std::uint32_t hundredths, char separator, char* out) {
    char* p = out;
    if (hundredths >= 100) {
        p = writeAllDigits(hundredths, p);
        // Step the last two digits one place to the right to free the place of the separator.
        p[0] = p[-1];
        p[-1] = p[-2];
        p[-2] = separator;
        ++p;
    } else {
        *p++ = '0';
        *p++ = separator;
        if (hundredths < 10) *p++ = '0';
        p = writeWithoutLeadingZeros(hundredths, 10, p);
    }
    return static_cast<std::size_t>(p - out);
}

constexpr char kThreeDecimalsZero[] = "0.000";
constexpr char kThreeDecimalsOverflow[] = "-.---";
// Values of 1,000,000 and above do not fit the concentration's field: their thousandths reach
// 1,000,000,000.
constexpr std::uint64_t kScaledOverflow = 1000000000;

char* writeFiveCharacters(const char (&text)[6], char* out) {
    std::memcpy(out, text, 5);
    return out + 5;
}

}  // namespace

void write3Positions(std::uint32_t value, char* out) {
    const std::uint32_t v = value & 0xFFu;
    const std::uint32_t hundreds = v / 100;
    out[0] = hundreds != 0 ? digitChar(hundreds) : ' ';
    out[1] = digitChar(v / 10 % 10);
    out[2] = digitChar(v % 10);
}

void write5Positions(std::uint32_t value, char* out) {
    std::uint32_t v = value & 0xFFFFu;
    bool digitWritten = false;
    std::uint32_t power = 10000;
    for (int i = 0; i < 4; ++i, power /= 10) {
        const std::uint32_t digit = v / power;
        v %= power;
        digitWritten = digitWritten || digit != 0;
        out[i] = digitWritten ? digitChar(digit) : ' ';
    }
    out[4] = digitChar(v);
}

char* write2Digits(std::uint32_t value, char* out) {
    // The last two digits of the low 8 bits, as the list's date and time texts show them.
    const std::uint32_t v = (value & 0xFFu) % 100;
    *out++ = digitChar(v / 10);
    *out++ = digitChar(v % 10);
    return out;
}

char* writeUpTo3Digits(std::uint32_t value, char* out) {
    return writeWithoutLeadingZeros(value & 0xFFu, 100, out);
}

char* writeUpTo5Digits(std::uint32_t value, char* out) {
    return writeWithoutLeadingZeros(value & 0xFFFFu, 10000, out);
}

char* writeUpTo8Digits(std::uint32_t value, char* out) {
    // The meter's serial numbers have at most eight digits; a larger one is still written in
    // full rather than cut to a different number.
    return writeAllDigits(value, out);
}

char* writeAllDigits(std::uint32_t value, char* out) {
    return writeWithoutLeadingZeros(value, 1000000000, out);
}

std::size_t writeHundredthsWithPoint(std::uint32_t hundredths, char* out) {
    return writeHundredths(hundredths, '.', out);
}

char* writeHundredthsWithComma(std::int16_t hundredths, char* out) {
    if (hundredths < 0) *out++ = '-';
    const std::int32_t value = hundredths;
    const auto magnitude = static_cast<std::uint32_t>(value < 0 ? -value : value);
    return out + writeHundredths(magnitude, ',', out);
}

char* writeThreeDecimals(float value, char* out) {
    // Also false for NaN.
    if (!(value > kPrintThreshold)) return writeFiveCharacters(kThreeDecimalsZero, out);

    // The thousandths are computed from the float's bits in integers, so the result is the same
    // whatever precision the floating-point unit works in.
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int exponent = static_cast<int>((bits >> 23) & 0xFFu) - 127;
    const std::uint64_t mantissa = (bits & 0x7FFFFFu) | 0x800000u;
    // From 2^23 on (infinity included) the value is far beyond the overflow limit; below it the
    // value is above the threshold, so the exponent is at least -10 and the shift below 34.
    if (exponent >= 23) return writeFiveCharacters(kThreeDecimalsOverflow, out);
    const std::uint64_t scaled = (mantissa * 1000) >> (23 - exponent);  // truncated thousandths
    if (scaled >= kScaledOverflow) return writeFiveCharacters(kThreeDecimalsOverflow, out);

    const auto thousandths = static_cast<std::uint32_t>(scaled);
    out = writeWithoutLeadingZeros(thousandths / 1000, 100000, out);
    *out++ = '.';
    const std::uint32_t fraction = thousandths % 1000;
    *out++ = digitChar(fraction / 100);
    *out++ = digitChar(fraction / 10 % 10);
    *out++ = digitChar(fraction % 10);
    return out;
}

}  // namespace tolvinark
