// The play screen: the whole board with the player, and the status panel beside it.
#pragma once

#include "play/game.h"

namespace tarnwick {

// The screen column of the status panel.
constexpr int panelColumn(const GameState& state) {
    return 2 * state.mazeWidth + 8;
}

// Clears the screen and paints every cell, the player and the panel.
void redrawBoard(Game& game);
// Repaints the panel: lives, coins, mode, equipment and, in endless mode, levels cleared.
void drawStatusPanel(Game& game);

}  // namespace tarnwick
