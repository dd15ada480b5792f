// The set-up of a level: the board, the player, the monsters, the coins and the way.
#pragma once

#include "game/game.h"

namespace tarnwick {

void setupLevel(Game& game);
void placeMonsters(Game& game);
void placeCoins(Game& game);

}  // namespace tarnwick
