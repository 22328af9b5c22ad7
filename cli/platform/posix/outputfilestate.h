#pragma once

#include "cli/platform/outputfile.h"
#include "cli/platform/posix/linkresolution.h"
#include "cli/platform/posix/oldfilecomparison.h"

#include <string>
#include <string_view>

namespace tintwright {

// An output file as POSIX sees it: a replaced file is written to an unnamed temporary file
// in its open folder (a named one where the file system has none), linked to a temporary
// name and renamed over the old one in the commit.
struct OutputFile::State {
    explicit State(std::string path);
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State();

    void open();
    // Gives the new file the old one's owner, group, extended attributes and mode, in that
    // order: the mode after the ACL, so that its group bits grant nothing the ACL mask did not.
    void keepAttributes();
    void write(std::string_view bytes);
    void close();
    void replace();
    void restore();
    void finish();
    void putBackOld();
    // Removes the temporary name, where there is one.
    void removeTemporary();
    [[noreturn]] void fail() const;
    [[noreturn]] void failInFolder() const;
    [[noreturn]] void failToKeep(const std::string& what) const;

    std::string path_;
    ResolvedPath resolved_; // the folder and name, after any links
    FileIdentity identity_;
    int folder_ = -1; // the open folder a replaced file is in, or -1 for a file written in place
    int file_ = -1;
    bool unnamed_ = false; // the new file has no name until the commit
    std::string temporaryName_;
    std::string keptName_; // the old file while a replacement may still be undone
    bool replaced_ = false;
    OldFileComparison old_;
};

} // namespace tintwright
