#include "cases.h"

#include "engine/arraytext.h"
#include "engine/numberrules.h"
#include "tests/data/startupstops.h"

#include <array>
#include <stdexcept>

namespace tintwright {
namespace {

// The start-up gradient; a sky of one colour per visible scanline, the size of an HDMA
// table; one column per element, where each channel in turn climbs through all 32 levels
// while the others stay at 0 or 31; and the shortest array.
const std::array<GbaCase, 5> cases = {{
    {"startup_64", startupStops, 64, std::nullopt},
    {"sky_160",
     {"(16,32,96) Zenith", "(64,128,224) Sky", "(200,224,248) Horizon"},
     160,
     std::nullopt},
    {"four_stops_240",
     {"(0,0,0) Black", "(255,0,0) Red", "(255,255,0) Yellow", "(255,255,255) White"},
     240,
     std::nullopt},
    {"one_step", {"(255,128,0) Orange", "(0,0,255) Blue"}, 1, std::nullopt},
    {"startup_64_swapped", startupStops, 64, 40},
}};

} // namespace

const GbaCase& gbaCase(std::string_view name) {
    for (const GbaCase& candidate : cases) {
        if (candidate.name == name) {
            return candidate;
        }
    }
    throw std::invalid_argument("no GBA test case called " + std::string(name));
}

std::string cartridgeArrayText(const GbaCase& gbaCase) {
    std::string text = generateArrayText(gbaCase.stops, decimalText(gbaCase.steps)).value();
    if (gbaCase.swappedElement) {
        // Values are the only hexadecimal literals: element i follows the (i + 1)th "0x".
        std::size_t start = 0;
        for (std::int32_t i = 0; i <= *gbaCase.swappedElement; ++i) {
            start = text.find("0x", start) + 2;
        }
        const std::size_t end = text.find_first_not_of("0123456789ABCDEF", start);
        const auto value =
            static_cast<std::int32_t>(std::stol(text.substr(start, end - start), nullptr, 16));
        const std::int32_t swapped = (value & 0x3E0) | (value & 0x1F) << 10 | (value >> 10 & 0x1F);
        text.replace(start, end - start, hexText(swapped));
    }
    return text;
}

} // namespace tintwright
