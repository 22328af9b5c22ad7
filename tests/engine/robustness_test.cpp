// Random texts of the characters that numbers and entries are made of: the engine must
// give an orderly result for all of them.
#include "engine/arraytext.h"
#include "engine/gradientsampler.h"
#include "engine/numberrules.h"
#include "engine/stepcount.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace tintwright {
namespace {

constexpr std::string_view alphabet = "0123456789.eE+-&HhOoFx ,()\t\n\r";

class RandomText {
public:
    std::string next(std::size_t maxLength) {
        std::string text(std::uniform_int_distribution<std::size_t>(0, maxLength)(engine_), ' ');
        for (char& c : text) {
            c = alphabet[std::uniform_int_distribution<std::size_t>(0,
                                                                    alphabet.size() - 1)(engine_)];
        }
        return text;
    }
    std::size_t below(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine_);
    }

private:
    std::mt19937 engine_{20261206};
};

std::string withoutIgnorable(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
    return text;
}

TEST(Robustness, NumericPrefixIgnoresBlanksAndNeverGivesNaN) {
    RandomText random;
    for (int round = 0; round < 20000; ++round) {
        const std::string text = random.next(16);
        const double value = numericPrefix(text);
        EXPECT_FALSE(std::isnan(value)) << text;
        EXPECT_EQ(value, numericPrefix(withoutIgnorable(text))) << text;
    }
}

TEST(Robustness, SamplesOfAnyEntriesStayInTheChannelRange) {
    RandomText random;
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> entries(2 + random.below(5));
        for (std::string& entry : entries) {
            entry = "(" + random.next(12) + ") x";
        }
        const GradientSampler sampler(entries, static_cast<std::int32_t>(random.below(200)));
        for (std::int32_t i = 0; i < sampler.sampleCount(); ++i) {
            const std::int32_t colour = sampler.sample(i);
            EXPECT_LE(std::abs(colour), 256 * 65793) << entries[0] << " step " << i;
        }
        const std::string steps = random.next(4);
        EXPECT_EQ(generateArrayText(entries, steps).has_value(), stepCount(steps).has_value())
            << steps;
    }
}

} // namespace
} // namespace tintwright
