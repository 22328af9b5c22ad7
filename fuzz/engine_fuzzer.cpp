// Properties of the engine that hold for any input: spaces, tabs and line feeds never change
// a number, and a decimal text reads as the C library reads it; an entry composed from four
// fields reads back as its channel fields; an array comes exactly when there are two entries or
// more.
#include "engine/arraytext.h"
#include "engine/colourentry.h"
#include "engine/numberrules.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// The text cut at the byte `at`, less the bytes in `drop`.
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
    require(numericPrefix(compact) == numericPrefix(text), "gaps never change a number");
    // Bytes mapped onto the characters of decimal numbers read as strtod (in the C locale)
    // reads them.
    std::string decimal = compact;
    std::transform(compact.begin(), compact.end(), decimal.begin(),
                   [](char c) { return "0123456789.eE+-"[std::uint8_t(c) % 15]; });
    require(numericPrefix(decimal) == std::strtod(decimal.c_str(), nullptr), "reads as strtod");

    // NUL bytes cut red, green, blue and name; channel fields as typed for a colour have no
    // punctuation that would shift the parse. Infinite channels may give NaN on both sides.
    std::vector<std::string> fields = split(text, '\0', "(),");
    fields.resize(4);
    const double expected = numericPrefix(fields[0]) + numericPrefix(fields[1]) * 256 +
                            numericPrefix(fields[2]) * 65536;
    const double parsed =
        entryColourOrBlack(composeEntry(fields[0], fields[1], fields[2], fields[3]));
    require(std::bit_cast<std::uint64_t>(parsed) == std::bit_cast<std::uint64_t>(expected) ||
                (std::isnan(parsed) && std::isnan(expected)),
            "a composed entry reads back as its channel fields");

    // Lines are the step field, kept to 512 steps, and the entries.
    std::vector<std::string> entries = split(text, '\n');
    const std::int32_t steps = stepCount(entries[0]) % 513;
    entries.erase(entries.begin());
    const auto result = generateArrayText(entries, std::to_string(steps));
    require(std::holds_alternative<std::string>(result) == (entries.size() >= 2),
            "an array exactly with two entries or more");
    return 0;
}
