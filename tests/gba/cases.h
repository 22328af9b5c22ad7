#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintwright {

// A gradient that the GBA tests build into a cartridge and check on the emulator's screen.
struct GbaCase {
    std::string_view name;
    std::vector<std::string> stops;
    std::int32_t steps;
    // An element whose red and blue are exchanged in the cartridge's array text, so that the
    // screen must differ from the sampler's colours there.
    std::optional<std::int32_t> swappedElement;
};

// The case called `name`; throws std::invalid_argument for an unknown name.
const GbaCase& gbaCase(std::string_view name);

/**
 * The array text the case's cartridge includes: generateArrayText's text for its stops and
 * steps, with the red and blue of its swapped element exchanged if it has one.
 */
std::string cartridgeArrayText(const GbaCase& gbaCase);

} // namespace tintwright
