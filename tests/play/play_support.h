// Helpers for the play scenarios: hand-drawn boards, cell counts, and a console that walks
// the player to the exit by itself.
#pragma once

#include <initializer_list>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

#include "console/test_console.h"
#include "game/game.h"

namespace tarnwick::testing {

// Lays out a board from rows of characters, row 1 first: '#' wall, '.' floor, 'E' entrance,
// 'X' exit, 'M' monster, '$' coin; '+' floor and 'm' monster on the marked way. The grid and
// the way marks are cleared first; the board size is taken from the rows.
void loadBoard(GameState& state, std::initializer_list<std::string_view> rows);

// The cells of the board (1..mazeWidth x 1..mazeHeight) that hold the code.
std::vector<std::pair<int, int>> cellsHolding(const GameState& state, int code);
int countCells(const GameState& state, int code);

// What the screen shows in the two columns of board cell (x, y).
std::string cellText(const TestConsole& console, int x, int y);

// Plays a game by itself: every key it gives is the next step towards the exit (by a search
// over the board that avoids monsters). Once `levelsToClear` levels are cleared it pauses the
// game and leaves it. Lives are topped up so that monsters cannot end the run. Each level's
// first key records the board size and the coins lying on the board.
class Pilot {
  public:
    struct LevelStart {
        int levelsCleared;
        int mazeWidth;
        int coinsOnBoard;
        int sizeFactor;
    };

    explicit Pilot(int levelsToClear) : levelsToClear_(levelsToClear) {}
    // The state of the game to steer; set before the game runs.
    void steer(GameState& state) { state_ = &state; }
    // The key for the screen that waits now. Throws EndOfInput when a level takes too long.
    int nextKey();
    const std::vector<LevelStart>& levelStarts() const { return levelStarts_; }

  private:
    void mapDistances();
    int stepOnMap() const;
    int nextStep();

    GameState* state_ = nullptr;
    int levelsToClear_;
    int keysThisLevel_ = 0;
    int pauseKeysSent_ = 0;
    int lastLevelSeen_ = -1;
    std::vector<LevelStart> levelStarts_;
    std::vector<int> dist_;  // steps to the exit, by cell
};

// A console with no screen, no clock and no sound, a pilot at the keys and a seeded random
// engine: for runs so long that drawing them would only cost time.
class QuietPilotConsole : public Console {
  public:
    QuietPilotConsole(int levelsToClear, unsigned seed) : pilot_(levelsToClear), random_(seed) {}
    void steer(GameState& state) { pilot_.steer(state); }
    const Pilot& pilot() const { return pilot_; }

    void gotoXY(int, int) override {}
    void printText(std::string_view) override {}
    void clearScreen() override {}
    void hideCursor() override {}
    void setTitle(std::string_view) override {}
    void showBoard(const BoardArea&) override {}
    void keepInSight(int, int) override {}
    int readKey() override { return pilot_.nextKey(); }
    bool keyWaiting() override { return true; }
    void sleepMs(int) override {}
    void tone(int, int) override {}
    void rest(int) override {}
    void seedRandom(unsigned seed) override { random_.seed(seed); }
    int nextRandom() override { return static_cast<int>(random_() & 0x7FFF); }

  private:
    Pilot pilot_;
    std::minstd_rand random_;
};

}  // namespace tarnwick::testing
