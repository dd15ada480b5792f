#include "terminal/terminal_modes.h"

#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace tarnwick {

namespace {

// The sequences that enter and leave the game's screen, made for the terminal's features when
// the terminal is first entered, so that a signal handler only writes them.
struct Sequence {
    std::array<char, 64> bytes{};
    std::size_t size = 0;
    void add(std::string_view part) {
        part.copy(bytes.data() + size, part.size());
        size += part.size();
    }
    std::string_view view() const { return {bytes.data(), size}; }
};
// A synchronized frame (the renderer's large frames); a terminal holds back what it shows
// until the frame ends.
constexpr std::string_view SyncedFrameStart = "\x1b[?2026h";
// Gives the scrolling region back to the whole screen: the end of every frame that narrowed
// it to scroll the board's window.
constexpr std::string_view WholeScrollRegion = "\x1b[r";

Sequence enterSequence;
Sequence leaveSequence;
// Ends a frame cut short: the synchronized output, and the scrolling region the frame may
// have narrowed.
Sequence cutFrameEnd;

// Alternate screen, title pushed on the terminal's title stack, cursor hidden; to leave, the
// colours reset, the cursor shown, the alternate screen left (or, without one, the screen
// cleared), the title popped.
void makeSequences(const TerminalFeatures& features) {
    enterSequence = {};
    leaveSequence = {};
    cutFrameEnd = {};
    if (features.synchronizedOutput) {
        cutFrameEnd.add("\x1b[?2026l");
    }
    cutFrameEnd.add(WholeScrollRegion);
    leaveSequence.add("\x1b[m");
    if (features.alternateScreen) {
        enterSequence.add("\x1b[?1049h");
    }
    if (features.windowTitle) {
        enterSequence.add("\x1b[22;0t");
    }
    if (features.cursorHiding) {
        enterSequence.add("\x1b[?25l");
        leaveSequence.add("\x1b[?25h");
    }
    leaveSequence.add(features.alternateScreen ? "\x1b[?1049l" : "\x1b[H\x1b[2J");
    if (features.windowTitle) {
        leaveSequence.add("\x1b[23;0t");
    }
}

termios savedModes{};
volatile std::sig_atomic_t haveSavedModes = 0;
volatile std::sig_atomic_t entered = 0;
// A write that holds a synchronized frame, or one that scrolls, is under way: a signal that
// ends or stops the game now cuts the frame short, and leaving the terminal must end it. Only
// then: every frame written whole ends itself.
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

MessageId terminalRefusal(int outputFd, const char* term) {
    if (::isatty(outputFd) != 1) {
        return MessageId::NotATerminal;
    }
    if (term != nullptr && std::string_view(term) == "dumb") {
        return MessageId::DumbTerminal;
    }
    return MessageId::None;
}

bool writeAll(int fd, std::string_view bytes) noexcept {
    const std::sig_atomic_t outerFrame = frameUnderWay;
    if (bytes.find(SyncedFrameStart) != std::string_view::npos ||
        bytes.find(WholeScrollRegion) != std::string_view::npos) {
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

void enterTerminal(int inputFd, int outputFd, const TerminalFeatures& features) {
    makeSequences(features);
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
    writeAll(terminalOutput, enterSequence.view());
    entered = 1;
}

void leaveTerminal() noexcept {
    const int savedErrno = errno;
    if (entered != 0) {
        entered = 0;
        if (frameUnderWay != 0) {
            writeAll(terminalOutput, cutFrameEnd.view());
        }
        writeAll(terminalOutput, leaveSequence.view());
    }
    if (haveSavedModes != 0) {
        tcsetattr(terminalInput, TCSANOW, &savedModes);
    }
    errno = savedErrno;
}

}  // namespace tarnwick
