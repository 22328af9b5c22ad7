#include "cli/generatorerror.h"
#include "cli/platform/interruption.h"
#include "cli/platform/windows/handleidentity.h"
#include "cli/platform/windows/leftovers.h"
#include "cli/platform/windows/outputfilestate.h"
#include "cli/platform/windows/temporaries.h"
#include "cli/platform/windows/windowstext.h"
#include "cli/printable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace tintwright {
namespace {

// The old file is compared a block at a time, never read whole into memory.
constexpr std::size_t compareBlock = 1 << 16;
constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Reads `size` bytes, fewer only at the end of the file; returns how many, or -1.
long long readFully(HANDLE file, char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        DWORD count = 0;
        if (::ReadFile(file, data + done, static_cast<DWORD>(size - done), &count, nullptr) == 0) {
            return -1;
        }
        if (count == 0) {
            break;
        }
        done += count;
    }
    return static_cast<long long>(done);
}

// The full path of an open file or folder, links followed; "" when Windows cannot tell.
std::wstring finalPath(HANDLE file) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = ::GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                                 0)) >= path.size()) {
        path.resize(length);
    }
    path.resize(length);
    return path;
}

// Where a path splits into its folder and the name in it.
std::size_t nameStart(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? (path.size() > 1 && path[1] == L':' ? 2 : 0)
                                           : separator + 1;
}

} // namespace

std::wstring inFolder(const std::wstring& folder, const std::wstring& name) {
    return folder + L"\\" + name;
}

OutputFile::State::State(std::string path)
    : path_(std::move(path)) {
    const std::wstring widePath = wide(path_);
    const std::size_t start = nameStart(widePath);
    // The folder as the path names it, without the separator after it.
    folderPath_ = start == 0 ? "." : path_.substr(0, utf8(widePath.substr(0, start - 1)).size());
    const HANDLE found = ::CreateFileW(widePath.c_str(), 0, shareAll, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (found != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION information{};
        const bool onDisk = ::GetFileType(found) == FILE_TYPE_DISK &&
                            ::GetFileInformationByHandle(found, &information) != 0;
        const std::optional<FileIdentity> identity = identityOfHandle(found);
        const std::wstring target = onDisk ? finalPath(found) : L"";
        ::CloseHandle(found);
        if (!onDisk) { // a device, such as NUL or CON, or a pipe: written in place
            identity_ = identity.value_or(FileIdentity{0, 0, path_});
            return;
        }
        if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            fail(ERROR_DIRECTORY);
        }
        if ((information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
            throw GeneratorError(1, "cannot write " + printable(path_, maxShownPath) +
                                        ": the file is read-only, and Windows does not "
                                        "replace a read-only file");
        }
        identity_ = *identity;
        folder_ = target.substr(0, nameStart(target) - 1);
        name_ = target.substr(nameStart(target));
        return;
    }
    if (const DWORD error = ::GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        error == ERROR_PATH_NOT_FOUND ? failInFolder(error) : fail(error);
    }
    name_ = widePath.substr(start);
    if (name_.empty()) {
        fail(ERROR_FILE_NOT_FOUND);
    }
    const HANDLE folder =
        ::CreateFileW(start == 0 ? L"." : widePath.substr(0, start).c_str(), 0, shareAll, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) {
        failInFolder(::GetLastError());
    }
    const std::optional<FileIdentity> identity = identityOfHandle(folder);
    folder_ = finalPath(folder);
    ::CloseHandle(folder);
    if (!identity || folder_.empty()) {
        failInFolder(ERROR_PATH_NOT_FOUND);
    }
    // Names that differ only in case name the same file.
    std::wstring upper = name_;
    ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    identity_ = {identity->volume, identity->file, utf8(upper)};
}

OutputFile::State::~State() {
    closeOld();
    if (file_ != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file_);
    }
    if (!temporaryName_.empty()) {
        const HeldInterruptions held;
        const std::wstring temporary = inFolder(folder_, temporaryName_);
        ::DeleteFileW(temporary.c_str());
        dropTemporary(temporary);
    }
}

