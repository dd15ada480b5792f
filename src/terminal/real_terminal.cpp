#include "terminal/real_terminal.h"

#include <cstdlib>

#include "terminal/terminal_input.h"
#include "terminal/terminal_modes.h"
#include "terminal/terminal_signals.h"

namespace tarnwick {

namespace {

// The title without control characters, which would end or bend the sequence.
std::string titleSequence(std::string_view title) {
    std::string out = "\x1b]0;";
    for (const char c : title) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            out += c;
        }
    }
    return out + '\a';
}

}  // namespace

RealTerminal::RealTerminal() : tones_([this](Clock::time_point deadline) { waitUntil(deadline); }) {
    eventFd_ = installSignalHandlers();
    enterTerminal(InputFd, OutputFd);
    terminalSize(OutputFd, columns_, rows_);
}

RealTerminal::~RealTerminal() {
    flush();
    leaveTerminal();
    removeSignalHandlers();
}

void RealTerminal::flush() {
    std::string bytes;
    bytes.swap(pending_);
    bytes += renderer_.frame(screen_, columns_, rows_);
    if (!bytes.empty() && !writeAll(OutputFd, bytes)) {
        gone_ = true;
    }
}

void RealTerminal::handleSignalEvents() {
    const SignalEvents events = takeSignalEvents();
    if (events.continued) {
        // The stop left the terminal as the shell wants it: take it over again.
        reenterTerminal();
        if (!title_.empty()) {
            pending_ += titleSequence(title_);
        }
    }
    if (events.resized || events.continued) {
        terminalSize(OutputFd, columns_, rows_);
        renderer_.invalidate();
        flush();
    }
}

void RealTerminal::waitUntil(Clock::time_point deadline) {
    while (true) {
        switch (waitFor(InputFd, false, eventFd_, deadline)) {
            case WaitResult::Event:
                handleSignalEvents();
                break;
            case WaitResult::Hangup:
                // Nobody can see or answer any more: wait out the time without the input.
                gone_ = true;
                while (waitFor(-1, false, eventFd_, deadline) == WaitResult::Event) {
                    handleSignalEvents();
                }
                return;
            default:
                return;
        }
    }
}

void RealTerminal::throwIfGone() const {
    if (gone_) {
        throw EndOfInput{};
    }
}

void RealTerminal::gotoXY(int x, int y) {
    screen_.moveTo(x, y);
}

void RealTerminal::printText(std::string_view text) {
    screen_.print(text);
}

void RealTerminal::clearScreen() {
    screen_.clear();
}

void RealTerminal::hideCursor() {
    // The cursor is hidden from the start; this puts it back out of sight should anything
    // have shown it.
    if (!cursorHidden_) {
        pending_ += "\x1b[?25l";
        cursorHidden_ = true;
    }
}

void RealTerminal::setTitle(std::string_view title) {
    title_ = title;
    pending_ += titleSequence(title);
}

int RealTerminal::readKey() {
    flush();
    throwIfGone();
    while (true) {
        const WaitResult result = waitFor(InputFd, true, eventFd_, std::nullopt);
        if (result == WaitResult::Event) {
            handleSignalEvents();
            continue;
        }
        int key = 0;
        const ReadResult read = readKeyByte(InputFd, key);
        if (read == ReadResult::Key) {
            return key;
        }
        if (read == ReadResult::End) {
            gone_ = true;
            throw EndOfInput{};
        }
    }
}

bool RealTerminal::keyWaiting() {
    handleSignalEvents();
    // At the end of input the answer is yes, so that the next read ends the program.
    return gone_ || inputReady(InputFd);
}

void RealTerminal::sleepMs(int ms) {
    flush();
    waitUntil(Clock::now() + std::chrono::milliseconds(ms > 0 ? ms : 0));
    throwIfGone();
}

void RealTerminal::tone(int hz, int ms) {
    flush();
    throwIfGone();
    tones_.tone(hz, ms);
}

void RealTerminal::rest(int ms) {
    flush();
    throwIfGone();
    tones_.rest(ms);
}

void RealTerminal::seedRandom(unsigned seed) {
    std::srand(seed);
}

int RealTerminal::nextRandom() {
    return std::rand();
}

}  // namespace tarnwick
