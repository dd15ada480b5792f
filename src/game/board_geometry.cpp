#include "game/board_geometry.h"

#include <algorithm>

namespace tarnwick {

int boardWidth(const GameState& state) {
    return std::min(state.mazeWidth, MazeGridSize - 1);
}

int boardHeight(const GameState& state) {
    return std::min(state.mazeHeight, MazeGridSize - 1);
}

bool onBoard(const GameState& state, int x, int y) {
    return x >= 1 && y >= 1 && x <= boardWidth(state) && y <= boardHeight(state);
}

void moveToCell(Game& game, int x, int y) {
    game.console.gotoXY(cellColumn(x), cellRow(y));
}

void drawAtCell(Game& game, int x, int y, std::string_view text) {
    moveToCell(game, x, y);
    game.console.printText(text);
}

}  // namespace tarnwick
