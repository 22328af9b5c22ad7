#include "cli/generatorerror.h"
#include "cli/platform/interruption.h"
#include "cli/platform/posix/outputfilestate.h"
#include "cli/platform/posix/temporaries.h"
#include "cli/printable.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tintwright {
namespace {

// The old file is compared a block at a time, never read whole into memory.
constexpr std::size_t compareBlock = 1 << 16;
// As many links as the system itself follows in one path.
constexpr int maxLinks = 40;

// Reads `size` bytes, fewer only at the end of the file; returns how many, or -1.
ssize_t readFully(int file, char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t count = ::read(file, data + done, size - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count < 0 ? -1 : static_cast<ssize_t>(done);
        }
        done += static_cast<std::size_t>(count);
    }
    return static_cast<ssize_t>(done);
}

constexpr std::string_view temporarySuffix = ".tintwright-";
constexpr std::size_t randomLetters = 6;

// ".NAME.tintwright-", with which every temporary name for NAME starts; a long NAME is cut so
// that the whole name still fits in a folder entry.
std::string temporaryStem(const std::string& name) {
    return "." +
           name.substr(0, std::size_t{NAME_MAX} - 1 - temporarySuffix.size() - randomLetters) +
           std::string(temporarySuffix);
}

// The stem and six random letters: a hidden name, easy to recognise and to clean up.
std::string unusedName(const std::string& name) {
    static std::minstd_rand random(std::random_device{}());
    constexpr std::string_view letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string unused = temporaryStem(name);
    for (std::size_t i = 0; i < randomLetters; ++i) {
        unused += letters[random() % letters.size()];
    }
    return unused;
}

} // namespace

