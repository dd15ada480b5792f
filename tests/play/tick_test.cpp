// The tick on hand-drawn boards: movement, coins, monsters underfoot, war-god mode, the
// countdown and the pause screen.
#include "play/tick.h"

#include <gtest/gtest.h>

#include "play/level.h"
#include "play_support.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::cellText;
using testing::loadBoard;
using testing::textAt;

const std::vector<SoundStep> CoinCueSteps{{1760, 200}, {1760, 200}, {1760, 200}};
const std::vector<SoundStep> LifeLostSteps{{392, 200}, {392, 200}, {262, 200}};

struct TickCase {
    char key;
    int x;
    int y;
};

// Plays one key per tick and checks where the player stands after each.
void expectWalk(Game& game, TestConsole& console, std::initializer_list<TickCase> steps) {
    for (const TickCase& step : steps) {
        console.pushKey(step.key, console.nowMs());
        ASSERT_EQ(gameTick(game), 1) << "key " << step.key << "\n" << console.screen().dump();
        EXPECT_EQ(game.state.playerX, step.x) << "key " << step.key;
        EXPECT_EQ(game.state.playerY, step.y) << "key " << step.key;
        EXPECT_EQ(cellText(console, game.state.playerX, game.state.playerY), "〇");
    }
}

class TickTest : public ::testing::Test {
  protected:
    TickTest() : game(console) {
        game.state.mode = ModeEndless;  // no countdown unless a test asks for it
        game.state.playerX = 2;
        game.state.playerY = 2;
    }
    TestConsole console;
    Game game;
};

TEST_F(TickTest, WallsAndTheTopRowBlockAndACoinUnderfootIsTakenByAnyKey) {
    loadBoard(game.state, {
                              "#E#####",
                              "#$...##",
                              "#.##..#",
                              "#.....X",
                              "#######",
                          });
    game.state.coins = 5;
    // Up into the entrance row: the player stays, and the coin it stands on is taken.
    expectWalk(game, console, {{'w', 2, 2}});
    EXPECT_EQ(game.state.maze[2][2], CellEmpty);
    EXPECT_EQ(game.state.coins, 6);
    EXPECT_EQ(console.sounds(), CoinCueSteps);
    EXPECT_TRUE(textAt(console, 22, 7, "当前金币 ￥：  6"));  // panel beside a 7-wide board
    EXPECT_EQ(game.state.facing, 'w');
    // Into walls left and below, upper case and keys of unowned weapons: nothing moves.
    expectWalk(game, console,
               {{'a', 2, 2}, {'d', 3, 2}, {'s', 3, 2}, {'W', 3, 2}, {'j', 3, 2}, {'k', 3, 2}});
    EXPECT_EQ(game.state.facing, 's');  // the blocked move still turns the player
    expectWalk(game, console, {{'d', 4, 2}, {'d', 5, 2}, {'d', 5, 2}, {'s', 5, 3}, {'s', 5, 4}});
    EXPECT_EQ(cellText(console, 3, 2), "  ");  // the cells walked over are erased
    EXPECT_EQ(game.state.coins, 6);
}

TEST_F(TickTest, AKeylessTickOnlySleepsAndTheShopKeyNeedsAnOpenShopThenRedraws) {
    loadBoard(game.state, {"#E###", "#$..#", "#####"});
    game.state.shopOpen = 0;
    ASSERT_EQ(gameTick(game), 1);
    EXPECT_EQ(game.state.maze[2][2], CellCoin);  // no key: the coin underfoot stays
    EXPECT_EQ(console.nowMs(), TickMs);
    console.pushKey('p', console.nowMs());
    ASSERT_EQ(gameTick(game), 1);
    EXPECT_EQ(console.clearCount(), 0);  // no shop, no redraw
    EXPECT_EQ(game.state.maze[2][2], CellEmpty);

    // With the shop open: a life bought, the shop left with another key, the board redrawn
    // with the new panel.
    game.state.shopOpen = 1;
    game.state.coins = 2;
    console.pushKeys("p1x", console.nowMs());
    ASSERT_EQ(gameTick(game), 1);
    EXPECT_EQ(game.state.lives, 2);
    EXPECT_EQ(cellText(console, 1, 1), "██");
    EXPECT_EQ(cellText(console, 2, 2), "〇");
    EXPECT_TRUE(textAt(console, 18, 5, "当前生命值： ● ● "));
    EXPECT_TRUE(textAt(console, 18, 7, "当前金币 ￥：  0"));
}

TEST_F(TickTest, SteppingOntoAMonsterCostsALifeOrEndsTheGame) {
    loadBoard(game.state, {
                              "#E####",
                              "#.M..#",
                              "######",
                          });
    game.state.lives = 2;
    game.state.lifeSetting = 3;
    game.state.monsterTick = 0;
    console.pushKey('d');
    ASSERT_EQ(gameTick(game), 1);
    EXPECT_EQ(game.state.lives, 1);
    EXPECT_EQ(game.state.playerX, 2);
    EXPECT_EQ(game.state.playerY, 2);
    EXPECT_EQ(game.state.maze[3][2], CellMonster);
    // The monster's cell shows the uncoloured catch, the panel one life.
    EXPECT_EQ(cellText(console, 3, 2), "怪");
    EXPECT_EQ(console.screen().cell(4, 1).style, Style{});
    EXPECT_TRUE(textAt(console, 20, 5, "当前生命值： ● "));
    EXPECT_EQ(console.sounds(), LifeLostSteps);
    EXPECT_EQ(cellText(console, 2, 2), "〇");

    // With one life left the same step ends the game on the defeat screen.
    console.pushKey('d', console.nowMs());
    console.pushKey('0', console.nowMs());
    EXPECT_EQ(gameTick(game), 0);
    EXPECT_EQ(game.state.lives, 3);  // the defeat screen's reset
    EXPECT_EQ(game.state.alive, 1);
    EXPECT_EQ(console.keysLeft(), 0u);
}

