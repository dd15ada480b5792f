// The defeat and victory screens.
#pragma once

#include "game/game.h"

namespace tarnwick {

int loseScreen(Game& game);
int winScreen(Game& game);

}  // namespace tarnwick
