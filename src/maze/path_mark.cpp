#include "maze/path_mark.h"

#include <algorithm>

#include "maze/path_search.h"

namespace tarnwick {

void markPath(Game& game) {
    GameState& state = game.state;
    state.pathLength = findPath(game);
    const int width = std::min(state.mazeWidth, PathMarkSize - 1);
    const int height = std::min(state.mazeHeight, PathMarkSize - 1);
    for (int x = 1; x <= width; ++x) {
        for (int y = 1; y <= height; ++y) {
            state.pathMark[x][y] = 0;
        }
    }
    // Mark from the last cell back to the first, counting pathLength down to 0.
    while (state.pathLength > 0) {
        const int x = state.pathX[static_cast<std::size_t>(state.pathLength)];
        const int y = state.pathY[static_cast<std::size_t>(state.pathLength)];
        if (x >= 0 && x < PathMarkSize && y >= 0 && y < PathMarkSize) {
            state.pathMark[x][y] = PathMarked;
        }
        --state.pathLength;
    }
}

int pathMarkAt(const GameState& state, int x, int y) {
    if (x < 0 || y < 0 || x >= PathMarkSize || y >= PathMarkSize) {
        return 0;
    }
    return state.pathMark[x][y];
}

}  // namespace tarnwick
