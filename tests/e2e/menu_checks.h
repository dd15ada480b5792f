// Checks shared by the end-to-end tests: the main menu on the screen, and the terminal as
// the program found it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "pty_session.h"

namespace tarnwick::e2e {

#define START_OR_SKIP(session)                              \
    if (!(session).started()) {                             \
        GTEST_SKIP() << "no pseudo-terminal can be opened"; \
    }

// The screen as text, for failure messages.
std::string screenOf(const PtySession& session);
// Whether the main menu's last line is on the screen.
bool menuShown(const PtySession& session);
// Waits for the main menu and checks every line of it and its colours.
void expectMenu(PtySession& session);
// The terminal as the program found it: main screen, cursor shown, title popped.
void expectRestored(PtySession& session);

}  // namespace tarnwick::e2e
