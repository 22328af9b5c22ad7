#pragma once

#include <optional>
#include <string>

namespace tintwright {

// Gives the open file `file` the extended attributes of the file `path`, its POSIX access
// ACL included: all that the running user can read, so `security.*` and `trusted.*` only
// for the superuser. Returns the name of the first that cannot be copied ("" when they
// cannot be listed), with errno set, or nullopt once all are.
std::optional<std::string> copyExtendedAttributes(const std::string& path, int file);

} // namespace tintwright
