#include "cli/platform/windows/leftovers.h"

#include "cli/platform/windows/handleidentity.h"
#include "cli/platform/windows/outputfilestate.h"

#include <algorithm>
#include <random>
#include <string_view>
#include <windows.h>

namespace tintwright {
namespace {

constexpr std::wstring_view mark = L".tintwright-";
constexpr std::wstring_view letters =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t randomLetters = 6;
// The longest name a folder entry holds, in UTF-16 units, and the digits of the largest
// process id.
constexpr std::size_t maxName = 255;
constexpr std::size_t processIdDigits = 10;

// ".NAME.tintwright-", with which every temporary name for NAME starts; a long NAME is cut so
// that the whole name still fits in a folder entry.
std::wstring stem(const std::wstring& name) {
    const std::size_t room = maxName - 1 - mark.size() - processIdDigits - 1 - randomLetters;
    return L"." + name.substr(0, room) + std::wstring(mark);
}

// The process id in what follows the stem of a name, or 0 where that is not "PID-XXXXXX".
DWORD processIdIn(std::wstring_view rest) {
    const std::size_t digits = rest.find_first_not_of(L"0123456789");
    const bool wellFormed = digits != std::wstring_view::npos && digits > 0 &&
                            digits <= processIdDigits && rest[0] != L'0' &&
                            rest.size() == digits + 1 + randomLetters && rest[digits] == L'-' &&
                            rest.find_first_not_of(letters, digits + 1) == std::wstring_view::npos;
    return wellFormed ? static_cast<DWORD>(std::stoull(std::wstring(rest.substr(0, digits)))) : 0;
}

bool running(DWORD processId) {
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) {
        return ::GetLastError() != ERROR_INVALID_PARAMETER; // no such process
    }
    const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return !ended;
}

} // namespace

std::wstring temporaryName(const std::wstring& name) {
    static std::minstd_rand random(std::random_device{}());
    std::wstring unused = stem(name) + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (std::size_t i = 0; i < randomLetters; ++i) {
        unused += letters[random() % letters.size()];
    }
    return unused;
}

void removeLeftovers(const std::wstring& folder, const std::wstring& name,
                     std::span<const FileIdentity> kept) {
    const std::wstring start = stem(name);
    WIN32_FIND_DATAW entry{};
    const HANDLE listing = ::FindFirstFileW(inFolder(folder, start + L"*").c_str(), &entry);
    for (bool more = listing != INVALID_HANDLE_VALUE; more;
         more = ::FindNextFileW(listing, &entry) != 0) {
        const std::wstring_view leftover = entry.cFileName;
        const DWORD processId =
            leftover.starts_with(start) ? processIdIn(leftover.substr(start.size())) : 0;
        // A run still going, such as one on a file system that cannot lock, keeps its files.
        if (processId == 0 || running(processId) ||
            (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            continue;
        }
        const std::wstring path = inFolder(folder, entry.cFileName);
        const HANDLE file =
            ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, 0, nullptr);
        const std::optional<FileIdentity> identity =
            file != INVALID_HANDLE_VALUE ? identityOfHandle(file) : std::nullopt;
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
        }
        if (identity && std::find(kept.begin(), kept.end(), *identity) == kept.end()) {
            ::DeleteFileW(path.c_str());
        }
    }
    if (listing != INVALID_HANDLE_VALUE) {
        ::FindClose(listing);
    }
}

} // namespace tintwright
