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

} // namespace

std::string arrayText(const std::vector<std::string>& entries, std::int32_t steps,
                      const ArrayStyle& style) {
    const std::string_view lineBreak = style.lineBreak;
    const GradientSampler sampler(entries, steps);
    const std::int32_t count = sampler.sampleCount();

    std::string head;
    head.append(lineBreak).append("// Gradient made by Tintwright").append(lineBreak);
    head.append(style.inRom ? "const " : "").append(style.elementType).append(" ");
    head.append(style.name).append("[").append(std::to_string(steps)).append("]");
    head.append(style.inRom ? " __attribute__((aligned(4)))" : "").append(" = {");
    head.append(lineBreak);

    // Most characters one value can add: indent, "0x", digits, separator and line break.
    const std::size_t maxValueLength =
        indent.size() + 2 + maxHexTextLength + separator.size() + lineBreak.size();
    std::string text;
    // Enough for the longest values, so the text is allocated once; pages that are
    // reserved but never written cost nothing.
    const auto values = static_cast<std::size_t>(count);
    const std::size_t lines = values / valuesPerLine + 1;
    text.reserve(head.size() + values * (2 + maxHexTextLength + separator.size()) +
                 lines * (indent.size() + lineBreak.size()) + 2 + 2 * lineBreak.size());
    text.append(head);

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
        end = writeHexText(pc2gbacol(sampler.sample(i)), end);
        if (i != count - 1) {
            end = std::copy(separator.begin(), separator.end(), end);
            if (i % valuesPerLine == valuesPerLine - 1) {
                end = std::copy(lineBreak.begin(), lineBreak.end(), end);
            }
        }
    }
    text.append(chunk.data(), end);
    text.append(lineBreak).append("};").append(lineBreak);
    return text;
}

std::variant<std::string, ArrayRefusal> generateArrayText(const std::vector<std::string>& entries,
                                                          std::string_view stepText) {
    if (entries.size() < 2) {
        return ArrayRefusal::tooFewStops;
    }
    const std::int32_t steps = stepCount(stepText);
    if (steps > maxStepCount) {
        return ArrayRefusal::tooManySteps;
    }
    return arrayText(entries, steps, {});
}

} // namespace tintwright
