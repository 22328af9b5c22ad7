#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tintwright {

enum class Format { c, assembly, binary };

// What one run is asked to do, as its command line says.
struct Options {
    std::optional<std::string> input; // stop file, "-" for standard input
    std::int32_t steps = 64;
    std::string name = "myGradient";
    std::string type = "u16";
    bool inRom = false;
    bool lineFeeds = false;
    Format format = Format::c;
    std::optional<std::string> output; // standard output when absent
    std::optional<std::string> header;
    std::optional<std::string> preview;
    std::vector<std::string> stops; // the stops given as arguments
    bool help = false;
    bool version = false;
};

// Most steps a preview image is drawn for, one pixel column each.
inline constexpr std::int32_t maxPreviewWidth = 65'536;

// Reads the command line (the program name first); throws GeneratorError with status 2
// for an unknown option, a bad value, or options that do not go together.
Options parseOptions(std::span<char* const> args);

} // namespace tintwright
