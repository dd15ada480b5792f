// The real terminal: the console on a Linux text terminal.
//
// The game draws on the screen model; at each point where it blocks (a key read, a sleep,
// a tone or rest, the end) the renderer sends what changed as one write, in the locale's
// character set (output_encoding.h). Keys are read raw; whenever it waits, on every screen,
// the terminal reads what came into the game's own queue of keys (key_input.h), which
// decodes the sequences that terminals send. At start the terminal is asked how wide it draws
// ambiguous characters (width_probe.h); what it can show comes from its description
// (terminal_description.h). The terminal's modes are restored on every way out
// (see terminal_modes.h and terminal_signals.h). One RealTerminal per process.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "audio/tone_output.h"
#include "console/canvas_console.h"
#include "console/random_generator.h"
#include "terminal/key_input.h"
#include "terminal/output_encoding.h"

namespace tarnwick {

class RealTerminal : public CanvasConsole {
  public:
    RealTerminal();
    ~RealTerminal() override;
    RealTerminal(const RealTerminal&) = delete;
    RealTerminal& operator=(const RealTerminal&) = delete;

    void hideCursor() override;
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

    // Sends the sequences waiting in pending_ and the renderer's frame, as one write.
    void flush();
    // Acts on the signal events that arrived: a new size, or a return from a stop.
    void handleSignalEvents();
    // The one wait of the terminal: until the deadline (none: no limit), or when `untilAny`
    // until some input was read or a signal event acted on, reading the input into the keys
    // and acting on the signal events meanwhile, repainting as needed.
    void waitAndRead(std::optional<Clock::time_point> deadline, bool untilAny);
    // Reads what the input holds into the keys; notes its end, and an answer to the probe.
    void readInput();
    // While the play screen gives way to the size notice, the game waits, as behind a screen
    // that blocks it, until the terminal grows (or the input ends); the keys wait in the queue.
    void holdWhileTooSmall();
    // Throws EndOfInput once the input has ended or the terminal went away, so that a screen
    // that only sleeps or plays sounds still ends.
    void throwIfGone() const;
    // Asks the terminal how wide it draws ambiguous characters; keeps the keys typed meanwhile.
    void probeWidth();
    void writeOut(std::string_view utf8);

    static constexpr int InputFd = 0;
    static constexpr int OutputFd = 1;

    std::string pending_;  // mode and title sequences for the next write
    std::string title_;
    KeyInput keys_;
    OutputEncoding encoding_;
    TerminalFeatures features_;  // from TERM and NO_COLOR
    int eventFd_ = -1;
    bool cursorHidden_ = true;
    bool gone_ = false;  // the input ended or the terminal went away
    bool inputOpen_ = true;
    bool inputIsTerminal_ = false;
    bool answered_ = false;  // the terminal told how wide it draws ambiguous characters
    bool probed_ = false;    // the probe is over: a late answer repaints
    ToneOutput tones_;
    RandomGenerator random_;
};

}  // namespace tarnwick
