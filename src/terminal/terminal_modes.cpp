#include "terminal/terminal_modes.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace tarnwick {

namespace {

// Alternate screen, title pushed on the terminal's title stack, cursor hidden.
constexpr std::string_view EnterSequence = "\x1b[?1049h\x1b[22;0t\x1b[?25l";
// Reset the colours, show the cursor, leave the alternate screen, pop the title.
constexpr std::string_view LeaveSequence = "\x1b[m\x1b[?25h\x1b[?1049l\x1b[23;0t";
// A synchronized frame (the renderer's large frames); a terminal holds back what it shows
// until the frame ends.
constexpr std::string_view SyncedFrameStart = "\x1b[?2026h";
// Ends a frame cut short, and gives the scrolling region back to the whole screen, which the
// frame may have narrowed to scroll the board's window.
constexpr std::string_view CutFrameEnd = "\x1b[?2026l\x1b[r";

termios savedModes{};
volatile std::sig_atomic_t haveSavedModes = 0;
volatile std::sig_atomic_t entered = 0;
// A write that holds a synchronized frame is under way: a signal that ends or stops the game
// now cuts the frame short, and leaving the terminal must end it. Only then: every frame
// written whole ends itself.
volatile std::sig_atomic_t frameUnderWay = 0;
int terminalInput = -1;
int terminalOutput = -1;
bool exitHookSet = false;

void makeRaw() {
    if (haveSavedModes == 0) {
        return;
    }
    termios raw = savedModes;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    // Ctrl-S and Ctrl-Q are keys like any other: as flow control, a stray Ctrl-S would stop
    // the output and freeze the game in its next write.
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON);
    // The line feeds of the cursor moves reach the terminal as they are, not as CR LF.
    raw.c_oflag &= ~static_cast<tcflag_t>(ONLCR);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(terminalInput, TCSANOW, &raw);
}

void leaveAtExit() {
    leaveTerminal();
}

}  // namespace

std::string_view terminalRefusal(int outputFd, const char* term) {
    if (::isatty(outputFd) != 1) {
        return "tarnwick: the game needs a terminal, and its standard output is not one\n";
    }
    if (term != nullptr && std::string_view(term) == "dumb") {
        return "tarnwick: the game needs a terminal that moves the cursor, and TERM is \"dumb\"\n";
    }
    return {};
}

bool writeAll(int fd, std::string_view bytes) noexcept {
    const std::sig_atomic_t outerFrame = frameUnderWay;
    if (bytes.find(SyncedFrameStart) != std::string_view::npos) {
        frameUnderWay = 1;
    }
    bool written = true;
    while (written && !bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count >= 0) {
            bytes.remove_prefix(static_cast<std::size_t>(count));
        } else {
            written = errno == EINTR || errno == EAGAIN;
        }
    }
    frameUnderWay = outerFrame;
    return written;
}

void enterTerminal(int inputFd, int outputFd) {
    terminalInput = inputFd;
    terminalOutput = outputFd;
    if (::isatty(inputFd) == 1 && tcgetattr(inputFd, &savedModes) == 0) {
        haveSavedModes = 1;
    }
    if (!exitHookSet) {
        exitHookSet = true;
        std::atexit(leaveAtExit);
    }
    reenterTerminal();
}

void reenterTerminal() {
    makeRaw();
    writeAll(terminalOutput, EnterSequence);
    entered = 1;
}

void leaveTerminal() noexcept {
    const int savedErrno = errno;
    if (entered != 0) {
        entered = 0;
        if (frameUnderWay != 0) {
            writeAll(terminalOutput, CutFrameEnd);
        }
        writeAll(terminalOutput, LeaveSequence);
    }
    if (haveSavedModes != 0) {
        tcsetattr(terminalInput, TCSANOW, &savedModes);
    }
    errno = savedErrno;
}

}  // namespace tarnwick
