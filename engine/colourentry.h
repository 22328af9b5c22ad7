#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tintwright {

/**
 * Builds the list line of a colour stop, "(" red "," green "," blue ") " name, from the
 * field texts exactly as typed.
 */
std::string composeEntry(std::string_view red, std::string_view green, std::string_view blue,
                         std::string_view name);

/**
 * Red, green and blue of a colour entry, each read with numericPrefix from the text
 * between its first "(" and its first ")", split at the first two commas. Channels are
 * not range-checked. Nothing when the entry lacks either parenthesis, has its ")" first,
 * or has fewer than two commas between them.
 */
std::optional<std::array<double, 3>> entryChannels(std::string_view entry);

/**
 * Packed colour red + 256 × green + 65536 × blue of a colour entry, from entryChannels;
 * nothing where that gives nothing.
 */
std::optional<double> entryColour(std::string_view entry);

// The packed colour of an entry, black (0) for one without the punctuation.
inline double entryColourOrBlack(std::string_view entry) {
    return entryColour(entry).value_or(0);
}

} // namespace tintwright
