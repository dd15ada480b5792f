// The renderer on terminals that do not match the drawing: too small for it, or drawing the
// ambiguous characters two columns wide.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <utility>

#include "board_fixture.h"
#include "console/renderer.h"
#include "console/screen_lines.h"
#include "console/test_console.h"
#include "console/view.h"
#include "game/glyphs.h"
#include "strict_terminal.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::renderInto;
using testing::StrictTerminal;

// The main menu's lines: the longest ends at column 88, the last is on row 22.
constexpr ScreenLine MenuLines[] = {
    {36, 12, "\x1b[40;31m欢迎来到Tarnwick游戏"},
    {43, 14, "1. 开始游戏"},
    {43, 20, "4. 关于(请谨慎进入因为进入可能要好久才能出来)"},
    {43, 22, "退出游戏请输入     0\x1b[m"},
};

// Feeds everything the console sent since the last call into a fresh terminal of its size
// and checks that the terminal shows what the view shows of the screen (with the notice
// where it does not fit).
StrictTerminal shownOn(TestConsole& console) {
    StrictTerminal terminal(console.columns(), console.rows());
    terminal.feed(console.takeOutput());
    EXPECT_EQ(terminal.faults(), "");
    EXPECT_EQ(terminal.differencesFrom(console.screen(), console.view().lastFrame()), "");
    return terminal;
}

TEST(RendererSizeNotice, ShowsWhatFitsWithTheSizeNeededUntilTheTerminalGrows) {
    TestConsole console(50, 20);  // narrower than the menu's 52 columns (36 to 88)
    printLines(console, MenuLines);
    const StrictTerminal small = shownOn(console);
    EXPECT_EQ(small.rowText(14), std::string(43, ' ') + "1. 开始");
    EXPECT_EQ(small.rowText(19), "窗口太小啦！请放大到 52 列 20 行");
    EXPECT_EQ(console.row(19), "");       // the game's drawing is untouched
    EXPECT_EQ(console.takeOutput(), "");  // an unchanged frame sends nothing
    printLines(console, MenuLines);       // nor does the same drawing again
    EXPECT_EQ(console.takeOutput(), "");

    console.resize(160, 60);
    const StrictTerminal large = shownOn(console);
    EXPECT_EQ(large.rowText(22), std::string(43, ' ') + "退出游戏请输入     0");
    EXPECT_EQ(large.rowText(59), "");
    EXPECT_EQ(console.takeOutput(), "");

    // Exactly the size needed is enough: the menu moves left by what the terminal lacks.
    for (const auto& [columns, shift] : {std::pair{88, 0}, std::pair{80, 8}}) {
        console.resize(columns, 23);
        const StrictTerminal fitted = shownOn(console);
        EXPECT_EQ(fitted.rowText(22), std::string(43 - shift, ' ') + "退出游戏请输入     0");
        EXPECT_EQ(fitted.rowText(12), std::string(36 - shift, ' ') + "欢迎来到Tarnwick游戏");
    }
}

TEST(RendererSizeNotice, FollowsTheDrawingAndIsCutToTheTerminal) {
    TestConsole console(100, 10);  // wide enough, shorter than the menu's 11 rows
    printLines(console, MenuLines);
    StrictTerminal terminal = shownOn(console);
    EXPECT_EQ(terminal.rowText(9), "窗口太小啦！请放大到 100 列 11 行");
    // A new, smaller screen fits: the notice goes without a resize, and the row it held
    // shows the drawing again.
    console.clearScreen();
    console.gotoXY(0, 9);
    console.printText("\x1b[40;32m继续\x1b[m");
    terminal.feed(console.takeOutput());  // continues the frames shown above
    EXPECT_EQ(terminal.faults(), "");
    EXPECT_EQ(terminal.rowText(9), "继续");
    console.resize(100, 10);
    EXPECT_EQ(shownOn(console).rowText(9), "继续");

    // A narrow terminal shows as much of the notice as fits, whole characters only.
    for (const int columns : {20, 21, 7}) {
        console.resize(columns, 5);
        printLines(console, MenuLines);
        const std::string expected = columns >= 20 ? "窗口太小啦！请放大到" : "窗口太";
        EXPECT_EQ(shownOn(console).rowText(4), expected) << columns;
    }
}

// Whether the player shows on the terminal, at least the margin from the window's edges
// where the board allows.
bool playerInSight(const StrictTerminal& terminal, const ViewFrame& frame,
                   const testing::BoardFixture& board) {
    const ViewRegion& window = frame.regions[0];
    const int across = board.playerX - 1 - window.fromX / 2;  // cells into the window
    const int down = board.playerY - 1 - window.fromY;
    const int cells = window.columns / 2;
    const auto clear = [&](int before, int after, int first, int length) {
        return (before >= View::Margin || first == 0) &&
               (after >= View::Margin || first + length == board.size);
    };
    return across >= 0 && across < cells && down >= 0 && down < window.rows &&
           clear(across, cells - 1 - across, window.fromX / 2, cells) &&
           clear(down, window.rows - 1 - down, window.fromY, window.rows) &&
           terminal.cell(window.left + 2 * across, window.top + down).ch == U'〇';
}

