#include "cli/platform/fileidentity.h"

#include "cli/platform/windows/handleidentity.h"
#include "cli/platform/windows/windowstext.h"

namespace tintwright {

std::optional<FileIdentity> identityOf(const std::string& path) {
    // No access asked for, and every kind of sharing: a file open in another program, or a
    // folder, can still be looked at.
    const HANDLE file =
        ::CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::optional<FileIdentity> identity = identityOfHandle(file);
    ::CloseHandle(file);
    return identity;
}

} // namespace tintwright
