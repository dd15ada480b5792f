// Runs the whole program on a test console and keeps the screen at every key it waited for.
#pragma once

#include <vector>

#include "console/screen.h"
#include "console/test_console.h"

namespace tarnwick::testing {

struct ProgramRun {
    int status = -1;
    // The screen as it stood at each blocking key read, in order.
    std::vector<Screen> screensAtKeyReads;
};

// Runs the program entry until it ends (key 0 on the main menu, or the script runs dry).
ProgramRun runProgram(TestConsole& console);

}  // namespace tarnwick::testing
