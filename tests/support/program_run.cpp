#include "support/program_run.h"

#include "menus/main_menu.h"

namespace tarnwick::testing {

ProgramRun runProgram(TestConsole& console) {
    ProgramRun run;
    console.setKeyReadHook(
        [&run](const TestConsole& c) { run.screensAtKeyReads.push_back(c.screen()); });
    run.status = programEntry(console);
    console.setKeyReadHook(nullptr);
    return run;
}

}  // namespace tarnwick::testing
