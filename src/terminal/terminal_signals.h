// Signal handling for the real terminal.
//
// Ending signals (SIGINT, SIGTERM, SIGHUP, SIGQUIT) restore the terminal and end the
// process by the same signal. SIGTSTP restores the terminal and stops; SIGCONT and SIGWINCH
// are passed to the program through a self-pipe, which its waits watch. Fatal signals
// restore the terminal as far as they can and take their default action. A signal that was
// ignored when the program started (as under nohup) stays ignored.
#pragma once

namespace tarnwick {

struct SignalEvents {
    bool resized = false;    // SIGWINCH: the terminal changed its size
    bool continued = false;  // SIGCONT: the program runs again after a stop
};

// Installs the handlers; returns the read end of the self-pipe (readable when events wait).
int installSignalHandlers();
// Puts the dispositions back as they were before installSignalHandlers.
void removeSignalHandlers();
// The events that arrived since the last call; never blocks.
SignalEvents takeSignalEvents();

}  // namespace tarnwick
