#include "cli/stops.h"

#include "cli/generatorerror.h"
#include "engine/colourentry.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <istream>
#include <string_view>

namespace tintwright {
namespace {

constexpr std::string_view blanks = " \t";

// "#RRGGBB name" as the entry "(R,G,B) name"; any other text as it stands.
std::string asEntry(const std::string& text) {
    const std::size_t start = std::min(text.find_first_not_of(blanks), text.size());
    const std::string_view colour = std::string_view(text).substr(start);
    constexpr std::size_t hexEnd = 7;
    if (colour.size() < hexEnd || colour[0] != '#' ||
        (colour.size() > hexEnd && blanks.find(colour[hexEnd]) == std::string_view::npos)) {
        return text;
    }
    unsigned rgb = 0;
    const char* const hexStop = colour.data() + hexEnd;
    const auto [end, error] = std::from_chars(colour.data() + 1, hexStop, rgb, 16);
    if (error != std::errc{} || end != hexStop) {
        return text;
    }
    std::string_view name = colour.substr(hexEnd);
    name.remove_prefix(std::min(name.find_first_not_of(blanks), name.size()));
    return composeEntry(std::to_string(rgb >> 16), std::to_string((rgb >> 8) & 255),
                        std::to_string(rgb & 255), name);
}

// A stop without the parser's punctuation would silently turn black, so it is an error.
void addStop(std::vector<std::string>& stops, const std::string& text, const std::string& place) {
    std::string entry = asEntry(text);
    if (!entryColour(entry)) {
        throw GeneratorError(2, place + "not a colour stop: " + text);
    }
    stops.push_back(std::move(entry));
}

// Lines that are empty, blank or start with ";" hold no stop; a CR before the LF is dropped.
void readStopLines(std::istream& stream, const std::string& name, std::vector<std::string>& stops) {
    std::string line;
    for (int number = 1; std::getline(stream, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t first = line.find_first_not_of(blanks);
        if (first != std::string::npos && line[first] != ';') {
            addStop(stops, line, name + ":" + std::to_string(number) + ": ");
        }
    }
    if (stream.bad()) {
        throw GeneratorError(1, "cannot read " + name + ": " + std::strerror(errno));
    }
}

} // namespace

std::vector<std::string> readStops(const std::optional<std::string>& input, std::istream& in,
                                   const std::vector<std::string>& arguments) {
    std::vector<std::string> stops;
    if (input == "-") {
        readStopLines(in, "standard input", stops);
    } else if (input) {
        std::ifstream file(*input);
        if (!file) {
            throw GeneratorError(1, "cannot read " + *input + ": " + std::strerror(errno));
        }
        readStopLines(file, *input, stops);
    }
    for (const std::string& argument : arguments) {
        addStop(stops, argument, "");
    }
    return stops;
}

} // namespace tintwright
