#pragma once

#include <string>
#include <windows.h>

namespace tintwright {

// Names as Windows' wide calls take them, from and to the UTF-8 the rest of the program uses.
std::wstring wide(const std::string& utf8);
std::string utf8(const std::wstring& wide);

// Why a call failed, in the words the POSIX build uses where there are such words, so that
// messages read the same on both.
std::string describeError(DWORD error);

} // namespace tintwright
