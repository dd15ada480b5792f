#include "maze/path_search.h"

#include <array>

#include "game/board_geometry.h"

namespace tarnwick {

namespace {

// Written on every cell the search enters, in its working copy only.
constexpr int CellVisited = 10;

// The working copy covers every index a board can use (0..60) plus one more, so that the
// neighbours of any board cell can be read; cells outside the board hold a wall.
constexpr int WorkGridSize = MazeGridSize + 1;
using WorkGrid = std::array<std::array<int, WorkGridSize>, WorkGridSize>;

bool passable(int code) {
    return code == CellEmpty || code == CellCoin || code == CellExit;
}

void copyBoard(const GameState& state, WorkGrid& work) {
    for (auto& column : work) {
        column.fill(CellWall);
    }
    for (int x = 1; x <= boardWidth(state); ++x) {
        for (int y = 1; y <= boardHeight(state); ++y) {
            work[x][y] = state.maze[x][y];
        }
    }
}

}  // namespace

int findPath(Game& game) {
    GameState& state = game.state;
    WorkGrid work;
    copyBoard(state, work);
    int k = 1;
    state.pathX[1] = StartX;
    state.pathY[1] = StartY;
    work[StartX][StartY] = CellVisited;
    while (k > 0) {
        const int x = state.pathX[static_cast<std::size_t>(k)];
        const int y = state.pathY[static_cast<std::size_t>(k)];
        bool pushed = false;
        for (const Offset step : NeighbourOrder) {
            const int nx = x + step.dx;
            const int ny = y + step.dy;
            const int code = work[nx][ny];
            if (!passable(code)) {
                continue;
            }
            if (code == CellExit) {
                return k;
            }
            if (k + 1 >= PathCapacity) {
                return 0;  // a way longer than the way's storage: treat as no way
            }
            work[nx][ny] = CellVisited;
            ++k;
            state.pathX[static_cast<std::size_t>(k)] = nx;
            state.pathY[static_cast<std::size_t>(k)] = ny;
            pushed = true;
            break;
        }
        if (!pushed) {
            --k;  // a dead end: back up and try the cell below again
        }
    }
    return 0;  // the stack ran empty: the exit cannot be reached
}

}  // namespace tarnwick
