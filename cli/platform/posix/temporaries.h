#pragma once

#include <string>

namespace tintwright {

// Named temporary files, where the file system has no unnamed ones, that the signals which
// end a run remove before the signal takes its course. The handlers are in place only while a
// temporary is registered, and a signal that was ignored stays ignored.

// Registers and drops the temporary `name` in the open folder `folder`; call both while
// interruptions are held.
void addTemporary(int folder, const std::string& name);
void dropTemporary(int folder, const std::string& name);

} // namespace tintwright
