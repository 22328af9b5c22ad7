#pragma once

#include "cli/options.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tintwright {

// What a run reads besides its command line: the colour stops, and the option lines of
// its stop file.
struct StopInput {
    std::vector<std::string> stops;
    std::vector<OptionLine> optionLines;
};

// The colour stops of the file `input` ("-" reads `in`) one a line, then `arguments`. Each
// is "(R,G,B) name", each channel one number from 0 to 255 (decimal with an optional
// fraction, or after &H or &O), "#RRGGBB name", or a GBA colour "0x7FFF name". A line whose
// first non-blank character is "-" holds options.
// Throws GeneratorError: status 1 when the file cannot be read, 2 for a malformed stop.
StopInput readStops(const std::optional<std::string>& input, std::istream& in,
                    const std::vector<std::string>& arguments);

} // namespace tintwright
