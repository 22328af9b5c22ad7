#pragma once

#include "engine/gbacolour.h"
#include "engine/gradientsampler.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace tintwright {

/**
 * How each channel of a step becomes one of the GBA's 32 levels, which show as
 * v × 8 + v ÷ 4. `floor` keeps the top five bits of the sampler's 8-bit colour, as the
 * window does. `nearest` takes the level whose shown value is nearest the step's unrounded
 * colour, the lower on a tie. `diffuse` aims at the unrounded colour plus the error the
 * channel carries, takes the level nearest that aim, the lower on a tie, and carries
 * aim − shown value on to the next step; each channel starts with no error and carries it
 * through the whole gradient, across stops. An unrounded channel that spilled outside
 * 0-255 counts as the nearer end, so the error carried stays within half a level.
 */
enum class Quantisation { floor, nearest, diffuse };

// Each mode's name, as options and messages give it, in the order help lists them.
inline constexpr std::array<std::pair<std::string_view, Quantisation>, 3> quantisationNames = {{
    {"floor", Quantisation::floor},
    {"nearest", Quantisation::nearest},
    {"diffuse", Quantisation::diffuse},
}};

/**
 * The GBA colours of a gradient, each step's chosen from its sampler's colour as a
 * Quantisation says. Every output takes its values from here, so all of them show the same
 * colours.
 */
class Quantiser {
public:
    Quantiser(GradientSampler sampler, Quantisation mode)
        : sampler_(std::move(sampler))
        , mode_(mode) {}

    // Number of steps: sampleCount() of the sampler.
    std::int32_t count() const { return sampler_.sampleCount(); }

    // Calls use(i, GBA colour of step i) for every step, in order. A floor colour is
    // gbaColour(sampler.sample(i)), so out-of-range channels carry through as it says.
    template <typename Use> void forEach(Use use) const {
        const std::int32_t steps = sampler_.sampleCount();
        if (mode_ != Quantisation::floor) {
            Coordinates carried{};
            for (std::int32_t i = 0; i < steps; ++i) {
                use(i, chosenColour(sampler_.unroundedColour(i), carried));
            }
        } else if (sampler_.blendSpace() == BlendSpace::srgb) {
            // The space is checked once, not once a value, which keeps the srgb loop lean.
            for (std::int32_t i = 0; i < steps; ++i) {
                use(i, gbaColour(sampler_.srgbSample(i)));
            }
        } else {
            for (std::int32_t i = 0; i < steps; ++i) {
                use(i, gbaColour(sampler_.sample(i)));
            }
        }
    }

private:
    // The GBA colour whose levels are nearest `unrounded` plus the `carried` error of each
    // channel; in diffuse mode, the error left over is carried on.
    std::int32_t chosenColour(const Coordinates& unrounded, Coordinates& carried) const;

    GradientSampler sampler_;
    Quantisation mode_;
};

} // namespace tintwright
