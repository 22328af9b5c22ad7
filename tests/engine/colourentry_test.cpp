#include "engine/colourentry.h"

#include <gtest/gtest.h>
#include <limits>

namespace tintwright {
namespace {

TEST(ParseForColor, PacksTheChannelsBetweenTheParentheses) {
    const struct {
        const char* name;
        const char* entry;
        double expected;
    } rows[] = {
        {"red", "(255,0,0) Red", 255},
        {"green", "(0,255,0) Green", 65280},
        {"blue", "(0,0,255) Blue", 16711680},
        {"white", "(255,255,255) White", 16777215},
        {"spaces around numbers", "( 10 , 20 , 30 ) x", 10 + 20 * 256 + 30 * 65536},
        {"empty parts read as zero", "(,,5) x", 5 * 65536},
        {"extra commas after the second", "(1,2,3,4) x", 1 + 2 * 256 + 3 * 65536},
        {"blue stops at a letter", "(1,2,3abc) x", 1 + 2 * 256 + 3 * 65536},
        {"text before the parenthesis", "abc(1,2,3)", 1 + 2 * 256 + 3 * 65536},
        {"name with parentheses", "(1,2,3) (4,5,6)", 1 + 2 * 256 + 3 * 65536},
        {"hex channel", "(&HFF,0,0) x", 255},
        {"fraction survives", "(0.5,0,0) x", 0.5},
        {"out of range channel kept", "(300,0,0) x", 300},
        {"negative channel kept", "(-1,0,0) x", -1},
        {"unicode name", "(1,2,3) Grün \xF0\x9F\x8C\x88", 1 + 2 * 256 + 3 * 65536},
        {"huge channel", "(1e400,0,0) x", std::numeric_limits<double>::infinity()},
        {"no open parenthesis", "255,0,0) x", 0},
        {"no close parenthesis", "(255,0,0 x", 0},
        {"one comma only", "(5,6) x", 0},
        {"no commas", "(5) x", 0},
        {"first close parenthesis cuts the inner text", "(1,2),3) x", 0},
        {"close before open", ")(1,2,3) x", 0},
        {"close before open with text between", ") (1,2,3)", 0},
        {"empty", "", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseforcolor(row.entry), row.expected) << row.name;
    }
}

TEST(ComposeEntry, JoinsTheFieldsAsTyped) {
    EXPECT_EQ(composeEntry("255", "0", "0", "Red"), "(255,0,0) Red");
    EXPECT_EQ(composeEntry("0", "0", "0", ""), "(0,0,0) ") << "one space even without a name";
    EXPECT_EQ(composeEntry(" 1 ", "", "x", " a b "), "( 1 ,,x)  a b ") << "nothing is trimmed";
}

TEST(ComposeEntry, ParsesBackToItsChannels) {
    EXPECT_EQ(parseforcolor(composeEntry("10", "20", "30", "name")), 10 + 20 * 256 + 30 * 65536);
}

} // namespace
} // namespace tintwright
