// The renderer tests' bench: a realistic play screen for the byte counts (a carved N x N maze
// drawn cell by cell with the game's glyphs, monsters in the walls, coins on the floor, the
// player and the status panel beside the board), and frames rendered into a strict terminal.
#pragma once

#include <string>
#include <vector>

#include "console/renderer.h"
#include "console/screen.h"
#include "strict_terminal.h"

namespace tarnwick::testing {

struct BoardFixture {
    int size = 0;
    // Cell codes indexed [x][y], 1..size: 0 floor, 1 wall, 2 entrance, 3 exit, 5 monster, 6 coin.
    std::vector<std::vector<int>> cells;
    int playerX = 2;
    int playerY = 2;
};

// Carves a perfect maze of the given odd size from the seed and places the pieces.
BoardFixture carveBoard(int size, unsigned seed, int monsters, int coins);
// Draws the board the way the game redraws it (clear, every cell, player, panel).
void drawBoard(Screen& screen, const BoardFixture& board);
// Renders a frame into the strict terminal and checks that the terminal shows the screen;
// returns the bytes sent.
std::string renderInto(Renderer& renderer, const Screen& screen, StrictTerminal& terminal,
                       int columns, int rows);

}  // namespace tarnwick::testing
