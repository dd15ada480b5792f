// The fixed 54 x 54 picture maze of the easter-egg mode.
#pragma once

#include <array>
#include <string_view>

#include "game/game.h"

namespace tarnwick {

inline constexpr int PictureMazeSize = 54;

// The board after the build, one character per cell: '#' wall, '.' floor, 'E' entrance,
// 'X' exit. Rows from the top, columns from the left.
extern const std::array<std::string_view, PictureMazeSize> pictureMazeLayout;

// Clears the grid, places and draws the walls, sets the entrance and the exit.
void buildPictureMaze(Game& game);
// Marks the cell (px + 1, py + 1) as a wall and moves the cursor there.
void placeWall(Game& game, int px, int py);
// Prints the picture wall glyph at the cursor.
void printWallGlyph(Game& game);

}  // namespace tarnwick
