// The shop: lives, the knife and the gun for coins.
#pragma once

#include "game/game.h"

namespace tarnwick {

void openShop(Game& game);
void notEnoughCoinsScreen(Game& game);
void alreadyBoughtScreen(Game& game);

}  // namespace tarnwick
