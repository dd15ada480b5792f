#include "maze/path_search.h"

namespace tarnwick {

int pathMarkAt(const GameState& state, int x, int y) {
    if (x < 0 || y < 0 || x >= PathMarkSize || y >= PathMarkSize) {
        return 0;
    }
    return state.pathMark[x][y];
}

}  // namespace tarnwick
