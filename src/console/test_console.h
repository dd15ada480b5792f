// The test console: the game's screen model with no terminal, a virtual clock, scripted keys
// with due times and scripted random values. A whole game runs on it in milliseconds.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "console/canvas_console.h"

namespace tarnwick {

// One step of sound: a tone, or a rest (hz 0).
struct SoundStep {
    int hz = 0;
    int ms = 0;
    bool operator==(const SoundStep&) const = default;
};

// Thrown when the game asks for a random value and the script has none left (and no
// fallback engine was set): a test that under-scripts its random values fails loudly.
struct RandomScriptExhausted {};

class TestConsole : public CanvasConsole {
  public:
    explicit TestConsole(int columns = 160, int rows = 60);

    // --- Script ---
    // A key due at the given virtual time (ms); by default due at once.
    void pushKey(int key, std::int64_t dueMs = 0);
    // Several keys, all due at the given time.
    void pushKeys(std::string_view keys, std::int64_t dueMs = 0);
    void pushRandom(int value);
    void pushRandoms(const std::vector<int>& values);
    // After the scripted values run out, draw from an engine with this seed.
    void setRandomFallback(unsigned seed);
    // Once every scripted key has been read, end the input (throw EndOfInput) when this much
    // virtual time has passed since the last key was due, so that no test can run forever.
    void setIdleLimitMs(std::int64_t ms) { idleLimitMs_ = ms; }
    // Ends the input at the first blocking call that takes the virtual clock past this time,
    // keys left or not, as when the terminal goes away: it bounds runs of generated scripts.
    void setTimeLimitMs(std::int64_t ms) { timeLimitMs_ = ms; }
    // Called at every blocking key read, after the frame is rendered and before the key is
    // taken: the place where a test looks at the screen that waits for a key.
    void setKeyReadHook(std::function<void(const TestConsole&)> hook) {
        keyReadHook_ = std::move(hook);
    }
    // Changes the terminal size, as a resize event does.
    void resize(int columns, int rows);
    // A resize event that comes when the virtual clock reaches `atMs`: the size changes and
    // the screen is repainted at once, also in the middle of a sleep, a tone or a key wait.
    // While the play screen gives way to the size notice, a sleep waits for the next one (as
    // the real terminal does); with none to come, the input ends.
    void scheduleResize(int columns, int rows, std::int64_t atMs);
    // Renders for a terminal that draws the ambiguous-width characters two columns wide.
    void setAmbiguousWide(bool wide) { renderer_.setAmbiguousWide(wide); }
    // Renders for a terminal that has left and right margins.
    void setSideMargins(bool has) { renderer_.setSideMargins(has); }
    // Where frames are rendered, besides takeOutput: at every blocking call and resize, as on
    // a terminal (the default); at key reads and resizes only; or nowhere. Long generated runs
    // that look at the game rather than at the renderer go faster with fewer.
    enum class Frames { None, AtKeyReads, AtEveryWait };
    void setFrames(Frames frames) { frames_ = frames; }

    // --- Observation ---
    std::int64_t nowMs() const { return nowMs_; }
    const Screen& screen() const { return screen_; }
    const View& view() const { return view_; }
    std::string row(int y) const { return screen_.rowText(y); }
    std::string textAt(int x, int y, int columns) const { return screen_.textAt(x, y, columns); }
    const std::vector<SoundStep>& sounds() const { return sounds_; }
    void clearSounds() { sounds_.clear(); }
    int randomDraws() const { return randomDraws_; }
    std::size_t keysLeft() const { return keys_.size(); }
    std::string title() const { return title_; }
    int clearCount() const { return clearCount_; }
    // Renders a frame now (as a blocking call would) and returns every byte the renderer has
    // sent since the last call.
    std::string takeOutput();
    int rows() const { return rows_; }

    // --- Console ---
    void clearScreen() override;
    void hideCursor() override {}
    void setTitle(std::string_view title) override { title_ = title; }
    int readKey() override;
    bool keyWaiting() override;
    void sleepMs(int ms) override;
    void tone(int hz, int ms) override;
    void rest(int ms) override;
    void seedRandom(unsigned seed) override { seed_ = seed; }
    int nextRandom() override;

  private:
    struct ScriptedKey {
        int key;
        std::int64_t dueMs;
    };
    struct ScheduledResize {
        int columns;
        int rows;
        std::int64_t atMs;
    };
    void flush();
    // Renders a frame where the frames asked for include `where`; applies due resizes always.
    void flushAt(Frames where);
    void advance(std::int64_t ms);
    void holdWhileTooSmall();
    void applyDueResizes();

    std::string output_;
    std::int64_t nowMs_ = 0;
    std::int64_t lastKeyDueMs_ = 0;
    std::int64_t idleLimitMs_ = 3'600'000;
    std::int64_t timeLimitMs_ = INT64_MAX;
    std::deque<ScriptedKey> keys_;
    std::deque<int> randoms_;
    std::deque<ScheduledResize> resizes_;
    bool hasFallback_ = false;
    Frames frames_ = Frames::AtEveryWait;
    std::minstd_rand fallback_;
    std::vector<SoundStep> sounds_;
    std::function<void(const TestConsole&)> keyReadHook_;
    std::string title_;
    unsigned seed_ = 0;
    int randomDraws_ = 0;
    int clearCount_ = 0;
};

}  // namespace tarnwick
