#include "maze/carved_maze.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_checks.h"
#include "game/glyphs.h"

namespace tarnwick {
namespace {

using testing::BoardCell;
using testing::gridRows;
using testing::openGraph;
using testing::RecordingConsole;

constexpr int CarvedSizes[] = {25, 29, 33, 37, 41, 45};

int roomsOf(int n) {
    return ((n - 1) / 2) * ((n - 1) / 2);
}

void setSize(GameState& state, int n) {
    state.mazeWidth = n;
    state.mazeHeight = n;
}

// Everything a carved board of size n must be, whatever the random values.
void expectCarvedBoard(const GameState& state, int n) {
    SCOPED_TRACE("board of " + std::to_string(n));
    const auto& maze = state.maze;
    const int rooms = roomsOf(n);
    // 2R - 1 open cells, connected with one link fewer than cells: a tree.
    const auto graph = openGraph(state, n);
    EXPECT_EQ(graph.cells, 2 * rooms - 1);
    EXPECT_EQ(graph.links, graph.cells - 1);
    EXPECT_EQ(static_cast<int>(testing::floodFrom(state, n, {2, 2}).size()), graph.cells);
    // Every room is open, every pillar a wall.
    for (int x = 2; x < n; x += 2) {
        for (int y = 2; y < n; y += 2) {
            EXPECT_EQ(maze[x][y], CellEmpty) << x << "," << y;
            EXPECT_EQ(maze[x + 1][y + 1], CellWall) << x + 1 << "," << y + 1;
        }
    }
    // The border holds walls, the entrance (2, 1) and the exit (n, n - 1), nothing else, so
    // their only open neighbours are the rooms (2, 2) and (n - 1, n - 1).
    for (int i = 1; i <= n; ++i) {
        EXPECT_EQ(maze[1][i], CellWall) << "column 1, row " << i;
        EXPECT_EQ(maze[i][n], CellWall) << "row n, column " << i;
        EXPECT_EQ(maze[i][1], i == 2 ? CellEntrance : CellWall) << "row 1, column " << i;
        EXPECT_EQ(maze[n][i], i == n - 1 ? CellExit : CellWall) << "column n, row " << i;
    }
    // Row 0 and column 0: empty, but for (1, 0), (n, 0), (0, 1) and (0, n).
    for (int i = 0; i <= n; ++i) {
        const bool wallAtTop = i == 1 || i == n;
        EXPECT_EQ(maze[i][0], wallAtTop ? CellWall : CellEmpty) << "row 0, column " << i;
        EXPECT_EQ(maze[0][i], wallAtTop ? CellWall : CellEmpty) << "column 0, row " << i;
    }
}

// A 7 x 7 board worked out by hand from the random values below: the start room (2, 4) (the
// row is drawn first), then four values per room in the order the rooms are carved:
// (2, 4) U L D R; (2, 2) L D R U; (4, 2) L D R U; (4, 4) U L D R; (4, 6) D U L R;
// (2, 6) D R U L; (6, 6) R L D U; (6, 4) U D L R; (6, 2) L D R U.
const std::vector<int> HandValues{4, 6,         //
                                  1, 3, 0, 2,   // (2, 4)
                                  0, 0, 0, 0,   // (2, 2)
                                  3, 3, 3, 3,   // (4, 2)
                                  2, 1, 2, 1,   // (4, 4)
                                  5, 6, 7, 8,   // (4, 6)
                                  0, 1, 2, 3,   // (2, 6)
                                  1, 1, 1, 1,   // (6, 6)
                                  2, 2, 2, 2,   // (6, 4)
                                  0, 0, 0, 0};  // (6, 2)
const std::vector<std::string> HandBoard{
    ".#.....#",  // row 0 (the ring; (1, 0) and (7, 0) are walled in with the border)
    "##E#####",  //
    ".#...#.#",  //
    ".#.#.#.#",  //
    ".#.#.#.#",  //
    ".###.#.#",  //
    ".#.....X",  //
    "########",  // row 7; its cell at column 0 is (0, 7)
};

TEST(CarvedMaze, HandWorkedBoardFollowsTheOrderOfDraws) {
    RecordingConsole console;
    console.pushRandoms(HandValues);
    Game game(console);
    setSize(game.state, 7);
    buildCarvedMaze(game);
    EXPECT_EQ(console.randomDraws(), 2 + 4 * 9);
    EXPECT_EQ(gridRows(game.state, 7), HandBoard);

    // Drawn cell by cell, row by row; the entrance and the exit without their reset.
    ASSERT_EQ(console.prints.size(), 49u);
    for (int i = 0; i < 49; ++i) {
        const int x = i % 7 + 1;
        const int y = i / 7 + 1;
        const auto& print = console.prints[static_cast<std::size_t>(i)];
        EXPECT_EQ(print.x, 2 * x - 2) << i;
        EXPECT_EQ(print.y, y - 1) << i;
        const char symbol = HandBoard[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
        const std::string_view want = symbol == '#'   ? GlyphWall
                                      : symbol == 'E' ? GlyphEntranceFirst
                                      : symbol == 'X' ? GlyphExitFirst
                                                      : GlyphEmpty;
        EXPECT_EQ(print.text, want) << "cell " << x << "," << y;
    }
    EXPECT_EQ(console.row(0), "██入██████████");
    EXPECT_EQ(console.row(5), "██          出");
}

TEST(CarvedMaze, EveryCarvedSizeGivesAPerfectMaze) {
    for (const int n : CarvedSizes) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            TestConsole console;
            console.setRandomFallback(seed * 7919u + static_cast<unsigned>(n));
            Game game(console);
            setSize(game.state, n);
            // Indexes above n belong to no board and must keep what they held.
            for (auto& column : game.state.maze) {
                column.fill(CellMonster);
            }
            buildCarvedMaze(game);
            EXPECT_EQ(console.randomDraws(), 2 + 4 * roomsOf(n));
            expectCarvedBoard(game.state, n);
            for (int i = 0; i < MazeGridSize; ++i) {
                for (int j = n + 1; j < MazeGridSize; ++j) {
                    ASSERT_EQ(game.state.maze[i][j], CellMonster) << i << "," << j;
                    ASSERT_EQ(game.state.maze[j][i], CellMonster) << j << "," << i;
                }
            }
            if (::testing::Test::HasFailure()) {
                FAIL() << "size " << n << ", seed " << seed;
            }
        }
    }
}

TEST(CarvedMaze, StartRoomCanBeAnyRoom) {
    // Start values, each followed by the start room's four values 0, 0, 0, 0, which try
    // left first, then down, right and up.
    struct Case {
        int rowValue;
        int columnValue;
        BoardCell start;
        BoardCell firstSegment;  // the segment the start room opens first
    };
    constexpr int N = 25;  // 12 rooms per axis
    const Case cases[] = {
        {0, 12, {2, 2}, {2, 3}},              // left is off the board; down comes next
        {11, 23, {24, 24}, {23, 24}},         // the room beside the exit
        {2147483647, 5, {12, 16}, {11, 16}},  // 2147483647 mod 12 = 7: row 16
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("start " + std::to_string(c.start.x) + "," + std::to_string(c.start.y));
        TestConsole console;
        console.pushRandoms({c.rowValue, c.columnValue, 0, 0, 0, 0});
        console.setRandomFallback(99);
        Game game(console);
        setSize(game.state, N);
        buildCarvedMaze(game);
        EXPECT_EQ(game.state.maze[c.firstSegment.x][c.firstSegment.y], CellEmpty);
        expectCarvedBoard(game.state, N);
    }
}

TEST(CarvedMaze, CarvingFromARoomDrawsNothingAndTakesFourValuesPerRoom) {
    RecordingConsole console;
    console.setRandomFallback(5);
    Game game(console);
    setSize(game.state, 9);
    for (int x = 0; x <= 9; ++x) {
        for (int y = 0; y <= 9; ++y) {
            game.state.maze[x][y] = x == 0 || y == 0 || x == 9 || y == 9 ? CellEmpty : CellWall;
        }
    }
    carveMaze(game, 8, 8);
    EXPECT_EQ(console.randomDraws(), 4 * 16);
    EXPECT_TRUE(console.prints.empty());
    EXPECT_TRUE(console.moves.empty());
    EXPECT_EQ(openGraph(game.state, 8).cells, 2 * 16 - 1);  // the ring at 9 is open too
}

}  // namespace
}  // namespace tarnwick
