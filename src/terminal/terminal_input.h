// Waiting for the input and the signal events on the real terminal, and reading the input.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace tarnwick {

enum class WaitResult {
    Input,     // the input is readable, at its end, or gone
    Event,     // a signal event waits in the self-pipe
    Deadline,  // the deadline passed
};

// Waits for the input (none when inputFd is negative), for the event pipe, or for the
// deadline (none: no limit).
WaitResult waitFor(int inputFd, int eventFd,
                   std::optional<std::chrono::steady_clock::time_point> deadline);

enum class ReadResult {
    Keys,   // at least one byte was read
    Again,  // interrupted: wait again
    End,    // end of input, or the terminal went away
};
// Appends at least one of the bytes the input holds, as many as one read gives (blocks until
// one comes).
ReadResult readKeys(int inputFd, std::string& keys);

// The terminal's size in columns and rows; 80 x 24 when it cannot be known.
void terminalSize(int fd, int& columns, int& rows);

}  // namespace tarnwick
