#include "cli/stops.h"

#include "cli/generatorerror.h"
#include "cli/linereader.h"
#include "cli/printable.h"
#include "engine/colourentry.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <string_view>

namespace tintwright {
namespace {

constexpr std::string_view blanks = " \t";

// "#RRGGBB name" as the entry "(R,G,B) name"; any other text as it stands.
std::string asEntry(std::string_view text) {
    const std::size_t start = std::min(text.find_first_not_of(blanks), text.size());
    const std::string_view colour = text.substr(start);
    constexpr std::size_t hexEnd = 7;
    if (colour.size() < hexEnd || colour[0] != '#' ||
        (colour.size() > hexEnd && blanks.find(colour[hexEnd]) == std::string_view::npos)) {
        return std::string(text);
    }
    unsigned rgb = 0;
    const char* const hexStop = colour.data() + hexEnd;
    const auto [end, error] = std::from_chars(colour.data() + 1, hexStop, rgb, 16);
    if (error != std::errc{} || end != hexStop) {
        return std::string(text);
    }
    std::string_view name = colour.substr(hexEnd);
    name.remove_prefix(std::min(name.find_first_not_of(blanks), name.size()));
    return composeEntry(std::to_string(rgb >> 16), std::to_string((rgb >> 8) & 255),
                        std::to_string(rgb & 255), name);
}

// A stop without the parser's punctuation would silently turn black, and one with a
// channel outside 0 to 255 spill into the next channel, so both are errors: in a build
// they are typos.
void addStop(std::vector<std::string>& stops, std::string_view text) {
    std::string entry = asEntry(text);
    const std::optional<std::array<double, 3>> channels = entryChannels(entry);
    if (!channels) {
        throw GeneratorError(2, "not a colour stop: " + printable(text));
    }
    constexpr std::array<std::string_view, 3> channelNames = {"red", "green", "blue"};
    for (std::size_t i = 0; i < channels->size(); ++i) {
        if (!((*channels)[i] >= 0 && (*channels)[i] <= 255)) {
            throw GeneratorError(2, std::string(channelNames[i]) +
                                        " must be from 0 to 255: " + printable(text));
        }
    }
    stops.push_back(std::move(entry));
}

// Lines that are empty, blank or start with ";" hold no stop; those that start with "-"
// hold options.
void readStopLines(std::istream& stream, const std::string& name, StopInput& input) {
    readLines(stream, name, [&](std::string_view line, std::size_t number) {
        const std::size_t first = line.find_first_not_of(blanks);
        if (first == std::string_view::npos || line[first] == ';') {
            return;
        }
        const auto place = [&] { return name + ":" + std::to_string(number); };
        if (line[first] == '-') {
            input.optionLines.push_back({place(), std::string(line)});
            return;
        }
        try {
            addStop(input.stops, line);
        } catch (const GeneratorError& error) {
            throw GeneratorError(error.status, place() + ": " + error.what());
        }
    });
}

} // namespace

StopInput readStops(const std::optional<std::string>& input, std::istream& in,
                    const std::vector<std::string>& arguments) {
    StopInput stops;
    if (input == "-") {
        readStopLines(in, "standard input", stops);
    } else if (input) {
        std::ifstream file(*input, std::ios::binary);
        if (!file) {
            const int error = errno;
            throw GeneratorError(1, "cannot read " + printable(*input, maxShownPath) + ": " +
                                        std::strerror(error));
        }
        readStopLines(file, printable(*input, maxShownPath), stops);
    }
    for (const std::string& argument : arguments) {
        addStop(stops.stops, argument);
    }
    return stops;
}

} // namespace tintwright
