#include "cli/platform/posix/extendedattributes.h"

#include <cerrno>
#include <string_view>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace tintwright {
namespace {

// The whole of a list or a value, asked for again while it grows between the two calls.
template <typename Read> std::optional<std::vector<char>> readWhole(Read read) {
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0) {
            return std::nullopt;
        }
        std::vector<char> bytes(static_cast<std::size_t>(size));
        const ssize_t got = read(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return bytes;
        }
        if (errno != ERANGE) {
            return std::nullopt;
        }
    }
}

} // namespace

std::optional<std::string> copyExtendedAttributes(const std::string& path, int file) {
    const auto names = readWhole(
        [&](char* data, std::size_t size) { return ::llistxattr(path.c_str(), data, size); });
    if (!names) {
        // A file system without extended attributes has none to keep.
        return errno == ENOTSUP ? std::nullopt : std::optional<std::string>("");
    }
    const bool superuser = ::geteuid() == 0;
    for (std::size_t at = 0; at < names->size();) {
        const std::string name(names->data() + at);
        at += name.size() + 1;
        if (!superuser && (name.starts_with("security.") || name.starts_with("trusted."))) {
            continue;
        }
        const auto value = readWhole([&](char* data, std::size_t size) {
            return ::lgetxattr(path.c_str(), name.c_str(), data, size);
        });
        if (!value || ::fsetxattr(file, name.c_str(), value->data(), value->size(), 0) != 0) {
            return name;
        }
    }
    return std::nullopt;
}

} // namespace tintwright
