#pragma once

#include "cli/platform/fileidentity.h"

#include <span>
#include <string>

namespace tintwright {

// A name for a temporary file beside the file `name`: with this program's mark, the process
// id and a random part, ".NAME.tintwright-PID-XXXXXX", cut to fit a folder entry.
std::wstring temporaryName(const std::wstring& name);

// Removes from the folder `folder` the temporary files for `name` that runs which are no
// longer running left behind: files whose whole name has the form temporaryName() gives, and
// that are none of the files `kept`. Call only during the run's turn.
void removeLeftovers(const std::wstring& folder, const std::wstring& name,
                     std::span<const FileIdentity> kept);

} // namespace tintwright
