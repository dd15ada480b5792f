#include "play/weapons.h"

#include <optional>
#include <string_view>

#include "game/board_geometry.h"
#include "game/glyphs.h"
#include "game/play_keys.h"
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

// Where a weapon stands on its way from the player's cell, and the way it goes.
struct Shot {
    int x;
    int y;
    Offset direction;
};

// A shot from the player's cell in the direction of the last movement key. Before the first
// movement key there is none, and the weapon key only redraws the board.
std::optional<Shot> aimOrRedraw(Game& game) {
    const Offset* direction = stepForKey(game.state.facing);
    if (direction == nullptr) {
        redrawBoard(game);
        return std::nullopt;
    }
    return Shot{game.state.playerX, game.state.playerY, *direction};
}

// Moves the shot on by one cell when the weapon passes there; a blocked shot stays.
bool advance(const GameState& state, Shot& shot) {
    const int x = shot.x + shot.direction.dx;
    const int y = shot.y + shot.direction.dy;
    if (!weaponPasses(state, x, y)) {
        return false;
    }
    shot.x = x;
    shot.y = y;
    return true;
}

// A struck monster dies and leaves a coin.
void strike(Game& game, int x, int y) {
    drawAtCell(game, x, y, GlyphHit);
    game.state.maze[x][y] = CellCoin;
}

}  // namespace

void swingKnife(Game& game) {
    std::optional<Shot> shot = aimOrRedraw(game);
    if (!shot) {
        return;
    }
    for (int reach = 0; reach < KnifeReach; ++reach) {
        // A blocked reach stays where it is, so the next reach meets the same block.
        if (!advance(game.state, *shot)) {
            continue;
        }
        if (game.state.maze[shot->x][shot->y] == CellMonster) {
            strike(game, shot->x, shot->y);
        } else {
            drawAtCell(game, shot->x, shot->y, knifeGlyph(shot->direction));
        }
    }
    game.console.sleepMs(KnifePauseMs);
    for (int i = 0; i < knifeRedraws(shot->direction); ++i) {
        redrawBoard(game);
    }
}

void fireGun(Game& game) {
    std::optional<Shot> shot = aimOrRedraw(game);
    if (!shot) {
        return;
    }
    // The bullet ends at the first cell that stops it; the board edge stops it at the latest.
    while (advance(game.state, *shot)) {
        redrawBoard(game);  // erases the bullet of the previous step
        if (game.state.maze[shot->x][shot->y] == CellMonster) {
            strike(game, shot->x, shot->y);
            game.console.sleepMs(HitPauseMs);
            break;
        }
        drawAtCell(game, shot->x, shot->y, GlyphBullet);
        game.console.sleepMs(BulletStepMs);
    }
    redrawBoard(game);
}

}  // namespace tarnwick
