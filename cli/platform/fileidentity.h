#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tintwright {

// Which file a path names: its volume and its number there when it exists, else its
// folder's and the name it would get there.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    std::string name;
    bool operator==(const FileIdentity&) const = default;
};

// The file `path` names, after any links; nullopt when there is none or it cannot be looked up.
std::optional<FileIdentity> identityOf(const std::string& path);

} // namespace tintwright
