#include "engine/colourentry.h"

#include <gtest/gtest.h>

namespace tintwright {
namespace {

TEST(ParseForColor, PacksTheChannelsBetweenTheParentheses) {
    const struct {
        const char* name;
        std::string entry;
        double expected;
    } rows[] = {
        {"red", "(255,0,0) Red", 255},
        {"spaces around numbers", "( 10 , 20 , 30 ) x", 10 + 20 * 256 + 30 * 65536},
        {"empty parts read as zero", "(,,5) x", 5 * 65536},
        {"extra commas after the second", "(1,2,3,4) x", 1 + 2 * 256 + 3 * 65536},
        {"name with parentheses", "(1,2,3) (4,5,6) Grün", 1 + 2 * 256 + 3 * 65536},
        {"a megabyte of name", "(1,2,3) " + std::string(1 << 20, '9'), 1 + 2 * 256 + 3 * 65536},
        {"fraction survives", "(0.5,0,0) x", 0.5},
        {"out of range channels kept", "(300,-1,0) x", 300 - 256},
        {"no open parenthesis", "255,0,0) x", 0},
        {"no close parenthesis", "(255,0,0 x", 0},
        {"one comma only", "(5,6) x", 0},
        {"first close parenthesis cuts the inner text", "(1,2),3) x", 0},
        {"close before open", ")(1,2,3) x", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseforcolor(row.entry), row.expected) << row.name;
    }
}

TEST(ComposeEntry, JoinsTheFieldsAsTyped) {
    EXPECT_EQ(composeEntry("0", "0", "0", ""), "(0,0,0) ") << "one space even without a name";
    EXPECT_EQ(composeEntry(" 1 ", "", "x", " a "), "( 1 ,,x)  a ") << "nothing is trimmed";
}

} // namespace
} // namespace tintwright
