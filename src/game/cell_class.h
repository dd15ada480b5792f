// The one classification of a board cell, used by the player's moves and by the placement of
// monsters and coins.
#pragma once

#include "game/game_state.h"

namespace tarnwick {

// What classifyCell tells about a cell, 0 to 6.
enum CellClass : int {
    ClassFloor,
    ClassWall,
    ClassEntrance,
    ClassExit,
    ClassOther,
    ClassMonster,
    ClassCoin
};

// 1 wall, 0 floor, 2 entrance, 3 exit, 6 coin, 5 monster, 4 anything else. Nothing outside
// the grid can be entered: it is a wall.
CellClass classifyCell(const GameState& state, int x, int y);

}  // namespace tarnwick
