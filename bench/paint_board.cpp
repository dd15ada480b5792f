// Bytes the renderer sends to paint a 45 x 45 board with its panel, as the level set-up draws
// it, and to repaint the same unchanged board with a full redraw.
//
// Exits non-zero when the first paint exceeds its budget of 10.5 KB.

#include <cstdio>

#include "console/test_console.h"
#include "game/board_geometry.h"
#include "game/glyphs.h"
#include "maze/carved_maze.h"
#include "play/board_view.h"

namespace {

constexpr int BoardSize = 45;
constexpr std::size_t FirstPaintBudget = 10752;
constexpr unsigned Seeds[] = {1, 2, 3, 1704067200u};

}  // namespace

int main() {
    using namespace tarnwick;
    std::size_t worstFirst = 0;
    std::size_t worstRedraw = 0;
    for (const unsigned seed : Seeds) {
        TestConsole console(160, 60);
        console.setRandomFallback(seed);
        Game game(console);
        game.state.mazeWidth = BoardSize;
        game.state.mazeHeight = BoardSize;
        console.clearScreen();
        console.hideCursor();
        buildCarvedMaze(game);
        game.state.playerX = 2;
        game.state.playerY = 2;
        drawAtCell(game, 2, 2, GlyphPlayer);
        drawStatusPanel(game);
        const std::size_t first = console.takeOutput().size();
        redrawBoard(game);
        const std::size_t redraw = console.takeOutput().size();
        std::printf("seed %10u: first paint %6zu B, unchanged redraw %4zu B\n", seed, first,
                    redraw);
        worstFirst = first > worstFirst ? first : worstFirst;
        worstRedraw = redraw > worstRedraw ? redraw : worstRedraw;
    }
    std::printf(
        "45 x 45 board with panel: first paint at most %zu B (budget %zu B), "
        "unchanged redraw at most %zu B\n",
        worstFirst, FirstPaintBudget, worstRedraw);
    return worstFirst <= FirstPaintBudget ? 0 : 1;
}
