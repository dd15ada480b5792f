#include "play/game_run.h"

#include "play/level.h"
#include "play/tick.h"

namespace tarnwick {

namespace {

// What an easter-egg game leaves behind it.
constexpr int MonstersAfterEasterEgg = 3;
constexpr int PurseAfterEasterEgg = 0;

// An endless run goes on to its next level when this game added a cleared level.
bool goesOnToNextLevel(const GameState& state, int clearedBefore) {
    return state.mode == ModeEndless && state.levelsCleared != clearedBefore;
}

}  // namespace

int runGame(Game& game) {
    GameState& state = game.state;
    const bool easterEgg = state.mode == ModeEasterEgg;
    if (easterEgg) {
        setEasterEggValues(state);
    }
    // The levels of an endless run follow each other here, one after the victory screen of
    // the last, so that a run of any length needs no deeper stack.
    for (;;) {
        const int clearedBefore = state.levelsCleared;
        setupLevel(game);
        while (gameTick(game) != 0) {
        }
        if (!goesOnToNextLevel(state, clearedBefore)) {
            break;
        }
    }
    if (easterEgg) {
        state.monsterCount = MonstersAfterEasterEgg;
        state.coins = PurseAfterEasterEgg;
    }
    return 0;
}

}  // namespace tarnwick
