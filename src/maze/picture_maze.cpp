#include "maze/picture_maze.h"

#include <algorithm>
#include <array>

#include "game/board_geometry.h"
#include "game/glyphs.h"

namespace tarnwick {

namespace {

// Picture coordinates: (px, py), 0..53, stand for the board cell (px + 1, py + 1).
struct PicturePoint {
    int px;
    int py;
    bool operator==(const PicturePoint&) const = default;
};

// The frame, placed first, in this order: each entry walks from (px, py) by (dx, dy) for
// `count` cells. Column 1 down, row 1 from column 3, column 54 down, row 54 from column 1.
struct FrameRun {
    PicturePoint from;
    int dx;
    int dy;
    int count;
};
constexpr int Last = PictureMazeSize - 1;
constexpr std::array<FrameRun, 4> FrameRuns{{
    {{0, 0}, 0, 1, PictureMazeSize},
    {{2, 0}, 1, 0, PictureMazeSize - 2},
    {{Last, 0}, 0, 1, PictureMazeSize},
    {{0, Last}, 1, 0, PictureMazeSize},
}};

// The last interior walls, placed without being printed: they show only after the set-up's
// redraw. Board cells (25, 3), (45, 13), (40, 38) and (48, 29).
constexpr std::array<PicturePoint, 4> UnprintedWalls{{{24, 2}, {44, 12}, {39, 37}, {47, 28}}};

constexpr PicturePoint ExitPoint{53, 47};    // board cell (54, 48)
constexpr PicturePoint EntrancePoint{1, 0};  // board cell (2, 1)

bool isUnprinted(PicturePoint point) {
    return std::find(UnprintedWalls.begin(), UnprintedWalls.end(), point) != UnprintedWalls.end();
}

void clearPicture(GameState& state) {
    for (int x = 1; x <= PictureMazeSize; ++x) {
        for (int y = 1; y <= PictureMazeSize; ++y) {
            state.maze[x][y] = CellEmpty;
        }
    }
}

void placeFrame(Game& game) {
    for (const FrameRun& run : FrameRuns) {
        for (int i = 0; i < run.count; ++i) {
            placeWall(game, run.from.px + i * run.dx, run.from.py + i * run.dy);
            printWallGlyph(game);
        }
    }
}

// The walls inside the frame, row by row and run by run along each row, as the layout has
// them; the unprinted walls come last.
void placeInterior(Game& game) {
    for (int py = 1; py < Last; ++py) {
        const std::string_view row = pictureMazeLayout[static_cast<std::size_t>(py)];
        for (int px = 1; px < Last; ++px) {
            if (row[static_cast<std::size_t>(px)] != '#' || isUnprinted({px, py})) {
                continue;
            }
            placeWall(game, px, py);
            printWallGlyph(game);
        }
    }
    for (const PicturePoint point : UnprintedWalls) {
        placeWall(game, point.px, point.py);
    }
}

}  // namespace

void placeWall(Game& game, int px, int py) {
    const int x = px + 1;
    const int y = py + 1;
    if (x >= 0 && x < MazeGridSize && y >= 0 && y < MazeGridSize) {
        game.state.maze[x][y] = CellWall;
    }
    moveToCell(game, x, y);
}

void printWallGlyph(Game& game) {
    game.console.printText(GlyphPictureWall);
}

void buildPictureMaze(Game& game) {
    clearPicture(game.state);
    game.console.hideCursor();
    placeFrame(game);
    placeInterior(game);
    // Set, not drawn: until the redraw the exit shows the frame's wall and the entrance is blank.
    game.state.maze[ExitPoint.px + 1][ExitPoint.py + 1] = CellExit;
    game.state.maze[EntrancePoint.px + 1][EntrancePoint.py + 1] = CellEntrance;
}

}  // namespace tarnwick
