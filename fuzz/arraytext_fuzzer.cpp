// C array text: for any step field and list of entries, the text has the array's length
// and exactly that many values, sixteen to a line, in the layout a C compiler reads.
#include "engine/arraytext.h"
#include "engine/colourentry.h"
#include "engine/gbacolour.h"
#include "engine/numberrules.h"
#include "engine/stepcount.h"
#include "fuzz/fuzzcheck.h"

#include <algorithm>
#include <charconv>
#include <vector>

using namespace tintwright;
using fuzz::require;

namespace {

// Longer arrays repeat the same work per value; this keeps each run short.
constexpr std::int32_t maxFuzzedSteps = 4096;

std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> split;
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;) {
        split.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    split.emplace_back(text);
    return split;
}

// Checks the value lines of `body` and returns the values they hold, in order.
std::vector<std::int32_t> values(std::string_view body, std::int32_t count) {
    std::vector<std::int32_t> read;
    for (std::int32_t i = 0; i < count; ++i) {
        if (i % 16 == 0) {
            require(body.starts_with("    "), "each value line starts with four spaces");
            body.remove_prefix(4);
        }
        require(body.starts_with("0x"), "values are hexadecimal literals");
        body.remove_prefix(2);
        // Only upper-case digits count, so a lower-case one ends the value and then fails
        // the separator check.
        const std::size_t digits =
            std::min(body.find_first_not_of("0123456789ABCDEF"), body.size());
        require(digits >= 1 && digits <= 8, "one to eight digits");
        require(digits == 1 || body[0] != '0', "no leading zeros");
        std::uint32_t value = 0;
        std::from_chars(body.data(), body.data() + digits, value, 16);
        read.push_back(static_cast<std::int32_t>(value));
        body.remove_prefix(digits);
        if (i != count - 1) {
            const std::string_view separator = i % 16 == 15 ? ", \r\n" : ", ";
            require(body.starts_with(separator), "values are separated, 16 to a line");
            body.remove_prefix(separator.size());
        }
    }
    require(body.empty(), "nothing follows the last value");
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first line is the step field, the others are the list's entries.
    std::vector<std::string> entries = lines(fuzz::asText(data, size));
    std::string stepText = entries.front();
    entries.erase(entries.begin());
    std::optional<std::int32_t> steps = stepCount(stepText);
    if (steps && *steps > maxFuzzedSteps) {
        stepText = decimalText(*steps % maxFuzzedSteps);
        steps = stepCount(stepText);
    }

    const std::optional<std::string> text = generateArrayText(entries, stepText);
    require(text.has_value() == (entries.size() >= 2 && steps.has_value()),
            "text exactly when there are two entries and a step count within the limit");
    if (!text) {
        return 0;
    }
    const std::string head =
        "\r\n// Gradient made by Tintwright\r\nu16 myGradient[" + decimalText(*steps) + "] = {\r\n";
    const std::string_view tail = "\r\n};\r\n";
    require(text->starts_with(head) && text->ends_with(tail) &&
                text->size() >= head.size() + tail.size(),
            "the declaration opens and closes the text");
    const std::string_view body =
        std::string_view(*text).substr(head.size(), text->size() - head.size() - tail.size());
    const std::vector<std::int32_t> colours = values(body, std::max(*steps, 0));

    if (!colours.empty()) {
        require(colours.front() == pc2gbacol(parseforcolor(entries.front())),
                "the first value is the first stop's colour");
    }
    // Stops whose packed colours lie in 0..0xFFFFFF have channels 0..255, and so does
    // every colour between them: each value then fits the GBA's fifteen bits.
    const bool inRange = std::ranges::all_of(entries, [](const std::string& entry) {
        const std::int32_t packed = wholeNumber(parseforcolor(entry));
        return packed >= 0 && packed <= 0xFFFFFF;
    });
    if (inRange) {
        require(std::ranges::all_of(colours, [](std::int32_t c) { return c >= 0 && c <= 0x7FFF; }),
                "colours with channels 0..255 become 15-bit values");
    }
    return 0;
}
