#include "cli/platform/posix/oldfilecomparison.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintwright {
namespace {

// The old file is compared a block at a time, never read whole into memory.
constexpr std::size_t compareBlock = 1 << 16;

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

} // namespace

OldFileComparison::~OldFileComparison() {
    stop();
}

void OldFileComparison::start(int folder, const std::string& name) {
    file_ = ::openat(folder, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    struct stat old {};
    if (file_ >= 0 && (::fstat(file_, &old) != 0 || !S_ISREG(old.st_mode))) {
        stop();
    }
    block_.resize(file_ >= 0 ? compareBlock : 0);
}

void OldFileComparison::compare(std::string_view bytes) {
    while (file_ >= 0 && !bytes.empty()) {
        const std::size_t size = std::min(bytes.size(), compareBlock);
        if (readFully(file_, block_.data(), size) != static_cast<ssize_t>(size) ||
            std::memcmp(block_.data(), bytes.data(), size) != 0) {
            stop();
        }
        bytes.remove_prefix(size);
    }
}

bool OldFileComparison::unchanged() {
    char extra = 0;
    const bool same = file_ >= 0 && readFully(file_, &extra, 1) == 0;
    stop();
    return same;
}

void OldFileComparison::stop() {
    if (file_ >= 0) {
        ::close(file_);
        file_ = -1;
    }
}

} // namespace tintwright
