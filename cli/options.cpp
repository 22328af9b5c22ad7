#include "cli/options.h"

#include "cli/generatorerror.h"
#include "engine/arraytext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <getopt.h>
#include <string_view>
#include <utility>

namespace tintwright {
namespace {

// getopt_long values of the options without a short form.
enum LongOnly { constOption = 256, lfOption, headerOption, previewOption, versionOption };

const std::array<option, 13> longOptions{{
    {"input", required_argument, nullptr, 'i'},
    {"steps", required_argument, nullptr, 's'},
    {"name", required_argument, nullptr, 'n'},
    {"type", required_argument, nullptr, 't'},
    {"const", no_argument, nullptr, constOption},
    {"lf", no_argument, nullptr, lfOption},
    {"format", required_argument, nullptr, 'f'},
    {"output", required_argument, nullptr, 'o'},
    {"header", required_argument, nullptr, headerOption},
    {"preview", required_argument, nullptr, previewOption},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, versionOption},
    {nullptr, 0, nullptr, 0},
}};

constexpr std::array<std::string_view, 4> elementTypes = {"u16", "unsigned short", "uint16_t",
                                                          "COLOR"};

GeneratorError usageError(const std::string& message) {
    return {2, message};
}

std::int32_t readSteps(const std::string& text) {
    std::int32_t steps = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, steps);
    if (error != std::errc{} || stop != end || steps < 1 || steps > maxStepCount) {
        throw usageError("the step count must be a whole number from 1 to " +
                         std::to_string(maxStepCount) + ", not '" + text + "'");
    }
    return steps;
}

bool isIdentifier(std::string_view name) {
    const auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    };
    const auto letterOrDigit = [&](char c) { return letter(c) || (c >= '0' && c <= '9'); };
    return !name.empty() && letter(name.front()) &&
           std::all_of(name.begin(), name.end(), letterOrDigit);
}

Format readFormat(const std::string& text) {
    constexpr std::array<std::pair<std::string_view, Format>, 3> formats = {
        {{"c", Format::c}, {"asm", Format::assembly}, {"bin", Format::binary}}};
    for (const auto& [name, format] : formats) {
        if (text == name) {
            return format;
        }
    }
    throw usageError("the format must be c, asm or bin, not '" + text + "'");
}

} // namespace

Options parseOptions(std::span<char* const> args) {
    Options options;
    // Messages are this program's own, and every run starts from the first argument.
    opterr = 0;
    optind = 0;
    const auto argc = static_cast<int>(args.size());
    int option = 0;
    while ((option = getopt_long(argc, args.data(), ":i:s:n:t:f:o:h", longOptions.data(),
                                 nullptr)) != -1) {
        const std::string value = optarg != nullptr ? optarg : "";
        // The argument that getopt_long has just read.
        const std::string given = args[static_cast<std::size_t>(optind - 1)];
        switch (option) {
        case 'i':
            options.input = value;
            break;
        case 's':
            options.steps = readSteps(value);
            break;
        case 'n':
            if (!isIdentifier(value)) {
                throw usageError("the name must be a C identifier, not '" + value + "'");
            }
            options.name = value;
            break;
        case 't':
            if (std::find(elementTypes.begin(), elementTypes.end(), value) == elementTypes.end()) {
                throw usageError(
                    "the type must be u16, \"unsigned short\", uint16_t or COLOR, not '" + value +
                    "'");
            }
            options.type = value;
            break;
        case constOption:
            options.inRom = true;
            break;
        case lfOption:
            options.lineFeeds = true;
            break;
        case 'f':
            options.format = readFormat(value);
            break;
        case 'o':
            options.output = value;
            break;
        case headerOption:
            options.header = value;
            break;
        case previewOption:
            options.preview = value;
            break;
        case 'h':
            options.help = true;
            return options;
        case versionOption:
            options.version = true;
            return options;
        case ':':
            throw usageError("option '" + given + "' needs a value");
        default:
            throw usageError("unknown option '" +
                             (optopt != 0 ? std::string{'-', static_cast<char>(optopt)} : given) +
                             "'");
        }
    }
    options.stops.assign(args.begin() + optind, args.end());
    if (options.header && options.format == Format::binary) {
        throw usageError("--header needs format c or asm: format bin declares nothing");
    }
    if (options.preview && options.steps > maxPreviewWidth) {
        throw usageError("--preview draws at most " + std::to_string(maxPreviewWidth) +
                         " steps, not " + std::to_string(options.steps));
    }
    return options;
}

} // namespace tintwright
