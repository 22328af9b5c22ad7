#include "engine/gradientsampler.h"

#include <gtest/gtest.h>

namespace tintwright {
namespace {

constexpr std::int32_t grey(std::int32_t level) {
    return level * 65793;
}

TEST(GradientSampler, InterpolatesInDoublePrecision) {
    const struct {
        const char* name;
        std::vector<std::string> entries;
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
        const GradientSampler sampler(row.entries, row.steps);
        std::vector<std::int32_t> samples;
        samples.reserve(static_cast<std::size_t>(sampler.sampleCount()));
        for (std::int32_t i = 0; i < sampler.sampleCount(); ++i) {
            samples.push_back(sampler.sample(i));
        }
        EXPECT_EQ(samples, row.expected) << row.name;
    }
}

} // namespace
} // namespace tintwright
