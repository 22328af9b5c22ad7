#pragma once

#include <string>
#include <string_view>

namespace tintwright {

// `text` as a message shows it: control characters and bytes that are not well-formed
// UTF-8 written as \0 or \xHH, and text beyond 80 characters cut off with "…". Every
// message that echoes what the user gave passes it through here, so that nothing the user
// gave reaches the terminal raw.
std::string printable(std::string_view text);

} // namespace tintwright
