// The way marks: the cells of the way from the start cell to the exit, marked on a carved
// board so that the monsters keep off them.
#pragma once

#include "game/game.h"

namespace tarnwick {

// The marking step of a carved level's set-up: pathLength = findPath(), every cell of
// 1..mazeWidth x 1..mazeHeight unmarked, then the cells of the way marked with PathMarked from
// the last to the first, counting pathLength down to 0. Cells outside the marks' grid are skipped.
void markPath(Game& game);
// The way mark of a cell; a cell outside the marks' grid counts as unmarked (0).
int pathMarkAt(const GameState& state, int x, int y);

}  // namespace tarnwick
