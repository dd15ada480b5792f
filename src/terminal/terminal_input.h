// Waiting for keys and signal events on the real terminal, and reading one key.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace tarnwick {

enum class WaitResult {
    Input,     // the input is readable, at its end, or gone
    Event,     // a signal event waits in the self-pipe
    Deadline,  // the deadline passed
    Hangup,    // the terminal went away (only reported when input is not watched)
};

// Waits for the input (when `watchInput`), for the event pipe, or for the deadline (none:
// no limit). A wait that does not watch the input still notices a terminal that hung up.
WaitResult waitFor(int inputFd, bool watchInput, int eventFd,
                   std::optional<std::chrono::steady_clock::time_point> deadline);

// True when a read of the input would not block (a key, the end of input, or an error).
bool inputReady(int inputFd);

enum class ReadResult {
    Keys,   // at least one byte was read
    Again,  // interrupted: wait again
    End,    // end of input, or the terminal went away
};
// Appends the bytes the input holds (at least one; blocks until one comes).
ReadResult readKeys(int inputFd, std::string& keys);

// The terminal's size in columns and rows; 80 x 24 when it cannot be known.
void terminalSize(int fd, int& columns, int& rows);

}  // namespace tarnwick
