#include "cli/platform/posix/linkresolution.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tintwright {
namespace {

// As many links as the system itself follows in one path.
constexpr int maxLinks = 40;

// The descriptor that the path `name` stands for, or -1: its name in /dev, or a name in this
// process's folder of descriptors, however the path reaches that folder.
int streamNamed(const std::filesystem::path& name) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(name, error).lexically_normal();
    if (path == "/dev/stdin" || path == "/dev/stdout" || path == "/dev/stderr") {
        return path == "/dev/stdin" ? 0 : path == "/dev/stdout" ? 1 : 2;
    }
    const std::filesystem::path folder = std::filesystem::canonical(path.parent_path(), error);
    const std::string digits = path.filename();
    int stream = -1;
    const auto [end, failure] =
        std::from_chars(digits.data(), digits.data() + digits.size(), stream);
    const bool number = failure == std::errc{} && end == digits.data() + digits.size() &&
                        !digits.empty() && digits[0] != '-' && digits[0] != '+';
    const bool descriptors = !error && folder == "/proc/" + std::to_string(::getpid()) + "/fd";
    return number && descriptors ? stream : -1;
}

} // namespace

int resolveLinks(const std::string& path, ResolvedPath& resolved) {
    std::filesystem::path target = path;
    for (int links = 0;; ++links) {
        resolved.stream = streamNamed(target);
        if (resolved.stream >= 0) {
            return 0;
        }
        struct stat entry {};
        const bool linkFound = ::lstat(target.c_str(), &entry) == 0;
        if (!linkFound && errno != ENOENT) {
            return errno;
        }
        if (!linkFound || !S_ISLNK(entry.st_mode)) {
            break;
        }
        std::array<char, PATH_MAX> link{};
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0) {
            return errno;
        }
        if (links == maxLinks || static_cast<std::size_t>(length) == link.size()) {
            return ELOOP;
        }
        target = target.parent_path() / std::string(link.data(), static_cast<std::size_t>(length));
    }
    resolved.name = target.filename();
    resolved.folder = target.has_parent_path() ? target.parent_path().string() : ".";
    // A path ending in "/" names nothing.
    return resolved.name.empty() ? ENOENT : 0;
}

} // namespace tintwright
