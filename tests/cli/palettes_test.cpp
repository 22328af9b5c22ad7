#include "cli/palettes.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

namespace tintwright {
namespace {

using Colours = std::vector<std::array<int, 3>>;

// The colours of a palette, one a line after `headerLines` lines, each "red green blue" and
// maybe a name; every line must end in `lineBreak`.
Colours readColours(const std::string& text, std::size_t headerLines,
                    const std::string& lineBreak) {
    Colours colours;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(lineBreak, start)) != std::string::npos;
         start = end + lineBreak.size()) {
        std::array<int, 3> colour{};
        if (headerLines > 0) {
            --headerLines;
        } else {
            std::istringstream(text.substr(start, end - start)) >> colour[0] >> colour[1] >>
                colour[2];
            colours.push_back(colour);
        }
    }
    EXPECT_EQ(start, text.size()) << "the last line ends in the line break";
    return colours;
}

TEST(Palettes, HoldTheColoursTheGbaShows) {
    // Each 5-bit channel widens to 8 bits by repeating its top bits; the values keep their
    // order; a colour the u16 holds as negative shows its low 15 bits.
    using Stops = std::pair<std::vector<std::string>, std::int32_t>;
    const std::tuple<const char*, Stops, Colours> rows[] = {
        // clang-format off
        {"levels 0, 10 and 21", {{"(0,0,0)", "(255,255,255)"}, 3}, {{0, 0, 0}, {82, 82, 82}, {173, 173, 173}}},
        {"channels in place", {{"(255,0,0)", "(0,0,255)"}, 2}, {{255, 0, 0}, {123, 0, 123}}},
        {"all bits set", {{"(-8,0,0)", "(0,0,0)"}, 1}, {{255, 255, 255}}},
        // clang-format on
    };
    for (const auto& [name, input, expected] : rows) {
        const GradientSampler sampler(input.first, input.second);
        const std::string gimp = gimpPalette(sampler, "sky");
        const std::string jasc = jascPalette(sampler);
        const std::string count = std::to_string(expected.size());
        EXPECT_TRUE(gimp.starts_with("GIMP Palette\nName: sky\nColumns: 16\n#\n")) << gimp;
        EXPECT_TRUE(gimp.ends_with("\tIndex " + std::to_string(expected.size() - 1) + "\n"));
        EXPECT_EQ(readColours(gimp, 4, "\n"), expected) << name;
        EXPECT_TRUE(jasc.starts_with("JASC-PAL\r\n0100\r\n" + count + "\r\n")) << jasc;
        EXPECT_EQ(std::count(jasc.begin(), jasc.end(), '\n'), std::ssize(expected) + 3)
            << "a bare LF";
        EXPECT_EQ(readColours(jasc, 3, "\r\n"), expected) << name;
    }
}

} // namespace
} // namespace tintwright
