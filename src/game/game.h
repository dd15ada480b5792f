// The context every game function receives: the state record and the console.
#pragma once

#include <string_view>

#include "console/console.h"
#include "game/game_state.h"

namespace tarnwick {

struct Game {
    explicit Game(Console& c) : console(c) {}
    GameState state;
    Console& console;
};

// Board cell (x, y), both from 1, is drawn at screen column 2x - 2, row y - 1.
inline void drawAtCell(Game& game, int x, int y, std::string_view text) {
    game.console.gotoXY(2 * x - 2, y - 1);
    game.console.printText(text);
}

}  // namespace tarnwick
