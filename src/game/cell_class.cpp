#include "game/cell_class.h"

namespace tarnwick {

CellClass classifyCell(const GameState& state, int x, int y) {
    if (x < 0 || y < 0 || x >= MazeGridSize || y >= MazeGridSize) {
        return ClassWall;  // nothing outside the grid can be entered
    }
    switch (state.maze[x][y]) {
        case CellWall:
            return ClassWall;
        case CellEmpty:
            return ClassFloor;
        case CellEntrance:
            if (y >= 1 && y < state.mazeHeight && x >= 2 && x < 2 * state.mazeWidth - 2) {
                return ClassEntrance;
            }
            return ClassOther;
        case CellExit:
            return ClassExit;
        case CellCoin:
            return ClassCoin;
        case CellMonster:
            return ClassMonster;
        default:
            return ClassOther;
    }
}

}  // namespace tarnwick
