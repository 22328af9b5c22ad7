#include "engine/arraytext.h"

#include "engine/gbacolour.h"
#include "engine/gradientsampler.h"
#include "engine/numberrules.h"

#include <algorithm>
#include <array>

namespace tintwright {
namespace {

constexpr std::string_view indent = "    ";
constexpr std::string_view separator = ", ";
constexpr std::int32_t valuesPerLine = 16;

// Appends the values of samples 0 to count - 1, sixteen to a line. `sampleAt` gives the
// sample of a step; a separate copy of the loop for each sampling keeps each one lean.
template <typename SampleAt>
void appendValues(std::string& text, std::int32_t count, std::string_view lineBreak,
                  SampleAt sampleAt) {
    // Most characters one value can add: indent, "0x", digits, separator and line break.
    const std::size_t maxValueLength =
        indent.size() + 2 + maxHexTextLength + separator.size() + lineBreak.size();
    // Values are written into a small buffer that is appended whenever it fills up, so
    // the string grows in a few large copies rather than one small append per value.
    std::array<char, 4096> chunk;
    char* const chunkEnd = chunk.data() + chunk.size() - maxValueLength;
    char* end = chunk.data();
    for (std::int32_t i = 0; i < count; ++i) {
        if (end > chunkEnd) {
            text.append(chunk.data(), end);
            end = chunk.data();
        }
        if (i % valuesPerLine == 0) {
            end = std::copy(indent.begin(), indent.end(), end);
        }
        *end++ = '0';
        *end++ = 'x';
        end = writeHexText(pc2gbacol(sampleAt(i)), end);
        if (i != count - 1) {
            end = std::copy(separator.begin(), separator.end(), end);
            if (i % valuesPerLine == valuesPerLine - 1) {
                end = std::copy(lineBreak.begin(), lineBreak.end(), end);
            }
        }
    }
    text.append(chunk.data(), end);
}

} // namespace

std::string arrayText(const std::vector<std::string>& entries, std::int32_t steps,
                      const ArrayStyle& style, BlendSpace space) {
    const std::string_view lineBreak = style.lineBreak;
    const GradientSampler sampler(entries, steps, space);
    const std::int32_t count = sampler.sampleCount();

    std::string head;
    head.append(lineBreak).append("// Gradient made by Tintwright").append(lineBreak);
    head.append(style.inRom ? "const " : "").append(style.elementType).append(" ");
    head.append(style.name).append("[").append(std::to_string(steps)).append("]");
    head.append(style.inRom ? " __attribute__((aligned(4)))" : "").append(" = {");
    head.append(lineBreak);

    std::string text;
    // Enough for the longest values, so the text is allocated once; pages that are
    // reserved but never written cost nothing.
    const auto values = static_cast<std::size_t>(count);
    const std::size_t lines = values / valuesPerLine + 1;
    text.reserve(head.size() + values * (2 + maxHexTextLength + separator.size()) +
                 lines * (indent.size() + lineBreak.size()) + 2 + 2 * lineBreak.size());
    text.append(head);

    if (sampler.blendSpace() == BlendSpace::srgb) {
        appendValues(text, count, lineBreak,
                     [&sampler](std::int32_t i) { return sampler.srgbSample(i); });
    } else {
        appendValues(text, count, lineBreak,
                     [&sampler](std::int32_t i) { return sampler.sample(i); });
    }
    text.append(lineBreak).append("};").append(lineBreak);
    return text;
}

std::optional<std::string> generateArrayText(const std::vector<std::string>& entries,
                                             std::string_view stepText) {
    const std::int32_t steps = stepCount(stepText);
    if (entries.size() < 2 || steps > maxStepCount) {
        return std::nullopt;
    }
    return arrayText(entries, steps, {});
}

} // namespace tintwright
