// Number reading: spaces, tabs and line feeds never change a value, wherever they stand,
// and a decimal text reads as the C library reads it.
#include "engine/numberrules.h"
#include "fuzz/fuzzcheck.h"

#include <algorithm>
#include <iterator>

using namespace tintwright;
using fuzz::require;
using fuzz::same;

namespace {

std::string withoutIgnorable(std::string_view text) {
    std::string kept;
    std::ranges::copy_if(text, std::back_inserter(kept),
                         [](char c) { return c != ' ' && c != '\t' && c != '\n'; });
    return kept;
}

// The text with an ignorable character after every character whose low bit is set.
std::string spreadOut(std::string_view text) {
    std::string spread;
    for (const char c : text) {
        spread.push_back(c);
        if ((c & 1) != 0) {
            spread.push_back(" \t\n"[static_cast<unsigned char>(c) % 3]);
        }
    }
    return spread;
}

// Every byte mapped onto the characters a decimal number and its gaps are made of.
std::string decimalCharacters(std::string_view text) {
    constexpr std::string_view alphabet = "0123456789.eE+- \t\n";
    std::string mapped(text.size(), '0');
    std::ranges::transform(text, mapped.begin(), [&](char c) {
        return alphabet[static_cast<unsigned char>(c) % alphabet.size()];
    });
    return mapped;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::asText(data, size);
    const double value = numericPrefix(text);
    require(!std::isnan(value), "a number read from text is never NaN");
    require(same(numericPrefix(withoutIgnorable(text)), value), "removing gaps keeps the value");
    require(same(numericPrefix(spreadOut(text)), value), "inserting gaps keeps the value");

    // strtod reads the same decimal syntax (in the C locale) once the gaps are gone, and
    // agrees on every value, though it may differ on the sign of a zero.
    const std::string decimal = decimalCharacters(text);
    const std::string compact = withoutIgnorable(decimal);
    require(numericPrefix(decimal) == std::strtod(compact.c_str(), nullptr),
            "decimal text reads as strtod reads it");
    return 0;
}
