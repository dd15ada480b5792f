// The monster step: random steps, the push off the way, catching the player, boxed-in
// monsters, and long random runs on carved boards.
#include "play/monsters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "play/level.h"
#include "play/tick.h"
#include "play_support.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::cellsHolding;
using testing::cellText;
using testing::countCells;
using testing::loadBoard;
using testing::textAt;

using Cells = std::vector<std::pair<int, int>>;

class MonsterTest : public ::testing::Test {
  protected:
    MonsterTest() : game(console) {
        game.state.playerX = 2;
        game.state.playerY = 2;
    }
    TestConsole console;
    Game game;
};

TEST(MonsterPush, AMonsterOnTheWayIsPushedRightLeftBelowAbove) {
    // The monster 'm' stands on the way at (3, 3); '+' is floor on the way, which does not
    // take it; '$' and '#' block.
    const struct {
        std::initializer_list<std::string_view> rows;
        std::pair<int, int> lands;
    } cases[] = {
        {{"#####", "#...#", "#.m.#", "#...#", "#####"}, {4, 3}},
        {{"#####", "#...#", "#.m+#", "#...#", "#####"}, {2, 3}},
        {{"#####", "#...#", "#$m##", "#...#", "#####"}, {3, 4}},
        {{"#####", "#...#", "#+m$#", "#.+.#", "#####"}, {3, 2}},
        {{"#####", "#.+.#", "#+m$#", "#.#.#", "#####"}, {3, 3}},  // no place: it stays
    };
    for (const auto& c : cases) {
        TestConsole console;
        Game game(console);
        loadBoard(game.state, c.rows);
        game.state.playerX = 2;
        game.state.playerY = 2;
        console.pushRandom(1);  // drawn and not used (1 would be left)
        EXPECT_EQ(moveMonsters(game), 1);
        EXPECT_EQ(console.randomDraws(), 1);
        EXPECT_EQ(cellsHolding(game.state, CellMonster), Cells{c.lands});
        if (c.lands != std::pair{3, 3}) {
            EXPECT_EQ(cellText(console, c.lands.first, c.lands.second), "怪");
            EXPECT_EQ(game.state.maze[3][3], CellEmpty);
            EXPECT_EQ(cellText(console, 3, 3), "  ");
        }
    }
}

TEST_F(MonsterTest, AnOffPathMonsterStepsAtRandomOntoTheWayAndIsPushedOffNext) {
    loadBoard(game.state, {
                              "######",
                              "#+++.#",
                              "#.M..#",
                              "######",
                          });
    game.state.playerX = 5;
    // Right is floor off the way, but the value 3 names the cell above, on the way.
    console.pushRandoms({3});
    EXPECT_EQ(moveMonsters(game), 1);
    EXPECT_EQ(cellsHolding(game.state, CellMonster), (Cells{{3, 2}}));
    // On the way it ignores its value (0 would be right, onto the way) and is pushed: right
    // and left are on the way, below is its old cell, now open.
    console.pushRandoms({0});
    EXPECT_EQ(moveMonsters(game), 1);
    EXPECT_EQ(cellsHolding(game.state, CellMonster), (Cells{{3, 3}}));
    EXPECT_EQ(console.randomDraws(), 2);
}

TEST_F(MonsterTest, RandomDrawsRepeatUntilAnEmptyNeighbourAndBoxedMonstersDrawNothing) {
    loadBoard(game.state, {
                              "#######",
                              "#..##.#",
                              "##$MM##",
                              "#..#..#",
                              "#M#...#",
                              "#######",
                          });
    game.state.playerX = 6;
    // (2, 5) is walled in but above; (4, 3) is boxed in by walls, a coin and a monster and
    // draws nothing; (5, 3) can only go down.
    console.pushRandoms({0, 1, 2, 3});  // (2, 5): right, left, below blocked, then above
    console.pushRandoms({2});           // (5, 3): below; a draw for (4, 3) would take it
    EXPECT_EQ(moveMonsters(game), 1);
    EXPECT_EQ(console.randomDraws(), 5);
    EXPECT_EQ(cellsHolding(game.state, CellMonster), (Cells{{2, 4}, {4, 3}, {5, 4}}));
}

TEST_F(MonsterTest, ItNeverLeavesTheBoardOrReadsOutsideTheGrid) {
    // A monster in the last column of the grid (60), and one in the last column of a board
    // narrower than what an earlier picture left open in the grid: neither goes right.
    for (const int size : {MazeGridSize - 1, 10}) {
        TestConsole edge;
        Game g(edge);
        for (auto& column : g.state.maze) {
            column.fill(CellWall);
        }
        g.state.mazeWidth = g.state.mazeHeight = size;
        g.state.maze[size][5] = CellMonster;
        g.state.maze[size - 1][5] = CellEmpty;
        if (size + 1 < MazeGridSize) {
            g.state.maze[size + 1][5] = CellEmpty;
        }
        edge.pushRandoms({0, 1});
        EXPECT_EQ(moveMonsters(g), 1) << size;
        EXPECT_EQ(g.state.maze[size - 1][5], CellMonster) << size;
        EXPECT_EQ(edge.randomDraws(), 2);
    }
}

