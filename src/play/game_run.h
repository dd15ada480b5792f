// One game from the main menu: its levels, one after the other in endless mode.
#pragma once

#include "game/game.h"

namespace tarnwick {

// Sets up a level and runs its ticks until the game ends; in endless mode each victory goes
// on to a new level.
void runGame(Game& game);

}  // namespace tarnwick
