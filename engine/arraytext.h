#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
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
 * fewer give an empty array of that length), as GBA colours in hexadecimal, sixteen to a
 * line.
 */
std::string arrayText(const std::vector<std::string>& entries, std::int32_t steps,
                      const ArrayStyle& style);

// Why no array was written: fewer than two stops, or more than maxStepCount steps.
enum class ArrayRefusal { tooFewStops, tooManySteps };

/**
 * C source declaring `u16 myGradient[N]`, the gradient through `entries` sampled at the
 * step count typed in `stepText`, with CRLF line breaks; counts of zero or fewer give the
 * empty array. Instead, tooFewStops with fewer than two entries, whatever the count, and
 * otherwise tooManySteps for a count beyond maxStepCount.
 */
std::variant<std::string, ArrayRefusal> generateArrayText(const std::vector<std::string>& entries,
                                                          std::string_view stepText);

} // namespace tintwright
