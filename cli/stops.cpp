#include "cli/stops.h"

#include "cli/generatorerror.h"
#include "cli/linereader.h"
#include "cli/printable.h"
#include "engine/colourentry.h"
#include "engine/gbacolour.h"
#include "engine/numberrules.h"

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

// Whether `text` is one channel of a stop: blanks, one number, blanks. The number is decimal
// digits with an optional fraction, or &H or &O and at least one digit of that base.
bool isChannel(std::string_view text) {
    constexpr std::string_view digits = "0123456789";
    const std::size_t start = std::min(text.find_first_not_of(blanks), text.size());
    const std::string_view token = text.substr(start, text.find_last_not_of(blanks) + 1 - start);
    if (token.size() > 2 && token[0] == '&' && (token[1] == 'H' || token[1] == 'h')) {
        return token.find_first_not_of("0123456789ABCDEFabcdef", 2) == std::string_view::npos;
    }
    if (token.size() > 2 && token[0] == '&' && (token[1] == 'O' || token[1] == 'o')) {
        return token.find_first_not_of("01234567", 2) == std::string_view::npos;
    }
    const std::size_t point = std::min(token.find('.'), token.size());
    const std::string_view whole = token.substr(0, point);
    const std::string_view fraction = token.substr(std::min(point + 1, token.size()));
    return whole.find_first_not_of(digits) == std::string_view::npos &&
           fraction.find_first_not_of(digits) == std::string_view::npos &&
           (point == token.size() ? !whole.empty() : !fraction.empty());
}

// The channels of a stop written "(R,G,B) name", read strictly: a typo in a build is an error,
// never a wrong colour. `shown` is the stop as the user wrote it, for messages.
std::array<double, 3> readChannels(std::string_view entry, std::string_view shown) {
    const std::size_t open = std::min(entry.find_first_not_of(blanks), entry.size());
    const std::size_t close = entry.find(')');
    if (open == entry.size() || entry[open] != '(' || close == std::string_view::npos) {
        throw GeneratorError(2, "not a colour stop: " + printable(shown));
    }
    std::string_view inner = entry.substr(open + 1, close - open - 1);
    constexpr std::array<std::string_view, 3> channelNames = {"red", "green", "blue"};
    std::array<double, 3> channels{};
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const std::size_t comma = inner.find(',');
        if ((comma == std::string_view::npos) != (i == channels.size() - 1)) {
            throw GeneratorError(2, std::string(i < 2 ? "not a colour stop: "
                                                      : "a colour stop has three channels: ") +
                                        printable(shown));
        }
        const std::string_view channel = inner.substr(0, comma);
        channels[i] = numericPrefix(channel);
        if (!isChannel(channel) || !(channels[i] <= 255)) {
            throw GeneratorError(2, std::string(channelNames[i]) +
                                        " must be a number from 0 to 255: " + printable(shown));
        }
        inner.remove_prefix(std::min(comma + 1, inner.size()));
    }
    return channels;
}

void addStop(std::vector<std::string>& stops, std::string_view text) {
    std::string entry = asEntry(text);
    readChannels(entry, text);
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
            throw GeneratorError(error.status, place() + ": " + error.what(), true);
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
