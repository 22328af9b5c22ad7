#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tintwright {

// Longest line a stop file may hold, in bytes; reading takes memory in proportion to it.
inline constexpr std::size_t maxLineLength = 65'536;

// Calls `use` with each line of `stream` and its number, from 1. Lines end at LF, CRLF or
// a lone CR; a UTF-8 byte-order mark at the start is skipped. `name` is the stream's name
// as messages show it. Throws GeneratorError: status 2 naming NAME:LINE for a line longer
// than maxLineLength, 1 when the stream cannot be read.
void readLines(std::istream& stream, const std::string& name,
               const std::function<void(std::string_view line, std::size_t number)>& use);

} // namespace tintwright
