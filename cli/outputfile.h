#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tintwright {

// A file written whole or not at all. The bytes go to a temporary file in the same folder,
// which commit() renames into place; a file that already holds exactly these bytes is left
// alone, time stamp and all. Dropped before commit(), it removes the temporary file.
// Failures throw GeneratorError with status 1 and the system's reason.
class OutputFile {
public:
    explicit OutputFile(std::string path);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    void write(std::string_view bytes);
    void commit();

private:
    void compareWithOld(std::string_view bytes);
    void closeOld();
    [[noreturn]] void fail() const;

    std::string path_;
    std::string temporaryPath_;
    int file_ = -1;
    // The file being replaced, read alongside the new bytes for as long as it matches them.
    int oldFile_ = -1;
    std::vector<char> oldBytes_;
};

} // namespace tintwright
