#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tintwright {

// The file about to be replaced, read alongside the new bytes, a block at a time, for as long
// as it matches them: a file that already holds exactly the new bytes is left alone.
class OldFileComparison {
public:
    OldFileComparison() = default;
    OldFileComparison(const OldFileComparison&) = delete;
    OldFileComparison& operator=(const OldFileComparison&) = delete;
    ~OldFileComparison();

    // Starts with the regular file `name` in the open folder `folder`, if it can be read.
    void start(int folder, const std::string& name);
    void compare(std::string_view bytes);
    // Whether the old file held the new bytes and nothing more; ends the comparison.
    bool unchanged();

private:
    void stop();

    int file_ = -1;
    std::vector<char> block_;
};

} // namespace tintwright
