// libFuzzer target: any text as a number and as a colour entry, and its lines as a step
// field (the first line) and a list of entries, through to the C array text.
#include "engine/arraytext.h"
#include "engine/colourentry.h"
#include "engine/numberrules.h"
#include "engine/stepcount.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (std::isnan(tintwright::numericPrefix(text))) {
        std::abort();
    }
    tintwright::parseforcolor(text);

    std::istringstream lines(text);
    std::string stepText;
    std::getline(lines, stepText);
    std::vector<std::string> entries;
    for (std::string entry; std::getline(lines, entry);) {
        entries.push_back(entry);
    }
    // Large step counts only repeat the same work per step; keep each run short.
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
