#include "engine/blendspace.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace tintwright {
namespace {

// The sRGB transfer curve of IEC 61966-2-1, from an encoded channel (0 to 1) to linear
// light. Like CSS Color 4, it is extended to negative values by symmetry, so that a stop
// whose channel spilled below zero still converts.
double linearFromEncoded(double encoded) {
    const double magnitude = std::abs(encoded);
    if (magnitude <= 0.04045) {
        return encoded / 12.92;
    }
    return std::copysign(std::pow((magnitude + 0.055) / 1.055, 2.4), encoded);
}

// The inverse curve, from linear light back to an encoded channel.
double encodedFromLinear(double linear) {
    const double magnitude = std::abs(linear);
    if (magnitude <= 0.0031308) {
        return linear * 12.92;
    }
    return std::copysign(1.055 * std::pow(magnitude, 1 / 2.4) - 0.055, linear);
}

Coordinates linearFromSrgb(const Coordinates& srgb) {
    return {linearFromEncoded(srgb[0] / 255), linearFromEncoded(srgb[1] / 255),
            linearFromEncoded(srgb[2] / 255)};
}

// The matrices of OKLab, from linear sRGB through the cone responses l, m and s and their
// cube roots, and back, as Björn Ottosson gives them in "A perceptual color space for
// image processing" (2020).
Coordinates oklabFromLinear(const Coordinates& rgb) {
    const double l =
        std::cbrt(0.4122214708 * rgb[0] + 0.5363325363 * rgb[1] + 0.0514459929 * rgb[2]);
    const double m =
        std::cbrt(0.2119034982 * rgb[0] + 0.6806995451 * rgb[1] + 0.1073969566 * rgb[2]);
    const double s =
        std::cbrt(0.0883024619 * rgb[0] + 0.2817188376 * rgb[1] + 0.6299787005 * rgb[2]);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Coordinates linearFromOklab(const Coordinates& lab) {
    const double lRoot = lab[0] + 0.3963377774 * lab[1] + 0.2158037573 * lab[2];
    const double mRoot = lab[0] - 0.1055613458 * lab[1] - 0.0638541728 * lab[2];
    const double sRoot = lab[0] - 0.0894841775 * lab[1] - 1.2914855480 * lab[2];
    const double l = lRoot * lRoot * lRoot;
    const double m = mRoot * mRoot * mRoot;
    const double s = sRoot * sRoot * sRoot;
    return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
            -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
            -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

Coordinates oklchFromOklab(const Coordinates& lab) {
    return {lab[0], std::hypot(lab[1], lab[2]), std::atan2(lab[2], lab[1])};
}

Coordinates oklabFromOklch(const Coordinates& lch) {
    return {lch[0], lch[1] * std::cos(lch[2]), lch[1] * std::sin(lch[2])};
}

// Below this chroma a colour is grey and its hue means nothing. Greys come out of the
// matrices with a chroma under 1e-7; the least colourful 8-bit colour that is not grey
// has one above 1e-3.
constexpr double greyChroma = 1e-5;

// A grey end takes the other end's hue, so the mix keeps one hue rather than sweeping
// through others (CSS Color 4 treats such a hue as missing the same way). Then one hue
// moves a whole turn, if need be, so that mixing goes the shorter way round.
void alignHues(Coordinates& from, Coordinates& to) {
    if (from[1] < greyChroma) {
        from[2] = to[2];
    } else if (to[1] < greyChroma) {
        to[2] = from[2];
    }
    constexpr double halfTurn = std::numbers::pi;
    if (to[2] - from[2] > halfTurn) {
        from[2] += 2 * halfTurn;
    } else if (to[2] - from[2] < -halfTurn) {
        to[2] += 2 * halfTurn;
    }
}

} // namespace

Coordinates oklabFromSrgb(const Coordinates& srgb) {
    return oklabFromLinear(linearFromSrgb(srgb));
}

std::array<Coordinates, 2> blendSegment(BlendSpace space, const Coordinates& from,
                                        const Coordinates& to) {
    if (space == BlendSpace::linear) {
        return {linearFromSrgb(from), linearFromSrgb(to)};
    }
    if (space == BlendSpace::oklab) {
        return {oklabFromSrgb(from), oklabFromSrgb(to)};
    }
    if (space == BlendSpace::oklch) {
        std::array ends = {oklchFromOklab(oklabFromSrgb(from)), oklchFromOklab(oklabFromSrgb(to))};
        alignHues(ends[0], ends[1]);
        return ends;
    }
    return {from, to};
}

Coordinates srgbFromBlend(BlendSpace space, const Coordinates& colour) {
    Coordinates linear = colour;
    if (space == BlendSpace::oklab) {
        linear = linearFromOklab(colour);
    } else if (space == BlendSpace::oklch) {
        linear = linearFromOklab(oklabFromOklch(colour));
    }
    Coordinates srgb;
    for (std::size_t k = 0; k < srgb.size(); ++k) {
        srgb[k] = std::clamp(encodedFromLinear(linear[k]) * 255, 0.0, 255.0);
    }
    return srgb;
}

std::int32_t roundedColour(const Coordinates& srgb) {
    std::int32_t colour = 0;
    std::int32_t weight = 1;
    for (const double channel : srgb) {
        colour += static_cast<std::int32_t>(std::lround(channel)) * weight;
        weight *= 256;
    }
    return colour;
}

} // namespace tintwright
