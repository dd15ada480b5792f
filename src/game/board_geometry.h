// Board geometry: the start cell, the cells of a board, the neighbours of a cell and where a
// cell stands on the screen.
#pragma once

#include <array>
#include <string_view>

#include "game/game.h"

namespace tarnwick {

// The player starts every level on this cell, just below the entrance (2, 1).
inline constexpr int StartX = 2;
inline constexpr int StartY = 2;

// The step from a cell to one of its neighbours.
struct Offset {
    int dx;
    int dy;
};

// The neighbours of a cell in the order the path search tries them and a monster looks at
// them: right, left, below, above.
inline constexpr std::array<Offset, 4> NeighbourOrder{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};

// The board's columns and rows, cut to the grid.
int boardWidth(const GameState& state);
int boardHeight(const GameState& state);
// Whether (x, y) is a cell of the board: 1..boardWidth x 1..boardHeight.
bool onBoard(const GameState& state, int x, int y);

// Board cell (x, y), both from 1, is drawn at screen column 2x - 2, row y - 1: a cell is two
// columns wide.
inline constexpr int CellColumns = 2;
constexpr int cellColumn(int x) {
    return CellColumns * (x - 1);
}
constexpr int cellRow(int y) {
    return y - 1;
}
// Moves the cursor to the cell's screen position.
void moveToCell(Game& game, int x, int y);
// Prints the text at the cell's screen position.
void drawAtCell(Game& game, int x, int y, std::string_view text);

}  // namespace tarnwick
