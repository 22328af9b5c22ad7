// Colour entries: an entry composed from four fields reads back as the numbers of its
// three channel fields.
#include "engine/colourentry.h"
#include "engine/numberrules.h"
#include "fuzz/fuzzcheck.h"

#include <algorithm>
#include <array>
#include <string>

using namespace tintwright;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The input cut at its NUL bytes into red, green, blue and name. Channel fields lose
    // the punctuation that would shift the parse, as a field typed for a colour would.
    std::array<std::string, 4> fields;
    std::string_view text = fuzz::asText(data, size);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t cut = i + 1 < fields.size() ? std::min(text.find('\0'), text.size())
                                                      : text.size();
        fields[i] = text.substr(0, cut);
        text.remove_prefix(std::min(cut + 1, text.size()));
    }
    for (std::size_t i = 0; i < 3; ++i) {
        std::erase_if(fields[i], [](char c) { return c == '(' || c == ')' || c == ','; });
    }
    const auto& [red, green, blue, name] = fields;
    const double expected =
        numericPrefix(red) + numericPrefix(green) * 256 + numericPrefix(blue) * 65536;
    fuzz::require(fuzz::same(parseforcolor(composeEntry(red, green, blue, name)), expected),
                  "a composed entry reads back as its channel fields");
    return 0;
}
