#include "engine/numberrules.h"
#include "engine/stepcount.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace tintwright {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();

struct PrefixRow {
    const char* name;
    std::string text;
    double expected;
};

TEST(NumericPrefix, ReadsTheNumberAtTheStart) {
    const PrefixRow rows[] = {
        {"plain", "64", 64},
        {"leading space", " 64", 64},
        {"trailing words", "64 steps", 64},
        {"space inside", "6 4", 64},
        {"tab and line feed inside", "\t6\n4", 64},
        {"carriage return stops", "6\r4", 6},
        {"no-break space stops", "12\u00A05", 12},
        {"hex prefix", "&H40", 64},
        {"hex with spaces", "& H 4 0", 64},
        {"hex stops at non-digit", "&H1G", 1},
        {"hex 16-bit top bit stays positive", "&HFFFF", 65535},
        {"hex 32-bit top bit stays positive", "&HFFFFFFFF", 4294967295.0},
        {"octal prefix", "&O100", 64},
        {"octal stops at 8", "&O178", 15},
        {"sign before hex", "-&H10", 0},
        {"empty", "", 0},
        {"comma first", ",5", 0},
        {"exponent", "1e2", 100},
        {"negative exponent", "25e-1", 2.5},
        {"exponent without digits", "1e", 1},
        {"exponent stops at point", "1e2.5", 100},
        {"D is no exponent", "1d2", 1},
        {"negative", "-5", -5},
        {"fraction", "63.9", 63.9},
        {"leading point", ".5", 0.5},
        {"trailing point", "5.", 5},
        {"second point stops", "1.2.3", 1.2},
        {"comma is no decimal point", "1,5", 1},
        {"stops at parenthesis", "255)", 255},
        {"correctly rounded", "0.1000000000000000055511151231257827", 0.1},
        {"halfway rounds to even", "9007199254740993", 9007199254740992.0},
        {"too large is infinity", "1e400", infinity},
        {"too large negative", "-1e400", -infinity},
        {"many digits overflow", "1" + std::string(400, '0'), infinity},
        {"too small is zero", "1e-400", 0},
        {"zero with huge exponent", "0e999999", 0},
        {"subnormal survives", "5e-324", std::numeric_limits<double>::denorm_min()},
        {"hex beyond a double", "&H" + std::string(300, 'F'), infinity},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(numericPrefix(row.text), row.expected) << row.name;
    }
}

TEST(WholeNumber, RoundsHalvesToEven) {
    const struct {
        const char* name;
        double value;
        std::int32_t expected;
    } rows[] = {
        {"half down to even", 2.5, 2},
        {"half up to even", 3.5, 4},
        {"negative half to even", -2.5, -2},
        {"half of one", 0.5, 0},
        {"just below a half", 2.4999999999999996, 2},
        {"packed colour with a half", 127.5, 128},
        {"rounds past int32", 2147483647.5, int32Max},
        {"beyond int32 saturates", 1e10, int32Max},
        {"below int32 saturates", -1e10, int32Min},
        {"infinity", infinity, int32Max},
        {"negative infinity", -infinity, int32Min},
        {"not a number", std::nan(""), 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(wholeNumber(row.value), row.expected) << row.name;
    }
}

TEST(WholeNumberDivision, RoundsThenTruncatesTowardZero) {
    EXPECT_EQ(idiv(-7.0, 2), -3);
    EXPECT_EQ(idiv(-1.0, 256), 0);
    EXPECT_EQ(idiv(255.5, 256), 1) << "the dividend is rounded before dividing";
    EXPECT_EQ(rem(-7.0, 256), -7) << "the remainder has the sign of the dividend";
    EXPECT_EQ(rem(300.0, 256), 44);
    EXPECT_EQ(rem(127.5, 256), 128) << "a fractional colour is rounded as a whole";
}

TEST(NumberText, HexIsUpperCaseWithoutLeadingZeros) {
    const struct {
        std::int32_t value;
        const char* expected;
    } rows[] = {
        {0, "0"},           {31, "1F"},          {32767, "7FFF"},  {0x7C1F, "7C1F"},
        {0x10000, "10000"}, {-1024, "FFFFFC00"}, {-1, "FFFFFFFF"}, {int32Min, "80000000"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(hexText(row.value), row.expected) << row.value;
    }
    EXPECT_EQ(decimalText(-3), "-3");
}

TEST(StepCount, IsTheFloorOfTheNumericPrefix) {
    const struct {
        const char* name;
        const char* text;
        std::int32_t expected;
    } rows[] = {
        {"plain", "64", 64},
        {"fraction floors", "63.9", 63},
        {"negative fraction floors down", "-0.5", -1},
        {"at the limit", "16777216", maxStepCount},
        {"fraction above the limit floors to it", "16777216.9", maxStepCount},
        {"negative limit", "-16777216", -maxStepCount},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(stepCount(row.text), row.expected) << row.name;
    }
}

TEST(StepCount, RefusesMoreStepsThanACartridgeHolds) {
    for (const char* text :
         {"16777217", "-16777217", "-16777216.5", "1e400", "-1e400", "1e10", "&HFFFFFFFF"}) {
        EXPECT_EQ(stepCount(text), std::nullopt) << text;
    }
}

} // namespace
} // namespace tintwright
