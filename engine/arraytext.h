#pragma once

#include "engine/blockwriter.h"
#include "engine/gradientsampler.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintwright {

// Most steps a gradient may have: 2^24 u16 values fill a 32 MiB cartridge ROM.
inline constexpr std::int32_t maxStepCount = 16'777'216;

// The first line of every file written, after the comment marker of its language.
inline constexpr std::string_view banner = "Gradient made by Tintwright";

// How the array is declared and how its lines end.
struct ArrayStyle {
    std::string_view elementType = "u16";
    std::string_view name = "myGradient";
    // Declared const and 4-byte aligned, so that the linker keeps it in ROM.
    bool inRom = false;
    std::string_view lineBreak = "\r\n";
    // The text makes its element type known itself, so that it compiles on its own.
    bool definesType = false;
};

/**
 * Writes the C source declaring the array of `length` elements (zero or fewer give an
 * empty array of that length) with the values of `sampler` as GBA colours in hexadecimal,
 * sixteen to a line.
 */
void writeArrayText(const GradientSampler& sampler, std::int32_t length, const ArrayStyle& style,
                    const Sink& sink);

/**
 * A C header declaring the array of `length` elements that writeArrayText defines, with
 * its size in bytes as NAMELen.
 */
std::string headerText(const ArrayStyle& style, std::int32_t length);

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
