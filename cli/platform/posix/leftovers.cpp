#include "cli/platform/posix/leftovers.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace tintwright {
namespace {

constexpr std::string_view mark = ".tintwright-";
constexpr std::string_view letters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t randomLetters = 6;
// Digits of the largest process id Linux gives, 2^22.
constexpr std::size_t processIdDigits = 7;

// ".NAME.tintwright-", with which every temporary name for NAME starts; a long NAME is cut so
// that the whole name still fits in a folder entry.
std::string stem(const std::string& name) {
    const std::size_t room = NAME_MAX - 1 - mark.size() - processIdDigits - 1 - randomLetters;
    return "." + name.substr(0, room) + std::string(mark);
}

// The process id in what follows the stem of a name, or 0 where that is not "PID-XXXXXX".
pid_t processIdIn(std::string_view rest) {
    pid_t processId = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), processId);
    const std::string_view random = rest.substr(static_cast<std::size_t>(end - rest.data()));
    const bool wellFormed = error == std::errc{} && processId > 0 && rest[0] != '0' &&
                            random.size() == 1 + randomLetters && random[0] == '-' &&
                            random.find_first_not_of(letters, 1) == std::string_view::npos;
    return wellFormed ? processId : 0;
}

} // namespace

std::string temporaryName(const std::string& name) {
    static std::minstd_rand random(std::random_device{}());
    std::string unused = stem(name) + std::to_string(::getpid()) + "-";
    for (std::size_t i = 0; i < randomLetters; ++i) {
        unused += letters[random() % letters.size()];
    }
    return unused;
}

void removeLeftovers(int folder, const std::string& name, std::span<const FileIdentity> kept) {
    const std::string start = stem(name);
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* const listing = listed >= 0 ? ::fdopendir(listed) : nullptr;
    while (const dirent* const entry = listing != nullptr ? ::readdir(listing) : nullptr) {
        const std::string_view leftover = entry->d_name;
        const pid_t processId =
            leftover.starts_with(start) ? processIdIn(leftover.substr(start.size())) : 0;
        struct stat found {};
        // A run still going, such as one on a file system that cannot lock, keeps its files.
        if (processId == 0 || ::kill(processId, 0) == 0 || errno != ESRCH ||
            ::fstatat(folder, entry->d_name, &found, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(found.st_mode)) {
            continue;
        }
        const FileIdentity identity{found.st_dev, found.st_ino, ""};
        if (std::find(kept.begin(), kept.end(), identity) == kept.end()) {
            ::unlinkat(folder, entry->d_name, 0);
        }
    }
    if (listing != nullptr) {
        ::closedir(listing);
    } else if (listed >= 0) {
        ::close(listed);
    }
}

} // namespace tintwright
