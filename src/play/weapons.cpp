#include "play/weapons.h"

#include <array>
#include <string_view>

#include "game/glyphs.h"
#include "play/board_view.h"

namespace tarnwick {

namespace {

constexpr int KnifeReach = 2;
constexpr int KnifePauseMs = 200;
constexpr int BulletStepMs = 60;
constexpr int HitPauseMs = 200;

// A facing direction: the step it takes, the knife's glyph, and how many times the board is
// redrawn after a swing (the swing facing left redraws once, the others twice).
struct Direction {
    char key;
    int dx;
    int dy;
    std::string_view knifeGlyph;
    int knifeRedraws;
};

constexpr std::array<Direction, 4> Directions{{
    {'w', 0, -1, GlyphSwingV, 2},
    {'s', 0, 1, GlyphSwingV, 2},
    {'a', -1, 0, GlyphSwingH, 1},
    {'d', 1, 0, GlyphSwingH, 2},
}};

// The direction of the last movement key, or none before the first one.
const Direction* facingDirection(const GameState& state) {
    for (const Direction& direction : Directions) {
        if (direction.key == state.facing) {
            return &direction;
        }
    }
    return nullptr;
}

// A weapon passes into floor and monsters only. Everything outside the board stops it like a
// wall, so that a player standing in the border (war-god mode) never sends it off the grid.
bool weaponPasses(const GameState& state, int x, int y) {
    const bool onBoard = x >= 1 && x <= state.mazeWidth && x < MazeGridSize && y >= 1 &&
                         y <= state.mazeHeight && y < MazeGridSize;
    if (!onBoard) {
        return false;
    }
    const int cell = state.maze[x][y];
    return cell == CellEmpty || cell == CellMonster;
}

// The direction a weapon goes. Before the first movement key there is none, and the weapon key
// only redraws the board.
const Direction* aimOrRedraw(Game& game) {
    const Direction* direction = facingDirection(game.state);
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
    const Direction* direction = aimOrRedraw(game);
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
            drawAtCell(game, x, y, direction->knifeGlyph);
        }
    }
    game.console.sleepMs(KnifePauseMs);
    for (int i = 0; i < direction->knifeRedraws; ++i) {
        redrawBoard(game);
    }
}

void fireGun(Game& game) {
    const Direction* direction = aimOrRedraw(game);
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
