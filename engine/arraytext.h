#pragma once

#include "engine/blendspace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintwright {

// Most steps a gradient may have: 2^24 u16 values fill a 32 MiB cartridge ROM.
inline constexpr std::int32_t maxStepCount = 16'777'216;

// How the array is declared and how its lines end.
struct ArrayStyle {
    std::string_view elementType = "u16";
    std::string_view name = "myGradient";
    // Declared const and 4-byte aligned, so that the linker keeps it in ROM.
    bool inRom = false;
    std::string_view lineBreak = "\r\n";
};

/**
 * C source declaring the gradient through `entries`, sampled at `steps` steps (zero or
 * fewer give an empty array of that length) with the stops mixed in `space`, as GBA
 * colours in hexadecimal, sixteen to a line.
 */
std::string arrayText(const std::vector<std::string>& entries, std::int32_t steps,
                      const ArrayStyle& style, BlendSpace space = BlendSpace::srgb);

/**
 * C source declaring `u16 myGradient[N]`, the gradient through `entries` sampled at the
 * step count typed in `stepText`, with CRLF line breaks. Returns nullopt when there are
 * fewer than two entries, and when the step count exceeds maxStepCount: callers that must
 * tell the two apart check stepCount() first. Counts of zero or fewer give the empty
 * array.
 */
std::optional<std::string> generateArrayText(const std::vector<std::string>& entries,
                                             std::string_view stepText);

} // namespace tintwright
