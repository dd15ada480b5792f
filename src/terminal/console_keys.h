// The keys of the Windows console as the game gets them. The console reports key presses,
// not bytes: a letter or a digit reaches the game as its character, an arrow (plain or with a
// modifier) as the movement key w, a, s or d, as the arrow keys do on Linux (key_decoder.h),
// and every other key as one key that means nothing to any screen (SequenceKey, what a
// terminal's sequence without a meaning is on Linux). Shift, Ctrl, Alt and the
// other keys that only modify reach the game as nothing, and so does a key's release; a held
// key comes as its repeats.
#pragma once

#include <cstdint>
#include <deque>

#include "terminal/key_decoder.h"
#include "terminal/key_input.h"

namespace tarnwick {

// One key event of the console (the fields of its KEY_EVENT_RECORD).
struct ConsoleKeyEvent {
    bool down = true;
    std::uint16_t virtualKey = 0;
    char16_t character = 0;
    std::uint32_t controls = 0;  // the state of Shift, Ctrl, Alt and the lock keys
    std::uint16_t repeats = 1;
};

// Adds the keys the game gets from the event to the waiting keys, up to KeyQueueBound.
void addConsoleKeys(const ConsoleKeyEvent& event, std::deque<int>& keys);

}  // namespace tarnwick
