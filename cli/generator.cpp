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

void writeArray(const Options& options, const Quantiser& colours, const ArrayStyle& style,
                const Sink& sink) {
    switch (options.format) {
    case Format::c:
        writeArrayText(colours, options.steps, style, sink);
        break;
    case Format::assembly:
        writeAssembly(colours, style, sink);
        break;
    case Format::binary:
        writeBinary(colours, sink);
        break;
    case Format::gimpPalette:
        sink(gimpPalette(colours, options.name));
        break;
    case Format::jascPalette:
        sink(jascPalette(colours));
        break;
    }
}

GeneratorError streamError(const std::string& stream) {
    return {1, "cannot write " + stream + ": " + std::strerror(errno)};
}

// Binary data on a terminal is noise at best and control sequences at worst.
void refuseBinaryOnTerminal(const Options& options, const OutputSet& files,
                            std::span<const StandardStream, 3> streams) {
    const std::array<bool, 3> binary = {options.format == Format::binary, false, true};
    for (std::size_t i = 0; i < binary.size(); ++i) {
        const Destination destination = files.destination(i);
        const std::size_t stream = destination == Destination::standardOutput  ? 1
                                   : destination == Destination::standardError ? 2
                                                                               : 0;
        if (binary[i] && stream != 0 && streams[stream].kind == StreamKind::terminal) {
            throw GeneratorError(2, std::string(i == 0 ? "binary data" : "a PNG image") +
                                        " is not written to a terminal; redirect " +
                                        (stream == 1 ? "standard output" : "standard error") +
                                        " to a file or a pipe");
        }
    }
}

// Writes the array, the header and the preview to their destinations. The files that are
// replaced are written first, then the standard streams, and only then is any file renamed
// into place: a failure before the renames leaves every file as it was. Files written in
// place, such as devices and FIFOs, come last, once the run's turn has ended, so that one
// that waits for its reader never stalls another run.
void generate(const Options& options, const std::vector<std::string>& stops, OutputSet& files,
              std::ostream& out, std::ostream& err) {
    // A file is compiled on its own, as C or C++, so it makes its type known and declares
    // the array extern; a stream gets the window's text, for pasting where the type is known.
    const ArrayStyle style{options.type,
                           options.name,
                           options.inRom,
                           options.section ? std::string_view(*options.section) : "",
                           options.lineFeeds ? "\n" : "\r\n",
                           files.destination(0) == Destination::file};
    ArrayStyle headerStyle = style;
    // The assembler output is always read-only data.
    headerStyle.inRom = options.inRom || options.format == Format::assembly;
    headerStyle.standalone = true;
    const Quantiser colours(GradientSampler(stops, options.steps, options.blend, options.endpoint),
                            options.quantise);
    const std::array<std::function<void(const Sink&)>, 3> contents = {
        [&](const Sink& sink) { writeArray(options, colours, style, sink); },
        [&](const Sink& sink) { sink(headerText(headerStyle, options.steps)); },
        [&](const Sink& sink) { sink(previewImage(colours)); },
    };
    const auto writeFiles = [&](bool inPlace) {
        for (std::size_t i = 0; i < contents.size(); ++i) {
            if (OutputFile* const file = files[i]; file && file->inPlace() == inPlace) {
                contents[i]([&](std::string_view bytes) { file->write(bytes); });
                file->close();
            }
        }
    };
    files.open();
    writeFiles(false);
    for (std::size_t i = 0; i < contents.size(); ++i) {
        const Destination destination = files.destination(i);
        if (destination == Destination::standardOutput ||
            destination == Destination::standardError) {
            std::ostream& stream = destination == Destination::standardOutput ? out : err;
            contents[i]([&](std::string_view bytes) {
                stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            });
            if (!stream.flush()) {
                throw streamError(destination == Destination::standardOutput ? "standard output"
                                                                             : "standard error");
            }
        }
    }
    files.commit();
    writeFiles(true);
}

} // namespace

int runGenerator(std::span<char* const> args, std::istream& in, std::ostream& out,
                 std::ostream& err, std::span<const StandardStream, 3> streams) {
    try {
        const Options options = parseOptions(args);
        if (options.help || options.version) {
            if (!(out << (options.help ? usageText() : "tintwright-gen " TINTWRIGHT_VERSION "\n"))
                     .flush()) {
                throw streamError("standard output");
            }
            return 0;
        }
        // Every output is looked up before the stops are read.
        OutputSet files({options.output.value_or("-"), options.header, options.preview},
                        options.input, streams);
        const StopInput input = readStops(options.input, in, options.stops);
        const Options combined = combineOptions(args, input.optionLines);
        if (input.stops.size() < 2) {
            throw GeneratorError(2, "a gradient needs at least two colour stops, not " +
                                        std::to_string(input.stops.size()));
        }
        refuseBinaryOnTerminal(combined, files, streams);
        generate(combined, input.stops, files, out, err);
        return 0;
    } catch (const GeneratorError& error) {
        err << "tintwright-gen: " << error.what() << '\n';
        if (error.status == 2 && !error.inStopFile) {
            err << "Try 'tintwright-gen --help' for more information.\n";
        }
        return error.status;
    }
}

} // namespace tintwright
