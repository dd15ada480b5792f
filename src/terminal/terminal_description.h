// The features of the terminal the game runs on (console/terminal_features.h), read from the
// terminal's description: on Linux the terminfo database, through the low-level interface of
// libtinfo (tigetstr, tigetnum); the screen management of curses is not used.
#pragma once

#include "console/terminal_features.h"

namespace tarnwick {

// The features of the terminal that `term` names (TERM). Colours need at least eight of them
// and `noColor` (NO_COLOR) unset or empty. The alternate screen and cursor hiding follow the
// description; synchronized output and the window title go with an alternate screen (the
// terminals that have one take DEC private modes and OSC strings) or with their own entries.
// A TERM that is unset or unknown is taken for an xterm-like terminal.
TerminalFeatures describeTerminal(const char* term, const char* noColor);

}  // namespace tarnwick
