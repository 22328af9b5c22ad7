// C array text: for any step field and list of entries, the text declares the array's
// length and holds exactly that many values, sixteen to a line, in the layout a C
// compiler reads; the first value is the first stop's colour.
#include "engine/arraytext.h"
#include "engine/colourentry.h"
#include "engine/gradientsampler.h"
#include "engine/numberrules.h"
#include "fuzz/fuzzcheck.h"

#include <regex>
#include <string>
#include <vector>

using namespace tintwright;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first line is the step field, the others are the list's entries. Longer arrays
    // repeat the same work per value, so step counts are kept to 4096.
    std::vector<std::string> entries;
    std::string_view text = fuzz::asText(data, size);
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;) {
        entries.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    const std::string stepText = std::to_string(stepCount(text).value_or(0) % 4097);
    const std::int32_t steps = *stepCount(stepText);
    const std::optional<std::string> array = generateArrayText(entries, stepText);
    require(array.has_value() == (entries.size() >= 2), "text exactly with two entries");
    if (!array) {
        return 0;
    }

    // Rebuild the text from the values it holds, with the layout the compiler reads.
    std::string expected =
        "\r\n// Gradient made by Tintwright\r\nu16 myGradient[" + stepText + "] = {\r\n";
    const std::regex value("0x([0-9A-F]{1,8})(, |\r\n)");
    std::int32_t count = 0;
    for (std::sregex_iterator it(array->begin(), array->end(), value), end; it != end; ++it) {
        const auto colour = static_cast<std::int32_t>(std::stoul((*it)[1], nullptr, 16));
        if (count == 0) {
            require(colour == pc2gbacol(wholeNumber(parseforcolor(entries.front()))),
                    "the first value is the first stop's colour");
        }
        expected += (count % 16 == 0 ? "    0x" : "0x") + (*it)[1].str();
        expected += ++count == steps ? "" : count % 16 == 0 ? ", \r\n" : ", ";
    }
    require(count == std::max(steps, 0), "one value a step");
    require(*array == expected + "\r\n};\r\n", "sixteen values a line, separated and closed");
    return 0;
}
