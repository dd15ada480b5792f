// The hint to the exit on the play screen's panel: where the exit lies while the terminal
// shows only a part of the board without it.
#pragma once

#include "game/game.h"

namespace tarnwick {

// Draws the hint, turns it, or wipes it, as the part of the board last shown asks.
void drawExitHint(Game& game);

}  // namespace tarnwick
