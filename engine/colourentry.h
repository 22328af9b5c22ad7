#pragma once

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
 * Packed colour red + 256 × green + 65536 × blue of a colour entry, read from the text
 * between its first "(" and its first ")". An entry without both, with its ")" first, or
 * with fewer than two commas between them is black (0). Channels are not range-checked.
 */
double parseforcolor(std::string_view mystr);

} // namespace tintwright
