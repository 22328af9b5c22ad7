// Number reading: spaces, tabs and line feeds never change a value, wherever they stand,
// and a decimal text reads as the C library reads it.
#include "engine/numberrules.h"
#include "fuzz/fuzzcheck.h"

#include <algorithm>
#include <string>

using namespace tintwright;
using fuzz::require;

namespace {

std::string withoutGaps(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(fuzz::asText(data, size));
    require(fuzz::same(numericPrefix(withoutGaps(text)), numericPrefix(text)),
            "removing gaps keeps the value");

    // Every byte mapped onto the characters of a decimal number and its gaps: once the
    // gaps are gone, strtod (in the C locale) reads the same value, though it may differ
    // on the sign of a zero.
    constexpr std::string_view alphabet = "0123456789.eE+- \t\n";
    std::string decimal = text;
    std::ranges::transform(text, decimal.begin(), [&](char c) {
        return alphabet[static_cast<unsigned char>(c) % alphabet.size()];
    });
    require(numericPrefix(decimal) == std::strtod(withoutGaps(decimal).c_str(), nullptr),
            "decimal text reads as strtod reads it");
    return 0;
}
