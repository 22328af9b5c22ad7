#include "engine/gradientsampler.h"

#include "engine/colourentry.h"
#include "engine/numberrules.h"

namespace tintwright {

GradientSampler::GradientSampler(const std::vector<std::string>& entries, std::int32_t stepCount,
                                 BlendSpace space, Endpoint endpoint)
    : space_(space) {
    if (entries.size() < 2) {
        return;
    }
    // Channels are split from the packed colour, as every consumer of a packed colour
    // does, so out-of-range values spill into the next channel up.
    stops_.reserve(entries.size());
    for (const std::string& entry : entries) {
        const double colour = entryColourOrBlack(entry);
        stops_.push_back({static_cast<double>(wholeRemainder(colour, 256)),
                          static_cast<double>(wholeRemainder(wholeQuotient(colour, 256), 256)),
                          static_cast<double>(wholeRemainder(wholeQuotient(colour, 65536), 256))});
    }
    if (space != BlendSpace::srgb) {
        // Each stop is converted once per segment it ends, not once per sample.
        segments_.reserve(stops_.size() - 1);
        for (std::size_t i = 0; i + 1 < stops_.size(); ++i) {
            const Channels& a = stops_[i];
            const Channels& b = stops_[i + 1];
            segments_.push_back(
                blendSegment(space, {a.red, a.green, a.blue}, {b.red, b.green, b.blue}));
        }
    }
    placement_ = StepPlacement(stepCount, entries.size() - 1, endpoint);
    sampleCount_ = stepCount > 0 ? stepCount : 0;
}

Coordinates GradientSampler::unroundedColour(std::int32_t i) const {
    const auto [segment, t] = placement_.at(i);
    if (space_ == BlendSpace::srgb) {
        const Channels& a = stops_[segment];
        const Channels& b = stops_[segment + 1];
        return {mix(a.red, b.red, t), mix(a.green, b.green, t), mix(a.blue, b.blue, t)};
    }
    const auto& [from, to] = segments_[segment];
    Coordinates mixed;
    for (std::size_t k = 0; k < mixed.size(); ++k) {
        mixed[k] = mix(from[k], to[k], t);
    }
    return srgbFromBlend(space_, mixed);
}

std::int32_t GradientSampler::blendedSample(std::int32_t i) const {
    return roundedColour(unroundedColour(i));
}

} // namespace tintwright
