// The keys of the real terminal: the game's own queue of the keys that came and were not
// taken yet, decoded from the bytes as they come (key_decoder.h).
//
// The terminal reads its input whenever it waits, on every screen, and hands the bytes here;
// the game takes the keys one at a time, in their order, when it asks for them. Past
// KeyQueueBound keys waiting, the newest are dropped. A sequence whose rest has not come
// EscapeDelay after its last byte (a lone ESC, or one cut off by a slow link) is one key.
// While the answer to the width probe is awaited, a cursor position report is that answer
// and no key, and so is the answer about the margins that comes before it. It knows nothing of
// waiting or of the terminal, so that the fuzz target can hand it any bytes at any times.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string_view>

#include "terminal/key_decoder.h"
#include "terminal/width_probe.h"

namespace tarnwick {

inline constexpr std::size_t KeyQueueBound = 4096;
inline constexpr std::chrono::milliseconds EscapeDelay{50};

class KeyInput {
  public:
    using Clock = std::chrono::steady_clock;

    explicit KeyInput(std::size_t bound = KeyQueueBound) : bound_(bound) {}

    // Until then, a cursor position report is the answer to the width probe (once), and an
    // answer about the margins before it is taken too.
    void awaitAnswer(Clock::time_point until) {
        answerUntil_ = until;
        marginsAwaited_ = true;
    }
    // The bytes that came now.
    void receive(std::string_view bytes, Clock::time_point now);
    // No more bytes will come: a sequence under way is one key.
    void end();
    // The next key, if one is there now.
    std::optional<int> takeKey(Clock::time_point now);
    // Whether a key is there now, or none can ever come (so that the next read ends the game).
    bool keyWaiting(Clock::time_point now);
    // When a sequence under way is cut short unless more of it comes.
    std::optional<Clock::time_point> sequenceDeadline() const;
    // The width that the answer to the probe told, once it came; each answer is taken once.
    std::optional<AmbiguousWidth> takeAnswer();
    // Whether the terminal has left and right margins, once its answer came.
    std::optional<bool> takeMarginsAnswer();
    // No key is left and none can come.
    bool ended() const { return ended_ && queue_.empty(); }
    // The queue holds as many keys as it may.
    bool full() const { return queue_.size() >= bound_; }

  private:
    void cutShortIfDue(Clock::time_point now);
    void add(const DecodedKeys& keys, Clock::time_point now);

    KeyDecoder decoder_;
    std::deque<int> queue_;
    std::size_t bound_;
    Clock::time_point lastByte_;
    std::optional<Clock::time_point> answerUntil_;
    std::optional<AmbiguousWidth> answer_;
    bool marginsAwaited_ = false;
    std::optional<bool> marginsAnswer_;
    bool ended_ = false;
};

}  // namespace tarnwick
