// The defeat and victory screens.
#pragma once

#include "game/game.h"

namespace tarnwick {

void loseScreen(Game& game);
void winScreen(Game& game);

}  // namespace tarnwick
