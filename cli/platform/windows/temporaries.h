#pragma once

#include <string>

namespace tintwright {

// Temporary files that Ctrl+C, Ctrl+Break, closing the console, logging off and shutting
// down remove before the event takes its course. The handler is in place only while a
// temporary is registered.

// Registers and drops the temporary at the full path `path`; call both while interruptions
// are held.
void addTemporary(const std::wstring& path);
void dropTemporary(const std::wstring& path);

} // namespace tintwright
