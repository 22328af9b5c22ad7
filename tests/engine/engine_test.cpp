#include "engine/arraytext.h"
#include "engine/blendspace.h"
#include "engine/colourentry.h"
#include "engine/gradientsampler.h"
#include "engine/numberrules.h"
#include "engine/quantiser.h"
#include "engine/startupstops.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>

namespace tintwright {
namespace {

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();

template <typename Input, typename Expected> struct Row {
    const char* name;
    Input input;
    Expected expected;
};

TEST(NumberText, ReadsTheNumberAtTheStartAndEntriesBetweenTheParentheses) {
    using Read = double (*)(std::string_view);
    const Read number = numericPrefix;
    const Read entry = entryColourOrBlack;
    const Row<std::pair<Read, const char*>, double> rows[] = {
        {"carriage return stops", {number, "6\r4"}, 6},
        {"hex prefix with spaces", {number, "& h 4 0"}, 64},
        {"hex top bit stays positive", {number, "&HFFFFFFFF"}, 4294967295.0},
        {"hex digits in lower case", {number, "&Hff"}, 255},
        {"octal stops at 8", {number, "&o178"}, 15},
        {"no sign before a radix", {number, "-&H10"}, 0},
        {"words are no number", {number, "Infinity"}, 0},
        {"spaces around channels", {entry, "( 10 , 20 , 30 ) x"}, 10 + 20 * 256 + 30 * 65536},
        {"extra commas after the second", {entry, "(1,2,3,4) x"}, 1 + 2 * 256 + 3 * 65536},
        {"no open parenthesis", {entry, "255,0,0) x"}, 0},
        {"first close parenthesis cuts the inner text", {entry, "(1,2),3) x"}, 0},
        {"close before open", {entry, ")(1,2,3) x"}, 0},
    };
    for (const auto& [name, input, expected] : rows) {
        EXPECT_EQ(input.first(input.second), expected) << name;
    }
}

TEST(WholeNumber, RoundsHalvesToEvenAndSaturates) {
    const std::pair<double, std::int32_t> rows[] = {{2.5, 2},          {3.5, 4},
                                                    {-2.5, -2},        {2147483647.5, int32Max},
                                                    {-1e10, int32Min}, {std::nan(""), 0}};
    for (const auto& [value, expected] : rows) {
        EXPECT_EQ(wholeNumber(value), expected) << value;
    }
    EXPECT_EQ(wholeQuotient(255.5, 256), 1) << "the dividend is rounded before dividing";
    EXPECT_EQ(stepCount("-0.5"), -1) << "the step count is the floor";
}

const std::vector<std::string> blackToWhite = {"(0,0,0) Black", "(255,255,255) White"};

constexpr std::int32_t rgb(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return red + green * 256 + blue * 65536;
}

// Stops sampled at a step count; the mode matters only where colours are quantised.
struct Gradient {
    std::vector<std::string> stops;
    std::int32_t steps;
    BlendSpace space;
    Quantisation mode = Quantisation::floor;
    Endpoint endpoint = Endpoint::excluded;
};

TEST(GradientSampler, MixesInDoublePrecisionInTheBlendSpace) {
    // In srgb, floors of sums that fall just below a whole number; elsewhere, midpoints near
    // a rounding threshold or outside 0-255, and stops that must come back as themselves.
    // With the endpoint, the last samples: of seven segments, at 10 steps the last position
    // rounds to just below 7, at 18 above.
    const std::vector<std::string> primaries = {"(255,0,0)", "(0,255,0)", "(0,0,255)",
                                                "(255,255,255)", "(0,0,0)"};
    const std::vector<std::int32_t> sameColours = {255, rgb(0, 255, 0), rgb(0, 0, 255),
                                                   rgb(255, 255, 255)};
    std::vector<std::string> sevenToWhite(7, "(0,0,0)");
    sevenToWhite.push_back("(255,255,255)");
    constexpr std::int32_t white = rgb(255, 255, 255);
    using enum BlendSpace;
    constexpr auto floor = Quantisation::floor;
    constexpr auto included = Endpoint::included;
    // clang-format off
    const Row<Gradient, std::vector<std::int32_t>> rows[] = {
        {"halfway rounds down", {{"(255,0,0)", "(0,0,255)"}, 2, srgb}, {255, rgb(127, 0, 127)}},
        {"falls below 51", {{"(255,0,0)", "(0,0,0)"}, 5, srgb}, {255, 204, 153, 102, 50}},
        {"equal stops dip", {{"(255,0,0)", "(255,0,0)"}, 7, srgb}, {255, 255, 255, 254, 255, 255, 255}},
        {"no fused multiply-add", {{"(33,0,0)", "(3,0,0)"}, 5, srgb}, {33, 27, 21, 15, 9}},
        {"below 0 floors away from 0", {{"(-15,0,0)", "(0,0,0)"}, 2, srgb}, {-15, -8}},
        {"segments first", {{"(0,0,0)", "(0,0,0)", "(255,0,0)", "(0,0,0)"}, 5, srgb}, {0, 0, 50, 203, 153}},
        {"half the light is 187.52", {blackToWhite, 2, linear}, {0, rgb(188, 188, 188)}},
        {"half the lightness is 98.85", {blackToWhite, 2, oklab}, {0, rgb(99, 99, 99)}},
        {"oklab keeps the stops", {primaries, 4, oklab}, sameColours},
        {"oklch keeps the stops", {primaries, 4, oklch}, sameColours},
        {"green above 255 clamps", {{"(255,255,0)", "(0,255,255)"}, 2, oklab}, {rgb(255, 255, 0), rgb(176, 255, 176)}},
        {"red below 0 clamps", {{"(0,255,0)", "(0,0,255)"}, 2, oklab}, {rgb(0, 255, 0), rgb(0, 170, 191)}},
        {"a stop below 0 is negative light", {{"(-100,0,0)", "(255,0,0)"}, 2, linear}, {0, 176}},
        {"hue passes 180° the short way, there and back", {{"(0,255,0)", "(0,255,255)", "(0,255,0)"}, 4, oklch}, {rgb(0, 255, 0), rgb(0, 255, 190), rgb(0, 255, 255), rgb(0, 255, 190)}},
        {"hue passes 0° the short way", {{"(255,0,0)", "(255,0,255)"}, 2, oklch}, {255, rgb(255, 0, 144)}},
        {"white takes blue's hue", {{"(255,255,255)", "(0,0,255)"}, 2, oklch}, {rgb(255, 255, 255), rgb(116, 163, 255)}},
        {"endpoint: i ÷ ((steps − 1) ÷ segments)", {{"(0,0,0)", "(255,0,0)", "(0,0,255)"}, 5, srgb, floor, included}, {0, 127, 255, rgb(127, 0, 127), rgb(0, 0, 255)}},
        {"endpoint: one step is the first stop", {blackToWhite, 1, srgb, floor, included}, {0}},
        {"endpoint: last position just below the end", {sevenToWhite, 10, srgb, floor, included}, {white}},
        {"endpoint: last position just past the end", {sevenToWhite, 18, oklch, floor, included}, {white}},
    };
    // clang-format on
    for (const auto& [name, input, expected] : rows) {
        const GradientSampler sampler(input.stops, input.steps, input.space, input.endpoint);
        std::vector<std::int32_t> samples;
        for (auto i = input.steps - static_cast<std::int32_t>(expected.size()); i < input.steps;
             ++i) {
            samples.push_back(sampler.sample(i));
        }
        EXPECT_EQ(samples, expected) << name;
    }
}

// A GBA colour of three 5-bit levels, and a grey of one.
constexpr std::int32_t gba(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return red + green * 32 + blue * 1024;
}
constexpr std::int32_t grey(std::int32_t level) {
    return gba(level, level, level);
}

TEST(Quantiser, ChoosesEachChannelsLevel) {
    // Levels show as 0, 8, ... 57, 66, ... 123, 132, ...; flat stops stepped at exact quarters
    // show the carried error level by level. The other spaces' rows come from a separate
    // model of the mix, whose values lie at least 0.1 from any tie or rounding threshold.
    const std::vector<std::string> sky = {"(16,32,96)", "(64,128,224)", "(200,224,248)"};
    const std::vector<std::string> flat = {"(4,3,0)", "(4,3,0)"};
    using enum BlendSpace;
    using enum Quantisation;
    // clang-format off
    const Row<Gradient, std::vector<std::int32_t>> rows[] = {
        {"63.75 is nearer 66; the tie at 127.5 goes down", {blackToWhite, 4, srgb, nearest}, {0, grey(8), grey(15), grey(23)}},
        {"nearest carries nothing", {flat, 4, srgb, nearest}, {0, 0, 0, 0}},
        {"each channel carries its own error", {flat, 4, srgb, diffuse}, {0, gba(1, 1, 0), 0, gba(1, 0, 0)}},
        {"the error runs on across a stop", {{"(3,0,0)", "(3,0,0)", "(3,0,0)"}, 8, srgb, diffuse}, {0, 1, 0, 0, 1, 0, 1, 0}},
        {"a channel below 0 carries no debt", {{"(-100,0,0)", "(-100,0,0)", "(4,0,0)", "(4,0,0)"}, 6, srgb, diffuse}, {0, 0, 0, 0, 0, 1}},
        {"linear nearest", {blackToWhite, 4, linear, nearest}, {0, grey(17), grey(23), grey(27)}},
        {"linear diffuse", {blackToWhite, 4, linear, diffuse}, {0, grey(17), grey(22), grey(28)}},
        {"oklab floor", {sky, 4, oklab, floor}, {gba(2, 4, 12), gba(4, 9, 19), gba(8, 16, 28), gba(16, 22, 29)}},
        {"oklab nearest", {sky, 4, oklab, nearest}, {gba(2, 4, 12), gba(5, 10, 19), gba(8, 16, 27), gba(16, 21, 29)}},
        {"oklab diffuse", {sky, 4, oklab, diffuse}, {gba(2, 4, 12), gba(5, 9, 19), gba(7, 16, 27), gba(17, 21, 29)}},
        {"oklch diffuse", {sky, 4, oklch, diffuse}, {gba(2, 4, 12), gba(5, 9, 19), gba(8, 16, 27), gba(15, 21, 29)}},
        {"the endpoint places 85 and 170: 85 carries 3 to 173", {blackToWhite, 4, srgb, diffuse, Endpoint::included}, {0, grey(10), grey(21), grey(31)}},
        {"nothing carried reaches the last stop", {{"(231,132,0)", "(0,90,41)"}, 9, srgb, diffuse, Endpoint::included}, {0x21C, 0x5F9, 0x5F5, 0x9D1, 0x9CE, 0x11AB, 0xD87, 0x1583, 0x1560}},
        {"the endpoint's last value is the last stop's nearest level", {sky, 3, oklab, nearest, Endpoint::included}, {gba(2, 4, 12), gba(8, 16, 27), gba(24, 27, 30)}},
    };
    // clang-format on
    for (const auto& [name, input, expected] : rows) {
        const auto& [stops, steps, space, mode, endpoint] = input;
        std::vector<std::int32_t> colours;
        Quantiser(GradientSampler(stops, steps, space, endpoint), mode)
            .forEach([&](std::int32_t, std::int32_t colour) { colours.push_back(colour); });
        EXPECT_EQ(colours, expected) << name;
    }
}

std::string array(const std::string& length, const std::string& values) {
    return "\r\n// Gradient made by Tintwright\r\nu16 myGradient[" + length + "] = {\r\n" + values +
           "\r\n};\r\n";
}

TEST(ArrayText, MatchesTheStartupGradientByteForByte) {
    std::ifstream file(TINTWRIGHT_TEST_DATA "/startup-64.c", std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(expected.size(), 569U) << "golden file missing, or its CRLF line breaks converted";
    for (const char* steps : {"64", "64.9", " 6 4 steps", "&H40"}) {
        EXPECT_EQ(std::get<std::string>(generateArrayText(startupStops, steps)), expected) << steps;
    }
}

TEST(ArrayText, WritesTheFirstStopAsItsOneValue) {
    // Channels straddle the five-bit levels; the packed colour rounds half to even before
    // its channels are taken; negative channels divide toward zero and show as 32-bit two's
    // complement; packed colours beyond 32 bits saturate.
    const Row<std::array<const char*, 3>, const char*> rows[] = {
        {"just below the first level", {"7", "7", "7"}, "0x0"},
        {"the first level", {"8", "8", "8"}, "0x421"},
        {"the top level", {"248", "248", "248"}, "0x7FFF"},
        {"7.5 rounds up to the first red level", {"7.5", "0", "0"}, "0x1"},
        {"half a green is red 128", {"0", "0.5", "0"}, "0x10"},
        {"red -7 divides to zero", {"-7", "0", "0"}, "0x0"},
        {"channels -8, -16 and -24 divide to -1, -2 and -3", {"-8", "-16", "-24"}, "0xFFFFF3BF"},
        {"blue -256 wraps to zero", {"0", "0", "-256"}, "0x0"},
        {"red beyond 32 bits", {"1e10", "0", "0"}, "0x7FFF"},
        {"infinity minus infinity", {"1e400", "-1e400", "0"}, "0x0"},
    };
    for (const auto& row : rows) {
        const std::string stop = composeEntry(row.input[0], row.input[1], row.input[2], "x");
        EXPECT_EQ(std::get<std::string>(generateArrayText({stop, "(0,0,0) y"}, "1")),
                  array("1", std::string("    ") + row.expected))
            << row.name;
    }
}

TEST(ArrayText, HasOneValueAStepUpToTheLimit) {
    using Result = std::variant<std::string, ArrayRefusal>;
    const Row<std::pair<std::vector<std::string>, const char*>, Result> rows[] = {
        {"no count", {blackToWhite, ""}, array("0", "")},
        {"a negative count", {blackToWhite, "-20000000"}, array("-20000000", "")},
        {"a count below 32 bits", {blackToWhite, "-1e400"}, array("-2147483648", "")},
        {"one step too many", {blackToWhite, "16777217"}, ArrayRefusal::tooManySteps},
        {"one stop, too many steps", {{"(255,0,0) Red"}, "16777217"}, ArrayRefusal::tooFewStops},
    };
    for (const auto& [name, input, expected] : rows) {
        // Compared without printing: a wrong result can be sixteen million values long.
        EXPECT_TRUE(generateArrayText(input.first, input.second) == expected) << name;
    }
    const auto text = std::get<std::string>(generateArrayText(blackToWhite, "16777216"));
    EXPECT_EQ(std::count(text.begin(), text.end(), 'x'), maxStepCount);
    EXPECT_TRUE(text.ends_with(", 0x7FFF\r\n};\r\n")) << "the last value is white";
}

} // namespace
} // namespace tintwright
