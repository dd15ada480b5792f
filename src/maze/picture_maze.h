// The fixed 54 x 54 picture maze of the easter-egg mode.
#pragma once

#include "game/game.h"
#include "maze/picture_maze_layout.h"

namespace tarnwick {

// Clears the grid, places and draws the walls, sets the entrance and the exit.
void buildPictureMaze(Game& game);
// Marks the cell (px + 1, py + 1) as a wall and moves the cursor there.
void placeWall(Game& game, int px, int py);
// Prints the picture wall glyph at the cursor.
void printWallGlyph(Game& game);

}  // namespace tarnwick
