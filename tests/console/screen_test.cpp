#include "console/screen.h"

#include <gtest/gtest.h>

#include "game/glyphs.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::textAt;

constexpr Style Red{1, ColourDefault};
constexpr Style RedOnBlack{1, 0};

TEST(Screen, ColourSequencesSetAndResetThePen) {
    Screen screen;
    // "0;32;31": reset, green, then red; the last foreground wins.
    screen.print("\x1b[0;32;31m出");
    EXPECT_EQ(screen.cell(0, 0).style, Red);
    // The colour stays in force for the next prints until a reset.
    screen.moveTo(5, 1);
    screen.print("ab");
    EXPECT_EQ(screen.cell(6, 1).style, Red);
    screen.print("\x1b[40m");
    screen.print("c\x1b[mz\x1b[43;35mq\x1b[39;49mr\x1b[44;34ms\x1b[ms");
    EXPECT_EQ(screen.cell(7, 1).style, RedOnBlack);
    EXPECT_EQ(screen.cell(8, 1).style, Style{});
    EXPECT_EQ(screen.cell(9, 1).style, (Style{5, 3}));
    EXPECT_EQ(screen.cell(10, 1).style, Style{});
    EXPECT_EQ(screen.cell(11, 1).style, (Style{4, 4}));
    EXPECT_EQ(screen.cell(12, 1).style, Style{});
    EXPECT_TRUE(textAt(screen, 5, 1, "abczqrss"));
    // Unknown sequences and attributes change nothing.
    screen.print("\x1b[31m\x1b[1;4mx\x1b[2Ky");
    EXPECT_EQ(screen.cell(13, 1).style, Red);
    EXPECT_TRUE(textAt(screen, 13, 1, "xy"));
    // Dim (2) stays until normal intensity (22) or a reset.
    screen.print("\x1b[2mt\x1b[40mu\x1b[22mv");
    EXPECT_EQ(screen.cell(15, 1).style, (Style{1, ColourDefault, true}));
    EXPECT_EQ(screen.cell(16, 1).style, (Style{1, 0, true}));
    EXPECT_EQ(screen.cell(17, 1).style, RedOnBlack);
}

TEST(Screen, WideCharactersTakeTwoColumnsAndCutOthers) {
    Screen screen;
    screen.print("怪a〇");
    EXPECT_EQ(screen.cursorX(), 5);
    EXPECT_EQ(screen.cell(1, 0).width, 0);
    // A narrow character over the right half of a wide one blanks its left half.
    screen.moveTo(1, 0);
    screen.print("x");
    EXPECT_EQ(screen.textAt(0, 0, 5), " xa〇");
    // A wide character over the left half of another blanks that one's right half.
    screen.moveTo(2, 0);
    screen.print("￥￥");
    EXPECT_EQ(screen.textAt(0, 0, 6), " x￥￥");
    screen.moveTo(3, 0);
    screen.print("入");
    EXPECT_EQ(screen.textAt(0, 0, 6), " x 入 ");
    EXPECT_EQ(screen.cell(5, 0).width, 1);
    // Widths of the board's glyphs: the one-column ones are padded to two.
    for (const auto glyph : {GlyphWall, GlyphPictureWall, GlyphPlayer, GlyphBullet, GlyphLife,
                             GlyphCoin, GlyphHit, GlyphSwingV, GlyphSwingH, GlyphEmpty}) {
        EXPECT_EQ(displayWidth(glyph), 2) << glyph;
    }
}

TEST(Screen, ClearBlanksEverythingButKeepsThePen) {
    Screen screen;
    screen.moveTo(10, 3);
    screen.print("\x1b[40;31m欢迎");
    screen.clear();
    EXPECT_EQ(screen.dump(), "");
    EXPECT_EQ(screen.cell(10, 3), Cell{});
    EXPECT_EQ(screen.cursorX(), 0);
    screen.print("x");
    EXPECT_EQ(screen.cell(0, 0).style, RedOnBlack);
}

TEST(Screen, WritesOutsideTheCanvasAreDropped) {
    Screen screen;
    screen.moveTo(Screen::Columns - 1, 0);
    screen.print("怪ab");  // does not fit: dropped, the cursor still moves on
    screen.moveTo(-3, -1);
    screen.print("abc");
    screen.moveTo(2, Screen::Rows);
    screen.print("abc");
    EXPECT_EQ(screen.dump(), "");
    EXPECT_EQ(screen.cell(-1, 5), Cell{});
    EXPECT_EQ(screen.usedColumns(), 0);
    EXPECT_EQ(screen.usedRows(), 0);
}

// The size a drawing needs: visible cells count, blanks in the default colours do not.
TEST(Screen, TracksTheSizeTheDrawingNeeds) {
    Screen screen;
    screen.moveTo(30, 40);
    screen.print("      ");  // blanks show nothing
    EXPECT_EQ(screen.usedColumns(), 0);
    EXPECT_EQ(screen.usedRows(), 0);
    screen.moveTo(43, 22);
    screen.print("退出 0 ");  // a trailing blank adds nothing
    EXPECT_EQ(screen.usedColumns(), 49);
    EXPECT_EQ(screen.usedRows(), 23);
    screen.moveTo(60, 2);
    screen.print("\x1b[44m ");  // a blank on a coloured background shows
    EXPECT_EQ(screen.usedColumns(), 61);
    screen.moveTo(43, 22);
    screen.print("\x1b[m        ");  // blanking it again does not shrink the size
    EXPECT_EQ(screen.usedColumns(), 61);
    EXPECT_EQ(screen.usedRows(), 23);
    screen.clear();
    EXPECT_EQ(screen.usedColumns(), 0);
    EXPECT_EQ(screen.usedRows(), 0);
}

}  // namespace
}  // namespace tarnwick
