#include "cli/outputset.h"

#include "cli/generatorerror.h"
#include "cli/interruptcleanup.h"
#include "cli/printable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <utility>

namespace tintwright {

OutputSet::OutputSet(const std::vector<std::optional<std::string>>& paths,
                     const std::optional<std::string>& input) {
    struct stat read {};
    const bool inputFound = input && *input != "-" && ::stat(input->c_str(), &read) == 0;
    const FileIdentity inputIdentity{read.st_dev, read.st_ino, ""};
    for (const std::optional<std::string>& path : paths) {
        files_.push_back(path ? std::make_unique<OutputFile>(*path) : nullptr);
        const OutputFile* const file = files_.back().get();
        if (file == nullptr) {
            continue;
        }
        if (inputFound && file->identity() == inputIdentity) {
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
    // Each folder is locked once, in the order of device and inode numbers: runs that share
    // several folders lock them in the same order, so none waits for another in a circle.
    // A file system that cannot lock is written unlocked, and then leftovers of other runs
    // stay, as they might not be leftovers.
    std::map<std::pair<dev_t, ino_t>, int> folders;
    for (const auto& file : files_) {
        struct stat folder {};
        if (file && file->folder() >= 0 && ::fstat(file->folder(), &folder) == 0) {
            folders.emplace(std::pair(folder.st_dev, folder.st_ino), file->folder());
        }
    }
    bool locked = true;
    for (const auto& [id, folder] : folders) {
        int result = 0;
        while ((result = ::flock(folder, LOCK_EX)) != 0 && errno == EINTR) {
        }
        locked = locked && result == 0;
    }
    for (const auto& file : files_) {
        if (file && locked) {
            file->removeLeftovers();
        }
    }
    for (const auto& file : files_) {
        if (file) {
            file->open();
        }
    }
}

void OutputSet::commit() {
    const HeldSignals held;
    if (const int signal = interruptingSignal(); signal != 0) {
        throw GeneratorError(1, std::string("interrupted: ") + strsignal(signal));
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
