#include "cli/formats.h"

#include "engine/hextext.h"

#include <string>

namespace tintwright {
namespace {

// The value as a u16 holds it: negative colours of out-of-range channels wrap.
std::uint16_t word(std::int32_t colour) {
    return static_cast<std::uint16_t>(colour);
}

} // namespace

void writeBinary(const Quantiser& colours, const Sink& sink) {
    BlockWriter writer(sink);
    writer.writeValues(colours, {}, [](std::int32_t colour, char* out) {
        const std::uint16_t value = word(colour);
        *out++ = static_cast<char>(value & 0xFFU);
        *out++ = static_cast<char>(value >> 8);
        return out;
    });
    writer.flush();
}

void writeAssembly(const Quantiser& colours, const ArrayStyle& style, const Sink& sink) {
    const std::string_view br = style.lineBreak;
    const std::string_view name = style.name;
    BlockWriter writer(sink);
    // A named section is writable unless the array is const, as a C array's would be.
    const std::string section =
        style.section.empty() ? ".rodata"
                              : std::string(style.section) + (style.inRom ? ",\"a\"" : ",\"aw\"");
    writer << "@ " << banner << br << "    .section " << section << br << "    .align 2" << br
           << "    .global " << name << br << "    .type " << name << ", %object" << br << name
           << ":" << br;
    writer.writeValues(colours, {"    .hword ", ", ", br, br}, [](std::int32_t colour, char* out) {
        *out++ = '0';
        *out++ = 'x';
        return writeHexText(word(colour), out);
    });
    writer << "    .size " << name << ", " << std::to_string(2 * colours.count()) << br;
    writer.flush();
}

} // namespace tintwright
