#include "engine/arraytext.h"
#include "engine/colourentry.h"
#include "engine/numberrules.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>

namespace tintwright {
namespace {

const std::vector<std::string> blackToWhite = {"(0,0,0) Black", "(255,255,255) White"};

std::string header(const std::string& length) {
    return "\r\n// Gradient made by Tintwright\r\nu16 myGradient[" + length + "] = {\r\n";
}

TEST(ArrayText, MatchesTheStartupGradientByteForByte) {
    std::ifstream file(TINTWRIGHT_TEST_DATA_DIR "/startup-64.c", std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(expected.size(), 569U) << "golden file missing, or its CRLF line breaks converted";
    for (const char* steps : {"64", "64.9", " 6 4 steps", "&H40"}) {
        EXPECT_EQ(generateArrayText(startupStops, steps), expected) << steps;
    }
}

TEST(ArrayText, PutsSixteenValuesOnALine) {
    // Each value becomes "v", which leaves the layout: every line but the last ends in ", ".
    const auto layout = [](const char* steps) {
        const std::string text = generateArrayText(blackToWhite, steps).value_or("");
        return std::regex_replace(text, std::regex("0x[0-9A-F]+"), "v");
    };
    const std::string full = "    v, v, v, v, v, v, v, v, v, v, v, v, v, v, v, v, \r\n";
    const std::string last = "    v\r\n};\r\n";
    EXPECT_EQ(layout("1"), header("1") + last);
    EXPECT_EQ(layout("16"), header("16") + full.substr(0, full.size() - 4) + "\r\n};\r\n");
    EXPECT_EQ(layout("17"), header("17") + full + last);
    EXPECT_EQ(layout("33"), header("33") + full + full + last);
    EXPECT_EQ(generateArrayText(blackToWhite, "3"),
              header("3") + "    0x0, 0x294A, 0x56B5\r\n};\r\n");
}

TEST(ArrayText, WritesTheFirstStopAsItsOneValue) {
    // Each channel straddles the thresholds of the five-bit levels; the packed colour
    // rounds half to even before its channels are taken; negative channels divide toward
    // zero and show as 32-bit two's complement; packed colours beyond 32 bits saturate.
    const struct {
        const char* name;
        std::string red, green, blue;
        const char* expected;
    } rows[] = {
        {"just below the first level", "7", "7", "7", "0x0"},
        {"the first level", "8", "8", "8", "0x421"},
        {"just below the top level", "247", "247", "247", "0x7BDE"},
        {"the top level", "248", "248", "248", "0x7FFF"},
        {"7.5 rounds up to the first red level", "7.5", "0", "0", "0x1"},
        {"6.5 rounds down to even", "6.5", "0", "0", "0x0"},
        {"8.5 rounds down to even", "8.5", "0", "0", "0x1"},
        {"half a green is red 128", "0", "0.5", "0", "0x10"},
        {"red -7 divides to zero", "-7", "0", "0", "0x0"},
        {"red -8", "-8", "0", "0", "0xFFFFFFFF"},
        {"green -8", "0", "-8", "0", "0xFFFFFFE0"},
        {"blue -256 wraps to zero", "0", "0", "-256", "0x0"},
        {"red beyond 32 bits", "1e10", "0", "0", "0x7FFF"},
        {"infinity minus infinity", "1e400", "-1e400", "0", "0x0"},
    };
    for (const auto& row : rows) {
        const std::string stop = composeEntry(row.red, row.green, row.blue, "x");
        EXPECT_EQ(generateArrayText({stop, "(0,0,0) y"}, "1"),
                  header("1") + "    " + row.expected + "\r\n};\r\n")
            << row.name;
    }
}

TEST(ArrayText, WritesAnEmptyArrayWithoutSteps) {
    const struct {
        const char* steps;
        const char* length;
    } rows[] = {{"0", "0"}, {"", "0"}, {"many", "0"}, {"-2", "-2"}};
    for (const auto& row : rows) {
        EXPECT_EQ(generateArrayText(blackToWhite, row.steps), header(row.length) + "\r\n};\r\n")
            << row.steps;
    }
}

TEST(ArrayText, GivesNothingWithoutTwoStopsOrBeyondTheStepLimit) {
    EXPECT_EQ(generateArrayText({}, "64"), std::nullopt);
    EXPECT_EQ(generateArrayText({"(255,0,0) Red"}, "64"), std::nullopt);
    EXPECT_EQ(generateArrayText(blackToWhite, "16777217"), std::nullopt);
    const auto text = generateArrayText(blackToWhite, "16777216");
    ASSERT_TRUE(text);
    EXPECT_EQ(std::count(text->begin(), text->end(), 'x'), maxStepCount);
    EXPECT_TRUE(text->ends_with(", 0x7FFF\r\n};\r\n")) << "the last value is white";
}

TEST(ArrayText, TakesTheDeclarationAndLineBreakOfItsStyle) {
    EXPECT_EQ(arrayText(blackToWhite, 2, {"uint16_t", "sky", true, "\n"}),
              "\n// Gradient made by Tintwright\n"
              "const uint16_t sky[2] __attribute__((aligned(4))) = {\n    0x0, 0x3DEF\n};\n");
}

} // namespace
} // namespace tintwright
