// The keys of the real terminal: the bytes read from the input and not yet taken, handed to
// the game one key at a time, an arrow key's three bytes as its movement key (arrow_keys.h),
// with a late answer to the width probe taken out of them (width_probe.h).
//
// It reads only through a KeyReader, so that the fuzz target can hand it the bytes in any
// pieces. It never waits for bytes that have not come, except when the game waits for a key
// and none is left.
#pragma once

#include <chrono>
#include <string>

#include "terminal/terminal_input.h"
#include "terminal/width_probe.h"

namespace tarnwick {

// The terminal's input as the keys see it.
class KeyReader {
  public:
    using Clock = std::chrono::steady_clock;
    virtual ~KeyReader() = default;
    // Whether a read would return at once: bytes wait, or the input has ended.
    virtual bool ready() = 0;
    // Appends at least one and at most `most` bytes, waiting for them as long as it takes.
    virtual ReadResult read(std::string& keys, std::size_t most) = 0;
    virtual Clock::time_point now() = 0;
    // A late answer to the width probe came and said this.
    virtual void answered(AmbiguousWidth width) = 0;
};

class KeyInput {
  public:
    using Clock = KeyReader::Clock;

    // After the width probe: the bytes that came meanwhile and were not its answer, and, when
    // the probe went unanswered, until when a late answer is still taken out of the keys.
    void start(std::string keys, bool awaitingAnswer, Clock::time_point answerDeadline);
    // The next key; waits in the reader until one comes. Throws EndOfInput once the input
    // has ended and every key read before that was taken.
    int readKey(KeyReader& reader);
    // Whether a key waits, reading what the input holds without waiting; true at the end of
    // input, so that the next read ends the program.
    bool keyWaiting(KeyReader& reader);
    bool ended() const { return ended_; }

  private:
    // How many bytes one read takes.
    std::size_t readSize() const;
    // Reads into the keys; notes the end of input and takes a late answer out.
    void readInto(KeyReader& reader, std::size_t most);
    void takeLateAnswer(KeyReader& reader);
    // Before a key is taken: reads the bytes already waiting that may make an ESC at the front
    // an arrow key, or the end of the keys the awaited answer to the probe, and no more.
    void completeKey(KeyReader& reader);

    std::string keys_;
    bool awaitingAnswer_ = false;  // the probe went unanswered; an answer may still come
    Clock::time_point answerDeadline_;
    bool ended_ = false;
};

}  // namespace tarnwick
