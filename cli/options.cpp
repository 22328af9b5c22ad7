#include "cli/options.h"

#include "cli/arrayname.h"
#include "cli/generatorerror.h"
#include "cli/printable.h"
#include "engine/arraytext.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <getopt.h>
#include <string_view>
#include <utility>

namespace tintwright {
namespace {

GeneratorError usageError(const std::string& message) {
    return {2, message};
}

std::string quoted(std::string_view text, std::size_t maxCharacters = maxShownText) {
    return "'" + printable(text, maxCharacters) + "'";
}

// "a, b or c", with names that hold a space in double quotes as the shell needs them.
template <typename Names> std::string alternatives(const Names& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            text.append(i + 1 < names.size() ? ", " : " or ");
        }
        const std::string_view name = names[i];
        const bool spaced = name.find(' ') != std::string_view::npos;
        text.append(spaced ? "\"" : "").append(name).append(spaced ? "\"" : "");
    }
    return text;
}

// The names of a table of names and what they stand for, in its order.
template <typename Value, std::size_t size>
constexpr std::array<std::string_view, size>
namesOf(const std::array<std::pair<std::string_view, Value>, size>& table) {
    std::array<std::string_view, size> names{};
    std::transform(table.begin(), table.end(), names.begin(),
                   [](const auto& entry) { return entry.first; });
    return names;
}

constexpr std::array<std::pair<std::string_view, Format>, 5> formatNames = {{
    {"c", Format::c},
    {"asm", Format::assembly},
    {"bin", Format::binary},
    {"gpl", Format::gimpPalette},
    {"pal", Format::jascPalette},
}};

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

