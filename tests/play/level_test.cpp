// Level set-up and whole game runs: placement, what a new game keeps, endless runs, the
// easter-egg game and the board size left behind by it.
#include "play/level.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <memory>

#include "play/game_run.h"
#include "play/tick.h"
#include "play_support.h"
#include "storage/records_store.h"
#include "storage/temp_folder.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::cellsHolding;
using testing::cellText;
using testing::countCells;
using testing::loadBoard;
using testing::QuietPilotConsole;
using testing::textAt;

using Cells = std::vector<std::pair<int, int>>;

TEST(Placement, MonstersGoIntoWallsAndCoinsOntoFloorDrawingColumnThenRow) {
    TestConsole console;
    Game game(console);
    loadBoard(game.state, {
                              "#E####",
                              "#.#..#",
                              "#....#",
                              "##.#.#",
                              "#...#X",
                              "######",
                          });
    // Monsters: x = 2 + r mod 4, then y = 2 + r mod 4. Floor, a wall, the same cell again
    // (now a monster), floor, a wall.
    game.state.monsterCount = 2;
    console.pushRandoms({0, 0, 1, 0, 1, 0, 1, 2, 2, 2});
    placeMonsters(game);
    EXPECT_EQ(cellsHolding(game.state, CellMonster), (Cells{{3, 2}, {4, 4}}));
    EXPECT_EQ(console.randomDraws(), 10);
    EXPECT_EQ(cellText(console, 3, 2), "怪");
    EXPECT_EQ(cellText(console, 4, 4), "怪");

    // Coins: x = 2 + r mod 5, then y = 2 + r mod 5, 3 per size factor. The border, floor,
    // the same cell again, floor, a wall, floor.
    game.state.sizeFactor = 1;
    console.pushRandoms({4, 4, 0, 0, 0, 0, 1, 1, 4, 1, 2, 3});
    placeCoins(game);
    EXPECT_EQ(cellsHolding(game.state, CellCoin), (Cells{{2, 2}, {3, 3}, {4, 5}}));
    EXPECT_EQ(console.randomDraws(), 22);
    EXPECT_EQ(cellText(console, 2, 2), "￥");

    game.state.shopOpen = 0;
    placeCoins(game);  // a closed shop places none and draws nothing
    EXPECT_EQ(console.randomDraws(), 22);
}

TEST(SetupLevel, DefaultGameOnA25Board) {
    TestConsole console;
    Game game(console);
    game.state.mazeWidth = game.state.mazeHeight = 25;
    game.state.timeLeftMs = 123;
    game.state.monsterTick = 3;
    console.setRandomFallback(5);
    setupLevel(game);
    const GameState& s = game.state;
    EXPECT_EQ(s.timeLeftMs, 55000);
    EXPECT_EQ(s.monsterTick, 3);
    EXPECT_EQ(s.playerX, 2);
    EXPECT_EQ(s.playerY, 2);
    EXPECT_EQ(s.maze[25][24], CellExit);
    EXPECT_EQ(countCells(s, CellMonster), 3);
    EXPECT_EQ(countCells(s, CellCoin), 3);
    for (const auto& [x, y] : cellsHolding(s, CellMonster)) {
        EXPECT_FALSE(x % 2 == 0 && y % 2 == 0) << "a monster in a room at " << x << "," << y;
        EXPECT_TRUE(x >= 2 && x <= 24 && y >= 2 && y <= 24);
    }
    EXPECT_EQ(s.pathMark[24][24], PathMarked);  // the way is marked, as the path tests check
    EXPECT_TRUE(textAt(console, 58, 5, "当前生命值： ● "));
    EXPECT_TRUE(textAt(console, 58, 9, "当前模式为： 限时模式"));
    if (s.maze[2][2] != CellCoin) {
        EXPECT_EQ(cellText(console, 2, 2), "〇");
    }
}

TEST(RunGame, EndOfInputEndsTheGameByLeavingIt) {
    TestConsole console;
    Game game(console);
    game.state.mazeWidth = game.state.mazeHeight = 25;
    game.state.monsterCount = 0;
    console.setRandomFallback(1);
    console.setIdleLimitMs(1000);
    EXPECT_THROW(runGame(game), EndOfInput);
}

TEST(RunGame, ANewGameKeepsWhatTheLastOneLeft) {
    TestConsole console;
    Game game(console);
    GameState& s = game.state;
    s.mazeWidth = s.mazeHeight = 25;
    s.lives = 2;
    s.lifeSetting = 3;
    s.coins = 7;
    s.hasKnife = 1;
    s.levelsCleared = 4;
    console.setRandomFallback(2);
    // First game: look at the board, then leave it from the pause screen.
    console.pushKeys("x00");
    runGame(game);
    // The next game starts with the lives the pause left, and shows them.
    console.pushKeys("x00");
    console.setKeyReadHook([](const TestConsole& c) {
        if (c.keysLeft() == 3) {
            EXPECT_TRUE(textAt(c, 58, 5, "当前生命值： ● ● "));
            EXPECT_TRUE(textAt(c, 58, 11, "当前已装备    瑞士军刀"));
        }
    });
    runGame(game);
    EXPECT_EQ(s.lives, 2);
    EXPECT_EQ(s.coins, 7);
    EXPECT_EQ(s.hasKnife, 1);
    EXPECT_EQ(s.levelsCleared, 4);
    EXPECT_EQ(s.alive, 1);
}

