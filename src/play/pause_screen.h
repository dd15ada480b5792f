// The pause screen of key 0 in play.
#pragma once

#include "game/game.h"

namespace tarnwick {

// 0 when the player chose the main menu, 1 to go on playing.
int pauseScreen(Game& game);

}  // namespace tarnwick