// The value that `table` names `text`, matched exactly; `what` names the option's value in
// the message for any other text.
template <typename Value, std::size_t size>
Value readNamed(const std::array<std::pair<std::string_view, Value>, size>& table,
                std::string_view what, const std::string& text) {
    for (const auto& [name, value] : table) {
        if (text == name) {
            return value;
        }
    }
    throw usageError("the " + std::string(what) + " must be " + alternatives(namesOf(table)) +
                     ", not " + quoted(text));
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

// Sets `file` to the file an option names. An empty name names none, and a second name is
// refused rather than silently taking the first one's place.
void nameFile(std::optional<std::string>& file, const std::string& option,
              const std::string& value) {
    if (value.empty()) {
        throw usageError("--" + option + " needs a file name, not ''");
    }
    if (file) {
        throw usageError("only one " + option + " file, not " + quoted(*file, maxShownPath) +
                         " and " + quoted(value, maxShownPath));
    }
    file = value;
}

// The options read so far, and whether one of them named the array.
struct Reading {
    Options options;
    bool named = false;
};

// One option: its long name, its short letter (none for 0), whether it takes a value,
// whether a stop file may set it (the gradient's own properties may; where files go and
// what the run does stay with the command line, and so with the build), and what it does.
struct OptionRule {
    const char* name;
    char letter;
    bool takesValue;
    bool inStopFile;
    void (*apply)(Reading&, const std::string& value);
};

const auto optionRules = std::to_array<OptionRule>({
    {"input", 'i', true, false,
     [](Reading& reading, const std::string& value) {
         nameFile(reading.options.input, "input", value);
     }},
    {"steps", 's', true, true,
     [](Reading& reading, const std::string& value) { reading.options.steps = readSteps(value); }},
    {"name", 'n', true, true,
     [](Reading& reading, const std::string& value) {
         // The element type is checked once every option is read.
         if (const auto problem = nameProblem(value, {})) {
             throw usageError("the name " + quoted(value) + " " + std::string(*problem));
         }
         reading.options.name = value;
         reading.named = true;
     }},
    {"type", 't', true, true,
     [](Reading& reading, const std::string& value) {
         if (std::find(elementTypes.begin(), elementTypes.end(), value) == elementTypes.end()) {
             throw usageError("the type must be " + alternatives(elementTypes) + ", not " +
                              quoted(value));
         }
         reading.options.type = value;
     }},
    {"const", 0, false, true,
     [](Reading& reading, const std::string&) { reading.options.inRom = true; }},
    {"no-const", 0, false, false,
     [](Reading& reading, const std::string&) { reading.options.inRom = false; }},
    {"lf", 0, false, true,
     [](Reading& reading, const std::string&) { reading.options.lineFeeds = true; }},
    {"no-lf", 0, false, false,
     [](Reading& reading, const std::string&) { reading.options.lineFeeds = false; }},
    {"blend", 0, true, true,
     [](Reading& reading, const std::string& value) {
         reading.options.blend = readNamed(blendSpaceNames, "blend space", value);
     }},
    {"quantise", 0, true, true,
     [](Reading& reading, const std::string& value) {
         reading.options.quantise = readNamed(quantisationNames, "quantisation", value);
     }},
    {"endpoint", 0, false, true,
     [](Reading& reading, const std::string&) { reading.options.endpoint = Endpoint::included; }},
    {"no-endpoint", 0, false, true,
     [](Reading& reading, const std::string&) { reading.options.endpoint = Endpoint::excluded; }},
    {"section", 0, true, true,
     [](Reading& reading, const std::string& value) {
         const bool named =
             value.size() > 1 && value[0] == '.' &&
             std::all_of(value.begin() + 1, value.end(), [](char c) {
                 return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_';
             });
         if (!named) {
             throw usageError("the section must be a '.' followed by letters, digits, '.' and "
                              "'_', such as .ewram, not " +
                              quoted(value));
         }
         reading.options.section = value;
     }},
    {"no-section", 0, false, true,
     [](Reading& reading, const std::string&) { reading.options.section.reset(); }},
    {"format", 'f', true, false,
     [](Reading& reading,
        const std::string&
            value) { reading.options.format = readNamed(formatNames, "format", value); }},
    {"output", 'o', true, false,
     [](Reading& reading, const std::string& value) {
         nameFile(reading.options.output, "output", value);
     }},
    {"header", 0, true, false,
     [](Reading& reading, const std::string& value) {
         nameFile(reading.options.header, "header", value);
     }},
    {"preview", 0, true, false,
     [](Reading& reading, const std::string& value) {
         nameFile(reading.options.preview, "preview", value);
     }},
    {"help", 'h', false, false,
     [](Reading& reading, const std::string&) { reading.options.help = true; }},
    {"version", 0, false, false,
     [](Reading& reading, const std::string&) { reading.options.version = true; }},
});

// getopt_long's value for the rule at `index`: its letter, or a number past every char.
constexpr int optionValue(std::size_t index) {
    return optionRules[index].letter != 0 ? optionRules[index].letter
                                          : 256 + static_cast<int>(index);
}

// The rule getopt_long returned `value` for, if there is one.
const OptionRule* findRule(int value) {
    for (std::size_t i = 0; i < optionRules.size(); ++i) {
        if (optionValue(i) == value) {
            return &optionRules[i];
        }
    }
    return nullptr;
}

// getopt_long's tables, made from optionRules: the long options, ending in zeros, and the
// short ones, starting with ':' so that a missing value is told apart from an unknown option.
const auto longOptions = [] {
    std::array<option, optionRules.size() + 1> table{};
    for (std::size_t i = 0; i < optionRules.size(); ++i) {
        table[i] = {optionRules[i].name,
                    optionRules[i].takesValue ? required_argument : no_argument, nullptr,
                    optionValue(i)};
    }
    return table;
}();
const std::string shortOptions = [] {
    std::string letters = ":";
    for (const OptionRule& rule : optionRules) {
        if (rule.letter != 0) {
            letters.append(1, rule.letter).append(rule.takesValue ? ":" : "");
        }
    }
    return letters;
}();

// Refuses an option that a stop file may not set, naming those it may.
void checkInStopFile(const OptionRule& rule) {
    if (rule.inStopFile) {
        return;
    }
    std::string allowed;
    for (const OptionRule& fileRule : optionRules) {
        if (fileRule.inStopFile) {
            allowed.append(allowed.empty() ? "--" : ", --").append(fileRule.name);
        }
    }
    throw usageError("--" + std::string(rule.name) +
                     " belongs on the command line: a stop file sets only " + allowed);
}

// The message for an option getopt_long does not take, quoting the argument as given.
std::string unknownOption(const std::string& given) {
    if (optopt == 0) {
        return "unknown option " + quoted(given);
    }
    if (findRule(optopt) != nullptr) {
        return "option " + quoted(given) + " takes no value";
    }
    return "unknown option " + quoted(std::string{'-', static_cast<char>(optopt)});
}

// Applies the options of `args` (a program name first) up to --help or --version. In a
// stop file only the gradient's properties may stand, and every word must be an option or
// its value.
void applyOptions(Reading& reading, std::span<char* const> args, bool inStopFile) {
    // Messages are this program's own, and every run starts from the first argument.
    opterr = 0;
    optind = 0;
    const auto argc = static_cast<int>(args.size());
    int value = 0;
    while ((value = getopt_long(argc, args.data(), shortOptions.c_str(), longOptions.data(),
                                nullptr)) != -1) {
        // The argument that getopt_long has just read.
        const std::string given = args[static_cast<std::size_t>(optind - 1)];
        const OptionRule* const rule = findRule(value);
        if (rule == nullptr) {
            // BSD's getopt_long, as MinGW has it, reports a value given to a flag as ':' too.
            const OptionRule* const flag = findRule(optopt);
            const bool needsValue = value == ':' && (flag == nullptr || flag->takesValue);
            throw usageError(needsValue ? "option " + quoted(given) + " needs a value"
                                        : unknownOption(given));
        }
        if (inStopFile) {
            checkInStopFile(*rule);
        }
        rule->apply(reading, optarg != nullptr ? optarg : "");
        if (reading.options.help || reading.options.version) {
            return;
        }
    }
    if (!inStopFile) {
        reading.options.stops.assign(args.begin() + optind, args.end());
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
    if (options.section && (options.format == Format::binary || palette)) {
        throw usageError("--section needs format c or asm: the other formats place nothing");
    }
    if ((options.preview || palette) && options.steps > maxPreviewWidth) {
        throw usageError(std::string(palette ? "a palette holds" : "--preview draws") +
                         " at most " + std::to_string(maxPreviewWidth) + " steps, not " +
                         std::to_string(options.steps));
    }
    return reading;
}

} // namespace

std::string usageText() {
    return R"(Usage: tintwright-gen [OPTION]... [STOP]...
Writes a Game Boy Advance colour gradient through the colour STOPs, such as
"(255,0,0) Red", "#FF0000 Red" or the GBA colour "0x001F Red", as C source, assembler
source, binary data or a palette.

  -i, --input FILE     read stops and option lines from FILE, one a line ("-" reads
                       standard input)
  -s, --steps N        number of values, a whole number from 1 to 16777216 (default 64)
  -n, --name NAME      array name, a C identifier (default the stop file's name, or
                       myGradient)
  -t, --type TYPE      element type (default u16):
                       )" +
           alternatives(elementTypes) +
           R"(
      --const          declare the array const and 4-byte aligned, so it stays in ROM
      --no-const       undo --const, such as a stop file's
      --lf             end lines with LF instead of CRLF
      --no-lf          undo --lf, such as a stop file's
      --blend SPACE    space to mix neighbouring stops in (default srgb):
                       )" +
           alternatives(namesOf(blendSpaceNames)) +
           R"(
      --quantise MODE  how each value takes one of the GBA's 32 levels a channel
                       (default floor, the top five bits): )" +
           alternatives(namesOf(quantisationNames)) +
           R"(
      --endpoint       end on the last stop: the last value is its colour
      --no-endpoint    approach the last stop without reaching it (the default), so
                       that a gradient ending on its first colour cycles
      --section NAME   place the array in the section NAME, such as .ewram
      --no-section     leave the array where the compiler puts it (the default)
  -f, --format FORMAT  c (default), asm, bin, gpl (GIMP palette) or pal (JASC-PAL)
  -o, --output FILE    write to FILE instead of standard output ("-")
      --header FILE    also write a header declaring the array (formats c and asm)
      --preview FILE   also write a PNG of the values as the GBA shows them
                       ("-" for FILE is standard output, for one FILE at most)
  -h, --help           show this help and exit
      --version        show the version and exit

Exit status: 0 on success, 1 when a file cannot be read or written, 2 for a usage error.
)";
}

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
