#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tintwright {

// Most characters a message shows of other text, such as a line or an option's value.
inline constexpr std::size_t maxShownText = 80;

// Most characters a message shows of a file name: a whole path, so that FILE:LINE stays a
// place an editor can open.
inline constexpr std::size_t maxShownPath = 4096;

// `text` as a message shows it: control characters, Unicode's bidirectional controls and
// bytes that are not well-formed UTF-8 written as \0 or \xHH, and text beyond
// `maxCharacters` characters cut off with "…". Every message that echoes what the user gave
// passes it through here, so that nothing the user gave reaches the terminal raw.
std::string printable(std::string_view text, std::size_t maxCharacters = maxShownText);

} // namespace tintwright
