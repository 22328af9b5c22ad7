// Properties of the engine that hold for any input: spaces, tabs and line feeds never change
// a number, and a decimal text reads as the C library reads it; an entry composed from four
// fields reads back as its channel fields; the array text holds one value a step, sixteen
// to a line, the first being the first stop's colour.
#include "engine/arraytext.h"
#include "engine/colourentry.h"
#include "engine/gradientsampler.h"
#include "engine/numberrules.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

using namespace tintwright;

namespace {

// Stops the run with a finding when a property does not hold.
void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", property);
        std::abort();
    }
}

// The same double, bit for bit (so -0 differs from 0), or NaN on both sides.
bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

// The text cut at the byte `at`, with the cuts' punctuation and gaps dropped when asked.
std::vector<std::string> split(std::string_view text, char at, std::string_view drop = "") {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == at) {
            parts.emplace_back();
        } else if (drop.find(c) == std::string_view::npos) {
            parts.back() += c;
        }
    }
    return parts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string compact = split(text, '\0', " \t\n")[0];
    require(same(numericPrefix(compact), numericPrefix(text)), "gaps never change a number");
    // Bytes mapped onto the characters of decimal numbers read as strtod (in the C locale)
    // reads them, though maybe not with the sign of a zero.
    std::string decimal = compact;
    std::ranges::transform(compact, decimal.begin(),
                           [](char c) { return "0123456789.eE+-"[std::uint8_t(c) % 15]; });
    require(numericPrefix(decimal) == std::strtod(decimal.c_str(), nullptr), "reads as strtod");

    // NUL bytes cut red, green, blue and name; channel fields as typed for a colour have no
    // punctuation that would shift the parse.
    std::vector<std::string> fields = split(text, '\0', "(),");
    fields.resize(4);
    const double expected = numericPrefix(fields[0]) + numericPrefix(fields[1]) * 256 +
                            numericPrefix(fields[2]) * 65536;
    require(same(parseforcolor(composeEntry(fields[0], fields[1], fields[2], fields[3])), expected),
            "a composed entry reads back as its channel fields");

    // Lines are the step field, kept to 4096 steps, and the entries; rebuilt from the values
    // it holds, with the layout a compiler reads, the array text is the same.
    std::vector<std::string> entries = split(text, '\n');
    const std::string steps = std::to_string(stepCount(entries[0]) % 4097);
    entries.erase(entries.begin());
    const std::optional<std::string> array = generateArrayText(entries, steps);
    require(array.has_value() == (entries.size() >= 2), "text exactly with two entries");
    if (!array) {
        return 0;
    }
    std::string rebuilt =
        "\r\n// Gradient made by Tintwright\r\nu16 myGradient[" + steps + "] = {\r\n";
    const std::regex value("0x([0-9A-F]{1,8})(, |\r\n)");
    int count = 0;
    for (std::sregex_iterator it(array->begin(), array->end(), value), end; array && it != end;
         ++it) {
        require(count > 0 || std::stoul((*it)[1], nullptr, 16) ==
                                 std::uint32_t(pc2gbacol(wholeNumber(parseforcolor(entries[0])))),
                "the first value is the first stop's colour");
        rebuilt += (count % 16 == 0 ? "    0x" : "0x") + (*it)[1].str();
        rebuilt += ++count == stepCount(steps) ? "" : count % 16 == 0 ? ", \r\n" : ", ";
    }
    require(*array == rebuilt + "\r\n};\r\n", "one value a step, sixteen to a line");
    return 0;
}
