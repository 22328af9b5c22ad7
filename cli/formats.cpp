#include "cli/formats.h"

#include "engine/gbacolour.h"

#include <array>

namespace tintwright {
namespace {

constexpr std::int32_t valuesPerLine = 16;

// Gathers small pieces and hands them to the sink in large blocks.
class BlockWriter {
public:
    explicit BlockWriter(const Sink& sink)
        : sink_(sink) {
        block_.reserve(blockSize);
    }
    BlockWriter& operator<<(std::string_view bytes) {
        if (block_.size() + bytes.size() > blockSize) {
            flush();
        }
        block_.append(bytes);
        return *this;
    }
    void flush() {
        sink_(block_);
        block_.clear();
    }

private:
    static constexpr std::size_t blockSize = 1 << 16;
    const Sink& sink_;
    std::string block_;
};

// The value as a u16 holds it: negative colours of out-of-range channels wrap.
std::uint16_t value(const GradientSampler& sampler, std::int32_t i) {
    return static_cast<std::uint16_t>(pc2gbacol(sampler.sample(i)));
}

} // namespace

void writeBinary(const GradientSampler& sampler, const Sink& sink) {
    BlockWriter writer(sink);
    for (std::int32_t i = 0; i < sampler.sampleCount(); ++i) {
        const std::uint16_t word = value(sampler, i);
        const std::array<char, 2> bytes = {static_cast<char>(word & 0xFFU),
                                           static_cast<char>(word >> 8)};
        writer << std::string_view(bytes.data(), bytes.size());
    }
    writer.flush();
}

void writeAssembly(const GradientSampler& sampler, const ArrayStyle& style, const Sink& sink) {
    const std::string_view br = style.lineBreak;
    const std::string_view name = style.name;
    BlockWriter writer(sink);
    writer << "@ Gradient made by Tintwright" << br << "    .section .rodata" << br
           << "    .align 2" << br << "    .global " << name << br << "    .type " << name
           << ", %object" << br << name << ":" << br;
    std::array<char, 2 + maxHexTextLength> hex = {'0', 'x'};
    for (std::int32_t i = 0; i < sampler.sampleCount(); ++i) {
        writer << (i % valuesPerLine == 0 ? "    .hword " : ", ");
        writer << std::string_view(hex.data(), writeHexText(value(sampler, i), hex.data() + 2));
        if (i % valuesPerLine == valuesPerLine - 1 || i == sampler.sampleCount() - 1) {
            writer << br;
        }
    }
    writer << "    .size " << name << ", " << std::to_string(2 * sampler.sampleCount()) << br;
    writer.flush();
}

std::string headerText(const ArrayStyle& style, std::int32_t steps) {
    const std::string_view br = style.lineBreak;
    std::string guard(style.name);
    for (char& c : guard) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    guard += "_H";
    std::string text;
    text.append("// Gradient made by Tintwright").append(br);
    text.append("#ifndef ").append(guard).append(br).append("#define ").append(guard).append(br);
    text.append(br).append("#define ").append(style.name).append("Len ");
    text.append(std::to_string(2 * steps)).append(br).append(br);
    text.append("extern ").append(style.inRom ? "const " : "").append(style.elementType);
    text.append(" ").append(style.name).append("[").append(std::to_string(steps)).append("];");
    text.append(br).append(br).append("#endif").append(br);
    return text;
}

} // namespace tintwright
