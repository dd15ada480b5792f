// The player's move in a tick and what the cell it lands on does.
#pragma once

#include "game/game.h"

namespace tarnwick {

// The player's part of a tick once a key was read: erase, move (when `move` is set) and
// resolve the cell the player stands on. Returns false when that ended the game.
bool movePlayer(Game& game, bool move);

}  // namespace tarnwick
