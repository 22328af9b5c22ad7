#include "cli/palettes.h"

#include "engine/gbacolour.h"

#include <array>
#include <cstdio>
#include <vector>

namespace tintwright {
namespace {

// The channels of each value as the GBA shows it, red first.
std::vector<std::array<int, 3>> shownChannels(const Quantiser& colours) {
    std::vector<std::array<int, 3>> channels;
    channels.reserve(static_cast<std::size_t>(colours.count()));
    colours.forEach([&](std::int32_t, std::int32_t colour) {
        const std::int32_t shown = shownColour(colour);
        channels.push_back({shown & 255, shown >> 8 & 255, shown >> 16 & 255});
    });
    return channels;
}

} // namespace

std::string gimpPalette(const Quantiser& colours, std::string_view name) {
    std::string text = "GIMP Palette\nName: ";
    text.append(name).append("\nColumns: 16\n#\n");
    // GIMP's own layout: each channel right-aligned in three places, a tab, the name.
    std::array<char, 40> line;
    int index = 0;
    for (const auto& [red, green, blue] : shownChannels(colours)) {
        const int length = std::snprintf(line.data(), line.size(), "%3d %3d %3d\tIndex %d\n", red,
                                         green, blue, index++);
        text.append(line.data(), static_cast<std::size_t>(length));
    }
    return text;
}

std::string jascPalette(const Quantiser& colours) {
    std::string text = "JASC-PAL\r\n0100\r\n" + std::to_string(colours.count()) + "\r\n";
    for (const auto& [red, green, blue] : shownChannels(colours)) {
        text.append(std::to_string(red)).append(" ").append(std::to_string(green));
        text.append(" ").append(std::to_string(blue)).append("\r\n");
    }
    return text;
}

} // namespace tintwright
