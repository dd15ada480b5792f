#include "maze/picture_maze.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board_checks.h"

namespace tarnwick {
namespace {

using testing::BoardCell;
using testing::floodFrom;
using testing::RecordingConsole;

constexpr int N = PictureMazeSize;

// The four walls placed last and never printed, as board cells.
const std::vector<BoardCell> UnprintedWalls{{25, 3}, {45, 13}, {40, 38}, {48, 29}};

bool contains(const std::vector<BoardCell>& cells, BoardCell cell) {
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

struct PictureFixture : ::testing::Test {
    RecordingConsole console;
    Game game{console};
    void build() {
        // Nonsense sizes: the build must not look at them.
        game.state.mazeWidth = -3;
        game.state.mazeHeight = 7777;
        buildPictureMaze(game);
    }
};

TEST_F(PictureFixture, BuildsTheLayoutWithoutRandomValues) {
    for (auto& column : game.state.maze) {
        column.fill(CellMonster);  // indexes outside 1..54 must keep this
    }
    build();
    EXPECT_EQ(console.randomDraws(), 0);
    const auto rows = testing::gridRows(game.state, N);
    for (int y = 1; y <= N; ++y) {
        EXPECT_EQ(rows[static_cast<std::size_t>(y)].substr(1),
                  pictureMazeLayout[static_cast<std::size_t>(y - 1)])
            << "row " << y;
        EXPECT_EQ(rows[static_cast<std::size_t>(y)][0], 'M') << "column 0, row " << y;
    }
    EXPECT_EQ(rows[0], std::string(N + 1, 'M'));
    EXPECT_EQ(game.state.maze[N + 1][N + 1], CellMonster);
    int walls = 0;
    int open = 0;
    for (int x = 1; x <= N; ++x) {
        for (int y = 1; y <= N; ++y) {
            walls += game.state.maze[x][y] == CellWall ? 1 : 0;
            open += game.state.maze[x][y] == CellEmpty ? 1 : 0;
        }
    }
    EXPECT_EQ(walls, 766);
    EXPECT_EQ(open, 2148);
    EXPECT_EQ(game.state.maze[2][1], CellEntrance);
    EXPECT_EQ(game.state.maze[54][48], CellExit);
    EXPECT_EQ(game.state.maze[53][48], CellEmpty);
    EXPECT_EQ(game.state.maze[2][2], CellEmpty);
}

TEST_F(PictureFixture, ExitIsWalledOffFromTheStart) {
    build();
    const auto fromStart = floodFrom(game.state, N, {2, 2});
    EXPECT_EQ(fromStart.size(), 1377u);
    EXPECT_FALSE(contains(fromStart, {53, 48}));
    EXPECT_EQ(floodFrom(game.state, N, {53, 48}).size(), 131u);
    EXPECT_EQ(floodFrom(game.state, N, {35, 45}).size(), 147u);
    // Any one of these walls of row 38, opened, joins the exit's region to the start's.
    for (const int x : {41, 42, 44, 45, 47, 48, 49, 51, 52, 53}) {
        auto& cell = game.state.maze[x][38];
        ASSERT_EQ(cell, CellWall) << x;
        cell = CellEmpty;
        EXPECT_TRUE(contains(floodFrom(game.state, N, {2, 2}), {53, 48})) << x;
        cell = CellWall;
    }
}

TEST_F(PictureFixture, DrawsTheFrameFirstAndHidesTheLastFourWalls) {
    build();
    // The frame: column 1 down, row 1 from column 3, column 54 down, row 54 from column 1.
    std::vector<BoardCell> frame;
    for (int y = 1; y <= N; ++y) {
        frame.push_back({1, y});
    }
    for (int x = 3; x <= N; ++x) {
        frame.push_back({x, 1});
    }
    for (int y = 1; y <= N; ++y) {
        frame.push_back({N, y});
    }
    for (int x = 1; x <= N; ++x) {
        frame.push_back({x, N});
    }
    ASSERT_GE(console.prints.size(), frame.size());
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const auto& print = console.prints[i];
        EXPECT_EQ((BoardCell{print.x / 2 + 1, print.y + 1}), frame[i]) << "placement " << i;
    }
    // The last four placements move the cursor without printing.
    std::vector<BoardCell> lastMoves;
    for (auto it = console.moves.end() - 4; it != console.moves.end(); ++it) {
        lastMoves.push_back({it->x / 2 + 1, it->y + 1});
    }
    EXPECT_EQ(lastMoves, UnprintedWalls);

    // On screen: a doubled picture block on every wall but those four; the exit still shows
    // the frame's block, the entrance is blank.
    const Screen& screen = console.screen();
    for (int x = 1; x <= N; ++x) {
        for (int y = 1; y <= N; ++y) {
            const char symbol =
                pictureMazeLayout[static_cast<std::size_t>(y - 1)][static_cast<std::size_t>(x - 1)];
            const bool shown =
                (symbol == '#' || symbol == 'X') && !contains(UnprintedWalls, {x, y});
            const char32_t want = shown ? U'▇' : U' ';
            EXPECT_EQ(screen.cell(2 * x - 2, y - 1).ch, want) << x << "," << y;
            EXPECT_EQ(screen.cell(2 * x - 1, y - 1).ch, want) << x << "," << y;
        }
    }
}

TEST_F(PictureFixture, PlaceWallMarksTheCellAndMovesTheCursorOnly) {
    placeWall(game, 4, 9);
    EXPECT_EQ(game.state.maze[5][10], CellWall);
    EXPECT_EQ((BoardCell{console.screen().cursorX(), console.screen().cursorY()}),
              (BoardCell{8, 9}));
    EXPECT_TRUE(console.prints.empty());
}

}  // namespace
}  // namespace tarnwick
