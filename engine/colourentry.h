#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintwright {

// The seven stops every run of the window starts with: round the hue circle and back
// toward red.
inline const std::vector<std::string> startupStops = {
    "(255,0,0) Red",  "(255,255,0) Yellow", "(0,255,0) Green", "(0,255,255) Turquoise",
    "(0,0,255) Blue", "(255,0,255) Purple", "(255,0,0) Red"};

/**
 * Builds the list line of a colour stop, "(" red "," green "," blue ") " name, from the
 * field texts exactly as typed.
 */
std::string composeEntry(std::string_view red, std::string_view green, std::string_view blue,
                         std::string_view name);

/**
 * Packed colour red + 256 × green + 65536 × blue of a colour entry, read from the text
 * between its first "(" and its first ")". Channels are not range-checked. Nothing when
 * the entry lacks either parenthesis, has its ")" first, or has fewer than two commas
 * between them.
 */
std::optional<double> entryColour(std::string_view entry);

// The packed colour of an entry, black (0) for one without the punctuation.
inline double parseforcolor(std::string_view entry) {
    return entryColour(entry).value_or(0);
}

} // namespace tintwright
