#include "play/level.h"

#include <string_view>

#include "game/board_geometry.h"
#include "game/cell_class.h"
#include "game/glyphs.h"
#include "maze/carved_maze.h"
#include "maze/path_mark.h"
#include "maze/picture_maze.h"
#include "play/board_view.h"

namespace tarnwick {

namespace {

constexpr int CoinsPerSizeFactor = 3;

bool isCarvedSize(int size) {
    for (int factor = 1; factor <= MaxSizeFactor; ++factor) {
        if (boardSizeFor(factor) == size) {
            return true;
        }
    }
    return false;
}

// A carved board must have one of the carved sizes. The picture maze's 54 stays behind when a
// carved mode is chosen after it without the map settings; such a level is carved at the size
// of the current size factor instead.
void keepCarvedSize(GameState& state) {
    if (state.mazeWidth != state.mazeHeight || !isCarvedSize(state.mazeWidth)) {
        state.mazeWidth = boardSizeFor(state.sizeFactor);
        state.mazeHeight = state.mazeWidth;
    }
}

struct CellPos {
    int x;
    int y;
};

// Draws cells, the column first, at 2 + value mod span on each axis, until one has the wanted
// class. There is no limit on the number of draws.
CellPos drawCellOfClass(Game& game, int spanX, int spanY, int wanted) {
    for (;;) {
        const int valueX = game.random.nextRandom();
        const int x = 2 + valueX % spanX;
        const int valueY = game.random.nextRandom();
        const int y = 2 + valueY % spanY;
        if (classifyCell(game.state, x, y) == wanted) {
            return {x, y};
        }
    }
}

// What a placement puts on the board: on cells of a class, drawn within the board less a
// margin, the cell code and its glyph.
struct Placement {
    int margin;
    int onClass;
    int code;
    std::string_view glyph;
};

// Monsters go into the interior's walls, coins onto the floor up to the last column and row.
constexpr Placement MonsterPlacement{2, ClassWall, CellMonster, GlyphMonster};
constexpr Placement CoinPlacement{1, ClassFloor, CellCoin, GlyphCoin};

void place(Game& game, const Placement& what, int count) {
    GameState& state = game.state;
    for (int placed = 0; placed < count; ++placed) {
        const CellPos at = drawCellOfClass(game, state.mazeWidth - what.margin,
                                           state.mazeHeight - what.margin, what.onClass);
        state.maze[at.x][at.y] = what.code;
        drawAtCell(game, at.x, at.y, what.glyph);
    }
}

}  // namespace

void placeMonsters(Game& game) {
    place(game, MonsterPlacement, game.state.monsterCount);
}

void placeCoins(Game& game) {
    if (game.state.shopOpen != 0) {
        place(game, CoinPlacement, CoinsPerSizeFactor * game.state.sizeFactor);
    }
}

void setupLevel(Game& game) {
    GameState& state = game.state;
    const ModeRules& rules = modeRules(state.mode);
    if (rules.timed) {
        state.timeLeftMs = timeBudgetFor(state.sizeFactor);
    }
    game.console.hideCursor();
    if (!rules.fixedBoard) {
        keepCarvedSize(state);
    }
    showBoardArea(game);
    if (rules.fixedBoard) {
        buildPictureMaze(game);
    } else {
        buildCarvedMaze(game);
    }
    state.playerX = StartX;
    state.playerY = StartY;
    drawPlayer(game, StartX, StartY);
    placeMonsters(game);
    placeCoins(game);
    drawStatusPanel(game);
    if (rules.fixedBoard) {
        // The picture was drawn with its own glyph; from now on it shows as the carved walls.
        redrawBoard(game);
        return;
    }
    markPath(game);
}

}  // namespace tarnwick