TEST_F(TickTest, WarGodWalksThroughEverythingAndStaysOnTheBoard) {
    // The monster is boxed in by walls and the coin: it never steps, so no random value is
    // drawn during the walk.
    loadBoard(game.state, {
                              "#E###",
                              "#.$M#",
                              "#..#X",
                              "#...#",
                              "#####",
                          });
    game.state.mode = ModeWarGod;
    game.state.coins = 0;
    expectWalk(game, console, {{'d', 3, 2}, {'d', 4, 2}, {'d', 5, 2}, {'d', 5, 2}, {'s', 5, 3},
                               {'s', 5, 4}, {'s', 5, 5}, {'s', 5, 5}, {'a', 4, 5}, {'a', 3, 5},
                               {'a', 2, 5}, {'a', 1, 5}, {'a', 1, 5}, {'w', 1, 4}, {'w', 1, 3},
                               {'w', 1, 2}, {'w', 1, 1}, {'w', 1, 1}, {'d', 2, 1}, {'d', 3, 1}});
    EXPECT_EQ(game.state.coins, 0);
    EXPECT_EQ(game.state.maze[3][2], CellCoin);
    EXPECT_EQ(game.state.maze[4][2], CellMonster);
    EXPECT_EQ(game.state.lives, 1);
    EXPECT_TRUE(console.sounds().empty());
    EXPECT_EQ(console.randomDraws(), 0);
}

TEST_F(TickTest, PauseResumesWithoutMovingOrLeavesWithEverythingKept) {
    loadBoard(game.state, {"#E###", "#...#", "#####"});
    game.state.lives = 2;
    game.state.lifeSetting = 3;
    console.pushKeys("0d");
    console.setKeyReadHook([](const TestConsole& c) {
        if (c.keysLeft() == 1) {
            EXPECT_TRUE(textAt(c, 43, 14, "游戏已暂停，按 0 返回主菜单"));
            EXPECT_TRUE(textAt(c, 43, 18, "按其他任意键继续游戏！"));
        }
    });
    ASSERT_EQ(gameTick(game), 1);
    EXPECT_EQ(game.state.playerX, 2);    // the resuming key is not a move
    EXPECT_EQ(console.clearCount(), 2);  // pause screen, then the board redrawn
    EXPECT_EQ(cellText(console, 1, 1), "██");
    EXPECT_EQ(cellText(console, 2, 2), "〇");

    console.pushKeys("00", console.nowMs());
    EXPECT_EQ(gameTick(game), 0);
    EXPECT_EQ(game.state.lives, 2);
    EXPECT_EQ(game.state.alive, 1);
}

// On an 80 x 24 terminal the game tells the view where its board stands and where the player
// is: the window comes down with the player, and keeps its place over the shop's redraw.
TEST(SmallTerminal, TheWindowFollowsThePlayerDownAndStaysAfterTheShop) {
    TestConsole console(80, 24);
    Game game(console);
    game.state.mode = ModeWarGod;
    game.state.mazeWidth = game.state.mazeHeight = 45;
    game.state.monsterCount = 0;
    console.setRandomFallback(7);
    setupLevel(game);
    for (int tick = 0; tick < 30; ++tick) {
        console.pushKey('s', console.nowMs());
        ASSERT_EQ(gameTick(game), 1);
        // The player's row is at most 24 - 1 - 3 rows below the window's top.
        EXPECT_EQ(console.view().cameraY(), std::max(0, game.state.playerY - 1 - 20));
    }
    EXPECT_EQ(console.view().cameraY(), 11);
    console.pushKeys("px", console.nowMs());
    ASSERT_EQ(gameTick(game), 1);
    console.takeOutput();
    const ViewFrame& frame = console.view().lastFrame();
    EXPECT_EQ(frame.regionCount, 2);  // the window and the panel
    EXPECT_EQ(frame.regions[0].fromY, 11);
}

// At size factor 1 the clock starts at 55000 ms and loses 100 ms per tick.
TEST(TimedMode, CountdownShowsSecondsAndRunsOutOnTheTick551) {
    TestConsole console;
    Game game(console);
    game.state.mazeWidth = game.state.mazeHeight = 25;
    game.state.monsterCount = 0;  // nothing else may end the game
    game.state.shopOpen = 0;
    console.setRandomFallback(7);
    setupLevel(game);
    EXPECT_EQ(game.state.timeLeftMs, 55000);
    const std::int64_t start = console.nowMs();
    console.pushKey('0', start + 551 * TickMs);  // for the defeat screen
    for (int tick = 1; tick <= 550; ++tick) {
        ASSERT_EQ(gameTick(game), 1) << "tick " << tick;
        const int shown = tick == 1 ? 54 : (55000 - tick * TickMs) / 1000;
        if (tick == 1 || tick >= 540) {
            ASSERT_TRUE(textAt(console, 58, 3, formatInt("剩余时间为： %d 秒   ", shown)))
                << "tick " << tick;
        }
        if (tick > 540) {
            EXPECT_EQ(game.state.secondsLeft, 0);
        }
    }
    console.setKeyReadHook([start](const TestConsole& c) {
        EXPECT_EQ(c.nowMs(), start + 551 * TickMs + 1000);  // after the defeat cue
        EXPECT_TRUE(textAt(c, 43, 12, "YOU LOSE !!!"));
    });
    EXPECT_EQ(gameTick(game), 0);
    EXPECT_EQ(game.state.timeLeftMs, -100);
}

}  // namespace
}  // namespace tarnwick
