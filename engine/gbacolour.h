#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tintwright {

/**
 * GBA colour of a packed colour that is a whole number: the top five bits of each 8-bit
 * channel, red in bits 0-4, green in 5-9, blue in 10-14. Channels are split with signed
 * division, so out-of-range channels carry through unclamped (a negative packed colour
 * gives a negative result).
 */
constexpr std::int32_t pc2gbacol(std::int32_t color) {
    // Masks and shifts split a colour that is not negative as signed division would, and
    // the array text of a large gradient takes about a third less time for it.
    if (color >= 0) {
        const auto bits = static_cast<std::uint32_t>(color);
        return static_cast<std::int32_t>((bits & 0xFF) / 8 + (bits >> 8 & 0xFF) / 8 * 32 +
                                         (bits >> 16 & 0xFF) / 8 * 32 * 32);
    }
    const std::int32_t red = color % 256;
    const std::int32_t green = color / 256 % 256;
    const std::int32_t blue = color / 65536 % 256;
    return red / 8 + green / 8 * 32 + blue / 8 * 32 * 32;
}
// A packed colour with a fraction is rounded as a whole first: pc2gbacol(wholeNumber(c)).
std::int32_t pc2gbacol(double color) = delete;

// The colour the GBA shows for the low 15 bits of `gbaColour`, packed as red + 256 × green
// + 65536 × blue: each 5-bit channel c is widened to 8 bits as (c << 3) | (c >> 2).
constexpr std::int32_t shownColour(std::int32_t gbaColour) {
    std::int32_t colour = 0;
    for (int shift = 0; shift < 15; shift += 5) {
        const std::int32_t channel = (gbaColour >> shift) & 31;
        colour |= ((channel << 3) | (channel >> 2)) << (shift / 5 * 8);
    }
    return colour;
}

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
