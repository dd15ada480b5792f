// One game: the level set-up and the loop of ticks.
#pragma once

#include "game/game.h"

namespace tarnwick {

int runGame(Game& game);
void setupLevel(Game& game);
void placeMonsters(Game& game);
void placeCoins(Game& game);

}  // namespace tarnwick
