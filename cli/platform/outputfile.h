#pragma once

#include "cli/platform/fileidentity.h"

#include <memory>
#include <string>
#include <string_view>

namespace tintwright {

class Turns;

// One output file. A regular file, or a name where nothing is yet, is written to a
// temporary file beside it and replaced as a whole, keeping the old file's permission bits,
// owner, group and extended attributes (its ACL included), or refused where one of them
// cannot be kept; through a symbolic link, the file the link names is replaced and the
// link stays. A file that already holds exactly the new bytes is left alone, time stamp
// and all. A name of an open descriptor, such as /dev/fd/3, is that descriptor; it and
// anything else, such as a device or a FIFO, is written in place and never read.
// Failures throw GeneratorError with status 1 and the system's reason.
class OutputFile {
public:
    // Looks the path up; a folder, or a path that cannot be looked up, is an error.
    explicit OutputFile(std::string path);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    const FileIdentity& identity() const;
    // Whether the file is written where it is, such as a device or a FIFO, not replaced.
    bool inPlace() const;

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

    // Each platform's own: the open files and names.
    struct State;

private:
    friend class Turns;
    std::unique_ptr<State> state_;
};

} // namespace tintwright
