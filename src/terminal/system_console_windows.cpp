#include <io.h>
#include <windows.h>

#include "terminal/system_console.h"
#include "terminal/windows_console.h"

namespace tarnwick {

int writeText(std::FILE* to, std::string_view utf8, int status) {
    std::fflush(to);
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(to)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        const std::wstring text = wideText(utf8);
        DWORD written = 0;
        return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written,
                             nullptr) != 0
                   ? status
                   : 1;
    }
    // A file or a pipe gets the UTF-8 bytes, line ends and all, as on Linux.
    DWORD written = 0;
    const bool whole =
        WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) != 0 &&
        written == utf8.size();
    return whole ? status : 1;
}

Message consoleRefusal() {
    return {windowsConsoleRefusal()};
}

std::unique_ptr<Console> openConsole() {
    return std::make_unique<WindowsConsole>();
}

}  // namespace tarnwick
