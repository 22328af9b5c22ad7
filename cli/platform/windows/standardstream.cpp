#include "cli/platform/standardstream.h"

#include "cli/platform/windows/handleidentity.h"

#include <io.h>

namespace tintwright {

StandardStream describeStandardStream(int stream) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(stream));
    if (handle == INVALID_HANDLE_VALUE) {
        return {};
    }
    DWORD mode = 0;
    if (::GetConsoleMode(handle, &mode) != 0) {
        return {StreamKind::terminal, {}};
    }
    const std::optional<FileIdentity> identity =
        ::GetFileType(handle) == FILE_TYPE_DISK ? identityOfHandle(handle) : std::nullopt;
    return identity ? StandardStream{StreamKind::regularFile, *identity} : StandardStream{};
}

// Windows has no names for open descriptors: CON is the console, not standard output.
int streamNamedBy(const std::string&) {
    return -1;
}

} // namespace tintwright
