#include "engine/numberrules.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace tintwright {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
const std::string megabyte(std::size_t{1} << 20, '9');

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
        {"NUL stops", std::string("6\0" "4", 3), 6},
        {"hex prefix with spaces", "& h 4 0", 64},
        {"hex 32-bit top bit stays positive", "&HFFFFFFFF", 4294967295.0},
        {"hex stops at non-digit", "&H1G", 1},
        {"octal stops at 8", "&o178", 15},
        {"no sign before a radix", "-&H10", 0},
        {"comma first", ",5", 0},
        {"words are no number", "Infinity", 0},
        {"exponent", "1e2", 100},
        {"negative exponent", "25E-1", 2.5},
        {"negative", "-5", -5},
        {"leading point", ".5", 0.5},
        {"halfway rounds to even", "9007199254740993", 9007199254740992.0},
        {"too large is infinity", "-1e400", -infinity},
        {"a megabyte of digits", megabyte, infinity},
        {"a megabyte of zeros", std::string(1 << 20, '0') + "5", 5},
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
        {2.4999999999999996, 2},
        {2147483647.5, std::numeric_limits<std::int32_t>::max()},
        {-1e10, std::numeric_limits<std::int32_t>::min()},
        {std::nan(""), 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(wholeNumber(row.value), row.expected) << row.value;
    }
    EXPECT_EQ(idiv(255.5, 256), 1) << "the dividend is rounded before dividing";
}

TEST(StepCount, IsTheFloorWithinTheCartridgeLimit) {
    const struct {
        const char* text;
        std::optional<std::int32_t> expected;
    } rows[] = {
        {"63.9", 63},
        {"-0.5", -1},
        {"16777216.9", maxStepCount},
        {"16777217", std::nullopt},
        {"-16777216", -maxStepCount},
        {"-16777216.5", std::nullopt},
        {"&HFFFFFFFF", std::nullopt},
        {"1e400", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(stepCount(row.text), row.expected) << row.text;
    }
}

} // namespace
} // namespace tintwright
