// Text a person could type or paste that pushes past every limit of number reading and
// colour entries: what each gives, not only that nothing breaks.
#include "engine/arraytext.h"
#include "engine/colourentry.h"
#include "engine/numberrules.h"
#include "engine/stepcount.h"

#include <gtest/gtest.h>
#include <limits>

namespace tintwright {
namespace {

const std::string megabyte(std::size_t{1} << 20, '9');
const std::vector<std::string> blackToWhite = {"(0,0,0) a", "(255,255,255) b"};

TEST(HostileInput, StepTextsPastTheLimitsAreRefusedWhole) {
    const struct {
        const char* name;
        std::string text;
        std::optional<std::int32_t> expected;
    } rows[] = {
        {"beyond a double", "1e400", std::nullopt},
        {"beyond a double, negative", "-1e400", std::nullopt},
        {"largest decimal exponent", "1e308", std::nullopt},
        {"64-bit hex", "&HFFFFFFFFFFFFFFFF", std::nullopt},
        {"one past the limit", "16777217", std::nullopt},
        {"one past the limit, negative", "-16777217", std::nullopt},
        {"at the limit", "16777216", 16777216},
        {"a megabyte of digits", megabyte, std::nullopt},
        {"a megabyte of leading zeros", std::string(1 << 20, '0') + "5", 5},
        {"NaN is no number", "NaN", 0},
        {"Infinity is no number", "Infinity", 0},
        {"NUL stops reading", std::string("6\0", 2) + "4", 6},
        {"carriage return stops reading", "6\r4", 6},
        {"control character first", std::string("\x1b") + "64", 0},
        {"byte above ASCII first", std::string("\xff") + "64", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(stepCount(row.text), row.expected) << row.name;
        // The array text exists exactly when the step count does (and is cheap to build
        // for every row but the limit).
        if (row.expected != maxStepCount) {
            const auto text = generateArrayText(blackToWhite, row.text);
            EXPECT_EQ(text.has_value(), row.expected.has_value()) << row.name;
        }
    }
}

TEST(HostileInput, ChannelsPastTheLimitsGiveOrderlyColours) {
    const struct {
        const char* name;
        std::string red;
        std::string green;
        std::string blue;
        const char* expected;
    } rows[] = {
        // Packed colours beyond 32 bits saturate, to white at the top and black at the
        // bottom; NaN (infinity minus infinity) is black.
        {"red beyond 32 bits", "1e10", "0", "0", "0x7FFF"},
        {"red beyond a double, negative", "-1e400", "0", "0", "0x0"},
        {"largest 32-bit hex", "&H7FFFFFFF", "0", "0", "0x7FFF"},
        {"1e308 in every channel", "1e308", "1e308", "1e308", "0x7FFF"},
        {"infinity minus infinity", "1e400", "-1e400", "0", "0x0"},
        {"a megabyte of digits", megabyte, "0", "0", "0x7FFF"},
        // The packed colour rounds half to even before its channels are taken.
        {"7.5 rounds up to the first red step", "7.5", "0", "0", "0x1"},
        {"6.5 rounds down to even", "6.5", "0", "0", "0x0"},
        {"8.5 rounds down to even", "8.5", "0", "0", "0x1"},
        {"half a green is red 128", "0", "0.5", "0", "0x10"},
        // Negative channels divide toward zero and show as 32-bit two's complement.
        {"red -1 divides to zero", "-1", "0", "0", "0x0"},
        {"red -8", "-8", "0", "0", "0xFFFFFFFF"},
        {"green -8", "0", "-8", "0", "0xFFFFFFE0"},
        {"blue -256 wraps to zero", "0", "0", "-256", "0x0"},
    };
    for (const auto& row : rows) {
        const std::string stop = composeEntry(row.red, row.green, row.blue, "x");
        // With one step the only value is the first stop's colour.
        const auto text = generateArrayText({stop, "(0,0,0) y"}, "1");
        ASSERT_TRUE(text) << row.name;
        EXPECT_EQ(text->substr(text->find("    ") + 4), std::string(row.expected) + "\r\n};\r\n")
            << row.name;
    }
}

TEST(HostileInput, LongAndPunctuatedEntriesParse) {
    const auto repeated = [](std::string_view piece, std::size_t times) {
        std::string text;
        for (std::size_t i = 0; i < times; ++i) {
            text.append(piece);
        }
        return text;
    };
    const struct {
        const char* name;
        std::string entry;
        double expected;
    } rows[] = {
        {"a megabyte of red", "(" + megabyte + ",0,0) x", std::numeric_limits<double>::infinity()},
        {"a megabyte of name", "(1,2,3) " + megabyte, 1 + 2 * 256 + 3 * 65536},
        {"nested parentheses", "((((,,,,)))) x", 0},
        {"a megabyte of commas", "(" + std::string(1 << 20, ',') + ") x", 0},
        {"a megabyte of closing parentheses", "(1,2,3" + std::string(1 << 20, ')'),
         1 + 2 * 256 + 3 * 65536},
        {"a megabyte of reversed pairs", repeated(")(", 1 << 19), 0},
        {"a megabyte of entries", repeated("(1,2,3) ", 1 << 17), 1 + 2 * 256 + 3 * 65536},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseforcolor(row.entry), row.expected) << row.name;
    }
}

} // namespace
} // namespace tintwright
