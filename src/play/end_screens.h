// The pause, defeat and victory screens.
#pragma once

#include "game/game.h"

namespace tarnwick {

// 0 when the player chose the main menu, 1 to go on playing.
int pauseScreen(Game& game);
int loseScreen(Game& game);
int winScreen(Game& game);

}  // namespace tarnwick
