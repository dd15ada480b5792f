// The context every game function receives: the state record, the console and the random
// source.
#pragma once

#include "console/console.h"
#include "game/game_state.h"

namespace tarnwick {

struct Game {
    explicit Game(Console& c) : console(c), random(c) {}
    GameState state;
    Console& console;
    // Every random choice of the game draws from here, one value per statement.
    RandomSource& random;
};

}  // namespace tarnwick
