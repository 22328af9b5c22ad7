#pragma once

#include <cstdint>

namespace tintwright {

/**
 * GBA colour of a packed colour: the top five bits of each 8-bit channel, red in bits
 * 0-4, green in 5-9, blue in 10-14. The packed value is first rounded to a whole number,
 * and its channels are split with signed division, so out-of-range channels carry
 * through unclamped (a negative packed value gives a negative result).
 */
std::int32_t pc2gbacol(double color);

namespace detail {
template <typename Integer> constexpr Integer gbaColourOf(Integer packed) {
    const Integer red = packed % 256;
    const Integer green = packed / 256 % 256;
    const Integer blue = packed / 65536 % 256;
    return red / 8 + green / 8 * 32 + blue / 8 * 32 * 32;
}
} // namespace detail

// pc2gbacol of a packed colour that is already a whole number: rem and idiv on whole
// numbers are C++'s % and /. A packed colour that is not negative takes the unsigned
// path, where they are plain shifts and masks.
constexpr std::int32_t gbaColour(std::int32_t packed) {
    if (packed >= 0) {
        return static_cast<std::int32_t>(detail::gbaColourOf(static_cast<std::uint32_t>(packed)));
    }
    return detail::gbaColourOf(packed);
}

} // namespace tintwright
