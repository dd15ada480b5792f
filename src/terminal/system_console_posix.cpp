#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "terminal/output_encoding.h"
#include "terminal/real_terminal.h"
#include "terminal/system_console.h"
#include "terminal/terminal_modes.h"

namespace tarnwick {

int writeText(std::FILE* to, std::string_view utf8, int status) {
    // A pipe whose reader left fails the write instead of ending the program unheard.
    std::signal(SIGPIPE, SIG_IGN);
    OutputEncoding encoding(localeCodeset());
    const std::string text = encoding.encode(utf8);
    const bool written = std::fwrite(text.data(), 1, text.size(), to) == text.size();
    return written && std::fflush(to) == 0 ? status : 1;
}

Message consoleRefusal() {
    return {terminalRefusal(STDOUT_FILENO, std::getenv("TERM"))};
}

std::unique_ptr<Console> openConsole() {
    return std::make_unique<RealTerminal>();
}

}  // namespace tarnwick
