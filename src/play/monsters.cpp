#include "play/monsters.h"

#include <algorithm>

#include "game/board_geometry.h"
#include "game/cues.h"
#include "game/glyphs.h"
#include "maze/path_mark.h"
#include "play/board_view.h"

namespace tarnwick {

namespace {

// A monster enters only an empty cell of the board; everything beyond the board blocks it, so
// that no monster leaves the part of the grid that the step scans.
bool isFree(const GameState& state, int x, int y) {
    return onBoard(state, x, y) && state.maze[x][y] == CellEmpty;
}

bool onPath(const GameState& state, int x, int y) {
    return pathMarkAt(state, x, y) == PathMarked;
}

bool hasFreeNeighbour(const GameState& state, int x, int y) {
    return std::any_of(NeighbourOrder.begin(), NeighbourOrder.end(),
                       [&](const Offset& d) { return isFree(state, x + d.dx, y + d.dy); });
}

// The monster at (x, y) steps to (toX, toY); it is drawn there in the second scan.
void stepMonster(Game& game, int x, int y, int toX, int toY) {
    game.state.maze[toX][toY] = CellMonsterMoved;
    game.state.maze[x][y] = CellEmpty;
    drawAtCell(game, x, y, GlyphEmpty);
}

// One monster's turn. A monster on the way takes one random value, unused, and is pushed off
// the way. Any other monster draws directions until one names an empty neighbour; a monster
// with no empty neighbour stays where it is and draws nothing.
void moveOneMonster(Game& game, int x, int y) {
    const GameState& state = game.state;
    if (onPath(state, x, y)) {
        static_cast<void>(game.random.nextRandom());
        pushMonsterOffPath(game, x, y);
        return;
    }
    if (!hasFreeNeighbour(state, x, y)) {
        return;
    }
    for (;;) {
        // The value modulo 4 picks a neighbour: right, left, below, above.
        const int value = game.random.nextRandom();
        const Offset d = NeighbourOrder[static_cast<std::size_t>(value % 4)];
        if (isFree(state, x + d.dx, y + d.dy)) {
            stepMonster(game, x, y, x + d.dx, y + d.dy);
            return;
        }
    }
}

}  // namespace

void catchPlayer(Game& game) {
    GameState& state = game.state;
    --state.lives;
    drawAtCell(game, state.playerX, state.playerY, GlyphCaught);
    state.playerX = StartX;
    state.playerY = StartY;
    drawPlayer(game, StartX, StartY);
    drawStatusPanel(game);
    lifeLostCue(game.console);
}

void pushMonsterOffPath(Game& game, int x, int y) {
    const GameState& state = game.state;
    for (const Offset& d : NeighbourOrder) {
        const int toX = x + d.dx;
        const int toY = y + d.dy;
        if (isFree(state, toX, toY) && !onPath(state, toX, toY)) {
            stepMonster(game, x, y, toX, toY);
            return;
        }
    }
    // No place off the way: the monster stays and tries again at the next step.
}

int moveMonsters(Game& game) {
    GameState& state = game.state;
    const int width = boardWidth(state);
    const int height = boardHeight(state);
    // Column by column, each from the top: every monster steps at most once, since the cell
    // it moved to holds CellMonsterMoved until the second scan.
    for (int x = 1; x <= width; ++x) {
        for (int y = 1; y <= height; ++y) {
            if (state.maze[x][y] == CellMonster) {
                moveOneMonster(game, x, y);
            }
        }
    }
    for (int x = 1; x <= width; ++x) {
        for (int y = 1; y <= height; ++y) {
            if (state.maze[x][y] != CellMonsterMoved) {
                continue;
            }
            state.maze[x][y] = CellMonster;
            if (x == state.playerX && y == state.playerY) {
                if (state.lives <= 1) {
                    return 0;  // the next tick shows the defeat screen
                }
                catchPlayer(game);
            }
            drawAtCell(game, x, y, GlyphMonster);
        }
    }
    return 1;
}

}  // namespace tarnwick
