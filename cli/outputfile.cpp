#include "cli/outputfile.h"

#include "cli/generatorerror.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

OutputFile::OutputFile(std::string path)
    : path_(std::move(path)) {
    // The process id keeps runs apart; the attempt number steps past a stale leftover.
    for (int attempt = 0; file_ < 0; ++attempt) {
        temporaryPath_ =
            path_ + "." + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp";
        file_ = ::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file_ < 0 && errno != EEXIST) {
            temporaryPath_.clear();
            fail();
        }
    }
    oldFile_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    oldBytes_.resize(oldFile_ >= 0 ? compareBlock : 0);
}

OutputFile::~OutputFile() {
    closeOld();
    if (file_ >= 0) {
        ::close(file_);
    }
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
    }
}

void OutputFile::write(std::string_view bytes) {
    compareWithOld(bytes);
    while (!bytes.empty()) {
        const ssize_t count = ::write(file_, bytes.data(), bytes.size());
        if (count < 0 && errno != EINTR) {
            fail();
        }
        bytes.remove_prefix(static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
    }
}

void OutputFile::commit() {
    char extra = 0;
    const bool unchanged = oldFile_ >= 0 && readFully(oldFile_, &extra, 1) == 0;
    closeOld();
    const int file = file_;
    file_ = -1;
    if (::close(file) != 0) {
        fail();
    }
    if (unchanged) {
        ::unlink(temporaryPath_.c_str());
    } else if (std::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
        fail();
    }
    temporaryPath_.clear();
}

void OutputFile::compareWithOld(std::string_view bytes) {
    while (oldFile_ >= 0 && !bytes.empty()) {
        const std::size_t size = std::min(bytes.size(), compareBlock);
        if (readFully(oldFile_, oldBytes_.data(), size) != static_cast<ssize_t>(size) ||
            std::memcmp(oldBytes_.data(), bytes.data(), size) != 0) {
            closeOld();
        }
        bytes.remove_prefix(size);
    }
}

void OutputFile::closeOld() {
    if (oldFile_ >= 0) {
        ::close(oldFile_);
        oldFile_ = -1;
    }
}

void OutputFile::fail() const {
    throw GeneratorError(1, "cannot write " + path_ + ": " + std::strerror(errno));
}

} // namespace tintwright
