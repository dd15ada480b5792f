// Helpers of the end-to-end game tests: a fixed time() for the started program, and waits for
// texts on the screen.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "menu_checks.h"
#include "pty_session.h"

namespace tarnwick::e2e {

// time() fixed by libfaketime for the programs started while it lives, so that every run
// carves the same boards; sleeps stay real. Without libfaketime the game runs on the real
// clock and the checks still hold.
class FixedClock {
  public:
    explicit FixedClock(const char* when = "@2024-01-01 00:00:00");
    ~FixedClock();
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

  private:
    bool active_ = false;
    std::optional<std::string> savedAsanOptions_;  // none: the variable was not set
};

// Whether the text stands at the column of the row.
bool shows(const PtySession& session, int x, int y, std::string_view text);

// Waits for the text at the column of the row; a failure shows the screen.
void awaitText(PtySession& session, int x, int y, std::string_view text,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

void awaitMainMenu(PtySession& session);

// From the main menu through the settings menu and back: the settings menu's key and the
// submenu's keys.
void changeSetting(PtySession& session, std::string_view keys);

// Where the text first stands on the screen: its column and row.
std::optional<std::pair<int, int>> findText(const PtySession& session, std::string_view text);

// From now on, at every frame that shows the play screen: the player is in sight, once, and
// the panel's lines are whole, at one column, with the mode's name. A fault fails the test
// once, with the screen.
void checkPlayAtEachFrame(PtySession& session, std::string modeName);

// Waits for the main menu, quits with key 0 and checks that the program exits with status 0.
void quitFromMenu(PtySession& session);

}  // namespace tarnwick::e2e
