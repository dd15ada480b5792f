#include "console/test_console.h"

#include <algorithm>

namespace tarnwick {

TestConsole::TestConsole(int columns, int rows) : CanvasConsole(columns, rows) {}

void TestConsole::pushKey(int key, std::int64_t dueMs) {
    keys_.push_back({key, dueMs});
    lastKeyDueMs_ = std::max(lastKeyDueMs_, dueMs);
}

void TestConsole::pushKeys(std::string_view keys, std::int64_t dueMs) {
    for (const char key : keys) {
        pushKey(static_cast<unsigned char>(key), dueMs);
    }
}

void TestConsole::pushRandom(int value) {
    randoms_.push_back(value);
}

void TestConsole::pushRandoms(const std::vector<int>& values) {
    randoms_.insert(randoms_.end(), values.begin(), values.end());
}

void TestConsole::setRandomFallback(unsigned seed) {
    hasFallback_ = true;
    fallback_.seed(seed);
}

void TestConsole::resize(int columns, int rows) {
    columns_ = columns;
    rows_ = rows;
    sizeChanged();
}

void TestConsole::scheduleResize(int columns, int rows, std::int64_t atMs) {
    // Kept in time order; events of the same time come in the order they were scheduled.
    const auto later = std::upper_bound(
        resizes_.begin(), resizes_.end(), atMs,
        [](std::int64_t t, const ScheduledResize& event) { return t < event.atMs; });
    resizes_.insert(later, {columns, rows, atMs});
}

void TestConsole::applyDueResizes() {
    while (!resizes_.empty() && resizes_.front().atMs <= nowMs_) {
        resize(resizes_.front().columns, resizes_.front().rows);
        resizes_.pop_front();
    }
}

std::string TestConsole::takeOutput() {
    flush();
    std::string out;
    out.swap(output_);
    return out;
}

void TestConsole::flush() {
    applyDueResizes();
    output_ += nextFrame();
}

void TestConsole::flushAt(Frames where) {
    if (frames_ >= where) {
        flush();
    } else {
        applyDueResizes();
    }
}

void TestConsole::advance(std::int64_t ms) {
    if (ms > 0) {
        nowMs_ += ms;
    }
    if (nowMs_ > timeLimitMs_) {
        throw EndOfInput{};
    }
    // A resize that came while the game was blocked repaints at once, as on a terminal.
    if (!resizes_.empty() && resizes_.front().atMs <= nowMs_) {
        flushAt(Frames::AtKeyReads);
    }
}

void TestConsole::clearScreen() {
    CanvasConsole::clearScreen();
    ++clearCount_;
}

int TestConsole::readKey() {
    flushAt(Frames::AtKeyReads);
    if (keyReadHook_) {
        keyReadHook_(*this);
    }
    if (keys_.empty()) {
        throw EndOfInput{};
    }
    const ScriptedKey next = keys_.front();
    keys_.pop_front();
    advance(next.dueMs - nowMs_);
    return next.key;
}

bool TestConsole::keyWaiting() {
    if (keys_.empty()) {
        return false;
    }
    return keys_.front().dueMs <= nowMs_;
}

void TestConsole::holdWhileTooSmall() {
    while (frames_ == Frames::AtEveryWait && view_.playHeldBack()) {
        if (resizes_.empty()) {
            throw EndOfInput{};
        }
        advance(resizes_.front().atMs - nowMs_);
    }
}

void TestConsole::sleepMs(int ms) {
    flushAt(Frames::AtEveryWait);
    holdWhileTooSmall();
    advance(ms);
    holdWhileTooSmall();
    if (keys_.empty() && nowMs_ - lastKeyDueMs_ > idleLimitMs_) {
        throw EndOfInput{};
    }
}

void TestConsole::tone(int hz, int ms) {
    flushAt(Frames::AtEveryWait);
    sounds_.push_back({hz, ms});
    advance(ms);
}

void TestConsole::rest(int ms) {
    flushAt(Frames::AtEveryWait);
    sounds_.push_back({0, ms});
    advance(ms);
}

int TestConsole::nextRandom() {
    ++randomDraws_;
    if (!randoms_.empty()) {
        const int value = randoms_.front();
        randoms_.pop_front();
        return value;
    }
    if (hasFallback_) {
        return static_cast<int>(fallback_() & 0x7FFF);
    }
    throw RandomScriptExhausted{};
}

}  // namespace tarnwick
