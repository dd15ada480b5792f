// The way from the start cell (2, 2) to the cell beside the exit.
#pragma once

#include "play/game.h"

namespace tarnwick {

// Leaves the way in pathX[1..n], pathY[1..n] and returns n (0 when no way exists).
int findPath(Game& game);
// The way mark of a cell; a cell outside the marks' grid counts as unmarked (0).
int pathMarkAt(const GameState& state, int x, int y);

}  // namespace tarnwick
