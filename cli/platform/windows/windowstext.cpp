#include "cli/platform/windows/windowstext.h"

#include <cerrno>
#include <cstring>

namespace tintwright {

std::wstring wide(const std::string& utf8) {
    const int size = static_cast<int>(utf8.size());
    std::wstring result(
        static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, result.data(),
                          static_cast<int>(result.size()));
    return result;
}

std::string utf8(const std::wstring& wide) {
    const int size = static_cast<int>(wide.size());
    std::string result(static_cast<std::size_t>(::WideCharToMultiByte(
                           CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
                       '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, result.data(),
                          static_cast<int>(result.size()), nullptr, nullptr);
    return result;
}

std::string describeError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return std::strerror(ENOENT);
    case ERROR_ACCESS_DENIED:
        return std::strerror(EACCES);
    case ERROR_DIRECTORY:
        return std::strerror(EISDIR);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::strerror(ENOSPC);
    case ERROR_WRITE_PROTECT:
        return std::strerror(EROFS);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return "the file is open in another program";
    default:
        return "Windows error " + std::to_string(error);
    }
}

} // namespace tintwright
