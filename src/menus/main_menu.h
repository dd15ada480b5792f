// The program entry and the main menu.
#pragma once

#include "game/game.h"
#include "menus/program_options.h"

namespace tarnwick {

// Runs the whole program on a console; returns the exit status, always 0. The options give
// the random seed (else the clock's seconds) and may mute the sound.
int programEntry(Console& terminal, const ProgramOptions& options = {});
// Shows the main menu and reads one key: 1 to 4 for a screen, 0 to quit, 5 for any other key.
int mainMenu(Game& game);

}  // namespace tarnwick
