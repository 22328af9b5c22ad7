#include "engine/gradientsampler.h"

#include "engine/colourentry.h"
#include "engine/numberrules.h"

namespace tintwright {

GradientSampler::GradientSampler(const std::vector<std::string>& entries, std::int32_t stepCount) {
    if (entries.size() < 2) {
        return;
    }
    // Channels are split from the packed colour, as every consumer of a packed colour
    // does, so out-of-range values spill into the next channel up.
    stops_.reserve(entries.size());
    for (const std::string& entry : entries) {
        const double colour = parseforcolor(entry);
        stops_.push_back({static_cast<double>(rem(colour, 256)),
                          static_cast<double>(rem(idiv(colour, 256), 256)),
                          static_cast<double>(rem(idiv(colour, 65536), 256))});
    }
    const auto segments = static_cast<double>(entries.size() - 1);
    stepsPerSegment_ = stepCount / segments;
    sampleCount_ = stepCount > 0 ? stepCount : 0;
}

} // namespace tintwright
