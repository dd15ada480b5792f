// The terminal's modes while the game runs, and their restoration on every way out.
//
// This state is process-wide because the signal handlers must reach it: one terminal per
// process. leaveTerminal() uses only async-signal-safe calls (write, tcsetattr), so that a
// handler may call it.
#pragma once

#include <cstddef>
#include <string_view>

#include "console/messages.h"
#include "console/terminal_features.h"

namespace tarnwick {

// Why the game cannot draw on the output, or None when it can: the output must be a
// terminal, and not one that TERM calls "dumb" (such a terminal moves no cursor).
MessageId terminalRefusal(int outputFd, const char* term);

// Saves the input's modes and makes it raw (no line editing, no echo, no flow control, one
// byte per read, signal keys kept), then switches the output to the alternate screen, pushes
// the window title and hides the cursor, each where the terminal has it. Registers
// leaveTerminal with atexit once.
void enterTerminal(int inputFd, int outputFd, const TerminalFeatures& features);
// After a suspension: the same modes and sequences again, from the modes saved at first.
void reenterTerminal();
// Ends a synchronized frame that a signal cut short in the middle of its write, resets the
// colours, shows the cursor, leaves the alternate screen (without one, clears the screen), pops
// the title and restores the saved modes. Does nothing when the terminal is not entered.
void leaveTerminal() noexcept;

// Writes everything, retrying after partial writes and interruptions. False on an error
// (the terminal went away).
bool writeAll(int fd, std::string_view bytes) noexcept;

}  // namespace tarnwick
