// The help screen and the About screen.
#pragma once

#include "game/game.h"

namespace tarnwick {

void helpScreen(Game& game);
void aboutScreen(Game& game);

}  // namespace tarnwick
