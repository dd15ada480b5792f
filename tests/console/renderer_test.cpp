#include "console/renderer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "board_fixture.h"
#include "game/glyphs.h"
#include "strict_terminal.h"
#include "support/random_drawing.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::BoardFixture;
using testing::DrawingShape;
using testing::RandomDrawing;
using testing::renderInto;
using testing::StrictTerminal;

// The figures asked of the renderer on the largest carved board with its panel.
TEST(Renderer, LargestBoardMeetsTheByteTargets) {
    constexpr int Columns = 160;
    constexpr int Rows = 50;
    const BoardFixture board = testing::carveBoard(45, 7, 10, 18);
    Screen screen;
    Renderer renderer;
    StrictTerminal terminal(Columns, Rows);

    testing::drawBoard(screen, board);
    const std::size_t firstPaint = renderInto(renderer, screen, terminal, Columns, Rows).size();

    // The player steps one cell right (onto floor or a wall, as the renderer does not care).
    screen.moveTo(2, 1);
    screen.print(GlyphEmpty);
    screen.moveTo(4, 1);
    screen.print(GlyphPlayer);
    const std::size_t step = renderInto(renderer, screen, terminal, Columns, Rows).size();

    // One coin disappears somewhere in the middle.
    screen.moveTo(50, 30);
    screen.print(GlyphCoin);
    renderInto(renderer, screen, terminal, Columns, Rows);
    screen.moveTo(50, 30);
    screen.print(GlyphEmpty);
    const std::size_t oneCell = renderInto(renderer, screen, terminal, Columns, Rows).size();

    // A full redraw of unchanged content.
    BoardFixture moved = board;
    moved.playerX = 3;
    testing::drawBoard(screen, moved);
    const std::size_t repaint = renderInto(renderer, screen, terminal, Columns, Rows).size();

    // Bullet steps: each a full redraw plus the dot one cell further.
    std::size_t bulletStep = 0;
    for (int x = 5; x < 12; ++x) {
        testing::drawBoard(screen, moved);
        screen.moveTo(2 * x - 2, 1);
        screen.print(GlyphBullet);
        bulletStep =
            std::max(bulletStep, renderInto(renderer, screen, terminal, Columns, Rows).size());
    }

    std::printf(
        "45x45 board: first paint %zu B, one step %zu B, one cell %zu B, repaint %zu B, "
        "bullet step %zu B\n",
        firstPaint, step, oneCell, repaint, bulletStep);
    EXPECT_LE(firstPaint, 10752u);
    EXPECT_LE(step, 30u);
    EXPECT_LE(oneCell, 30u);
    EXPECT_EQ(repaint, 0u);
    EXPECT_LE(bulletStep, 60u);
}

TEST(Renderer, ClearAndSameDrawingSendsNothing) {
    Screen screen;
    Renderer renderer;
    screen.moveTo(36, 12);
    screen.print("\x1b[40;31m欢迎来到Tarnwick游戏");
    screen.moveTo(43, 22);
    screen.print("退出游戏请输入     0\x1b[m");
    EXPECT_NE(renderer.frame(screen, 80, 24), "");
    screen.clear();
    screen.moveTo(36, 12);
    screen.print("\x1b[40;31m欢迎来到Tarnwick游戏");
    screen.moveTo(43, 22);
    screen.print("退出游戏请输入     0\x1b[m");
    EXPECT_EQ(renderer.frame(screen, 80, 24), "");
}

TEST(Renderer, SendsNothingBeyondASmallTerminal) {
    const BoardFixture board = testing::carveBoard(45, 3, 10, 18);
    Screen screen;
    testing::drawBoard(screen, board);
    // A wide character straddling the last column of an 80-column terminal.
    screen.moveTo(79, 2);
    screen.print("\x1b[43;34m怪\x1b[m");
    Renderer renderer;
    StrictTerminal terminal(80, 24);
    const std::string bytes = renderInto(renderer, screen, terminal, 80, 24);
    // The half that fits shows as a blank in the character's colours.
    EXPECT_EQ(terminal.cell(79, 2).ch, U' ');
    EXPECT_EQ(terminal.cell(79, 2).style, (Style{4, 3}));
    EXPECT_EQ(testing::countOf(bytes, "\x1b[?2026h"), 1);
}

TEST(Renderer, WideAndNarrowCharactersOverEachOther) {
    Screen screen;
    Renderer renderer;
    StrictTerminal terminal(20, 3);
    screen.moveTo(0, 0);
    screen.print("怪怪怪怪");
    renderInto(renderer, screen, terminal, 20, 3);
    // A narrow character over the right half of one wide character and the left of another.
    screen.moveTo(1, 0);
    screen.print("ab");
    renderInto(renderer, screen, terminal, 20, 3);
    // A wide character over the halves of two others, then back to narrow text.
    screen.moveTo(5, 0);
    screen.print("〇");
    renderInto(renderer, screen, terminal, 20, 3);
    screen.moveTo(0, 0);
    screen.print("xyzw");
    renderInto(renderer, screen, terminal, 20, 3);
    EXPECT_EQ(screen.rowText(0), "xyzw 〇");
}

// Random drawings, clears and resizes, on terminals that draw the ambiguous characters one
// column wide and two, and on one without colours, faint text or synchronized output.
TEST(Renderer, RandomDrawingsAlwaysReachTheTerminal) {
    const std::string_view pieces[] = {
        "怪",
        "ab",
        "\x1b[44;34m██\x1b[m",
        "· ",
        "\x1b[0;32;31m出",
        "\x1b[46;37;7m〇\x1b[m",
        "￥",
        "\x1b[m",
        " ",
        "\x1b[43;35m",
        "当前金币 ￥：  12",
        "▇▇●",
        "1 — 9",
        "\x1b[2mk 挥刀\x1b[m",
        "\x1b[2;43;35m",
        "\x1b[22m",
    };
    constexpr DrawingShape Shape{6, 34, 10, 15, 20, 20, 14, 4, 6};
    const TerminalFeatures mono{.colours = false, .dim = false, .synchronizedOutput = false};
    for (const auto& [wide, features] :
         {std::pair{false, TerminalFeatures{}}, {true, TerminalFeatures{}}, {false, mono}}) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            RandomDrawing drawing(seed, pieces, Shape);
            int columns = 30;
            int rows = 8;
            Screen screen;
            Renderer renderer;
            renderer.setAmbiguousWide(wide);
            renderer.setFeatures(features);
            StrictTerminal terminal(columns, rows, wide, features);
            for (int step = 0; step < 60; ++step) {
                if (drawing.step(screen, columns, rows)) {
                    terminal = StrictTerminal(columns, rows, wide, features);
                    renderer.invalidate();  // as the real terminal does on a resize
                }
                SCOPED_TRACE("wide " + std::to_string(wide) + " colours " +
                             std::to_string(features.colours) + " seed " + std::to_string(seed) +
                             " step " + std::to_string(step));
                renderInto(renderer, screen, terminal, columns, rows);
                if (::testing::Test::HasFailure()) {
                    return;
                }
            }
        }
    }
}

TEST(Renderer, InvalidateRepaintsEverything) {
    Screen screen;
    screen.moveTo(3, 1);
    screen.print("\x1b[40;32m入\x1b[m");
    Renderer renderer;
    renderer.frame(screen, 40, 10);
    EXPECT_EQ(renderer.frame(screen, 40, 10), "");
    renderer.invalidate();
    StrictTerminal terminal(40, 10);  // a terminal whose content is unknown
    renderInto(renderer, screen, terminal, 40, 10);
}

}  // namespace
}  // namespace tarnwick
