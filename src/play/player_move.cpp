#include "play/player_move.h"

#include "game/board_geometry.h"
#include "game/cell_class.h"
#include "game/cues.h"
#include "game/glyphs.h"
#include "game/play_keys.h"
#include "play/board_view.h"
#include "play/end_screens.h"
#include "play/monsters.h"

namespace tarnwick {

namespace {

// The target cell: the player's own, moved one step towards `facing` for a move.
void aim(GameState& state, bool move) {
    state.targetX = state.playerX;
    state.targetY = state.playerY;
    if (!move) {
        return;
    }
    if (const Offset* step = stepForKey(state.facing)) {
        state.targetX += step->dx;
        state.targetY += step->dy;
    }
}

// Walls and the top row stop the player; in war-god mode only the edge of the board does.
void takeTarget(GameState& state) {
    const bool blocked =
        modeRules(state.mode).walksThroughWalls
            ? !onBoard(state, state.targetX, state.targetY)
            : classifyCell(state, state.targetX, state.targetY) == ClassWall || state.targetY < 2;
    if (blocked) {
        state.targetX = state.playerX;
        state.targetY = state.playerY;
    }
    state.playerX = state.targetX;
    state.playerY = state.targetY;
}

void takeCoin(Game& game) {
    GameState& state = game.state;
    state.maze[state.playerX][state.playerY] = CellEmpty;
    ++state.coins;
    ++state.tally.coinsPicked;
    drawStatusPanel(game);
    coinCue(game.console);
}

// The level is won: a chain of levels counts it and grows the next level's coins.
void reachExit(Game& game) {
    GameState& state = game.state;
    if (modeRules(state.mode).chainedLevels) {
        ++state.levelsCleared;
        if (state.sizeFactor < MaxSizeFactor) {
            ++state.sizeFactor;
        }
    }
    winScreen(game);
}

// Resolves the cell the player now stands on. Returns false when the game ended there.
bool resolveCell(Game& game) {
    GameState& state = game.state;
    switch (classifyCell(state, state.playerX, state.playerY)) {
        case ClassCoin:
            takeCoin(game);
            return true;
        case ClassMonster:
            if (state.lives <= 1) {
                loseScreen(game);
                return false;
            }
            catchPlayer(game);
            return true;
        case ClassExit:
            reachExit(game);
            return false;
        default:
            return true;
    }
}

}  // namespace

bool movePlayer(Game& game, bool move) {
    GameState& state = game.state;
    drawAtCell(game, state.playerX, state.playerY, GlyphEmpty);
    aim(state, move);
    takeTarget(state);
    // In war-god mode the player walks through everything and nothing under it counts.
    if (modeRules(state.mode).resolvesCells && !resolveCell(game)) {
        return false;
    }
    drawPlayer(game, state.playerX, state.playerY);
    return true;
}

}  // namespace tarnwick
