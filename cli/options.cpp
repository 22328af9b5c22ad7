#include "cli/options.h"

#include "cli/arrayname.h"
#include "cli/generatorerror.h"
#include "cli/printable.h"
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
enum LongOnly {
    constOption = 256,
    noConstOption,
    lfOption,
    noLfOption,
    blendOption,
    headerOption,
    previewOption,
    versionOption
};

const std::array<option, 16> longOptions{{
    {"input", required_argument, nullptr, 'i'},
    {"steps", required_argument, nullptr, 's'},
    {"name", required_argument, nullptr, 'n'},
    {"type", required_argument, nullptr, 't'},
    {"const", no_argument, nullptr, constOption},
    {"no-const", no_argument, nullptr, noConstOption},
    {"lf", no_argument, nullptr, lfOption},
    {"no-lf", no_argument, nullptr, noLfOption},
    {"blend", required_argument, nullptr, blendOption},
    {"format", required_argument, nullptr, 'f'},
    {"output", required_argument, nullptr, 'o'},
    {"header", required_argument, nullptr, headerOption},
    {"preview", required_argument, nullptr, previewOption},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, versionOption},
    {nullptr, 0, nullptr, 0},
}};

// The gradient's own properties, which a stop file may set as well; where files go and
// what the run does stay with the command line, and so with the build.
constexpr auto stopFileOptions =
    std::to_array<int>({'s', 'n', 't', constOption, lfOption, blendOption});

constexpr std::array<std::string_view, 4> elementTypes = {"u16", "unsigned short", "uint16_t",
                                                          "COLOR"};

GeneratorError usageError(const std::string& message) {
    return {2, message};
}

std::string quoted(std::string_view text, std::size_t maxCharacters = maxShownText) {
    return "'" + printable(text, maxCharacters) + "'";
}

// The long option with getopt_long value `value`, if there is one.
const option* findOption(int value) {
    const auto found = std::find_if(longOptions.begin(), longOptions.end() - 1,
                                    [&](const option& entry) { return entry.val == value; });
    return found != longOptions.end() - 1 ? &*found : nullptr;
}

std::int32_t readSteps(const std::string& text) {
    std::int32_t steps = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, steps);
    if (error != std::errc{} || stop != end || steps < 1 || steps > maxStepCount) {
        throw usageError("the step count must be a whole number from 1 to " +
                         std::to_string(maxStepCount) + ", not " + quoted(text));
    }
    return steps;
}

Format readFormat(const std::string& text) {
    constexpr std::array<std::pair<std::string_view, Format>, 5> formats = {
        {{"c", Format::c},
         {"asm", Format::assembly},
         {"bin", Format::binary},
         {"gpl", Format::gimpPalette},
         {"pal", Format::jascPalette}}};
    for (const auto& [name, format] : formats) {
        if (text == name) {
            return format;
        }
    }
    throw usageError("the format must be c, asm, bin, gpl or pal, not " + quoted(text));
}

// The words of an option line, split as a shell splits plain words and quoted text; a
// backslash keeps the character after it, in double quotes only '"' and '\'.
std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
    std::optional<std::string> word;
    char quote = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quote == 0 && (c == ' ' || c == '\t')) {
            if (word) {
                words.push_back(std::move(*word));
                word.reset();
            }
            continue;
        }
        if (!word) {
            word.emplace();
        }
        if (quote == 0 && (c == '\'' || c == '"')) {
            quote = c;
        } else if (c == quote) {
            quote = 0;
        } else if (c == '\\' && quote != '\'' && i + 1 < text.size() &&
                   (quote == 0 || text[i + 1] == '"' || text[i + 1] == '\\')) {
            word->push_back(text[++i]);
        } else {
            word->push_back(c);
        }
    }
    if (quote != 0) {
        throw usageError(std::string("a quote ") + quote + " is not closed");
    }
    if (word) {
        words.push_back(std::move(*word));
    }
    return words;
}

// The options read so far, and whether one of them named the array.
struct Reading {
    Options options;
    bool named = false;
};

// Refuses an option that a stop file may not set, naming those it may.
void checkInStopFile(int option) {
    if (std::find(stopFileOptions.begin(), stopFileOptions.end(), option) !=
        stopFileOptions.end()) {
        return;
    }
    std::string allowed;
    for (const int fileOption : stopFileOptions) {
        allowed.append(allowed.empty() ? "--" : ", --").append(findOption(fileOption)->name);
    }
    throw usageError("--" + std::string(findOption(option)->name) +
                     " belongs on the command line: a stop file sets only " + allowed);
}

// The message for an option getopt_long does not take, quoting the argument as given.
std::string unknownOption(const std::string& given) {
    if (optopt == 0) {
        return "unknown option " + quoted(given);
    }
    if (findOption(optopt) != nullptr) {
        return "option " + quoted(given) + " takes no value";
    }
    return "unknown option " + quoted(std::string{'-', static_cast<char>(optopt)});
}

