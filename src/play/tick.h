// One step of play.
#pragma once

#include "game/game.h"

namespace tarnwick {

// One tick lasts this long; the auto-walk shows each cell of the way for WalkStepMs.
inline constexpr int TickMs = 100;
inline constexpr int WalkStepMs = 200;
// The monsters step on every fifth tick.
inline constexpr int MonsterStepEvery = 5;

// Returns 1 while the game goes on, 0 once it is over.
int gameTick(Game& game);

}  // namespace tarnwick
