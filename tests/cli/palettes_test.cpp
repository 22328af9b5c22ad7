#include "cli/palettes.h"

#include <gtest/gtest.h>
#include <tuple>

namespace tintwright {
namespace {

TEST(Palettes, HoldTheColoursTheGbaShows) {
    // Each 5-bit channel widens to 8 bits by repeating its top bits; the values keep their
    // order; a colour the u16 holds as negative shows its low 15 bits.
    using Stops = std::pair<std::vector<std::string>, std::int32_t>;
    const std::tuple<const char*, Stops, const char*, const char*> rows[] = {
        // clang-format off
        {"levels 0, 10 and 21", {{"(0,0,0)", "(255,255,255)"}, 3},
         "  0   0   0\tIndex 0\n 82  82  82\tIndex 1\n173 173 173\tIndex 2\n",
         "3\r\n0 0 0\r\n82 82 82\r\n173 173 173\r\n"},
        {"channels in place", {{"(255,0,0)", "(0,0,255)"}, 2},
         "255   0   0\tIndex 0\n123   0 123\tIndex 1\n", "2\r\n255 0 0\r\n123 0 123\r\n"},
        {"all bits set", {{"(-8,0,0)", "(0,0,0)"}, 1}, "255 255 255\tIndex 0\n", "1\r\n255 255 255\r\n"},
        // clang-format on
    };
    for (const auto& [name, input, gimpColours, jascColours] : rows) {
        const Quantiser colours(GradientSampler(input.first, input.second), Quantisation::floor);
        EXPECT_EQ(gimpPalette(colours, "sky"),
                  std::string("GIMP Palette\nName: sky\nColumns: 16\n#\n") + gimpColours)
            << name;
        EXPECT_EQ(jascPalette(colours), std::string("JASC-PAL\r\n0100\r\n") + jascColours) << name;
    }
}

} // namespace
} // namespace tintwright
