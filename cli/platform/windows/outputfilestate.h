#pragma once

#include "cli/platform/outputfile.h"

#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace tintwright {

// An output file as Windows sees it: a replaced file is written to a temporary name in its
// folder and put in place with ReplaceFileW, which keeps the old file's attributes and
// security descriptor, or with MoveFileExW where there was no file.
struct OutputFile::State {
    explicit State(std::string path);
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State();

    void open();
    void write(std::string_view bytes);
    void close();
    void replace();
    void restore();
    void finish();
    void putBackOld();
    void compareWithOld(std::string_view bytes);
    void closeOld();
    [[noreturn]] void fail(DWORD error) const;
    [[noreturn]] void failInFolder(DWORD error) const;

    std::string path_;
    std::string folderPath_; // as the path gives it, for messages
    std::wstring folder_;    // the folder a replaced file is in, or "" for one written in place
    std::wstring name_;      // in the folder, after any links
    FileIdentity identity_;
    bool exists_ = false; // a file to replace, as open() found it
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::wstring temporaryName_;
    std::wstring keptName_; // the old file while a replacement may still be undone
    bool replaced_ = false;
    // The file being replaced, read alongside the new bytes for as long as it matches them.
    HANDLE oldFile_ = INVALID_HANDLE_VALUE;
    std::vector<char> oldBytes_;
};

// Full paths in a replaced file's folder.
std::wstring inFolder(const std::wstring& folder, const std::wstring& name);

} // namespace tintwright
