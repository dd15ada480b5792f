// The monster step.
#pragma once

#include "game/game.h"

namespace tarnwick {

// Lets every monster step once. Returns 0 when a monster reached the player on the last life.
int moveMonsters(Game& game);
// Moves the monster at (x, y) to its first empty neighbour off the way, if any.
void pushMonsterOffPath(Game& game, int x, int y);
// A monster and the player met with lives left: one life less, the uncoloured monster on the
// player's cell, the player back at the start, the panel redrawn, the life-lost cue.
void catchPlayer(Game& game);

}  // namespace tarnwick