// A player walking a large board through the window, with redraws, a text screen between
// them, a panel that grows and resizes: every frame reaches the terminal exactly, scrolls
// and erases included, and the player stays in sight. The second pass is a CJK terminal with
// left and right margins, which scrolls the window alone.
TEST(RendererView, AWalkThroughTheWindowAlwaysReachesTheTerminal) {
    constexpr std::pair<int, int> Sizes[] = {{80, 24}, {90, 30}, {100, 40}, {60, 20}, {60, 16}};
    constexpr BoardArea Area{0, 0, 45, 45, 2};
    int scrolls = 0;
    for (const bool wide : {false, true}) {
        for (unsigned seed = 1; seed <= 6; ++seed) {
            std::minstd_rand random(seed);
            testing::BoardFixture board = testing::carveBoard(45, seed, 10, 18);
            Screen screen;
            View view;
            Renderer renderer;
            renderer.setAmbiguousWide(wide);
            renderer.setSideMargins(wide);
            auto [columns, rows] = Sizes[0];
            StrictTerminal terminal(columns, rows, wide);
            bool textShown = true;
            int direction = 3;
            for (int step = 0; step < 300; ++step) {
                if (std::exchange(textShown, false)) {
                    testing::drawBoard(screen, board);
                    view.showBoard(Area);
                }
                screen.moveTo(2 * board.playerX - 2, board.playerY - 1);
                screen.print(GlyphEmpty);
                if (random() % 8 == 0) {
                    direction = static_cast<int>(random() % 4);  // runs, then a turn
                }
                board.playerX = std::clamp(board.playerX + (direction - 1) % 2, 1, 45);
                board.playerY = std::clamp(board.playerY + (direction - 2) % 2, 1, 45);
                screen.moveTo(2 * board.playerX - 2, board.playerY - 1);
                screen.print(GlyphPlayer);
                view.keepInSight(2 * board.playerX - 2, board.playerY - 1);
                switch (random() % 60) {
                    case 0:  // a text screen, the board back at the next step
                        screen.clear();
                        view.showText();
                        for (const ScreenLine& line : MenuLines) {
                            screen.moveTo(line.column, line.row);
                            screen.print(line.text);
                        }
                        textShown = true;
                        break;
                    case 1:
                        std::tie(columns, rows) = Sizes[random() % std::size(Sizes)];
                        terminal = StrictTerminal(columns, rows, wide);
                        renderer.invalidate();
                        break;
                    case 2:  // more lives widen the panel
                        screen.moveTo(98 + 19 + 2 * static_cast<int>(random() % 12), 5);
                        screen.print(GlyphLife);
                        break;
                    default:
                        break;
                }
                const ViewFrame frame = view.frame(screen, columns, rows);
                terminal.feed(renderer.frame(screen, frame));
                scrolls += frame.scroll.by != 0 ? 1 : 0;
                SCOPED_TRACE("wide " + std::to_string(wide) + " seed " + std::to_string(seed) +
                             " step " + std::to_string(step));
                ASSERT_EQ(terminal.faults(), "");
                ASSERT_EQ(terminal.differencesFrom(screen, frame), "");
                if (!textShown && frame.needColumns == 0 && !frame.identity) {
                    ASSERT_TRUE(playerInSight(terminal, frame, board));
                }
            }
        }
    }
    EXPECT_GT(scrolls, 100);
}

TEST(RendererAmbiguousWide, BoardStaysAlignedWithOneBlockPerWall) {
    constexpr int Columns = 160;
    constexpr int Rows = 50;
    const testing::BoardFixture board = testing::carveBoard(45, 7, 10, 18);
    Screen screen;
    testing::drawBoard(screen, board);
    screen.moveTo(100, 8);
    screen.print(GlyphLife);
    screen.print(GlyphLife);
    Renderer renderer;
    renderer.setAmbiguousWide(true);
    StrictTerminal terminal(Columns, Rows, true);
    const std::string bytes = renderInto(renderer, screen, terminal, Columns, Rows);

    std::ptrdiff_t walls = 0;
    for (int x = 1; x <= 45; ++x) {
        walls += std::count(board.cells[x].begin() + 1, board.cells[x].end(), 1);
    }
    EXPECT_EQ(testing::countOf(bytes, "█"), walls);
    EXPECT_EQ(terminal.cell(100, 8).ch, U'●');
    EXPECT_EQ(terminal.cell(102, 8).ch, U'●');
    EXPECT_EQ(terminal.cell(0, 8), (Cell{U'█', 2, {4, 4}}));  // the left wall, one block

    // A step of the player costs as little as on a narrow terminal.
    screen.moveTo(2, 1);
    screen.print(GlyphEmpty);
    screen.moveTo(4, 1);
    screen.print(GlyphPlayer);
    EXPECT_LE(renderInto(renderer, screen, terminal, Columns, Rows).size(), 30u);
}

TEST(RendererAmbiguousWide, UnpaddedCharactersGoOutNarrow) {
    Screen screen;
    screen.print("·x");  // no padding after the dot
    screen.moveTo(0, 1);
    screen.print("1 — 9");  // the dash has its blank
    screen.moveTo(0, 2);
    screen.print("\x1b[44;34m█\x1b[m ");  // the blank after it has other colours
    screen.moveTo(9, 3);
    screen.print("●");  // in the last column
    Renderer renderer;
    renderer.setAmbiguousWide(true);
    StrictTerminal terminal(10, 4, true);
    renderInto(renderer, screen, terminal, 10, 4);
    EXPECT_EQ(terminal.rowText(0), ".x");
    EXPECT_EQ(terminal.rowText(1), "1 —9");
    EXPECT_EQ(terminal.rowText(2), "#");
    EXPECT_EQ(terminal.rowText(3), "         o");

    // Back to a narrow terminal: everything is sent again, as it is.
    renderer.setAmbiguousWide(false);
    StrictTerminal narrow(10, 4);
    renderInto(renderer, screen, narrow, 10, 4);
    EXPECT_EQ(narrow.rowText(1), "1 — 9");
}

}  // namespace
}  // namespace tarnwick
