// The one record of all settings, counters, the board and the way to the exit.
#pragma once

#include <array>
#include <cstdint>

#include "game/modes.h"

namespace tarnwick {

// Cell codes: the values the board grid holds.
enum CellCode : int {
    CellEmpty = 0,
    CellWall = 1,
    CellEntrance = 2,
    CellExit = 3,
    CellMonster = 5,
    CellCoin = 6,
    CellMonsterMoved = 7,
};

// Grid sizes: the board grid holds indexes 0..60, the way marks 0..52, the way itself
// (also the path search's stack) entries 1..2599.
inline constexpr int MazeGridSize = 61;
inline constexpr int PathMarkSize = 53;
inline constexpr int PathCapacity = 2600;
// The value that marks a cell of the way in pathMark.
inline constexpr int PathMarked = 100;

// Size factors run from 1 to 6, monster levels from 1 to 7, the lives a game starts with
// from 1 to 9.
inline constexpr int MaxSizeFactor = 6;
inline constexpr int MaxMonsterLevel = 7;
inline constexpr int MaxLifeSetting = 9;

// The board size for a size factor: 25, 29, ..., 45.
constexpr int boardSizeFor(int sizeFactor) {
    return 4 * sizeFactor + 21;
}
// The timed mode's budget for a size factor, in milliseconds.
constexpr int timeBudgetFor(int sizeFactor) {
    return 40000 * sizeFactor + 15000;
}

// What the records keep of the game being played: set at its start, counted during it.
struct GameTally {
    std::int64_t gameTimeMs = 0;  // game time: 100 ms a tick, 200 ms a cell of the auto-walk
    int coinsPicked = 0;          // coins picked up from the board (not bought, not the purse)
    int levelsBefore = 0;         // levelsCleared when the game began
};

struct GameState {
    // Settings.
    Mode mode = ModeTimed;
    int sizeFactor = 1;
    int mazeWidth = 0;  // set at start from sizeFactor
    int mazeHeight = 0;
    int monsterLevel = 1;
    int monsterCount = 3;
    int lifeSetting = 1;
    int shopOpen = 1;
    int timeLeftMs = 55000;

    // Possessions and counters, kept across games.
    int lives = 1;
    int coins = 50;
    int hasKnife = 0;
    int hasGun = 0;
    int levelsCleared = 0;
    int secondsLeft = 30;
    int alive = 1;
    int monsterTick = 0;
    GameTally tally;

    // Player position and input.
    int playerX = 0;
    int playerY = 0;
    int targetX = 0;
    int targetY = 0;
    char facing = 0;

    // Board and way, indexed [x][y].
    std::array<std::array<int, MazeGridSize>, MazeGridSize> maze{};
    std::array<std::array<int, PathMarkSize>, PathMarkSize> pathMark{};
    std::array<int, PathCapacity> pathX{};
    std::array<int, PathCapacity> pathY{};
    int pathLength = 0;
};

// The easter egg's picture maze is played with fixed values: the mode settings set them when
// the mode is chosen, and the game run sets them again before each easter-egg game.
inline void setEasterEggValues(GameState& state) {
    state.monsterCount = 10;
    state.coins = 10;
    state.sizeFactor = MaxSizeFactor;
}

}  // namespace tarnwick
