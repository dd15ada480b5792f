// The play screen: the whole board with the player, and the status panel beside it.
#pragma once

#include <string>

#include "game/game.h"

namespace tarnwick {

// The screen column of the status panel.
constexpr int panelColumn(const GameState& state) {
    return 2 * state.mazeWidth + 8;
}

// "当前已装备  " followed by the weapons owned, the gun always before the knife; the panel
// and the shop show the same line.
std::string equipmentLine(const GameState& state);

// Tells the console where the board stands, after the screen was cleared for it.
void showBoardArea(Game& game);
// Draws the player at the cell, and has the console keep that cell in sight.
void drawPlayer(Game& game, int x, int y);
// Clears the screen and paints every cell, the player and the panel.
void redrawBoard(Game& game);
// Repaints the panel: lives, coins, mode, equipment, in endless mode the levels cleared, the
// key line and the hint to the exit. On a terminal too narrow for the panel as it is, the
// panel keeps to a narrower width (so that 80 columns show 20 board cells beside it): the
// key line in its narrow form, the lives as a count where their dots would pass that width.
void drawStatusPanel(Game& game);
// After a resize: draws the panel anew when the terminal now wants the other form.
void fitStatusPanel(Game& game);

}  // namespace tarnwick
