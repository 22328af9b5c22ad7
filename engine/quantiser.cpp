#include "engine/quantiser.h"

#include <algorithm>
#include <cstddef>

namespace tintwright {
namespace {

// The 8-bit value the GBA shows for a 5-bit level 0-31: its bits widened, v × 8 + v ÷ 4.
double shownLevel(std::int32_t level) {
    return (level << 3) | (level >> 2);
}

// The level 0-31 whose shown value is nearest `value`, the lower on a tie.
std::int32_t nearestLevel(double value) {
    // NaN, which no colour should give, takes level 0 with the values below it.
    if (!(value > 0)) {
        return 0;
    }
    if (value >= 255) {
        return 31;
    }
    // 8v <= shownLevel(v) < 8v + 8: the highest level shown at or below `value` is
    // value ÷ 8, rounded down, or the one below it; it is never the top level here.
    auto lower = static_cast<std::int32_t>(value / 8);
    if (shownLevel(lower) > value) {
        --lower;
    }
    // The midpoint of two whole numbers is exact in double, so a tie is seen as one.
    return value > (shownLevel(lower) + shownLevel(lower + 1)) / 2 ? lower + 1 : lower;
}

} // namespace

std::int32_t Quantiser::chosenColour(const Coordinates& unrounded, Coordinates& carried) const {
    std::int32_t colour = 0;
    std::int32_t weight = 1;
    for (std::size_t k = 0; k < unrounded.size(); ++k) {
        // In this order: the aim, its level, and what is left for the next step. A channel
        // that spilled outside 0-255 aims at the nearest value the GBA can show, so the
        // error it carries stays within half a level.
        const double aim = std::clamp(unrounded[k], 0.0, 255.0) + carried[k];
        const std::int32_t level = nearestLevel(aim);
        if (mode_ == Quantisation::diffuse) {
            carried[k] = aim - shownLevel(level);
        }
        colour += level * weight;
        weight *= 32;
    }
    return colour;
}

} // namespace tintwright
