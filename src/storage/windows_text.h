// Text at the edge of the Windows API: the game's paths are UTF-8, Windows' are UTF-16 (the
// narrow calls would read them in the local code page and mangle a Chinese user name); the
// system's errors are told as the C library's error numbers, which the messages name in
// English or in Chinese (console/messages.h). Windows only.
#pragma once

#include <string>

namespace tarnwick::storage {

std::wstring widePath(const std::string& utf8);
std::string utf8Text(const std::wstring& wide);
// The C library's error number for an error of GetLastError().
int errorNumber(unsigned long error);

}  // namespace tarnwick::storage
