#include "engine/colourentry.h"

#include "engine/numberrules.h"

namespace tintwright {

std::string composeEntry(std::string_view red, std::string_view green, std::string_view blue,
                         std::string_view name) {
    std::string entry;
    entry.reserve(red.size() + green.size() + blue.size() + name.size() + 5);
    entry.append("(").append(red).append(",").append(green).append(",").append(blue);
    entry.append(") ").append(name);
    return entry;
}

std::optional<std::array<double, 3>> entryChannels(std::string_view entry) {
    const std::size_t open = entry.find('(');
    const std::size_t close = entry.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
        return std::nullopt;
    }
    const std::string_view inner = entry.substr(open + 1, close - open - 1);
    const std::size_t firstComma = inner.find(',');
    if (firstComma == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t secondComma = inner.find(',', firstComma + 1);
    if (secondComma == std::string_view::npos) {
        return std::nullopt;
    }
    return std::array{numericPrefix(inner.substr(0, firstComma)),
                      numericPrefix(inner.substr(firstComma + 1, secondComma - firstComma - 1)),
                      numericPrefix(inner.substr(secondComma + 1))};
}

std::optional<double> entryColour(std::string_view entry) {
    const std::optional<std::array<double, 3>> channels = entryChannels(entry);
    if (!channels) {
        return std::nullopt;
    }
    const auto [red, green, blue] = *channels;
    return red + green * 256 + blue * 65536;
}

} // namespace tintwright
