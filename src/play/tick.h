// One step of play and the classification of a cell.
#pragma once

#include "play/game.h"

namespace tarnwick {

// Returns 1 while the game goes on, 0 once it is over.
int gameTick(Game& game);
// 1 wall, 0 floor, 2 entrance, 3 exit, 6 coin, 5 monster, 4 anything else.
int classifyCell(const GameState& state, int x, int y);

}  // namespace tarnwick
