// How evenly each blend space spreads a gradient over the GBA's 32 levels a channel: for a
// few gradients of 160 steps (one a screen line), the largest and the mean OKLab distance
// between neighbouring values as the GBA shows them, how many neighbours are equal (lines
// that repeat the one above) and the most lines in a row that show one colour, the widest
// band. Then, for four of them in each space and each quantisation, how far the shown
// colours stand from the unrounded ones and how many different values they hold. Prints
// Markdown tables; it measures colours, not time.
#include "engine/blendspace.h"
#include "engine/gbacolour.h"
#include "engine/gradientsampler.h"
#include "engine/quantiser.h"
#include "engine/startupstops.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

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

// Values averaged together, as the eye averages neighbouring lines from arm's length.
constexpr std::int32_t window = 4;

// The root mean square, over every `window` consecutive values (a sliding window) and every
// channel, of the average shown channel minus the average unrounded channel, in 8-bit units.
double bandError(const std::vector<std::int32_t>& colours,
                 const std::vector<Coordinates>& unrounded) {
    double sum = 0;
    int count = 0;
    for (std::size_t first = 0; first + window <= colours.size(); ++first) {
        for (int k = 0; k < 3; ++k) {
            double shown = 0;
            double wanted = 0;
            for (std::size_t i = first; i < first + window; ++i) {
                shown += shownColour(colours[i]) >> (8 * k) & 255;
                wanted += unrounded[i][static_cast<std::size_t>(k)];
            }
            const double difference = (shown - wanted) / window;
            sum += difference * difference;
            ++count;
        }
    }
    return std::sqrt(sum / count);
}

// The error and the number of different values of each quantisation, one table row for each
// gradient and space.
void printQuantisationTable(const Gradient (&gradients)[4],
                            const std::pair<const char*, BlendSpace> (&spaces)[4]) {
    std::printf("\n| gradient, %d steps | space |", steps);
    for (const auto& [modeName, mode] : quantisationNames) {
        const std::string name(modeName);
        std::printf(" %s error | %s values |", name.c_str(), name.c_str());
    }
    std::printf("\n|---|---|---:|---:|---:|---:|---:|---:|\n");
    for (const Gradient& gradient : gradients) {
        for (const auto& [spaceName, space] : spaces) {
            const GradientSampler sampler(gradient.stops, steps, space);
            std::vector<Coordinates> unrounded;
            unrounded.reserve(static_cast<std::size_t>(sampler.sampleCount()));
            for (std::int32_t i = 0; i < sampler.sampleCount(); ++i) {
                unrounded.push_back(sampler.unroundedColour(i));
            }
            std::printf("| %s | %s |", gradient.name, spaceName);
            for (const auto& [modeName, mode] : quantisationNames) {
                std::vector<std::int32_t> colours;
                Quantiser(sampler, mode).forEach([&](std::int32_t, std::int32_t colour) {
                    colours.push_back(colour);
                });
                const std::set<std::int32_t> distinct(colours.begin(), colours.end());
                std::printf(" %.2f | %zu |", bandError(colours, unrounded), distinct.size());
            }
            std::printf("\n");
        }
    }
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
    printQuantisationTable({gradients[4], gradients[3], gradients[0], gradients[2]}, spaces);
}
