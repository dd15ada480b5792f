// The way from the start cell (2, 2) to the cell beside the exit.
#pragma once

#include "game/game.h"

namespace tarnwick {

// Leaves the way in pathX[1..n], pathY[1..n] and returns n (0 when no way exists).
int findPath(Game& game);

}  // namespace tarnwick
