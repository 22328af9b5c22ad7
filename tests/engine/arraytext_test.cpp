#include "engine/arraytext.h"
#include "engine/stepcount.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>

namespace tintwright {
namespace {

using Entries = std::vector<std::string>;

const Entries startupStops = {"(255,0,0) Red",         "(255,255,0) Yellow", "(0,255,0) Green",
                              "(0,255,255) Turquoise", "(0,0,255) Blue",     "(255,0,255) Purple",
                              "(255,0,0) Red"};
const Entries blackToWhite = {"(0,0,0) Black", "(255,255,255) White"};

std::string readFile(const std::string& name) {
    std::ifstream file(std::string(TINTWRIGHT_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string header(const std::string& length) {
    return "\r\n// Gradient made by Tintwright\r\nu16 myGradient[" + length + "] = {\r\n";
}

// The text with each value replaced by "v", which leaves only its layout.
std::string layoutOf(const std::string& text) {
    return std::regex_replace(text, std::regex("0x[0-9A-F]+"), "v");
}

// Layout of a line of `count` values; all but the last line end in ", " before the break.
std::string valueLine(int count, bool last) {
    std::string line = "    ";
    for (int i = 1; i <= count; ++i) {
        line += i < count || !last ? "v, " : "v";
    }
    return line + "\r\n";
}

TEST(ArrayText, MatchesTheStartupGradientByteForByte) {
    EXPECT_EQ(generateArrayText(startupStops, "64"), readFile("startup-64.c"));
}

TEST(ArrayText, WritesBlackToWhiteInThreeSteps) {
    EXPECT_EQ(generateArrayText(blackToWhite, "3"),
              header("3") + "    0x0, 0x294A, 0x56B5\r\n};\r\n");
}

TEST(ArrayText, PutsSixteenValuesOnALine) {
    const struct {
        const char* steps;
        std::vector<int> lines;
    } rows[] = {
        {"1", {1}},      {"15", {15}},     {"16", {16}},
        {"17", {16, 1}}, {"32", {16, 16}}, {"33", {16, 16, 1}},
    };
    for (const auto& row : rows) {
        std::string expected = header(row.steps);
        for (std::size_t i = 0; i < row.lines.size(); ++i) {
            expected += valueLine(row.lines[i], i + 1 == row.lines.size());
        }
        expected += "};\r\n";
        EXPECT_EQ(layoutOf(generateArrayText(blackToWhite, row.steps).value_or("")), expected)
            << row.steps << " steps";
    }
}

TEST(ArrayText, WritesAnEmptyArrayWithoutSteps) {
    const struct {
        const char* name;
        const char* steps;
        const char* length;
    } rows[] = {
        {"zero", "0", "0"},
        {"empty", "", "0"},
        {"no number", "many", "0"},
        {"negative", "-2", "-2"},
        {"negative fraction floors", "-0.5", "-1"},
        {"negative limit", "-16777216", "-16777216"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(generateArrayText(blackToWhite, row.steps), header(row.length) + "\r\n};\r\n")
            << row.name;
    }
}

TEST(ArrayText, ReadsTheStepFieldAsANumber) {
    const auto startup = readFile("startup-64.c");
    EXPECT_EQ(generateArrayText(startupStops, "64.9"), startup);
    EXPECT_EQ(generateArrayText(startupStops, " 6 4 steps"), startup);
    EXPECT_EQ(generateArrayText(startupStops, "&H40"), startup);
}

TEST(ArrayText, WritesNegativeColoursAsTwosComplement) {
    EXPECT_EQ(generateArrayText({"(-8,0,0) a", "(-8,0,0) b"}, "1"),
              header("1") + "    0xFFFFFFFF\r\n};\r\n");
}

TEST(ArrayText, NeedsTwoStops) {
    EXPECT_EQ(generateArrayText({}, "64"), std::nullopt);
    EXPECT_EQ(generateArrayText({"(255,0,0) Red"}, "64"), std::nullopt);
}

TEST(ArrayText, RefusesMoreStepsThanACartridgeHolds) {
    EXPECT_EQ(generateArrayText(blackToWhite, "16777217"), std::nullopt);
    EXPECT_EQ(generateArrayText(blackToWhite, "-1e400"), std::nullopt);
}

TEST(ArrayText, WritesEveryStepAtTheLimit) {
    const auto text = generateArrayText(blackToWhite, "16777216");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->compare(0, header("16777216").size(), header("16777216")), 0);
    EXPECT_EQ(std::count(text->begin(), text->end(), 'x'), maxStepCount);
    EXPECT_TRUE(text->ends_with(", 0x7FFF\r\n};\r\n")) << "the last value is white";
}

} // namespace
} // namespace tintwright
