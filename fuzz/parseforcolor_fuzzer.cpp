// Colour entries: an entry composed from four fields reads back as the numbers of its
// three channel fields, and nothing after an entry's first ")" changes its colour.
#include "engine/colourentry.h"
#include "engine/numberrules.h"
#include "fuzz/fuzzcheck.h"

#include <algorithm>
#include <array>

using namespace tintwright;
using fuzz::require;
using fuzz::same;

namespace {

// The input cut at its NUL bytes into red, green, blue and name; missing fields are empty.
std::array<std::string, 4> fields(std::string_view text) {
    std::array<std::string, 4> parts;
    for (std::size_t i = 0; i < parts.size() - 1; ++i) {
        const std::size_t cut = std::min(text.find('\0'), text.size());
        parts[i] = text.substr(0, cut);
        text.remove_prefix(std::min(cut + 1, text.size()));
    }
    parts.back() = text;
    return parts;
}

// A channel field as the window could hold it before the entry is parsed: without the
// punctuation that would shift the parse.
std::string channelField(std::string text) {
    std::erase_if(text, [](char c) { return c == '(' || c == ')' || c == ','; });
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::asText(data, size);
    const double colour = parseforcolor(text);

    const std::size_t close = text.find(')');
    if (text.find('(') == std::string_view::npos || close == std::string_view::npos) {
        require(colour == 0, "an entry without both parentheses is black");
    } else {
        const std::string_view entry = text.substr(0, close + 1);
        require(same(parseforcolor(entry), colour), "text after the first ')' is ignored");
    }

    const auto [red, green, blue, name] = fields(text);
    const std::string r = channelField(red);
    const std::string g = channelField(green);
    const std::string b = channelField(blue);
    const double expected = numericPrefix(r) + numericPrefix(g) * 256 + numericPrefix(b) * 65536;
    require(same(parseforcolor(composeEntry(r, g, b, name)), expected),
            "a composed entry reads back as its channel fields");
    return 0;
}
