#include "engine/gbacolour.h"
#include "engine/gradientsampler.h"
#include "engine/numberrules.h"

#include <gtest/gtest.h>

namespace tintwright {
namespace {

using Entries = std::vector<std::string>;

constexpr std::int32_t grey(std::int32_t level) {
    return level * 65793;
}

std::vector<std::int32_t> samples(const Entries& entries, std::int32_t steps) {
    const GradientSampler sampler(entries, steps);
    std::vector<std::int32_t> result(static_cast<std::size_t>(sampler.sampleCount()));
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = sampler.sample(static_cast<std::int32_t>(i));
    }
    return result;
}

TEST(GradientSampler, InterpolatesInDoublePrecision) {
    const struct {
        const char* name;
        Entries entries;
        std::int32_t steps;
        std::vector<std::int32_t> expected;
    } rows[] = {
        {"halfway rounds down", {"(255,0,0) a", "(0,0,255) b"}, 2, {255, 127 + 127 * 65536}},
        {"white to black falls below 51",
         {"(255,255,255) a", "(0,0,0) b"},
         5,
         {grey(255), grey(204), grey(153), grey(102), grey(50)}},
        {"equal stops dip by one",
         {"(255,0,0) a", "(255,0,0) b"},
         7,
         {255, 255, 255, 254, 255, 255, 255}},
        {"no fused multiply-add", {"(33,0,0) a", "(3,0,0) b"}, 5, {33, 27, 21, 15, 9}},
        {"steps over segments, then the position",
         {"(0,0,0) a", "(0,0,0) b", "(255,0,0) c", "(0,0,0) d"},
         5,
         {0, 0, 50, 203, 153}},
        {"malformed stops are black", {"no colour", "(255,255,255"}, 1, {0}},
        {"red above 255 spills into green", {"(300,0,0) a", "(300,0,0) b"}, 1, {44 + 256}},
        {"no samples without steps", {"(1,1,1) a", "(2,2,2) b"}, -2, {}},
        {"no samples with one stop", {"(1,1,1) a"}, 64, {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(samples(row.entries, row.steps), row.expected) << row.name;
    }
}

TEST(Pc2Gbacol, KeepsTheTopFiveBitsOfEachChannel) {
    const struct {
        const char* name;
        double colour;
        std::int32_t expected;
    } rows[] = {
        {"below the first step of each channel", grey(7), 0},
        {"at the first step of each channel", grey(8), 0x421},
        {"just below the top step", grey(247), 0x7BDE},
        {"packed fraction rounds half to even", 8.5, 1},
        {"negative red truncates toward zero", -7, 0},
        {"negative red of a full step", -8, -1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(pc2gbacol(row.colour), row.expected) << row.name;
    }
}

TEST(Pc2Gbacol, SplitsEverySampledColourWithSignedDivision) {
    // Every packed colour a sample can have, sign included, against the channel split
    // written out with the whole-number remainder and quotient.
    for (std::int32_t packed = -256 * 65793; packed <= 255 * 65793; packed += 7) {
        const std::int32_t red = rem(packed, 256);
        const std::int32_t green = rem(idiv(packed, 256), 256);
        const std::int32_t blue = rem(idiv(packed, 65536), 256);
        const std::int32_t expected = idiv(red, 8) + idiv(green, 8) * 32 + idiv(blue, 8) * 1024;
        ASSERT_EQ(gbaColour(packed), expected) << packed;
    }
}

} // namespace
} // namespace tintwright
