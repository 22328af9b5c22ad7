#include "cli/outputset.h"

#include "cli/generatorerror.h"
#include "cli/platform/interruption.h"
#include "cli/printable.h"

namespace tintwright {
namespace {

// A file a run reads or writes, and the name a message gives it.
struct Named {
    FileIdentity identity;
    std::string name;
};

std::optional<FileIdentity> regularFile(const StandardStream& stream) {
    return stream.kind == StreamKind::regularFile ? std::optional(stream.identity) : std::nullopt;
}

} // namespace

OutputSet::OutputSet(const std::vector<std::optional<std::string>>& paths,
                     const std::optional<std::string>& input,
                     std::span<const StandardStream, 3> streams) {
    std::optional<Named> read;
    if (input == "-") {
        if (const auto identity = regularFile(streams[0])) {
            read = Named{*identity, "standard input"};
        }
    } else if (input) {
        if (const auto identity = identityOf(*input)) {
            read = Named{*identity, "the input " + printable(*input, maxShownPath)};
        }
    }
    input_ = read ? std::optional(read->identity) : std::nullopt;
    std::vector<Named> written;
    for (const std::optional<std::string>& path : paths) {
        const int stream = !path ? -1 : *path == "-" ? 1 : streamNamedBy(*path);
        const Destination destination = !path         ? Destination::none
                                        : stream == 1 ? Destination::standardOutput
                                        : stream == 2 ? Destination::standardError
                                        : stream >= 0 ? Destination::otherStream
                                                      : Destination::file;
        const bool ownFile =
            destination == Destination::file || destination == Destination::otherStream;
        files_.push_back(ownFile ? std::make_unique<OutputFile>(*path) : nullptr);
        destinations_.push_back(destination);
        if (!path) {
            continue;
        }
        const std::string name = *path == "-" ? std::string("standard output")
                                              : "the output " + printable(*path, maxShownPath);
        std::optional<FileIdentity> identity =
            files_.back() ? std::optional(files_.back()->identity())
                          : regularFile(streams[static_cast<std::size_t>(stream)]);
        for (std::size_t i = 0; i + 1 < destinations_.size(); ++i) {
            if ((stream == 1 || stream == 2) && destinations_[i] == destination) {
                throw GeneratorError(2,
                                     std::string("two outputs go to ") +
                                         (stream == 1 ? "standard output: " : "standard error: ") +
                                         printable(*paths[i], maxShownPath) + " and " +
                                         printable(*path, maxShownPath));
            }
        }
        if (!identity) {
            continue;
        }
        if (read && read->identity == *identity) {
            throw GeneratorError(2, name + " is the same file as " + read->name);
        }
        for (const Named& other : written) {
            if (other.identity == *identity) {
                throw GeneratorError(2, name + " is the same file as " + other.name);
            }
        }
        written.push_back({*identity, name});
    }
}

void OutputSet::open() {
    // Opening a FIFO waits for its reader, so files written in place are opened before the
    // turn: a run that waits there never stalls another.
    for (const bool inPlace : {true, false}) {
        if (!inPlace) {
            turns_.emplace(files_,
                           input_ ? std::span(&*input_, 1) : std::span<const FileIdentity>());
        }
        for (const auto& file : files_) {
            if (file && file->inPlace() == inPlace) {
                file->open();
            }
        }
    }
}
void OutputSet::commit() {
    const HeldInterruptions held;
    if (const std::string reason = interruption(); !reason.empty()) {
        throw GeneratorError(1, "interrupted: " + reason);
    }
    std::size_t replaced = 0;
    try {
        for (; replaced < files_.size(); ++replaced) {
            if (files_[replaced]) {
                files_[replaced]->replace();
            }
        }
    } catch (const GeneratorError&) {
        while (replaced-- > 0) {
            if (files_[replaced]) {
                files_[replaced]->restore();
            }
        }
        throw;
    }
    for (const auto& file : files_) {
        if (file) {
            file->finish();
        }
    }
    turns_.reset();
}

} // namespace tintwright