// Applies the options of `args` (a program name first). In a stop file only the gradient's
// properties may stand, and every word must be an option or its value.
void applyOptions(Reading& reading, std::span<char* const> args, bool inStopFile) {
    Options& options = reading.options;
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
        if (inStopFile && findOption(option) != nullptr) {
            checkInStopFile(option);
        }
        const bool namesAFile =
            option == 'i' || option == 'o' || option == headerOption || option == previewOption;
        if (namesAFile && value.empty()) {
            throw usageError("--" + std::string(findOption(option)->name) +
                             " needs a file name, not ''");
        }
        switch (option) {
        case 'i':
            if (options.input) {
                throw usageError("only one input file, not " +
                                 quoted(*options.input, maxShownPath) + " and " +
                                 quoted(value, maxShownPath));
            }
            options.input = value;
            break;
        case 's':
            options.steps = readSteps(value);
            break;
        case 'n':
            // The element type is checked once every option is read.
            if (const auto problem = nameProblem(value, {})) {
                throw usageError("the name " + quoted(value) + " " + std::string(*problem));
            }
            options.name = value;
            reading.named = true;
            break;
        case 't':
            if (std::find(elementTypes.begin(), elementTypes.end(), value) == elementTypes.end()) {
                throw usageError(
                    "the type must be u16, \"unsigned short\", uint16_t or COLOR, not " +
                    quoted(value));
            }
            options.type = value;
            break;
        case constOption:
        case noConstOption:
            options.inRom = option == constOption;
            break;
        case lfOption:
        case noLfOption:
            options.lineFeeds = option == lfOption;
            break;
        case blendOption:
            if (const auto space = blendSpaceNamed(value)) {
                options.blend = *space;
            } else {
                throw usageError("the blend space must be srgb, linear, oklab or oklch, not " +
                                 quoted(value));
            }
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
            return;
        case versionOption:
            options.version = true;
            return;
        case ':': {
            // BSD's getopt_long, as MinGW has it, also reports a value given to a flag so.
            const auto* const flag = findOption(optopt);
            throw usageError(flag != nullptr && flag->has_arg == no_argument
                                 ? unknownOption(given)
                                 : "option " + quoted(given) + " needs a value");
        }
        default:
            throw usageError(unknownOption(given));
        }
    }
    if (!inStopFile) {
        options.stops.assign(args.begin() + optind, args.end());
    } else if (optind < argc) {
        throw usageError(quoted(args[static_cast<std::size_t>(optind)]) +
                         " is not an option: an option line holds options and their values");
    }
}

// The options of `fileLines`, then those of the command line over them, checked together.
Reading readOptions(std::span<char* const> args, const std::vector<OptionLine>& fileLines) {
    Reading reading;
    for (const OptionLine& line : fileLines) {
        try {
            std::vector<std::string> words = splitWords(line.text);
            words.insert(words.begin(), "tintwright-gen");
            std::vector<char*> argv(words.size());
            std::transform(words.begin(), words.end(), argv.begin(),
                           [](std::string& word) { return word.data(); });
            applyOptions(reading, argv, true);
        } catch (const GeneratorError& error) {
            throw GeneratorError(2, line.place + ": " + error.what(), true);
        }
    }
    applyOptions(reading, args, false);
    const Options& options = reading.options;
    if (options.help || options.version) {
        return reading;
    }
    const bool palette =
        options.format == Format::gimpPalette || options.format == Format::jascPalette;
    if (options.header && (options.format == Format::binary || palette)) {
        throw usageError("--header needs format c or asm: the other formats declare nothing");
    }
    if ((options.preview || palette) && options.steps > maxPreviewWidth) {
        throw usageError(std::string(palette ? "a palette holds" : "--preview draws") +
                         " at most " + std::to_string(maxPreviewWidth) + " steps, not " +
                         std::to_string(options.steps));
    }
    return reading;
}

} // namespace

Options parseOptions(std::span<char* const> args) {
    return readOptions(args, {}).options;
}

Options combineOptions(std::span<char* const> args, const std::vector<OptionLine>& fileLines) {
    Reading reading = readOptions(args, fileLines);
    Options& options = reading.options;
    if (!reading.named && options.input && *options.input != "-") {
        options.name = nameFromFile(*options.input);
        if (const auto problem = nameProblem(options.name, options.type)) {
            throw usageError("the array cannot be named after " +
                             quoted(*options.input, maxShownPath) + ": " + quoted(options.name) +
                             " " + std::string(*problem) + "; name it with -n");
        }
    } else if (const auto problem = nameProblem(options.name, options.type)) {
        throw usageError("the name " + quoted(options.name) + " " + std::string(*problem));
    }
    return options;
}

} // namespace tintwright
