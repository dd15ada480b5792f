// One step of play and the classification of a cell.
#pragma once

#include "game/game.h"

namespace tarnwick {

// What classifyCell tells about a cell.
inline constexpr int ClassFloor = 0;
inline constexpr int ClassWall = 1;
inline constexpr int ClassEntrance = 2;
inline constexpr int ClassExit = 3;
inline constexpr int ClassOther = 4;
inline constexpr int ClassMonster = 5;
inline constexpr int ClassCoin = 6;

// One tick lasts this long; the auto-walk shows each cell of the way for WalkStepMs.
inline constexpr int TickMs = 100;
inline constexpr int WalkStepMs = 200;
// The monsters step on every fifth tick.
inline constexpr int MonsterStepEvery = 5;

// Returns 1 while the game goes on, 0 once it is over.
int gameTick(Game& game);
// 1 wall, 0 floor, 2 entrance, 3 exit, 6 coin, 5 monster, 4 anything else.
int classifyCell(const GameState& state, int x, int y);

// The player's part of a tick once a key was read: erase, move (when `move` is set) and
// resolve the cell the player stands on. Returns false when that ended the game.
bool movePlayer(Game& game, bool move);

}  // namespace tarnwick
