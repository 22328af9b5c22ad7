#pragma once

#include "cli/platform/fileidentity.h"

#include <optional>
#include <windows.h>

namespace tintwright {

// The volume serial number and file index of an open file or folder; nullopt when Windows
// cannot tell, as for a console or a pipe.
std::optional<FileIdentity> identityOfHandle(HANDLE file);

} // namespace tintwright
