// The way from the start cell (2, 2) to the cell beside the exit.
#pragma once

#include "game/game.h"

namespace tarnwick {

// Leaves the way in pathX[1..n], pathY[1..n] and returns n (0 when no way exists).
int findPath(Game& game);
// The marking step of a carved level's set-up: pathLength = findPath(), every cell of
// 1..mazeWidth x 1..mazeHeight unmarked, then the cells of the way marked with PathMarked from
// the last to the first, counting pathLength down to 0. Cells outside the marks' grid are skipped.
void markPath(Game& game);
// The way mark of a cell; a cell outside the marks' grid counts as unmarked (0).
int pathMarkAt(const GameState& state, int x, int y);

}  // namespace tarnwick
