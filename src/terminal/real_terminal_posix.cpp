#include "terminal/real_terminal.h"

#include <unistd.h>

#include <algorithm>

#include "terminal/terminal_description.h"
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

}  // namespace

RealTerminal::RealTerminal()
    : CanvasConsole(80, 24),
      encoding_(localeCodeset()),
      features_(describeTerminal(std::getenv("TERM"), std::getenv("NO_COLOR"))),
      tones_([this](Clock::time_point deadline) { waitAndRead(deadline, false); }) {
    renderer_.setFeatures(features_);
    eventFd_ = installSignalHandlers();
    inputIsTerminal_ = ::isatty(InputFd) == 1;
    enterTerminal(InputFd, OutputFd, features_);
    terminalSize(OutputFd, columns_, rows_);
    if (inputIsTerminal_ && ::isatty(OutputFd) == 1) {
        probeWidth();
    }
    probed_ = true;
}

RealTerminal::~RealTerminal() {
    flush();
    leaveTerminal();
    removeSignalHandlers();
}

void RealTerminal::flush() {
    std::string bytes;
    bytes.swap(pending_);
    bytes += nextFrame();
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
    writeOut(WidthProbeRequest);
    const Clock::time_point deadline = Clock::now() + ProbeTimeout;
    keys_.awaitAnswer(deadline + LateAnswerWindow);
    while (!answered_ && inputOpen_ && Clock::now() < deadline) {
        waitAndRead(deadline, true);
    }
}

void RealTerminal::readInput() {
    std::string bytes;
    switch (readKeys(InputFd, bytes)) {
        case ReadResult::Keys:
            keys_.receive(bytes, Clock::now());
            break;
        case ReadResult::End:
            inputOpen_ = false;
            keys_.end();
            // A terminal that ends its input went away; a pipe or a file only ran out of keys.
            gone_ = gone_ || inputIsTerminal_;
            break;
        case ReadResult::Again:
            break;
    }
    if (const auto margins = keys_.takeMarginsAnswer()) {
        renderer_.setSideMargins(*margins);  // for the scrolls to come
    }
    if (const auto width = keys_.takeAnswer()) {
        answered_ = true;
        renderer_.setAmbiguousWide(*width == AmbiguousWidth::Wide);
        if (probed_) {
            flush();  // a late answer: the screen as it should look, at once
        }
    }
}

void RealTerminal::waitAndRead(std::optional<Clock::time_point> deadline, bool untilAny) {
    while (true) {
        // A terminal is read whatever the queue holds, so that its own buffer never fills
        // and the signal keys always get through; a pipe or a file waits until there is room.
        const bool watch = inputOpen_ && (inputIsTerminal_ || !keys_.full());
        switch (waitFor(watch ? InputFd : -1, eventFd_, deadline)) {
            case WaitResult::Event:
                handleSignalEvents();
                if (untilAny) {
                    return;
                }
                break;
            case WaitResult::Deadline:
                return;
            case WaitResult::Input:
                readInput();
                if (untilAny || (deadline && Clock::now() >= *deadline)) {
                    return;
                }
                break;
        }
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
        sizeChanged();
        flush();
    }
}

void RealTerminal::holdWhileTooSmall() {
    // The input is read meanwhile, so that the keys wait in the game's queue and the signal
    // keys get through; once it has ended nothing but the keys read can come, and the game
    // goes on to them.
    while (!gone_ && inputOpen_ && view_.playHeldBack()) {
        waitAndRead(std::nullopt, true);
    }
}

void RealTerminal::throwIfGone() const {
    if (gone_) {
        throw EndOfInput{};
    }
}

void RealTerminal::hideCursor() {
    // The cursor is hidden from the start; this puts it back out of sight should anything
    // have shown it.
    if (!cursorHidden_ && features_.cursorHiding) {
        pending_ += "\x1b[?25l";
        cursorHidden_ = true;
    }
}

void RealTerminal::setTitle(std::string_view title) {
    if (features_.windowTitle) {
        title_ = title;
        pending_ += titleSequence(title);
    }
}

int RealTerminal::readKey() {
    flush();
    while (true) {
        throwIfGone();
        if (const auto key = keys_.takeKey(Clock::now())) {
            return *key;
        }
        // The keys read before the input ended were still the player's.
        if (keys_.ended()) {
            gone_ = true;
            throw EndOfInput{};
        }
        waitAndRead(keys_.sequenceDeadline(), true);
    }
}

bool RealTerminal::keyWaiting() {
    waitAndRead(Clock::now(), false);  // reads what came, and never waits
    // At the end of input the answer is yes, so that the next read ends the program.
    return gone_ || keys_.keyWaiting(Clock::now());
}

void RealTerminal::sleepMs(int ms) {
    flush();
    holdWhileTooSmall();
    waitAndRead(Clock::now() + std::chrono::milliseconds(ms > 0 ? ms : 0), false);
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
    random_.seed(seed);
}

int RealTerminal::nextRandom() {
    return random_.next();
}

}  // namespace tarnwick
