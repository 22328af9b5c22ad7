#pragma once

#include "cli/platform/fileidentity.h"

#include <span>
#include <string>

namespace tintwright {

// A name for a temporary file beside the file `name`: hidden, with this program's mark, the
// process id and a random part, ".NAME.tintwright-PID-XXXXXX", cut to fit a folder entry.
std::string temporaryName(const std::string& name);

// Removes from the open folder `folder` the temporary files for `name` that runs which are no
// longer running left behind: regular files whose whole name has the form temporaryName()
// gives, and that are none of the files `kept`. Call only while the folder is locked.
void removeLeftovers(int folder, const std::string& name, std::span<const FileIdentity> kept);

} // namespace tintwright
