#pragma once
// The digit writers: every number the program shows, prints or exports is written by one of
// these, each with its own fixed rule for width, leading zeros and leading blanks. Callers place
// the results at fixed positions, so the rules hold to the character. No writer appends a
// terminating zero.
//
// Fixed-width writers write at `out` and leave the caller to step over the field; variable-width
// writers give back the position after their last character.

#include <cstddef>
#include <cstdint>

namespace tolvinark {

// Low 8 bits; exactly 3 characters: hundreds digit or a blank when it is 0, then tens and units
// digits always: 5 -> " 05", 255 -> "255".
void write3Positions(std::uint32_t value, char* out);

// Low 16 bits; exactly 5 characters, right-aligned, leading zeros as blanks: 7 -> "    7".
void write5Positions(std::uint32_t value, char* out);

// Exactly 2 digits of the low 8 bits, taken modulo 100 (300 -> low 8 bits 44 -> "44",
// 123 -> "23"): 5 -> "05".
char* write2Digits(std::uint32_t value, char* out);

// Low 8 bits, 1 to 3 digits without leading zeros: 0 -> "0", 300 -> "44".
char* writeUpTo3Digits(std::uint32_t value, char* out);

// Low 16 bits, 1 to 5 digits without leading zeros.
char* writeUpTo5Digits(std::uint32_t value, char* out);

// The whole 32-bit value without leading zeros: 1 to 8 digits for the meter's serial numbers,
// and the full 9 or 10 digits above 99,999,999 rather than a wrong number.
char* writeUpTo8Digits(std::uint32_t value, char* out);

// The full unsigned 32-bit value, 1 to 10 digits without leading zeros: for counts that can
// outgrow the 8- and 16-bit writers (page labels of long printouts, record counts).
char* writeAllDigits(std::uint32_t value, char* out);

// A count of hundredths with a point and two decimals: 0 -> "0.00", 5 -> "0.05",
// 1000 -> "10.00", 65535 -> "655.35". Gives back the length written (4 to 6 for the meter's
// 16-bit values; larger values are written in full).
std::size_t writeHundredthsWithPoint(std::uint32_t hundredths, char* out);

// A signed count of hundredths with a comma: 5 -> "0,05", 32767 -> "327,67"; a negative value
// gets a leading minus: -5 -> "-0,05". Gives back the position after the last character.
char* writeHundredthsWithComma(std::int16_t hundredths, char* out);

// The float that the print threshold 0.0018 becomes; values up to it are written as "0.000".
inline constexpr float kPrintThreshold = 0.0018f;

// A concentration with three decimals, truncated, not rounded: 0.7f -> "0.699". "0.000" for
// values up to the print threshold (and for negatives and NaN), "-.---" from 1,000,000 on
// (infinity included). 5 to 10 characters.
char* writeThreeDecimals(float value, char* out);

}  // namespace tolvinark
