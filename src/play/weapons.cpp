#include "play/weapons.h"

#include <string_view>

#include "game/board_geometry.h"
#include "game/glyphs.h"
#include "game/key_steps.h"
#include "play/board_view.h"

namespace tarnwick {

namespace {

constexpr int KnifeReach = 2;
constexpr int KnifePauseMs = 200;
constexpr int BulletStepMs = 60;
constexpr int HitPauseMs = 200;

// The knife shows "｜" swung up or down and "－" swung sideways.
std::string_view knifeGlyph(Offset direction) {
    return direction.dx == 0 ? GlyphSwingV : GlyphSwingH;
}

// How many times the board is redrawn after a swing: once after a swing to the left, twice
// after the others.
int knifeRedraws(Offset direction) {
    return direction.dx < 0 ? 1 : 2;
}

// A weapon passes into floor and monsters only. Everything outside the board stops it like a
// wall, so that a player standing in the border (war-god mode) never sends it off the grid.
bool weaponPasses(const GameState& state, int x, int y) {
    if (!onBoard(state, x, y)) {
        return false;
    }
    const int cell = state.maze[x][y];
    return cell == CellEmpty || cell == CellMonster;
}

// The direction of the last movement key. Before the first one there is none, and the weapon
// key only redraws the board.
const Offset* aimOrRedraw(Game& game) {
    const Offset* direction = stepForKey(game.state.facing);
    if (direction == nullptr) {
        redrawBoard(game);
    }
    return direction;
}

// A struck monster dies and leaves a coin.
void strike(Game& game, int x, int y) {
    drawAtCell(game, x, y, GlyphHit);
    game.state.maze[x][y] = CellCoin;
}

}  // namespace

void swingKnife(Game& game) {
    const Offset* direction = aimOrRedraw(game);
    if (direction == nullptr) {
        return;
    }
    int x = game.state.playerX;
    int y = game.state.playerY;
    for (int reach = 0; reach < KnifeReach; ++reach) {
        // A blocked reach leaves the current cell, so the next reach meets the same block.
        if (!weaponPasses(game.state, x + direction->dx, y + direction->dy)) {
            continue;
        }
        x += direction->dx;
        y += direction->dy;
        if (game.state.maze[x][y] == CellMonster) {
            strike(game, x, y);
        } else {
            drawAtCell(game, x, y, knifeGlyph(*direction));
        }
    }
    game.console.sleepMs(KnifePauseMs);
    for (int i = 0; i < knifeRedraws(*direction); ++i) {
        redrawBoard(game);
    }
}

void fireGun(Game& game) {
    const Offset* direction = aimOrRedraw(game);
    if (direction == nullptr) {
        return;
    }
    int x = game.state.playerX;
    int y = game.state.playerY;
    // The bullet ends at the first cell that stops it; the board edge stops it at the latest.
    while (weaponPasses(game.state, x + direction->dx, y + direction->dy)) {
        x += direction->dx;
        y += direction->dy;
        redrawBoard(game);  // erases the bullet of the previous step
        if (game.state.maze[x][y] == CellMonster) {
            strike(game, x, y);
            game.console.sleepMs(HitPauseMs);
            break;
        }
        drawAtCell(game, x, y, GlyphBullet);
        game.console.sleepMs(BulletStepMs);
    }
    redrawBoard(game);
}

}  // namespace tarnwick
