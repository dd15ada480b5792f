// Text at the edge of the Windows API: the game's paths are UTF-8, Windows' are UTF-16 (the
// narrow calls would read them in the local code page and mangle a Chinese user name); the
// system's errors are told as the C library's error numbers, which the messages name in
// English or in Chinese (console/messages.h); file times count 100 ns from 1601, the game's
// nanoseconds from 1970. Windows only.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick::storage {

std::wstring widePath(const std::string& utf8);
std::string utf8Text(const std::wstring& wide);
// The C library's error number for an error of GetLastError().
int errorNumber(unsigned long error);
// A file time (the 64 bits of a FILETIME) in ns since 1970, and back.
std::int64_t nsSince1970(std::uint64_t fileTime);
std::uint64_t fileTimeOf(std::int64_t nsSince1970);

}  // namespace tarnwick::storage
