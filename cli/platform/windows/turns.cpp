#include "cli/platform/turns.h"

#include "cli/platform/windows/handleidentity.h"
#include "cli/platform/windows/leftovers.h"
#include "cli/platform/windows/outputfilestate.h"

#include <map>
#include <tuple>
#include <vector>

namespace tintwright {
namespace {

// LockFileEx locks files, not folders: runs take turns at this file in each folder they
// replace files in. It stays there, empty, for the next run.
constexpr wchar_t turnsName[] = L".tintwright-turns";

} // namespace

struct Turns::Held {
    std::vector<HANDLE> locks;
};

Turns::Turns(std::span<const std::unique_ptr<OutputFile>> files, std::span<const FileIdentity> read)
    : held_(std::make_unique<Held>()) {
    // Each folder is locked once, in the order of its lock file's identity: runs that share
    // several folders lock them in the same order, so none waits for another in a circle.
    std::map<std::tuple<std::uint64_t, std::uint64_t>, HANDLE> locks;
    bool locked = true;
    for (const auto& file : files) {
        if (!file || file->state_->folder_.empty()) {
            continue;
        }
        const HANDLE lock = ::CreateFileW(inFolder(file->state_->folder_, turnsName).c_str(),
                                          GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
        const std::optional<FileIdentity> identity =
            lock != INVALID_HANDLE_VALUE ? identityOfHandle(lock) : std::nullopt;
        if (!identity ||
            !locks.emplace(std::tuple(identity->volume, identity->file), lock).second) {
            locked = locked && identity.has_value();
            if (lock != INVALID_HANDLE_VALUE) {
                ::CloseHandle(lock);
            }
        }
    }
    for (const auto& [identity, lock] : locks) {
        OVERLAPPED whole{};
        locked = ::LockFileEx(lock, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole) != 0 && locked;
        held_->locks.push_back(lock);
    }
    std::vector<FileIdentity> kept(read.begin(), read.end());
    for (const auto& file : files) {
        if (file) {
            kept.push_back(file->identity());
        }
    }
    for (const auto& file : files) {
        if (file && !file->state_->folder_.empty() && locked) {
            removeLeftovers(file->state_->folder_, file->state_->name_, kept);
        }
    }
}

Turns::~Turns() {
    for (const HANDLE lock : held_->locks) {
        OVERLAPPED whole{};
        ::UnlockFileEx(lock, 0, 1, 0, &whole);
        ::CloseHandle(lock);
    }
}

} // namespace tintwright
