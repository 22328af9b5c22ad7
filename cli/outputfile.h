#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace tintwright {

// Which file a path names: its device and inode when it exists, else its folder's and the
// name it would get there.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::string name;
    bool operator==(const FileIdentity&) const = default;
};

// One output file. A regular file, or a name where nothing is yet, is written to a
// temporary file beside it and replaced as a whole, keeping the old file's permission bits,
// owner and group; through a symbolic link, the file the link names is replaced and the
// link stays. A file that already holds exactly the new bytes is left alone, time stamp
// and all. Anything else, such as a device or a FIFO, is written in place and never read.
// Failures throw GeneratorError with status 1 and the system's reason.
class OutputFile {
public:
    // Looks the path up; a folder, or a path that cannot be looked up, is an error.
    explicit OutputFile(std::string path);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    const FileIdentity& identity() const { return identity_; }
    // The open folder a replaced file is in, or -1 for a file written in place.
    int folder() const { return folder_; }

    // Removes the temporary files that runs killed while writing this file left behind; call
    // only while the folder is locked, when no other run writes there.
    void removeLeftovers() const;
    // Creates the temporary file, or opens the file written in place.
    void open();
    void write(std::string_view bytes);
    // Ends the writing; the temporary file is complete.
    void close();
    // Puts the new file in place, holding on to the old one until finish() drops it or
    // restore() puts it back.
    void replace();
    void restore();
    void finish();

private:
    void putBackOld();
    void compareWithOld(std::string_view bytes);
    void closeOld();
    [[noreturn]] void fail() const;
    [[noreturn]] void failInFolder() const;

    std::string path_;
    std::string folderPath_;
    std::string name_; // in the folder, after any links
    FileIdentity identity_;
    int folder_ = -1;
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
