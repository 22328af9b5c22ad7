#pragma once

#include <cstdint>
#include <string_view>

namespace tintwright {

// A decimal digit of ASCII, whatever the locale.
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/**
 * Reads the number at the start of `text`, the way every field of the window is read.
 *
 * Spaces, tabs and line feeds are skipped wherever they stand. Accepts an optional sign,
 * decimal digits with an optional full stop and an optional exponent (E or e, optional
 * sign), or a whole number in hexadecimal after &H or in octal after &O (either case).
 * Reading stops at the first character that cannot continue the number; a text with no
 * number at its start gives 0. A decimal number too large for a double gives ±infinity;
 * &H and &O numbers are never negative and give +infinity beyond a double's range.
 */
double numericPrefix(std::string_view text);

/**
 * Rounds to the nearest whole number, halves to the even neighbour, and holds it as a
 * signed 32-bit integer: values beyond that range saturate at its ends and NaN gives 0.
 */
std::int32_t wholeNumber(double value);

// Quotient of two whole numbers, truncated toward zero; `divisor` is positive.
inline std::int32_t wholeQuotient(double dividend, std::int32_t divisor) {
    return wholeNumber(dividend) / divisor;
}

// Remainder of two whole numbers, with the sign of the dividend; `divisor` is positive.
inline std::int32_t wholeRemainder(double dividend, std::int32_t divisor) {
    return wholeNumber(dividend) % divisor;
}

// Step count typed in `stepText`: the floor of its numeric prefix as a whole number, so
// counts beyond 32 bits saturate. Zero and negative counts give no samples.
std::int32_t stepCount(std::string_view stepText);

} // namespace tintwright
