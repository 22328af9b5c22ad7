#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace tintwright {

/**
 * Where the sampler mixes two neighbouring stops. `srgb` mixes the 8-bit channel numbers,
 * as the window does; `linear` mixes light, with the sRGB transfer curve undone; `oklab`
 * mixes in OKLab; `oklch` mixes OKLab's lightness, chroma and hue, the hue along the
 * shorter arc.
 */
enum class BlendSpace { srgb, linear, oklab, oklch };

// Each space's name, as options and messages give it, in the order help lists them.
inline constexpr std::array<std::pair<std::string_view, BlendSpace>, 4> blendSpaceNames = {{
    {"srgb", BlendSpace::srgb},
    {"linear", BlendSpace::linear},
    {"oklab", BlendSpace::oklab},
    {"oklch", BlendSpace::oklch},
}};

// A colour's three coordinates in one space: 8-bit sRGB channels, linear light from 0 to
// 1, OKLab's L, a and b, or OKLCh's L, C and hue in radians.
using Coordinates = std::array<double, 3>;

// OKLab coordinates of the 8-bit sRGB colour `srgb`.
Coordinates oklabFromSrgb(const Coordinates& srgb);

// The two ends of a segment between the 8-bit sRGB colours `from` and `to`, in `space`,
// ready to be mixed coordinate by coordinate.
std::array<Coordinates, 2> blendSegment(BlendSpace space, const Coordinates& from,
                                        const Coordinates& to);

// The 8-bit sRGB channels of a colour in `space` (linear, oklab or oklch), unrounded, each
// clamped to 0-255.
Coordinates srgbFromBlend(BlendSpace space, const Coordinates& colour);

// The packed colour red + 256 × green + 65536 × blue of 8-bit sRGB channels from 0 to 255,
// each rounded to the nearest whole value, halves away from zero.
std::int32_t roundedColour(const Coordinates& srgb);

} // namespace tintwright
