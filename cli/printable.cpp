#include "cli/printable.h"

#include <array>

namespace tintwright {
namespace {

constexpr std::string_view hexDigits = "0123456789ABCDEF";

// The lead bytes of the characters that are shown as they are, the range of the byte after
// each, and the length of the character: printable ASCII and well-formed UTF-8 without
// overlong forms, surrogates, C1 controls or code points beyond U+10FFFF.
struct Lead {
    unsigned char first, last, low, high;
    std::size_t length;
};
constexpr std::array<Lead, 10> leads{{
    {0x20, 0x7E, 0x00, 0xFF, 1},
    {0xC2, 0xC2, 0xA0, 0xBF, 2},
    {0xC3, 0xDF, 0x80, 0xBF, 2},
    {0xE0, 0xE0, 0xA0, 0xBF, 3},
    {0xE1, 0xEC, 0x80, 0xBF, 3},
    {0xED, 0xED, 0x80, 0x9F, 3},
    {0xEE, 0xEF, 0x80, 0xBF, 3},
    {0xF0, 0xF0, 0x90, 0xBF, 4},
    {0xF1, 0xF3, 0x80, 0xBF, 4},
    {0xF4, 0xF4, 0x80, 0x8F, 4},
}};

// Length of the character shown as it is at the start of `text`, 0 for a byte to escape.
// Unicode's bidirectional controls (U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069)
// are escaped as well: on a terminal they would reorder the rest of the line.
std::size_t shownLength(std::string_view text) {
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0U;
    };
    if (byte(0) == 0xE2 && ((byte(1) == 0x80 && (byte(2) == 0x8E || byte(2) == 0x8F ||
                                                 (byte(2) >= 0xAA && byte(2) <= 0xAE))) ||
                            (byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9))) {
        return 0;
    }
    for (const Lead& lead : leads) {
        if (byte(0) < lead.first || byte(0) > lead.last) {
            continue;
        }
        if (lead.length > 1 && (byte(1) < lead.low || byte(1) > lead.high)) {
            return 0;
        }
        for (std::size_t i = 2; i < lead.length; ++i) {
            if (byte(i) < 0x80 || byte(i) > 0xBF) {
                return 0;
            }
        }
        return lead.length;
    }
    return 0;
}

} // namespace

std::string printable(std::string_view text, std::size_t maxCharacters) {
    std::string shown;
    for (std::size_t characters = 0; !text.empty(); ++characters) {
        if (characters == maxCharacters) {
            return shown.append("…");
        }
        const std::size_t length = shownLength(text);
        if (length > 0) {
            shown.append(text.substr(0, length));
            text.remove_prefix(length);
            continue;
        }
        const auto byte = static_cast<unsigned char>(text.front());
        if (byte == 0) {
            shown.append("\\0");
        } else {
            shown.append("\\x").append(1, hexDigits[byte >> 4]).append(1, hexDigits[byte & 15]);
        }
        text.remove_prefix(1);
    }
    return shown;
}

} // namespace tintwright
