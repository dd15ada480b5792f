// Text at the edge of the Windows API: the game's paths are UTF-8, Windows' are UTF-16 (the
// narrow calls would read them in the local code page and mangle a Chinese user name), and
// the system's error messages come in UTF-16 in the user's language. Windows only.
#pragma once

#include <string>

namespace tarnwick::storage {

std::wstring widePath(const std::string& utf8);
std::string utf8Text(const std::wstring& wide);
// The system's message for an error code of GetLastError(), on one line.
std::string systemMessage(unsigned long error);

}  // namespace tarnwick::storage
