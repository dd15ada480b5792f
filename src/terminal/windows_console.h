// The Windows console: the game on Windows 10 1809 or later, in the console host or Windows
// Terminal. The output is switched to UTF-8 and to virtual-terminal processing, so that the
// renderer's frames (the same bytes as on Linux) are drawn as they are, each frame written in
// one call. The keys come from the console's input events (console_keys.h); a change of the
// window's size repaints at once, also during a sleep or a tone. Everything is restored on
// every way out: the end, Ctrl-C, Ctrl-Break and the window's closing. One per process.
#pragma once

#include <chrono>
#include <deque>
#include <string>
#include <string_view>

#include "audio/tone_output.h"
#include "console/canvas_console.h"
#include "console/messages.h"
#include "console/random_generator.h"

namespace tarnwick {

// Why the game cannot draw on the standard output, or None when it can: the output must be
// a console that takes virtual-terminal sequences.
MessageId windowsConsoleRefusal();
// The text in UTF-16, as the console's wide calls take it.
std::wstring wideText(std::string_view utf8);

class WindowsConsole : public CanvasConsole {
  public:
    WindowsConsole();
    ~WindowsConsole() override;
    WindowsConsole(const WindowsConsole&) = delete;
    WindowsConsole& operator=(const WindowsConsole&) = delete;

    void hideCursor() override {}  // hidden from the start; nothing shows it
    void setTitle(std::string_view title) override;
    int readKey() override;
    bool keyWaiting() override;
    void sleepMs(int ms) override;
    void tone(int hz, int ms) override;
    void rest(int ms) override;
    void seedRandom(unsigned seed) override;
    int nextRandom() override;

  private:
    using Clock = std::chrono::steady_clock;

    void flush();
    // Takes every event waiting in the input, waiting up to `waitMs` for the first one:
    // keys join the waiting keys, a new size repaints.
    void takeEvents(unsigned long waitMs);
    void checkSize();
    void waitUntil(Clock::time_point deadline);
    // While the play screen gives way to the size notice, the game waits, as behind a screen
    // that blocks it, until the window grows (or the input goes away); the keys wait.
    void holdWhileTooSmall();
    void throwIfGone() const;

    std::deque<int> keys_;
    bool gone_ = false;  // the console's input went away
    ToneOutput tones_;
    RandomGenerator random_;
};

}  // namespace tarnwick
