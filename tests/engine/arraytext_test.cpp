#include "engine/arraytext.h"
#include "engine/stepcount.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

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

// Values per line of the array body, or -1 where a line breaks the layout rules: every
// line but the last ends in ", " and holds 16 values; the last has no trailing comma.
std::vector<int> valueLineLengths(const std::string& text, const std::string& length) {
    const std::string head = header(length);
    const std::string tail = "\r\n};\r\n";
    std::vector<int> lengths;
    if (text.compare(0, head.size(), head) != 0 || text.size() < head.size() + tail.size() ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0) {
        return {-1};
    }
    const std::string body = text.substr(head.size(), text.size() - head.size() - tail.size());
    std::size_t start = 0;
    while (start <= body.size()) {
        const std::size_t end = std::min(body.find("\r\n", start), body.size());
        const std::string line = body.substr(start, end - start);
        const bool last = end == body.size();
        const bool endsInComma = line.size() >= 2 && line.compare(line.size() - 2, 2, ", ") == 0;
        if (line.rfind("    0x", 0) != 0 || endsInComma == last) {
            return {-1};
        }
        lengths.push_back(static_cast<int>(std::count(line.begin(), line.end(), 'x')));
        start = end + 2;
    }
    return lengths;
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
        {"1", {1}},       {"15", {15}},     {"16", {16}},        {"17", {16, 1}},
        {"31", {16, 15}}, {"32", {16, 16}}, {"33", {16, 16, 1}},
    };
    for (const auto& row : rows) {
        const auto text = generateArrayText(blackToWhite, row.steps);
        ASSERT_TRUE(text) << row.steps;
        EXPECT_EQ(valueLineLengths(*text, row.steps), row.lines) << row.steps << " steps";
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
    for (const char* steps : {"16777217", "-16777217", "1e400"}) {
        EXPECT_EQ(stepCount(steps), std::nullopt) << steps;
        EXPECT_EQ(generateArrayText(blackToWhite, steps), std::nullopt) << steps;
    }
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