TEST_F(MonsterTest, CatchingThePlayerCostsALifeOrReturnsZeroOnTheLast) {
    const std::initializer_list<std::string_view> board{
        "#E#####",
        "#.....#",
        "###M#M#",
        "#######",
    };
    const std::vector<SoundStep> lifeLost{{392, 200}, {392, 200}, {262, 200}};
    {
        loadBoard(game.state, board);
        game.state.playerX = 4;
        game.state.lives = 2;
        console.pushRandoms({2, 3, 3});  // first monster: below (wall), above; second: above
        EXPECT_EQ(moveMonsters(game), 1);
        EXPECT_EQ(game.state.lives, 1);
        EXPECT_EQ(game.state.playerX, 2);
        EXPECT_EQ(game.state.playerY, 2);
        EXPECT_EQ(cellText(console, 2, 2), "〇");
        EXPECT_EQ(cellText(console, 4, 2), "怪");
        EXPECT_EQ(console.screen().cell(6, 1).style, (Style{4, 3}));  // the coloured monster
        EXPECT_TRUE(textAt(console, 22, 5, "当前生命值： ● "));
        EXPECT_EQ(console.sounds(), lifeLost);
        EXPECT_EQ(countCells(game.state, CellMonsterMoved), 0);
    }
    {
        TestConsole quiet;
        Game last(quiet);
        loadBoard(last.state, board);
        last.state.playerX = 4;
        last.state.playerY = 2;
        last.state.lives = 1;
        quiet.pushRandoms({3, 3});
        EXPECT_EQ(moveMonsters(last), 0);
        EXPECT_EQ(last.state.lives, 1);
        EXPECT_EQ(last.state.playerX, 4);
        EXPECT_EQ(last.state.maze[4][2], CellMonster);
        // The step stopped at the catch: the later monster keeps its mark and is not drawn.
        EXPECT_EQ(last.state.maze[6][2], CellMonsterMoved);
        EXPECT_EQ(cellText(quiet, 6, 2), "  ");
        EXPECT_TRUE(quiet.sounds().empty());
    }
}

TEST_F(MonsterTest, MonstersStepOnEveryFifthTickCountingOnFromTheLastGame) {
    loadBoard(game.state, {
                              "#E####",
                              "#....#",
                              "#.M..#",
                              "######",
                          });
    game.state.mode = ModeEndless;
    game.state.playerX = 1;  // out of the monster's reach
    game.state.playerY = 1;
    game.state.monsterTick = 3;  // left by an earlier game
    console.setRandomFallback(11);
    std::vector<int> stepTicks;
    for (int tick = 1; tick <= 16; ++tick) {
        const int before = console.randomDraws();
        ASSERT_EQ(gameTick(game), 1);
        if (console.randomDraws() > before) {
            stepTicks.push_back(tick);
        }
    }
    EXPECT_EQ(stepTicks, (std::vector<int>{2, 7, 12}));
    EXPECT_EQ(game.state.monsterTick, 4);
}

// Pairs every monster after a step with a distinct monster before it, one cell away at most.
bool stepsAreSingle(const Cells& before, const Cells& after) {
    std::vector<int> owner(before.size(), -1);
    std::function<bool(std::size_t, std::vector<bool>&)> assign = [&](std::size_t a,
                                                                      std::vector<bool>& seen) {
        for (std::size_t b = 0; b < before.size(); ++b) {
            const int dist = std::abs(after[a].first - before[b].first) +
                             std::abs(after[a].second - before[b].second);
            if (dist > 1 || seen[b]) {
                continue;
            }
            seen[b] = true;
            if (owner[b] < 0 || assign(static_cast<std::size_t>(owner[b]), seen)) {
                owner[b] = static_cast<int>(a);
                return true;
            }
        }
        return false;
    };
    for (std::size_t a = 0; a < after.size(); ++a) {
        std::vector<bool> seen(before.size(), false);
        if (!assign(a, seen)) {
            return false;
        }
    }
    return true;
}

TEST(MonsterRuns, LongRandomRunsKeepEveryMonsterOnItsOwnCell) {
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        TestConsole console;
        Game game(console);
        game.state.mode = ModeEndless;
        game.state.mazeWidth = game.state.mazeHeight = 25;
        game.state.monsterCount = 10;
        console.setRandomFallback(seed);
        setupLevel(game);
        game.state.playerX = 1;  // inside the border: no monster can reach the player
        game.state.playerY = 1;
        const int coins = countCells(game.state, CellCoin);
        for (int step = 0; step < 1500; ++step) {
            const Cells before = cellsHolding(game.state, CellMonster);
            ASSERT_EQ(moveMonsters(game), 1);
            const Cells after = cellsHolding(game.state, CellMonster);
            ASSERT_EQ(after.size(), 10u) << "seed " << seed << " step " << step;
            ASSERT_EQ(countCells(game.state, CellMonsterMoved), 0);
            ASSERT_EQ(countCells(game.state, CellCoin), coins);
            ASSERT_TRUE(stepsAreSingle(before, after)) << "seed " << seed << " step " << step;
            for (const auto& [x, y] : after) {
                ASSERT_EQ(cellText(console, x, y), "怪");
            }
        }
    }
}

}  // namespace
}  // namespace tarnwick
