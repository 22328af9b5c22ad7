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

TEST(NumericPrefix, ReadsTheNumberAtTheStart) {
    const struct {
        const char* name;
        std::string text;
        double expected;
    } rows[] = {
        {"leading space", " 64", 64},
        {"trailing words", "64 steps", 64},
        {"space inside", "6 4", 64},
        {"tab and line feed inside", "\t6\n4", 64},
        {"carriage return stops", "6\r4", 6},
        {"hex prefix with spaces", "& h 4 0", 64},
        {"hex 32-bit top bit stays positive", "&HFFFFFFFF", 4294967295.0},
        {"hex stops at non-digit", "&H1G", 1},
        {"octal stops at 8", "&o178", 15},
        {"no sign before a radix", "-&H10", 0},
        {"comma first", ",5", 0},
        {"exponent", "1e2", 100},
        {"negative exponent", "25E-1", 2.5},
        {"negative", "-5", -5},
        {"leading point", ".5", 0.5},
        {"halfway rounds to even", "9007199254740993", 9007199254740992.0},
        {"too large is infinity", "-1e400", -infinity},
        {"many digits overflow", "1" + std::string(400, '0'), infinity},
        {"too small is zero", "1e-400", 0},
        {"subnormal survives", "5e-324", std::numeric_limits<double>::denorm_min()},
        {"hex beyond a double", "&H" + std::string(300, 'F'), infinity},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(numericPrefix(row.text), row.expected) << row.name;
    }
}

TEST(WholeNumber, RoundsHalvesToEvenAndSaturates) {
    const struct {
        double value;
        std::int32_t expected;
    } rows[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {127.5, 128},
        {2.4999999999999996, 2},
        {2147483647.5, int32Max},
        {1e10, int32Max},
        {std::nan(""), 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(wholeNumber(row.value), row.expected) << row.value;
    }
}

TEST(WholeNumberDivision, RoundsThenTruncatesTowardZero) {
    EXPECT_EQ(idiv(-7.0, 2), -3);
    EXPECT_EQ(idiv(-1.0, 256), 0);
    EXPECT_EQ(idiv(255.5, 256), 1) << "the dividend is rounded before dividing";
    EXPECT_EQ(rem(-7.0, 256), -7) << "the remainder has the sign of the dividend";
    EXPECT_EQ(rem(300.0, 256), 44);
}

TEST(NumberText, HexIsUpperCaseWithoutLeadingZeros) {
    EXPECT_EQ(hexText(0), "0");
    EXPECT_EQ(hexText(0x7C1F), "7C1F");
    EXPECT_EQ(hexText(0x10000), "10000");
    EXPECT_EQ(hexText(-1024), "FFFFFC00") << "two's complement of negative values";
    EXPECT_EQ(hexText(int32Min), "80000000");
    EXPECT_EQ(decimalText(-3), "-3");
}

TEST(StepCount, IsTheFloorWithinTheCartridgeLimit) {
    EXPECT_EQ(stepCount("63.9"), 63);
    EXPECT_EQ(stepCount("-0.5"), -1);
    EXPECT_EQ(stepCount("16777216.9"), maxStepCount);
    EXPECT_EQ(stepCount("-16777216"), -maxStepCount);
    for (const char* text : {"-16777216.5", "&HFFFFFFFF"}) {
        EXPECT_EQ(stepCount(text), std::nullopt) << text;
    }
}

} // namespace
} // namespace tintwright
