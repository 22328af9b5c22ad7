#pragma once

#include <cstdint>

namespace tintwright {

/**
 * GBA colour of a packed colour that is a whole number: the top five bits of each 8-bit
 * channel, red in bits 0-4, green in 5-9, blue in 10-14. Channels are split with signed
 * division, so out-of-range channels carry through unclamped (a negative packed colour
 * gives a negative result).
 */
constexpr std::int32_t gbaColour(std::int32_t colour) {
    // Masks and shifts split a colour that is not negative as signed division would, and
    // the array text of a large gradient takes about a third less time for it.
    if (colour >= 0) {
        const auto bits = static_cast<std::uint32_t>(colour);
        return static_cast<std::int32_t>((bits & 0xFF) / 8 + (bits >> 8 & 0xFF) / 8 * 32 +
                                         (bits >> 16 & 0xFF) / 8 * 32 * 32);
    }
    const std::int32_t red = colour % 256;
    const std::int32_t green = colour / 256 % 256;
    const std::int32_t blue = colour / 65536 % 256;
    return red / 8 + green / 8 * 32 + blue / 8 * 32 * 32;
}
// A packed colour with a fraction is rounded as a whole first: gbaColour(wholeNumber(c)).
std::int32_t gbaColour(double colour) = delete;

// The colour the GBA shows for the low 15 bits of `gba`, packed as red + 256 × green
// + 65536 × blue: each 5-bit channel c is widened to 8 bits as (c << 3) | (c >> 2).
constexpr std::int32_t shownColour(std::int32_t gba) {
    std::int32_t colour = 0;
    for (int shift = 0; shift < 15; shift += 5) {
        const std::int32_t channel = (gba >> shift) & 31;
        colour |= ((channel << 3) | (channel >> 2)) << (shift / 5 * 8);
    }
    return colour;
}

} // namespace tintwright
