// The console the game plays on, as the system gives it: the terminal on Linux
// (real_terminal.h), the console on Windows (windows_console.h); and the texts printed
// before and after it.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "console/console.h"
#include "console/messages.h"

namespace tarnwick {

// Writes a text as the game draws it (on Linux in the locale's character set; to a Windows
// console in UTF-16, to a file in UTF-8). Returns the status, or 1 when the text could not
// be written, with errno telling why where the system sets it. A write into a pipe whose reader
// left fails; it does not end the program.
int writeText(std::FILE* to, std::string_view utf8, int status);
// Why the game cannot play here; empty when it can. Touches nothing.
Message consoleRefusal();
// Takes the console over until the returned console is destroyed.
std::unique_ptr<Console> openConsole();

}  // namespace tarnwick
