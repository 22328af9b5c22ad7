#include "engine/arraytext.h"
#include "engine/stepcount.h"
#include "tests/data/startupstops.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>

namespace tintwright {
namespace {

const std::vector<std::string> blackToWhite = {"(0,0,0) Black", "(255,255,255) White"};

std::string startupText() {
    std::ifstream file(TINTWRIGHT_TEST_DATA_DIR "/startup-64.c", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string header(const std::string& length) {
    return "\r\n// Gradient made by Tintwright\r\nu16 myGradient[" + length + "] = {\r\n";
}

TEST(ArrayText, MatchesTheStartupGradientByteForByte) {
    const std::string expected = startupText();
    ASSERT_EQ(expected.size(), 569U) << "golden file missing, or its CRLF line breaks converted";
    for (const char* steps : {"64", "64.9", " 6 4 steps", "&H40"}) {
        EXPECT_EQ(generateArrayText(startupStops, steps), expected) << steps;
    }
}

TEST(ArrayText, WritesBlackToWhiteInThreeSteps) {
    EXPECT_EQ(generateArrayText(blackToWhite, "3"),
              header("3") + "    0x0, 0x294A, 0x56B5\r\n};\r\n");
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
}

TEST(ArrayText, WritesAnEmptyArrayWithoutSteps) {
    const struct {
        const char* steps;
        const char* length;
    } rows[] = {{"0", "0"}, {"", "0"}, {"many", "0"}, {"-2", "-2"}, {"-16777216", "-16777216"}};
    for (const auto& row : rows) {
        EXPECT_EQ(generateArrayText(blackToWhite, row.steps), header(row.length) + "\r\n};\r\n")
            << row.steps;
    }
}

TEST(ArrayText, WritesNegativeColoursAsTwosComplement) {
    EXPECT_EQ(generateArrayText({"(-8,0,0) a", "(-8,0,0) b"}, "1"),
              header("1") + "    0xFFFFFFFF\r\n};\r\n");
}

TEST(ArrayText, GivesNothingWithoutTwoStopsOrBeyondTheStepLimit) {
    EXPECT_EQ(generateArrayText({}, "64"), std::nullopt);
    EXPECT_EQ(generateArrayText({"(255,0,0) Red"}, "64"), std::nullopt);
    EXPECT_EQ(generateArrayText(blackToWhite, "16777217"), std::nullopt);
}

TEST(ArrayText, WritesEveryStepAtTheLimit) {
    const auto text = generateArrayText(blackToWhite, "16777216");
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->starts_with(header("16777216")));
    EXPECT_EQ(std::count(text->begin(), text->end(), 'x'), maxStepCount);
    EXPECT_TRUE(text->ends_with(", 0x7FFF\r\n};\r\n")) << "the last value is white";
}

} // namespace
} // namespace tintwright
