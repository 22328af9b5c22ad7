#pragma once

#include "engine/blendspace.h"
#include "engine/stepplacement.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tintwright {

/**
 * Samples the gradient through a list of colour entries at a number of evenly spaced
 * steps, interpolating each channel linearly between the two neighbouring stops. The
 * preview and the C array text both sample through this class, so they always agree.
 *
 * Steps are placed along the stops by StepPlacement; the channels of a step that lies t
 * along the segment from stop a to stop b are floor(b × t + a × (1 − t)) in double
 * arithmetic.
 *
 * In a blend space other than srgb, the two stops are mixed as b × t + a × (1 − t) in
 * that space's coordinates instead (see blendSegment), and the mix is turned back into
 * 8-bit channels, each rounded to the nearest value and clamped to 0-255.
 */
class GradientSampler {
public:
    // Parses every entry once; `stepCount` is the whole number of steps, possibly <= 0.
    GradientSampler(const std::vector<std::string>& entries, std::int32_t stepCount,
                    BlendSpace space = BlendSpace::srgb, Endpoint endpoint = Endpoint::excluded);

    // Number of samples: 0 with fewer than two entries or a step count below one.
    std::int32_t sampleCount() const { return sampleCount_; }

    BlendSpace blendSpace() const { return space_; }

    // Packed colour red + 256 × green + 65536 × blue of step i, 0 <= i < sampleCount().
    // Its channels are whole numbers between -256 and 255, so it is held as an integer.
    std::int32_t sample(std::int32_t i) const {
        return space_ == BlendSpace::srgb ? srgbSample(i) : blendedSample(i);
    }

    // sample(i) when blendSpace() is srgb. A loop over many samples checks the space once
    // and calls this, so the srgb loop does no per-sample test of the space.
    std::int32_t srgbSample(std::int32_t i) const {
        const auto [segment, t] = placement_.at(i);
        const Channels& a = stops_[segment];
        const Channels& b = stops_[segment + 1];
        return channel(a.red, b.red, t) + channel(a.green, b.green, t) * 256 +
               channel(a.blue, b.blue, t) * 65536;
    }

    // The colour of step i before it is rounded, as 8-bit sRGB channels: in srgb each
    // channel's mix, whose floor sample(i) takes; in another space the mix turned back into
    // sRGB and clamped to 0-255, which sample(i) rounds to the nearest whole values.
    Coordinates unroundedColour(std::int32_t i) const;

private:
    struct Channels {
        double red;
        double green;
        double blue;
    };

    // to × t + from × (1 − t), evaluated in exactly this order.
    static double mix(double from, double to, double t) { return to * t + from * (1 - t); }

    // floor(mix(from, to, t)).
    static std::int32_t channel(double from, double to, double t) {
        const double value = mix(from, to, t);
        // |value| <= 256, so truncating and stepping down below zero is the floor.
        const auto truncated = static_cast<std::int32_t>(value);
        return truncated - static_cast<std::int32_t>(truncated > value);
    }

    std::int32_t blendedSample(std::int32_t i) const;

    std::vector<Channels> stops_;
    // The ends of each segment in the blend space, when it is not srgb.
    std::vector<std::array<Coordinates, 2>> segments_;
    BlendSpace space_;
    StepPlacement placement_;
    std::int32_t sampleCount_ = 0;
};

} // namespace tintwright
