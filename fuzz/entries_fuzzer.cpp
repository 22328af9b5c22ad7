// libFuzzer target: any text as a number, as a colour entry, and as a list of entries
// (one per line) with a step field (the first line), through to the C array text.
#include "engine/arraytext.h"
#include "engine/colourentry.h"
#include "engine/numberrules.h"
#include "engine/stepcount.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (std::isnan(tintwright::numericPrefix(text))) {
        std::abort();
    }
    tintwright::parseforcolor(text);

    std::vector<std::string> entries = linesOf(text);
    const std::string stepText = entries.front();
    entries.erase(entries.begin());
    // Keep each run short: large step counts only repeat the same per-step work.
    const auto steps = tintwright::stepCount(stepText);
    if (steps && *steps <= 4096) {
        const auto array = tintwright::generateArrayText(entries, stepText);
        if (array.has_value() != (entries.size() >= 2) ||
            (array && !array->ends_with("\r\n};\r\n"))) {
            std::abort();
        }
    }
    return 0;
}
