// How evenly each blend space spreads a gradient over the GBA's 32 levels a channel: for a
// few gradients of 160 steps (one a screen line), the largest and the mean OKLab distance
// between neighbouring values as the GBA shows them, how many neighbours are equal (lines
// that repeat the one above) and the most lines in a row that show one colour, the widest
// band. Prints a Markdown table; it measures colours, not time.
#include "engine/blendspace.h"
#include "engine/gbacolour.h"
#include "engine/gradientsampler.h"
#include "engine/startupstops.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

using namespace tintwright;

constexpr std::int32_t steps = 160;

struct Gradient {
    const char* name;
    std::vector<std::string> stops;
};

Coordinates shownOklab(std::int32_t gbaColour) {
    const std::int32_t shown = shownColour(gbaColour);
    return oklabFromSrgb({static_cast<double>(shown & 255), static_cast<double>(shown >> 8 & 255),
                          static_cast<double>(shown >> 16 & 255)});
}

} // namespace

int main() {
    const Gradient gradients[] = {
        {"blue to yellow", {"(0,0,255) Blue", "(255,255,0) Yellow"}},
        {"red to blue", {"(255,0,0) Red", "(0,0,255) Blue"}},
        {"black to white", {"(0,0,0) Black", "(255,255,255) White"}},
        {"start-up stops", startupStops},
        {"README sky", {"(16,32,96) Zenith", "(64,128,224) Sky", "(200,224,248) Horizon"}},
        {"fire ramp",
         {"(0,0,0) Black", "(255,0,0) Red", "(255,255,0) Yellow", "(255,255,255) White"}},
    };
    const std::pair<const char*, BlendSpace> spaces[] = {{"srgb", BlendSpace::srgb},
                                                         {"linear", BlendSpace::linear},
                                                         {"oklab", BlendSpace::oklab},
                                                         {"oklch", BlendSpace::oklch}};
    std::printf("| gradient, %d steps | space | largest step | mean step | equal neighbours | "
                "widest band |\n",
                steps);
    std::printf("|---|---|---:|---:|---:|---:|\n");
    for (const Gradient& gradient : gradients) {
        for (const auto& [spaceName, space] : spaces) {
            const GradientSampler sampler(gradient.stops, steps, space);
            double largest = 0;
            double total = 0;
            int equal = 0;
            int band = 1;
            int widestBand = 1;
            std::int32_t previous = gbaColour(sampler.sample(0));
            for (std::int32_t i = 1; i < sampler.sampleCount(); ++i) {
                const std::int32_t current = gbaColour(sampler.sample(i));
                const Coordinates a = shownOklab(previous);
                const Coordinates b = shownOklab(current);
                const double distance = std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2]);
                largest = std::max(largest, distance);
                total += distance;
                equal += current == previous ? 1 : 0;
                band = current == previous ? band + 1 : 1;
                widestBand = std::max(widestBand, band);
                previous = current;
            }
            std::printf("| %s | %s | %.4f | %.4f | %d | %d |\n", gradient.name, spaceName, largest,
                        total / (sampler.sampleCount() - 1), equal, widestBand);
        }
    }
}
