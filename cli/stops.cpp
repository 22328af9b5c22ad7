#include "cli/stops.h"

#include "cli/generatorerror.h"
#include "cli/linereader.h"
#include "cli/printable.h"
#include "engine/colourentry.h"
#include "engine/gbacolour.h"

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

// "0xBGR name", a 15-bit GBA colour with red in the low five bits, as the entry of the
// colour the GBA shows for it, each 5-bit channel v widened to v × 8 + v ÷ 4, so that it
// comes back as the same value; nothing for text of another form. Throws GeneratorError
// with status 2 for a value above 0x7FFF.
std::optional<std::string> gbaColourEntry(std::string_view colour) {
    const std::size_t end = std::min(colour.find_first_of(blanks), colour.size());
    if (end < 3 || colour[0] != '0' || (colour[1] != 'x' && colour[1] != 'X')) {
        return std::nullopt;
    }
    unsigned long value = 0;
    const auto [stop, error] = std::from_chars(colour.data() + 2, colour.data() + end, value, 16);
    if (stop != colour.data() + end || error == std::errc::invalid_argument) {
        return std::nullopt;
    }
    if (error != std::errc{} || value > 0x7FFF) {
        throw GeneratorError(2, "a GBA colour is at most 0x7FFF: " + printable(colour));
    }
    const std::int32_t shown = shownColour(static_cast<std::int32_t>(value));
    std::string_view name = colour.substr(end);
    name.remove_prefix(std::min(name.find_first_not_of(blanks), name.size()));
    return composeEntry(std::to_string(shown & 255), std::to_string(shown >> 8 & 255),
                        std::to_string(shown >> 16), name);
}

// "#RRGGBB name" and "0xBGR name" as the entry "(R,G,B) name"; any other text as it stands.
std::string asEntry(std::string_view text) {
    const std::size_t start = std::min(text.find_first_not_of(blanks), text.size());
    const std::string_view colour = text.substr(start);
    if (std::optional<std::string> entry = gbaColourEntry(colour)) {
        return std::move(*entry);
    }
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
