#pragma once

#include "engine/blendspace.h"
#include "engine/quantiser.h"
#include "engine/stepplacement.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tintwright {

enum class Format { c, assembly, binary, gimpPalette, jascPalette };

// What one run is asked to do, as its command line and its stop file say.
struct Options {
    std::optional<std::string> input; // stop file, "-" for standard input
    std::int32_t steps = 64;
    std::string name = "myGradient";
    std::string type = "u16";
    bool inRom = false;
    bool lineFeeds = false;
    BlendSpace blend = BlendSpace::srgb;
    Endpoint endpoint = Endpoint::excluded;
    std::optional<std::string> section; // the compiler's or assembler's choice when absent
    Quantisation quantise = Quantisation::floor;
    Format format = Format::c;
    std::optional<std::string> output; // standard output when absent
    std::optional<std::string> header;
    std::optional<std::string> preview;
    std::vector<std::string> stops; // the stops given as arguments
    bool help = false;
    bool version = false;
};

// A line of a stop file that holds options, written as on the command line, and where it
// stands, as "FILE:LINE" for messages.
struct OptionLine {
    std::string place;
    std::string text;
};

// Most steps a preview image is drawn for, one pixel column each, and a palette holds.
inline constexpr std::int32_t maxPreviewWidth = 65'536;

// The text --help shows: how to call the program, its options and its exit statuses.
std::string usageText();

// Reads the command line (the program name first); throws GeneratorError with status 2
// for an unknown option, a bad value, or options that do not go together.
Options parseOptions(std::span<char* const> args);

// The options of the command line over those of its stop file's option lines, which may
// set only the gradient's own properties; without -n in either, a stop file names the
// array after itself. Throws GeneratorError with status 2 as parseOptions does, naming
// FILE:LINE for an option line.
Options combineOptions(std::span<char* const> args, const std::vector<OptionLine>& fileLines);

} // namespace tintwright
