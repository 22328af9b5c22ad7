#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tintwright {

inline constexpr int screenWidth = 240;
inline constexpr int screenHeight = 160;

// One frame as mGBA draws it, a row of 240 pixels after another. A pixel holds red in bits
// 0-7, green in 8-15 and blue in 16-23; its top byte is not colour but the renderer's
// flags for the layer it came from (0x28 for background 2).
using Screen = std::vector<std::uint32_t>;
inline constexpr std::uint32_t colourBits = 0x00FFFFFF;

// The pixel colour mGBA shows for a GBA colour: each 5-bit channel c becomes the 8-bit
// value c << 3 | c >> 2, so that 0 and 31 become 0 and 255.
constexpr std::uint32_t shownColour(std::int32_t gbaColour) {
    std::uint32_t shown = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const auto level = static_cast<std::uint32_t>(gbaColour >> (5 * channel)) & 0x1F;
        shown |= (level << 3 | level >> 2) << (8 * channel);
    }
    return shown;
}

/**
 * Runs a cartridge ROM in mGBA until the program writes its drawn signal, and returns the
 * frame after it. mGBA runs headless, without a BIOS file and without reading any
 * configuration. Throws std::runtime_error when mGBA does not take the file as a
 * cartridge or the program never signals.
 */
Screen screenOfCartridge(const std::filesystem::path& rom);

} // namespace tintwright
