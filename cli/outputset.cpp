#include "cli/outputset.h"

#include "cli/generatorerror.h"
#include "cli/platform/interruption.h"
#include "cli/printable.h"

namespace tintwright {

OutputSet::OutputSet(const std::vector<std::optional<std::string>>& paths,
                     const std::optional<std::string>& input) {
    const std::optional<FileIdentity> inputIdentity =
        input && *input != "-" ? identityOf(*input) : std::nullopt;
    for (const std::optional<std::string>& path : paths) {
        files_.push_back(path ? std::make_unique<OutputFile>(*path) : nullptr);
        const OutputFile* const file = files_.back().get();
        if (file == nullptr) {
            continue;
        }
        if (file->identity() == inputIdentity) {
            throw GeneratorError(2, "the output " + printable(*path, maxShownPath) +
                                        " is the same file as the input " +
                                        printable(*input, maxShownPath));
        }
        for (std::size_t i = 0; i + 1 < files_.size(); ++i) {
            if (files_[i] && files_[i]->identity() == file->identity()) {
                throw GeneratorError(2, "the output " + printable(*path, maxShownPath) +
                                            " is the same file as the output " +
                                            printable(*paths[i], maxShownPath));
            }
        }
    }
}

void OutputSet::open() {
    turns_.emplace(files_);
    for (const auto& file : files_) {
        if (file) {
            file->open();
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
}

} // namespace tintwright
