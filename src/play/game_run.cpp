#include "play/game_run.h"

#include "play/game_record.h"
#include "play/level.h"
#include "play/tick.h"

namespace tarnwick {

namespace {

// What a game on the fixed board leaves behind it.
constexpr int MonstersAfterEasterEgg = 3;
constexpr int PurseAfterEasterEgg = 0;

// A chain of levels goes on to its next level when this game added a cleared level.
bool goesOnToNextLevel(const GameState& state, int clearedBefore) {
    return modeRules(state.mode).chainedLevels && state.levelsCleared != clearedBefore;
}

}  // namespace

void runGame(Game& game) {
    GameState& state = game.state;
    const bool fixedBoard = modeRules(state.mode).fixedBoard;
    if (fixedBoard) {
        setEasterEggValues(state);
    }
    beginTally(state);
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
    if (fixedBoard) {
        state.monsterCount = MonstersAfterEasterEgg;
        state.coins = PurseAfterEasterEgg;
    }
}

}  // namespace tarnwick