void OutputFile::State::open() {
    if (folder_.empty()) {
        file_ =
            ::CreateFileW(wide(path_).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, 0, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) {
            fail(::GetLastError());
        }
        return;
    }
    {
        const HeldInterruptions held;
        while (file_ == INVALID_HANDLE_VALUE) {
            temporaryName_ = temporaryName(name_);
            // Shared for deleting, so that an interruption can remove it while it is open.
            file_ = ::CreateFileW(inFolder(folder_, temporaryName_).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
            if (const DWORD error = ::GetLastError();
                file_ == INVALID_HANDLE_VALUE && error != ERROR_FILE_EXISTS) {
                temporaryName_.clear();
                failInFolder(error);
            }
        }
        addTemporary(inFolder(folder_, temporaryName_));
    }
    // Looked at again now that other runs wait: one may have written the file meanwhile.
    const std::wstring target = inFolder(folder_, name_);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    exists_ = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists_) {
        // A program that holds the file open without letting it be deleted keeps it from
        // being replaced: that is known now, before any output is put in place.
        const HANDLE deletable =
            ::CreateFileW(target.c_str(), DELETE, shareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        if (deletable == INVALID_HANDLE_VALUE) {
            fail(::GetLastError());
        }
        ::CloseHandle(deletable);
        oldFile_ = ::CreateFileW(target.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
        oldBytes_.resize(oldFile_ != INVALID_HANDLE_VALUE ? compareBlock : 0);
    }
}

void OutputFile::State::write(std::string_view bytes) {
    compareWithOld(bytes);
    while (!bytes.empty()) {
        DWORD count = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
        if (::WriteFile(file_, bytes.data(), size, &count, nullptr) == 0) {
            fail(::GetLastError());
        }
        bytes.remove_prefix(count);
    }
}

void OutputFile::State::close() {
    if (::CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE)) == 0) {
        fail(::GetLastError());
    }
}

void OutputFile::State::replace() {
    char extra = 0;
    const bool unchanged = oldFile_ != INVALID_HANDLE_VALUE && readFully(oldFile_, &extra, 1) == 0;
    closeOld();
    if (folder_.empty() || unchanged) {
        return;
    }
    const std::wstring target = inFolder(folder_, name_);
    const std::wstring temporary = inFolder(folder_, temporaryName_);
    if (exists_) {
        // The old file moves to a second name, from which restore() can put it back.
        keptName_ = temporaryName(name_);
        const std::wstring kept = inFolder(folder_, keptName_);
        if (::ReplaceFileW(target.c_str(), temporary.c_str(), kept.c_str(),
                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) == 0) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) { // the old file has the second name
                putBackOld();
            }
            keptName_.clear();
            fail(error);
        }
    } else if (::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) == 0) {
        // Windows tells a folder made meanwhile where the file goes only as access denied.
        const DWORD attributes = ::GetFileAttributesW(target.c_str());
        fail(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                 ? ERROR_DIRECTORY
                 : ::GetLastError());
    }
    dropTemporary(temporary);
    temporaryName_.clear();
    replaced_ = true;
}

void OutputFile::State::restore() {
    if (std::exchange(replaced_, false)) {
        if (keptName_.empty()) {
            ::DeleteFileW(inFolder(folder_, name_).c_str());
        } else {
            putBackOld();
        }
    }
}

void OutputFile::State::putBackOld() {
    if (!keptName_.empty()) {
        ::MoveFileExW(inFolder(folder_, keptName_).c_str(), inFolder(folder_, name_).c_str(),
                      MOVEFILE_REPLACE_EXISTING);
        keptName_.clear();
    }
}

void OutputFile::State::finish() {
    if (!keptName_.empty()) {
        ::DeleteFileW(inFolder(folder_, keptName_).c_str());
        keptName_.clear();
    }
    replaced_ = false;
}

void OutputFile::State::compareWithOld(std::string_view bytes) {
    while (oldFile_ != INVALID_HANDLE_VALUE && !bytes.empty()) {
        const std::size_t size = std::min(bytes.size(), compareBlock);
        if (readFully(oldFile_, oldBytes_.data(), size) != static_cast<long long>(size) ||
            std::memcmp(oldBytes_.data(), bytes.data(), size) != 0) {
            closeOld();
        }
        bytes.remove_prefix(size);
    }
}

void OutputFile::State::closeOld() {
    if (oldFile_ != INVALID_HANDLE_VALUE) {
        ::CloseHandle(std::exchange(oldFile_, INVALID_HANDLE_VALUE));
    }
}

void OutputFile::State::fail(DWORD error) const {
    throw GeneratorError(1, "cannot write " + printable(path_, maxShownPath) + ": " +
                                describeError(error));
}

void OutputFile::State::failInFolder(DWORD error) const {
    throw GeneratorError(1, "cannot write in folder " + printable(folderPath_, maxShownPath) +
                                ": " + describeError(error));
}

OutputFile::OutputFile(std::string path)
    : state_(std::make_unique<State>(std::move(path))) {}

OutputFile::~OutputFile() = default;

const FileIdentity& OutputFile::identity() const {
    return state_->identity_;
}

bool OutputFile::inPlace() const {
    return state_->folder_.empty();
}

void OutputFile::open() {
    state_->open();
}

void OutputFile::write(std::string_view bytes) {
    state_->write(bytes);
}

void OutputFile::close() {
    state_->close();
}

void OutputFile::replace() {
    state_->replace();
}

void OutputFile::restore() {
    state_->restore();
}

void OutputFile::finish() {
    state_->finish();
}

} // namespace tintwright
