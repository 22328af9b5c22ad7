#include "engine/arraytext.h"

#include "engine/hextext.h"
#include "engine/numberrules.h"

namespace tintwright {
namespace {

// The lines that make the element type known: the GBA libraries' names for the unsigned
// 16-bit type are typedefs of unsigned short, and C11 and C++ accept a typedef repeated
// with the same type, so these lines stand beside a project's own type header.
std::string typeDefinition(const ArrayStyle& style) {
    std::string text;
    if (style.elementType == "uint16_t") {
        text.append("#include <stdint.h>").append(style.lineBreak);
    } else if (style.elementType != "unsigned short") {
        text.append("typedef unsigned short ").append(style.elementType).append(";");
        text.append(style.lineBreak);
    }
    return text.empty() ? text : text.append(style.lineBreak);
}

// The definition's attributes: 4-byte alignment in ROM, and the section when one is named.
std::string attributes(const ArrayStyle& style) {
    std::string list(style.inRom ? "aligned(4)" : "");
    if (!style.section.empty()) {
        list.append(list.empty() ? "" : ", ").append("section(\"");
        list.append(style.section).append("\")");
    }
    return list.empty() ? list : " __attribute__((" + list + "))";
}

std::string declaration(const ArrayStyle& style, std::int32_t length) {
    std::string text(style.inRom ? "const " : "");
    text.append(style.elementType).append(" ").append(style.name);
    return text.append("[").append(std::to_string(length)).append("]");
}

} // namespace

void writeArrayText(const Quantiser& colours, std::int32_t length, const ArrayStyle& style,
                    const Sink& sink) {
    const std::string_view br = style.lineBreak;
    const std::string lineEnd = ", " + std::string(br);
    BlockWriter writer(sink);
    writer << br << "// " << banner << br;
    if (style.standalone) {
        writer << typeDefinition(style) << "extern " << declaration(style, length) << ";" << br;
    }
    writer << declaration(style, length) << attributes(style) << " = {" << br;
    writer.writeValues(colours, {"    ", ", ", lineEnd, ""}, [](std::int32_t colour, char* out) {
        *out++ = '0';
        *out++ = 'x';
        return writeHexText(colour, out);
    });
    writer << br << "};" << br;
    writer.flush();
}

std::string headerText(const ArrayStyle& style, std::int32_t length) {
    const std::string_view br = style.lineBreak;
    std::string guard(style.name);
    for (char& c : guard) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    guard += "_H";
    // "_" and a capital start a name reserved for the compiler: "_abc" guards with GRADIENT_ABC_H.
    if (guard.starts_with('_')) {
        guard.insert(0, "GRADIENT");
    }
    std::string text("// ");
    text.append(banner).append(br);
    text.append("#ifndef ").append(guard).append(br).append("#define ").append(guard).append(br);
    text.append(br);
    if (style.standalone) {
        text.append(typeDefinition(style));
    }
    text.append("#define ").append(style.name).append("Len ");
    text.append(std::to_string(2 * length)).append(br).append(br);
    text.append("extern ").append(declaration(style, length)).append(";").append(br);
    text.append(br).append("#endif").append(br);
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
    const Quantiser colours(GradientSampler(entries, steps), Quantisation::floor);
    std::string text;
    // Room for the longest values, so the text is allocated once; pages that are reserved
    // but never written cost nothing.
    constexpr std::size_t mostPerValue = 4 + 2 + maxHexTextLength + 2 + 2;
    text.reserve(128 + static_cast<std::size_t>(colours.count()) * mostPerValue);
    writeArrayText(colours, steps, {}, [&text](std::string_view bytes) { text.append(bytes); });
    return text;
}

} // namespace tintwright