TEST(Endless, LevelsFollowEachOtherOnTheSameBoardSizeWithMoreCoins) {
    QuietPilotConsole console(9, 9);
    Game game(console);
    console.steer(game.state);
    GameState& s = game.state;
    s.mode = ModeEndless;
    s.mazeWidth = s.mazeHeight = 25;
    s.lifeSetting = 5;
    s.levelsCleared = 2;  // from an earlier run
    storage::TempFolder folder;
    game.files.records = folder.game();
    runGame(game);
    EXPECT_EQ(s.levelsCleared, 9);
    EXPECT_EQ(s.sizeFactor, 6);
    // The run is one game on the first board's size, with its own levels and the coins picked.
    EXPECT_EQ(storage::loadRecords(folder.game()).table.records,
              (std::vector{storage::Record{"endless", 25, 1, 0, std::nullopt, 7, s.coins - 50}}));
    // Eight levels were set up: each on the first board's size, with 3 coins per size factor.
    const auto& starts = console.pilot().levelStarts();
    ASSERT_EQ(starts.size(), 8u);
    const int wantCoins[] = {3, 6, 9, 12, 15, 18, 18, 18};
    for (std::size_t i = 0; i < starts.size(); ++i) {
        EXPECT_EQ(starts[i].levelsCleared, static_cast<int>(i) + 2);
        EXPECT_EQ(starts[i].mazeWidth, 25);
        EXPECT_EQ(starts[i].coinsOnBoard, wantCoins[i]) << "level " << i;
    }
    EXPECT_EQ(s.lives, 9);  // endless victories leave the lives alone (the pilot's 9)
}

struct LongRun {
    int levels = 0;
    int levelsSetUp = 0;
    bool failed = false;
};

void* playLongRun(void* arg) {
    auto* run = static_cast<LongRun*>(arg);
    try {
        auto console = std::make_unique<QuietPilotConsole>(run->levels, 2024);
        auto game = std::make_unique<Game>(*console);
        console->steer(game->state);
        game->state.mode = ModeEndless;
        game->state.mazeWidth = game->state.mazeHeight = 25;
        // No monsters: one that gets stuck on the only way would end the pilot's walk.
        game->state.monsterCount = 0;
        runGame(*game);
        run->levelsSetUp = static_cast<int>(console->pilot().levelStarts().size());
        run->failed = game->state.levelsCleared != run->levels;
    } catch (...) {
        run->failed = true;
    }
    return nullptr;
}

// The levels of one run follow each other in a loop: a thousand of them fit in a small stack.
TEST(Endless, AThousandLevelsInOneRunOnA256KiBStack) {
    LongRun run;
    run.levels = 1000;
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, 256 * 1024), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr, playLongRun, &run), 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attr);
    EXPECT_FALSE(run.failed);
    EXPECT_EQ(run.levelsSetUp, 1001);
}

TEST(EasterEgg, PlaysThePictureWithItsOwnValuesAndLeavesAProperBoardBehind) {
    TestConsole console;
    Game game(console);
    GameState& s = game.state;
    // As the mode settings leave it; the game sets its own values again.
    s.mode = ModeEasterEgg;
    s.mazeWidth = s.mazeHeight = 54;
    s.monsterCount = 4;
    s.coins = 99;
    s.sizeFactor = 2;
    console.setRandomFallback(4);
    console.pushKeys("x00");
    console.setKeyReadHook([&s](const TestConsole& c) {
        if (c.keysLeft() != 3) {
            return;
        }
        EXPECT_EQ(countCells(s, CellMonster), 10);
        EXPECT_EQ(countCells(s, CellCoin), 18);
        EXPECT_EQ(s.maze[54][48], CellExit);
        // Redrawn with the carved maze's wall glyph, the panel beside the 54 columns.
        EXPECT_EQ(cellText(c, 1, 1), "██");
        EXPECT_EQ(cellText(c, 54, 54), "██");
        EXPECT_EQ(c.screen().cell(0, 0).style, (Style{4, 4}));
        EXPECT_TRUE(textAt(c, 116, 7, "当前金币 ￥：  10"));
        EXPECT_EQ(c.textAt(116, 9, 20), "当前模式为：" + std::string(8, ' '));  // no name
    });
    runGame(game);
    EXPECT_EQ(s.monsterCount, 3);
    EXPECT_EQ(s.coins, 0);
    EXPECT_EQ(s.sizeFactor, 6);
    EXPECT_EQ(s.mazeWidth, 54);
    EXPECT_EQ(s.mode, ModeEasterEgg);

    // A carved mode chosen next, without the map settings: a proper 45 x 45 board. Outside
    // timed mode the set-up leaves the clock alone.
    s.mode = ModeWarGod;
    s.timeLeftMs = 1234;
    console.setKeyReadHook([&s](const TestConsole& c) {
        if (c.keysLeft() == 3) {
            EXPECT_EQ(s.mazeWidth, 45);
            EXPECT_EQ(s.mazeHeight, 45);
            EXPECT_EQ(s.maze[45][44], CellExit);
            EXPECT_EQ(countCells(s, CellMonster), 3);
            // A perfect maze: 2R - 1 open cells, some of them now coins.
            EXPECT_EQ(countCells(s, CellEmpty) + countCells(s, CellCoin), 967);
            EXPECT_EQ(s.pathMark[44][44], PathMarked);
            EXPECT_EQ(s.timeLeftMs, 1234);
            EXPECT_TRUE(textAt(c, 98, 9, "当前模式为： 战神模式"));
        }
    });
    console.pushKeys("x00");
    runGame(game);
}

}  // namespace
}  // namespace tarnwick
