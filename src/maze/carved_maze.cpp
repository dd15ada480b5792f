#include "maze/carved_maze.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "game/board_geometry.h"
#include "game/glyphs.h"

namespace tarnwick {

namespace {

// One room being carved: its shuffled direction table and the next entry to try.
struct CarveFrame {
    int x;
    int y;
    std::array<Offset, 4> steps;
    int next;
};

// The board size to build. The grid holds indexes 0..60; a size outside 3..60 (which no
// setting produces) is brought into that range so that nothing is written outside the grid.
int boardSize(const GameState& state) {
    return std::clamp(state.mazeWidth, 3, MazeGridSize - 1);
}

// The direction table in its initial order (down, right, up, left), shuffled by four draws:
// entry i is swapped with entry (draw mod 4), for i = 0..3 in turn.
std::array<Offset, 4> shuffledSteps(RandomSource& random) {
    std::array<Offset, 4> steps{{{0, 1}, {1, 0}, {0, -1}, {-1, 0}}};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const int draw = random.nextRandom();
        std::swap(steps[i], steps[static_cast<std::size_t>(draw % 4)]);
    }
    return steps;
}

// Opens the room and returns its frame; the room's four draws are taken here, at the moment
// a recursive walk would enter it.
CarveFrame enterRoom(Game& game, int x, int y) {
    CarveFrame frame{x, y, shuffledSteps(game.random), 0};
    game.state.maze[x][y] = CellEmpty;
    return frame;
}

// The text of each cell code on the first drawing of a board; codes past the table print
// nothing. The entrance and the exit lack their closing reset here: the wall printed next
// sets its own colours.
constexpr std::array<std::string_view, 4> FirstDrawGlyphs{GlyphEmpty, GlyphWall, GlyphEntranceFirst,
                                                          GlyphExitFirst};

void fillGrid(GameState& state, int n) {
    for (int x = 0; x <= n; ++x) {
        for (int y = 0; y <= n; ++y) {
            const bool ring = x == 0 || x == n || y == 0 || y == n;
            state.maze[x][y] = ring ? CellEmpty : CellWall;
        }
    }
}

void wallBorder(GameState& state, int n) {
    for (int i = 0; i <= n; ++i) {
        state.maze[1][i] = CellWall;
        state.maze[n][i] = CellWall;
    }
    for (int i = 0; i <= n; ++i) {
        state.maze[i][1] = CellWall;
        state.maze[i][n] = CellWall;
    }
}

void drawBoard(Game& game, int n) {
    for (int y = 1; y <= n; ++y) {
        for (int x = 1; x <= n; ++x) {
            const int code = game.state.maze[x][y];
            moveToCell(game, x, y);
            if (code >= 0 && code < static_cast<int>(FirstDrawGlyphs.size())) {
                game.console.printText(FirstDrawGlyphs[static_cast<std::size_t>(code)]);
            }
        }
    }
}

}  // namespace

void carveMaze(Game& game, int x, int y) {
    const int n = boardSize(game.state);
    auto& maze = game.state.maze;
    if (x < 1 || x > n || y < 1 || y > n) {
        return;  // not a cell of the board
    }
    // An explicit stack in place of recursion: each frame resumes its own table where it left
    // off, so the rooms are entered, and the random values drawn, in the recursive order.
    std::vector<CarveFrame> stack;
    stack.push_back(enterRoom(game, x, y));
    while (!stack.empty()) {
        CarveFrame& top = stack.back();
        if (top.next == static_cast<int>(top.steps.size())) {
            stack.pop_back();
            continue;
        }
        const Offset step = top.steps[static_cast<std::size_t>(top.next)];
        ++top.next;
        const int nx = top.x + 2 * step.dx;
        const int ny = top.y + 2 * step.dy;
        if (nx < 1 || nx > n || ny < 1 || ny > n || maze[nx][ny] != CellWall) {
            continue;
        }
        maze[top.x + step.dx][top.y + step.dy] = CellEmpty;
        stack.push_back(enterRoom(game, nx, ny));  // `top` is not used past this point
    }
}

void buildCarvedMaze(Game& game) {
    const int n = boardSize(game.state);
    const int roomsPerAxis = (n - 1) / 2;
    fillGrid(game.state, n);
    // The start room: the first draw gives the row, the second the column.
    const int rowDraw = game.random.nextRandom();
    const int y = 2 + 2 * (rowDraw % roomsPerAxis);
    const int columnDraw = game.random.nextRandom();
    const int x = 2 + 2 * (columnDraw % roomsPerAxis);
    carveMaze(game, x, y);
    wallBorder(game.state, n);
    game.state.maze[2][1] = CellEntrance;
    game.state.maze[n][n - 1] = CellExit;
    drawBoard(game, n);
}

}  // namespace tarnwick
