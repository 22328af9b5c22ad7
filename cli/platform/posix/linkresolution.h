#pragma once

#include <string>

namespace tintwright {

// Where an output's path leads: an open descriptor that one of its names stands for, or the
// folder and name at the end of its chain of symbolic links.
struct ResolvedPath {
    int stream = -1; // N for /dev/stdout (1), /dev/stderr (2), /dev/fd/N or /proc/self/fd/N
    std::string folder;
    std::string name;
};

// Follows the links of `path`, stopping at a name that stands for an open descriptor;
// returns 0, or the errno value of the failure.
int resolveLinks(const std::string& path, ResolvedPath& resolved);

} // namespace tintwright