OutputFile::State::State(std::string path)
    : path_(std::move(path)) {
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
    // The name that is replaced is the one at the end of any chain of links.
    std::filesystem::path target = path_;
    for (int links = 0;; ++links) {
        struct stat entry {};
        const bool linkFound = ::lstat(target.c_str(), &entry) == 0;
        if (!linkFound && errno != ENOENT) {
            fail();
        }
        if (!linkFound || !S_ISLNK(entry.st_mode)) {
            break;
        }
        std::array<char, PATH_MAX> link{};
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (links == maxLinks || length < 0 || static_cast<std::size_t>(length) == link.size()) {
            errno = length < 0 ? errno : ELOOP;
            fail();
        }
        target = target.parent_path() / std::string(link.data(), static_cast<std::size_t>(length));
    }
    name_ = target.filename();
    folderPath_ = target.has_parent_path() ? target.parent_path().string() : ".";
    if (name_.empty()) { // a path ending in "/" that names nothing
        errno = ENOENT;
        fail();
    }
    folder_ = ::open(folderPath_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat old {};
    const bool lookedUp =
        folder_ >= 0 && (::fstatat(folder_, name_.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 ||
                         (errno == ENOENT && ::fstat(folder_, &old) == 0));
    const bool named = lookedUp && S_ISREG(old.st_mode);
    identity_ = {old.st_dev, old.st_ino, named ? "" : name_};
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
    closeOld();
    if (file_ >= 0) {
        ::close(file_);
    }
    if (!temporaryName_.empty()) {
        const HeldInterruptions held;
        ::unlinkat(folder_, temporaryName_.c_str(), 0);
        dropTemporary(folder_, temporaryName_);
    }
    if (folder_ >= 0) {
        ::close(folder_);
    }
}

void OutputFile::State::removeLeftovers() const {
    const std::string stem = temporaryStem(name_);
    DIR* const listing = folder_ >= 0 ? ::opendir(folderPath_.c_str()) : nullptr;
    while (const dirent* const entry = listing != nullptr ? ::readdir(listing) : nullptr) {
        const std::string_view leftover = entry->d_name;
        if (leftover.size() == stem.size() + randomLetters && leftover.starts_with(stem)) {
            ::unlinkat(folder_, entry->d_name, 0);
        }
    }
    if (listing != nullptr) {
        ::closedir(listing);
    }
}

void OutputFile::State::open() {
    if (folder_ < 0) {
        file_ = ::open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (file_ < 0) {
            fail();
        }
        return;
    }
    {
        const HeldInterruptions held;
        while (file_ < 0) {
            temporaryName_ = unusedName(name_);
            file_ = ::openat(folder_, temporaryName_.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (file_ < 0 && errno != EEXIST) {
                temporaryName_.clear();
                failInFolder();
            }
        }
        addTemporary(folder_, temporaryName_);
    }
    // Looked at again now that other runs wait: one may have written the file meanwhile.
    struct stat old {};
    exists_ =
        ::fstatat(folder_, name_.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode);
    if (exists_) {
        // The owner first: changing it clears the set-user-ID and set-group-ID bits. Only
        // the superuser may give a file away, so a failure leaves the runner's own.
        if (::fchown(file_, old.st_uid, old.st_gid) != 0 && errno != EPERM) {
            fail();
        }
        if (::fchmod(file_, old.st_mode & 07777) != 0) {
            fail();
        }
        oldFile_ = ::openat(folder_, name_.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (oldFile_ >= 0 && (::fstat(oldFile_, &old) != 0 || !S_ISREG(old.st_mode))) {
            closeOld();
        }
        oldBytes_.resize(oldFile_ >= 0 ? compareBlock : 0);
    }
}

void OutputFile::State::write(std::string_view bytes) {
    compareWithOld(bytes);
    while (!bytes.empty()) {
        const ssize_t count = ::write(file_, bytes.data(), bytes.size());
        if (count < 0 && errno != EINTR) {
            fail();
        }
        bytes.remove_prefix(static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
    }
}

void OutputFile::State::close() {
    if (::close(std::exchange(file_, -1)) != 0) {
        fail();
    }
}

void OutputFile::State::replace() {
    char extra = 0;
    const bool unchanged = oldFile_ >= 0 && readFully(oldFile_, &extra, 1) == 0;
    closeOld();
    if (folder_ < 0 || unchanged) {
        return;
    }
    if (exists_) {
        // A second name keeps the old file; where the file system has no hard links, the old
        // file moves aside instead.
        int linked = -1;
        do {
            keptName_ = unusedName(name_);
            linked = ::linkat(folder_, name_.c_str(), folder_, keptName_.c_str(), 0);
        } while (linked != 0 && errno == EEXIST);
        if (linked != 0 && ::renameat(folder_, name_.c_str(), folder_, keptName_.c_str()) != 0) {
            keptName_.clear();
            fail();
        }
    }
    if (::renameat(folder_, temporaryName_.c_str(), folder_, name_.c_str()) != 0) {
        const int error = errno;
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
            ::unlinkat(folder_, name_.c_str(), 0);
        } else {
            putBackOld();
        }
    }
}

void OutputFile::State::putBackOld() {
    if (!keptName_.empty()) {
        // Renaming one of two links to a file over the other does nothing, so the kept name
        // is removed after; where the rename did happen, it is gone already.
        ::renameat(folder_, keptName_.c_str(), folder_, name_.c_str());
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

void OutputFile::State::compareWithOld(std::string_view bytes) {
    while (oldFile_ >= 0 && !bytes.empty()) {
        const std::size_t size = std::min(bytes.size(), compareBlock);
        if (readFully(oldFile_, oldBytes_.data(), size) != static_cast<ssize_t>(size) ||
            std::memcmp(oldBytes_.data(), bytes.data(), size) != 0) {
            closeOld();
        }
        bytes.remove_prefix(size);
    }
}

void OutputFile::State::closeOld() {
    if (oldFile_ >= 0) {
        ::close(oldFile_);
        oldFile_ = -1;
    }
}

void OutputFile::State::fail() const {
    throw GeneratorError(1, "cannot write " + printable(path_, maxShownPath) + ": " +
                                std::strerror(errno));
}

void OutputFile::State::failInFolder() const {
    throw GeneratorError(1, "cannot write in folder " + printable(folderPath_, maxShownPath) +
                                ": " + std::strerror(errno));
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
