#pragma once

#include "cli/platform/outputfile.h"

#include <string>
#include <string_view>
#include <vector>

namespace tintwright {

// An output file as POSIX sees it: a replaced file is written to a temporary name in its open
// folder and renamed over the old one.
struct OutputFile::State {
    explicit State(std::string path);
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State();

    // Removes the temporary files that runs killed while writing this file left behind; call
    // only while the folder is locked, when no other run writes there.
    void removeLeftovers() const;
    void open();
    void write(std::string_view bytes);
    void close();
    void replace();
    void restore();
    void finish();
    void putBackOld();
    void compareWithOld(std::string_view bytes);
    void closeOld();
    [[noreturn]] void fail() const;
    [[noreturn]] void failInFolder() const;

    std::string path_;
    std::string folderPath_;
    std::string name_; // in the folder, after any links
    FileIdentity identity_;
    int folder_ = -1; // the open folder a replaced file is in, or -1 for a file written in place
    bool exists_ = false; // a regular file to replace, as open() found it
    int file_ = -1;
    std::string temporaryName_;
    std::string keptName_; // the old file while a replacement may still be undone
    bool replaced_ = false;
    // The file being replaced, read alongside the new bytes for as long as it matches them.
    int oldFile_ = -1;
    std::vector<char> oldBytes_;
};

} // namespace tintwright
