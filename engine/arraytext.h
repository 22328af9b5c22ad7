#pragma once

#include "engine/blockwriter.h"
#include "engine/quantiser.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tintwright {

// Most steps a gradient may have: 2^24 u16 values fill a 32 MiB cartridge ROM.
inline constexpr std::int32_t maxStepCount = 16'777'216;

// The first line of every file written, after the comment marker of its language.
inline constexpr std::string_view banner = "Gradient made by Tintwright";

// The names the element type may have: the GBA libraries' u16 and COLOR, and the standard
// names of an unsigned 16-bit type.
inline constexpr std::array<std::string_view, 4> elementTypes = {"u16", "unsigned short",
                                                                 "uint16_t", "COLOR"};

// How the array is declared and how its lines end.
struct ArrayStyle {
    std::string_view elementType = "u16";
    std::string_view name = "myGradient";
    // Declared const and 4-byte aligned, so that the linker keeps it in ROM.
    bool inRom = false;
    // The section the array is placed in, such as ".ewram"; empty for the compiler's choice.
    std::string_view section;
    std::string_view lineBreak = "\r\n";
    // The text is a file compiled on its own: it makes its element type known itself, and
    // a source file declares the array extern before defining it, which in C++ gives a
    // const array the external linkage it has in C.
    bool standalone = false;
};

/**
 * Writes the C source declaring the array of `length` elements (zero or fewer give an
 * empty array of that length) with the GBA colours of `colours` in hexadecimal, sixteen to
 * a line.
 */
void writeArrayText(const Quantiser& colours, std::int32_t length, const ArrayStyle& style,
                    const Sink& sink);

/**
 * A C header declaring the array of `length` elements that writeArrayText defines, with
 * its size in bytes as NAMELen.
 */
std::string headerText(const ArrayStyle& style, std::int32_t length);

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
