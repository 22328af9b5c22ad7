#include "cli/generatorerror.h"
#include "cli/platform/interruption.h"
#include "cli/platform/posix/extendedattributes.h"
#include "cli/platform/posix/leftovers.h"
#include "cli/platform/posix/outputfilestate.h"
#include "cli/platform/posix/temporaries.h"
#include "cli/printable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tintwright {

OutputFile::State::State(std::string path)
    : path_(std::move(path)) {
    const int unresolved = resolveLinks(path_, resolved_);
    if (resolved_.stream >= 0) {
        struct stat open {};
        if (::fstat(resolved_.stream, &open) != 0) {
            fail();
        }
        identity_ = {open.st_dev, open.st_ino, ""};
        return;
    }
    struct stat found {};
    const bool exists = ::stat(path_.c_str(), &found) == 0;
    if (!exists && errno != ENOENT) {
        fail();
    }
    if (exists && S_ISDIR(found.st_mode)) {
        errno = EISDIR;
        fail();
    }
    if (exists && !S_ISREG(found.st_mode)) {
        identity_ = {found.st_dev, found.st_ino, ""};
        return;
    }
    if (unresolved != 0) {
        errno = unresolved;
        fail();
    }
    folder_ = ::open(resolved_.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat old {};
    const bool lookedUp = folder_ >= 0 && (::fstatat(folder_, resolved_.name.c_str(), &old,
                                                     AT_SYMLINK_NOFOLLOW) == 0 ||
                                           (errno == ENOENT && ::fstat(folder_, &old) == 0));
    const bool named = lookedUp && S_ISREG(old.st_mode);
    identity_ = {old.st_dev, old.st_ino, named ? "" : resolved_.name};
    // A link that names a file by a path this process cannot follow, such as one in /proc to
    // a deleted file.
    const bool lost = exists && lookedUp && !named;
    if (!lookedUp || lost) {
        const int error = lost ? ENOENT : errno;
        if (folder_ >= 0) {
            ::close(folder_);
        }
        errno = error;
        lost ? fail() : failInFolder();
    }
}

OutputFile::State::~State() {
    if (file_ >= 0) {
        ::close(file_);
    }
    removeTemporary();
    if (folder_ >= 0) {
        ::close(folder_);
    }
}

void OutputFile::State::open() {
    if (folder_ < 0) {
        file_ = resolved_.stream >= 0 ? ::fcntl(resolved_.stream, F_DUPFD_CLOEXEC, 0)
                                      : ::open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (file_ < 0) {
            fail();
        }
        return;
    }
    // Unnamed, the new file goes with the run however it ends, killed or crashed. It is named
    // through /proc, so without /proc, as without unnamed files, it has a name from the start.
    if (::access("/proc/self/fd", X_OK) == 0) {
        file_ = ::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        unnamed_ = file_ >= 0;
        if (!unnamed_ && errno != EOPNOTSUPP && errno != EISDIR) {
            failInFolder();
        }
    }
    if (!unnamed_) {
        const HeldInterruptions held;
        while (file_ < 0) {
            temporaryName_ = temporaryName(resolved_.name);
            file_ = ::openat(folder_, temporaryName_.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (file_ < 0 && errno != EEXIST) {
                temporaryName_.clear();
                failInFolder();
            }
        }
        addTemporary(folder_, temporaryName_);
    }
    keepAttributes();
}

void OutputFile::State::keepAttributes() {
    // Looked at again now that other runs wait: one may have written the file meanwhile.
    struct stat old {};
    if (::fstatat(folder_, resolved_.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(old.st_mode)) {
        return;
    }
    // The owner first: changing it clears the set-user-ID and set-group-ID bits. Only the
    // superuser may give a file away, so another user's file is refused, not taken over.
    if (::fchown(file_, old.st_uid, old.st_gid) != 0) {
        failToKeep("owner and group");
    }
    const std::string oldPath = resolved_.folder + "/" + resolved_.name;
    if (const auto attribute = copyExtendedAttributes(oldPath, file_)) {
        failToKeep(attribute->empty() ? "extended attributes" : "extended attribute " + *attribute);
    }
    if (::fchmod(file_, old.st_mode & 07777) != 0) {
        fail();
    }
    old_.start(folder_, resolved_.name);
}

void OutputFile::State::write(std::string_view bytes) {
    old_.compare(bytes);
    while (!bytes.empty()) {
        const ssize_t count = ::write(file_, bytes.data(), bytes.size());
        if (count < 0 && errno != EINTR) {
            fail();
        }
        bytes.remove_prefix(static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
    }
}

void OutputFile::State::close() {
    // An unnamed file stays open: the commit names it through its descriptor.
    if (!unnamed_ && ::close(std::exchange(file_, -1)) != 0) {
        fail();
    }
}

void OutputFile::State::replace() {
    if (folder_ < 0 || old_.unchanged()) {
        return;
    }
    if (unnamed_) {
        // Linking through /proc follows the descriptor's link and needs no privilege.
        const std::string self = "/proc/self/fd/" + std::to_string(file_);
        int linked = -1;
        do {
            temporaryName_ = temporaryName(resolved_.name);
            linked = ::linkat(AT_FDCWD, self.c_str(), folder_, temporaryName_.c_str(),
                              AT_SYMLINK_FOLLOW);
        } while (linked != 0 && errno == EEXIST);
        if (linked != 0) {
            temporaryName_.clear();
            failInFolder();
        }
        if (::close(std::exchange(file_, -1)) != 0) {
            fail();
        }
    }
    const std::string& name = resolved_.name;
    // A second name keeps the old file; where the file system has no hard links, the old file
    // moves aside instead.
    struct stat old {};
    if (::fstatat(folder_, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode)) {
        int linked = -1;
        do {
            keptName_ = temporaryName(name);
            linked = ::linkat(folder_, name.c_str(), folder_, keptName_.c_str(), 0);
        } while (linked != 0 && errno == EEXIST);
        if (linked != 0 && ::renameat(folder_, name.c_str(), folder_, keptName_.c_str()) != 0) {
            keptName_.clear();
            fail();
        }
    }
    if (::renameat(folder_, temporaryName_.c_str(), folder_, name.c_str()) != 0) {
        const int error = errno;
        removeTemporary();
        putBackOld();
        errno = error;
        fail();
    }
    dropTemporary(folder_, std::exchange(temporaryName_, ""));
    replaced_ = true;
}

void OutputFile::State::restore() {
    if (std::exchange(replaced_, false)) {
        if (keptName_.empty()) {
            ::unlinkat(folder_, resolved_.name.c_str(), 0);
        } else {
            putBackOld();
        }
    }
}

void OutputFile::State::putBackOld() {
    if (!keptName_.empty()) {
        // Renaming one of two links to a file over the other does nothing, so the kept name
        // is removed after; where the rename did happen, it is gone already.
        ::renameat(folder_, keptName_.c_str(), folder_, resolved_.name.c_str());
        ::unlinkat(folder_, keptName_.c_str(), 0);
        keptName_.clear();
    }
}

void OutputFile::State::finish() {
    if (!keptName_.empty()) {
        ::unlinkat(folder_, keptName_.c_str(), 0);
        keptName_.clear();
    }
    replaced_ = false;
}

void OutputFile::State::removeTemporary() {
    if (!temporaryName_.empty()) {
        const HeldInterruptions held;
        ::unlinkat(folder_, temporaryName_.c_str(), 0);
        dropTemporary(folder_, std::exchange(temporaryName_, ""));
    }
}

void OutputFile::State::fail() const {
    throw GeneratorError(1, "cannot write " + printable(path_, maxShownPath) + ": " +
                                std::strerror(errno));
}

void OutputFile::State::failInFolder() const {
    throw GeneratorError(1, "cannot write in folder " + printable(resolved_.folder, maxShownPath) +
                                ": " + std::strerror(errno));
}

void OutputFile::State::failToKeep(const std::string& what) const {
    throw GeneratorError(1, "cannot write " + printable(path_, maxShownPath) +
                                ": cannot keep its " + printable(what) + ": " +
                                std::strerror(errno));
}

OutputFile::OutputFile(std::string path)
    : state_(std::make_unique<State>(std::move(path))) {}

OutputFile::~OutputFile() = default;

const FileIdentity& OutputFile::identity() const {
    return state_->identity_;
}

bool OutputFile::inPlace() const {
    return state_->folder_ < 0;
}

void OutputFile::open() {
    state_->open();
}

void OutputFile::write(std::string_view bytes) {
    state_->write(bytes);
}

void OutputFile::close() {
    state_->close();
}

void OutputFile::replace() {
    state_->replace();
}

void OutputFile::restore() {
    state_->restore();
}

void OutputFile::finish() {
    state_->finish();
}

} // namespace tintwright
