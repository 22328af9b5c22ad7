#include "cli/platform/turns.h"

#include "cli/platform/posix/leftovers.h"
#include "cli/platform/posix/outputfilestate.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tintwright {

// Each folder once, opened again for flock(2), which locks an open folder, not its name.
struct Turns::Held {
    std::vector<int> folders;
};

Turns::Turns(std::span<const std::unique_ptr<OutputFile>> files, std::span<const FileIdentity> read)
    : held_(std::make_unique<Held>()) {
    // Each folder is locked once, in the order of device and inode numbers: runs that share
    // several folders lock them in the same order, so none waits for another in a circle.
    std::map<std::pair<dev_t, ino_t>, int> folders;
    for (const auto& file : files) {
        struct stat folder {};
        if (file && file->state_->folder_ >= 0 && ::fstat(file->state_->folder_, &folder) == 0) {
            folders.emplace(std::pair(folder.st_dev, folder.st_ino), file->state_->folder_);
        }
    }
    bool locked = true;
    for (const auto& [id, folder] : folders) {
        const int held = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
        int result = -1;
        while (held >= 0 && (result = ::flock(held, LOCK_EX)) != 0 && errno == EINTR) {
        }
        locked = locked && result == 0;
        if (held >= 0) {
            held_->folders.push_back(held);
        }
    }
    std::vector<FileIdentity> kept(read.begin(), read.end());
    for (const auto& file : files) {
        if (file) {
            kept.push_back(file->identity());
        }
    }
    for (const auto& file : files) {
        if (file && file->state_->folder_ >= 0 && locked) {
            removeLeftovers(file->state_->folder_, file->state_->resolved_.name, kept);
        }
    }
}

Turns::~Turns() {
    for (const int folder : held_->folders) {
        ::flock(folder, LOCK_UN);
        ::close(folder);
    }
}

} // namespace tintwright
