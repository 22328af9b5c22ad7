#include "cli/generator.h"

#include "cli/formats.h"
#include "cli/generatorerror.h"
#include "cli/options.h"
#include "cli/outputset.h"
#include "cli/palettes.h"
#include "cli/previewimage.h"
#include "cli/stops.h"
#include "engine/arraytext.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>
#include <ostream>

namespace tintwright {
namespace {

constexpr std::string_view usage = R"(Usage: tintwright-gen [OPTION]... [STOP]...
Writes a Game Boy Advance colour gradient through the colour STOPs, such as
"(255,0,0) Red" or "#FF0000 Red", as C source, assembler source, binary data or a
palette.

  -i, --input FILE     read stops and option lines from FILE, one a line ("-" reads
                       standard input)
  -s, --steps N        number of values, a whole number from 1 to 16777216 (default 64)
  -n, --name NAME      array name, a C identifier (default the stop file's name, or
                       myGradient)
  -t, --type TYPE      element type: u16 (default), "unsigned short", uint16_t or COLOR
      --const          declare the array const and 4-byte aligned, so it stays in ROM
      --lf             end lines with LF instead of CRLF
      --blend SPACE    mix neighbouring stops in srgb (default), linear, oklab or oklch
  -f, --format FORMAT  c (default), asm, bin, gpl (GIMP palette) or pal (JASC-PAL)
  -o, --output FILE    write to FILE instead of standard output ("-")
      --header FILE    also write a header declaring the array (formats c and asm)
      --preview FILE   also write a PNG of the values as the GBA shows them
  -h, --help           show this help and exit
      --version        show the version and exit

Exit status: 0 on success, 1 when a file cannot be read or written, 2 for a usage error.
)";

void writeArray(const Options& options, const GradientSampler& sampler, const ArrayStyle& style,
                const Sink& sink) {
    switch (options.format) {
    case Format::c:
        writeArrayText(sampler, options.steps, style, sink);
        break;
    case Format::assembly:
        writeAssembly(sampler, style, sink);
        break;
    case Format::binary:
        writeBinary(sampler, sink);
        break;
    case Format::gimpPalette:
        sink(gimpPalette(sampler, options.name));
        break;
    case Format::jascPalette:
        sink(jascPalette(sampler));
        break;
    }
}

GeneratorError standardOutputError() {
    return {1, std::string("cannot write standard output: ") + std::strerror(errno)};
}

// Writes the array to files[0] or to `out`, the header to files[1] and the preview to
// files[2]. The files that are replaced are written first, then those written in place,
// then standard output, and only then is any file renamed into place: a failure before the
// renames leaves every file as it was.
void generate(const Options& options, const std::vector<std::string>& stops, OutputSet& files,
              std::ostream& out) {
    // A file is compiled on its own, so it makes its type known; standard output is the
    // window's text, for pasting where the type is known.
    const ArrayStyle style{options.type, options.name, options.inRom,
                           options.lineFeeds ? "\n" : "\r\n", files[0] != nullptr};
    ArrayStyle headerStyle = style;
    // The assembler output is always read-only data.
    headerStyle.inRom = options.inRom || options.format == Format::assembly;
    headerStyle.definesType = true;
    const GradientSampler sampler(stops, options.steps, options.blend);
    const std::array<std::function<void(const Sink&)>, 3> contents = {
        [&](const Sink& sink) { writeArray(options, sampler, style, sink); },
        [&](const Sink& sink) { sink(headerText(headerStyle, options.steps)); },
        [&](const Sink& sink) { sink(previewImage(sampler)); },
    };
    files.open();
    for (const bool inPlace : {false, true}) {
        for (std::size_t i = 0; i < contents.size(); ++i) {
            if (OutputFile* const file = files[i]; file && file->inPlace() == inPlace) {
                contents[i]([&](std::string_view bytes) { file->write(bytes); });
                file->close();
            }
        }
    }
    if (files[0] == nullptr) {
        contents[0]([&](std::string_view bytes) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        });
        if (!out.flush()) {
            throw standardOutputError();
        }
    }
    files.commit();
}

} // namespace

int runGenerator(std::span<char* const> args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    try {
        const Options options = parseOptions(args);
        if (options.help || options.version) {
            if (!(out << (options.help ? usage : "tintwright-gen " TINTWRIGHT_VERSION "\n"))
                     .flush()) {
                throw standardOutputError();
            }
            return 0;
        }
        // Every output is looked up before the stops are read.
        const bool toStandardOutput = !options.output || *options.output == "-";
        OutputSet files(
            {toStandardOutput ? std::nullopt : options.output, options.header, options.preview},
            options.input);
        const StopInput input = readStops(options.input, in, options.stops);
        const Options combined = combineOptions(args, input.optionLines);
        if (input.stops.size() < 2) {
            throw GeneratorError(2, "a gradient needs at least two colour stops, not " +
                                        std::to_string(input.stops.size()));
        }
        generate(combined, input.stops, files, out);
        return 0;
    } catch (const GeneratorError& error) {
        err << "tintwright-gen: " << error.what() << '\n';
        if (error.status == 2) {
            err << "Try 'tintwright-gen --help' for more information.\n";
        }
        return error.status;
    }
}

} // namespace tintwright
