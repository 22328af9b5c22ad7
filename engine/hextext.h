#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tintwright {

// Longest hex text: the eight digits of a negative value.
inline constexpr std::size_t maxHexTextLength = 8;

// Writes `value` in upper-case hexadecimal digits without prefix or leading zeros to
// `out`, which has room for maxHexTextLength characters, and returns the end of what it
// wrote. Negative values are written as their 32-bit two's complement (-1024 gives
// FFFFFC00).
inline char* writeHexText(std::int32_t value, char* out) {
    const auto bits = static_cast<std::uint32_t>(value);
    const int length = std::max(1, static_cast<int>(std::bit_width(bits) + 3) / 4);
    // Shift the value's own digits to the top, then spread the eight nibbles over the
    // eight bytes of a word, most significant first in memory order, and turn each into
    // its digit at once. All eight are written; only the first `length` count.
    const std::uint32_t leading = bits << (4 * (8 - length));
    std::uint64_t nibbles = (leading >> 16) | (std::uint64_t{leading & 0xFFFFU} << 32);
    nibbles = ((nibbles >> 8) & 0x000000FF000000FFU) | ((nibbles & 0x000000FF000000FFU) << 16);
    nibbles = ((nibbles >> 4) & 0x000F000F000F000FU) | ((nibbles & 0x000F000F000F000FU) << 8);
    const std::uint64_t letters = ((nibbles + 0x0606060606060606U) >> 4) & 0x0101010101010101U;
    const std::uint64_t digits = nibbles + 0x3030303030303030U + letters * ('A' - '9' - 1);
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &digits, sizeof digits);
    } else {
        for (std::size_t i = 0; i < sizeof digits; ++i) {
            out[i] = static_cast<char>(digits >> (8 * i));
        }
    }
    return out + length;
}

} // namespace tintwright
