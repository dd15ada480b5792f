// The random carved maze: fill, carve, wall in, entrance and exit, drawing.
#pragma once

#include "game/game.h"

namespace tarnwick {

// Builds and draws a carved board of mazeWidth x mazeHeight cells.
void buildCarvedMaze(Game& game);
// Carves corridors from the room (x, y) by a randomised depth-first walk. Draws nothing.
void carveMaze(Game& game, int x, int y);

}  // namespace tarnwick
