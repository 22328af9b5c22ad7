#include "cli/palettes.h"

#include "engine/gbacolour.h"

#include <array>
#include <cstdio>

namespace tintwright {
namespace {

// The channels of value i as the GBA shows it, red first.
std::array<int, 3> shownChannels(const GradientSampler& sampler, std::int32_t i) {
    const std::int32_t shown = shownColour(gbaColour(sampler.sample(i)));
    return {shown & 255, shown >> 8 & 255, shown >> 16 & 255};
}

} // namespace

std::string gimpPalette(const GradientSampler& sampler, std::string_view name) {
    std::string text = "GIMP Palette\nName: ";
    text.append(name).append("\nColumns: 16\n#\n");
    // GIMP's own layout: each channel right-aligned in three places, a tab, the name.
    std::array<char, 40> line;
    for (std::int32_t i = 0; i < sampler.sampleCount(); ++i) {
        const auto [red, green, blue] = shownChannels(sampler, i);
        const int length =
            std::snprintf(line.data(), line.size(), "%3d %3d %3d\tIndex %d\n", red, green, blue, i);
        text.append(line.data(), static_cast<std::size_t>(length));
    }
    return text;
}

std::string jascPalette(const GradientSampler& sampler) {
    std::string text = "JASC-PAL\r\n0100\r\n" + std::to_string(sampler.sampleCount()) + "\r\n";
    for (std::int32_t i = 0; i < sampler.sampleCount(); ++i) {
        const auto [red, green, blue] = shownChannels(sampler, i);
        text.append(std::to_string(red)).append(" ").append(std::to_string(green));
        text.append(" ").append(std::to_string(blue)).append("\r\n");
    }
    return text;
}

} // namespace tintwright
