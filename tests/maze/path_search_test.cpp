#include "maze/path_search.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "board_checks.h"
#include "maze/carved_maze.h"
#include "maze/path_mark.h"
#include "maze/picture_maze.h"

namespace tarnwick {
namespace {

using testing::BoardCell;

constexpr int CarvedSizes[] = {25, 29, 33, 37, 41, 45};

std::vector<BoardCell> wayOf(const GameState& state, int n) {
    std::vector<BoardCell> way;
    for (int i = 1; i <= n; ++i) {
        way.push_back(
            {state.pathX[static_cast<std::size_t>(i)], state.pathY[static_cast<std::size_t>(i)]});
    }
    return way;
}

// A carved board of size n from the seed, as the level set-up builds it.
void carve(Game& game, TestConsole& console, int n, unsigned seed) {
    console.setRandomFallback(seed);
    game.state.mazeWidth = n;
    game.state.mazeHeight = n;
    buildCarvedMaze(game);
}

void expectWayOnCarvedBoard(const GameState& state, int n, const std::vector<BoardCell>& way) {
    ASSERT_FALSE(way.empty());
    EXPECT_EQ(way.front(), (BoardCell{2, 2}));
    EXPECT_EQ(way.back(), (BoardCell{n - 1, n - 1}));
    const int length = static_cast<int>(way.size());
    EXPECT_EQ(length % 2, 1);
    EXPECT_GE(length, 2 * n - 5);
    EXPECT_EQ(length, testing::shortestWayCells(state, n, {2, 2}, {n - 1, n - 1}));
    std::set<std::pair<int, int>> seen;
    for (std::size_t i = 0; i < way.size(); ++i) {
        const BoardCell c = way[i];
        EXPECT_TRUE(seen.insert({c.x, c.y}).second) << "repeated " << c.x << "," << c.y;
        const int code = state.maze[c.x][c.y];
        EXPECT_TRUE(code == CellEmpty || code == CellCoin) << c.x << "," << c.y;
        if (i > 0) {
            const BoardCell p = way[i - 1];
            EXPECT_EQ(std::abs(c.x - p.x) + std::abs(c.y - p.y), 1) << "step " << i;
        }
    }
}

TEST(PathSearch, FindsTheOnlyWayOnEveryCarvedBoard) {
    for (const int n : CarvedSizes) {
        for (unsigned seed = 1; seed <= 25; ++seed) {
            SCOPED_TRACE("size " + std::to_string(n) + ", seed " + std::to_string(seed));
            TestConsole console;
            Game game(console);
            carve(game, console, n, seed * 31u + static_cast<unsigned>(n));
            const auto before = game.state.maze;
            const int length = findPath(game);
            const auto way = wayOf(game.state, length);
            expectWayOnCarvedBoard(game.state, n, way);
            EXPECT_EQ(game.state.maze, before);  // the search works on its own copy
            // A second search on the unchanged board finds the same way.
            game.state.pathX.fill(-1);
            EXPECT_EQ(findPath(game), length);
            EXPECT_EQ(wayOf(game.state, length), way);
        }
    }
}

TEST(PathSearch, MarkingMarksExactlyTheWay) {
    TestConsole console;
    Game game(console);
    // Marks left over everywhere, also outside the board: the marking clears 1..n only.
    for (auto& column : game.state.pathMark) {
        column.fill(PathMarked);
    }
    constexpr int N = 33;
    carve(game, console, N, 4242);
    const int length = findPath(game);
    const auto way = wayOf(game.state, length);
    markPath(game);
    EXPECT_EQ(game.state.pathLength, 0);
    std::set<std::pair<int, int>> onWay;
    for (const BoardCell c : way) {
        onWay.insert({c.x, c.y});
    }
    int marked = 0;
    for (int x = 1; x <= N; ++x) {
        for (int y = 1; y <= N; ++y) {
            const int mark = game.state.pathMark[x][y];
            EXPECT_EQ(mark, onWay.count({x, y}) ? PathMarked : 0) << x << "," << y;
            marked += mark == PathMarked ? 1 : 0;
        }
    }
    EXPECT_EQ(marked, length);
    EXPECT_EQ(game.state.pathMark[N][N - 1], 0);  // the exit is not on the way
    EXPECT_EQ(game.state.pathMark[0][5], PathMarked);
    EXPECT_EQ(game.state.pathMark[N + 1][5], PathMarked);
}

// A 7 x 7 board of walls where the only way from (2, 2) to the exit (4, 1) leads through
// (2, 1) and (3, 1): the search gets there exactly when (2, 1) is passable. A coin lies on the
// start cell: it neither blocks the way nor is taken off the board.
TEST(PathSearch, OnlyFloorCoinsAndTheExitArePassable) {
    const std::pair<int, int> cases[] = {
        {CellEmpty, 3},   {CellCoin, 3},         {CellWall, 0}, {CellEntrance, 0},
        {CellMonster, 0}, {CellMonsterMoved, 0}, {10, 0},       {4, 0},
    };
    for (const auto& [code, expected] : cases) {
        TestConsole console;
        Game game(console);
        game.state.mazeWidth = 7;
        game.state.mazeHeight = 7;
        for (int x = 1; x <= 7; ++x) {
            for (int y = 1; y <= 7; ++y) {
                game.state.maze[x][y] = CellWall;
            }
        }
        game.state.maze[2][2] = CellCoin;
        game.state.maze[2][1] = code;
        game.state.maze[3][1] = CellEmpty;
        game.state.maze[4][1] = CellExit;
        EXPECT_EQ(findPath(game), expected) << "code " << code;
        markPath(game);
        EXPECT_EQ(game.state.pathMark[3][1], expected == 0 ? 0 : PathMarked) << "code " << code;
        EXPECT_EQ(game.state.pathMark[2][2], expected == 0 ? 0 : PathMarked) << "code " << code;
        EXPECT_EQ(game.state.maze[2][2], CellCoin);
    }
}

// Where a board has loops the search takes the first open neighbour in the order right, left,
// down, up, and keeps the first way it completes, not the shortest.
TEST(PathSearch, TriesRightLeftDownUp) {
    TestConsole console;
    Game game(console);
    game.state.mazeWidth = 5;
    game.state.mazeHeight = 5;
    for (int x = 1; x <= 5; ++x) {
        for (int y = 1; y <= 5; ++y) {
            const bool inside = x >= 2 && x <= 4 && y >= 2 && y <= 4;
            game.state.maze[x][y] = inside ? CellEmpty : CellWall;
        }
    }
    game.state.maze[5][4] = CellExit;
    const std::vector<BoardCell> snake{{2, 2}, {3, 2}, {4, 2}, {4, 3}, {3, 3},
                                       {2, 3}, {2, 4}, {3, 4}, {4, 4}};
    EXPECT_EQ(wayOf(game.state, findPath(game)), snake);
}

TEST(PathSearch, BoardsBeyondTheCarvedSizesStayInBounds) {
    TestConsole console;
    Game game(console);
    // The picture maze left at 54: its exit cannot be reached from the start...
    buildPictureMaze(game);
    game.state.mazeWidth = PictureMazeSize;
    game.state.mazeHeight = PictureMazeSize;
    EXPECT_EQ(findPath(game), 0);
    // ...until a wall of row 38 opens; the way then ends at (53, 48), beyond the marks' grid.
    game.state.maze[41][38] = CellEmpty;
    const int length = findPath(game);
    ASSERT_GT(length, 0);
    EXPECT_EQ(wayOf(game.state, length).back(), (BoardCell{53, 48}));
    markPath(game);
    EXPECT_EQ(game.state.pathMark[2][2], PathMarked);

    // An open 60 x 60 board: the search's walk is longer than the way can hold.
    game.state.mazeWidth = MazeGridSize - 1;
    game.state.mazeHeight = MazeGridSize - 1;
    for (int x = 1; x < MazeGridSize; ++x) {
        for (int y = 1; y < MazeGridSize; ++y) {
            game.state.maze[x][y] = CellEmpty;
        }
    }
    game.state.maze[MazeGridSize - 1][MazeGridSize - 2] = CellExit;
    EXPECT_EQ(findPath(game), 0);
}

}  // namespace
}  // namespace tarnwick
