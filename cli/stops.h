#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tintwright {

// The colour stops of the gradient: those of the file `input` ("-" reads `in`) one a line,
// then `arguments`. Each is an entry as the window's list holds it or "#RRGGBB name".
// Throws GeneratorError: status 1 when the file cannot be read, 2 for a malformed stop.
std::vector<std::string> readStops(const std::optional<std::string>& input, std::istream& in,
                                   const std::vector<std::string>& arguments);

} // namespace tintwright
