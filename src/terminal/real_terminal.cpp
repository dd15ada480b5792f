#include "terminal/real_terminal.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "terminal/terminal_input.h"
#include "terminal/terminal_modes.h"
#include "terminal/terminal_signals.h"
#include "terminal/width_probe.h"

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

// How long the width probe waits for its answer, and how long after that a late answer is
// still taken out of the keys.
constexpr std::chrono::milliseconds ProbeTimeout{200};
constexpr std::chrono::seconds LateAnswerWindow{3};
// The probe reads the input in runs, so that its answer is seen whole.
constexpr std::size_t ProbeReadSize = 64;

}  // namespace

RealTerminal::RealTerminal()
    : encoding_(localeCodeset()),
      tones_([this](Clock::time_point deadline) { waitUntil(deadline); }) {
    eventFd_ = installSignalHandlers();
    enterTerminal(InputFd, OutputFd);
    terminalSize(OutputFd, columns_, rows_);
    if (::isatty(InputFd) == 1 && ::isatty(OutputFd) == 1) {
        probeWidth();
    }
}

RealTerminal::~RealTerminal() {
    flush();
    leaveTerminal();
    removeSignalHandlers();
}

void RealTerminal::flush() {
    std::string bytes;
    bytes.swap(pending_);
    bytes += renderer_.frame(screen_, view_.frame(screen_, columns_, rows_));
    writeOut(bytes);
}

void RealTerminal::writeOut(std::string_view utf8) {
    if (utf8.empty()) {
        return;
    }
    const bool written = encoding_.converts() ? writeAll(OutputFd, encoding_.encode(utf8))
                                              : writeAll(OutputFd, utf8);
    if (!written) {
        gone_ = true;
    }
}

void RealTerminal::probeWidth() {
    auto read = [this](std::string& bytes, std::chrono::milliseconds timeout) {
        const auto deadline = Clock::now() + timeout;
        while (true) {
            switch (waitFor(InputFd, true, eventFd_, deadline)) {
                case WaitResult::Event:
                    handleSignalEvents();
                    break;
                case WaitResult::Deadline:
                    return ProbeRead::Timeout;
                default:
                    switch (readKeys(InputFd, bytes, ProbeReadSize)) {
                        case ReadResult::Keys:
                            return ProbeRead::Bytes;
                        case ReadResult::End:
                            return ProbeRead::End;
                        default:
                            break;
                    }
            }
        }
    };
    ProbeResult result = probeAmbiguousWidth([this](std::string_view bytes) { writeOut(bytes); },
                                             read, ProbeTimeout);
    renderer_.setAmbiguousWide(result.width == AmbiguousWidth::Wide);
    renderer_.setSideMargins(result.sideMargins);  // never from a late answer: not then
    keys_.start(std::move(result.keys), !result.answered, Clock::now() + LateAnswerWindow);
}

bool RealTerminal::Reader::ready() {
    return inputReady(InputFd);
}

ReadResult RealTerminal::Reader::read(std::string& keys, std::size_t most) {
    while (true) {
        if (waitFor(InputFd, true, terminal_.eventFd_, std::nullopt) == WaitResult::Event) {
            terminal_.handleSignalEvents();
            continue;
        }
        const ReadResult result = readKeys(InputFd, keys, most);
        if (result != ReadResult::Again) {
            return result;
        }
    }
}

void RealTerminal::Reader::answered(AmbiguousWidth width) {
    terminal_.renderer_.setAmbiguousWide(width == AmbiguousWidth::Wide);
    terminal_.flush();
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

void RealTerminal::holdWhileTooSmall() {
    while (!gone_ && view_.playHeldBack()) {
        if (waitFor(InputFd, false, eventFd_, std::nullopt) == WaitResult::Hangup) {
            gone_ = true;
        } else {
            handleSignalEvents();
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
    view_.showText();
}

void RealTerminal::showBoard(const BoardArea& area) {
    view_.showBoard(area);
}

void RealTerminal::keepInSight(int x, int y) {
    view_.keepInSight(x, y);
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
    try {
        return keys_.readKey(reader_);
    } catch (const EndOfInput&) {
        gone_ = true;
        throw;
    }
}

bool RealTerminal::keyWaiting() {
    handleSignalEvents();
    // At the end of input the answer is yes, so that the next read ends the program.
    return gone_ || keys_.keyWaiting(reader_);
}

void RealTerminal::sleepMs(int ms) {
    flush();
    holdWhileTooSmall();
    waitUntil(Clock::now() + std::chrono::milliseconds(ms > 0 ? ms : 0));
    holdWhileTooSmall();
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
