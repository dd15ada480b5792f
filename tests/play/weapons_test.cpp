#include "play/weapons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/test_console.h"
#include "game/glyphs.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::textAt;

// What the screen showed while a weapon paused.
struct Pause {
    int ms;
    Screen screen;
    int clears;  // clearScreen calls so far: one per redraw of the board
};

// Keeps the screen at every sleep, where the weapons hold their glyphs on show.
class PauseWatch : public TestConsole {
  public:
    std::vector<Pause> pauses;
    void sleepMs(int ms) override {
        pauses.push_back({ms, screen(), clearCount()});
        TestConsole::sleepMs(ms);
    }
};

constexpr int Size = 25;

// An open 25 x 25 field inside a frame of walls, the player at (5, 5).
struct Field {
    Field() : game(console) {
        GameState& s = game.state;
        s.mazeWidth = Size;
        s.mazeHeight = Size;
        for (int i = 1; i <= Size; ++i) {
            s.maze[i][1] = s.maze[i][Size] = s.maze[1][i] = s.maze[Size][i] = CellWall;
        }
        s.playerX = 5;
        s.playerY = 5;
    }
    int& cell(int x, int y) { return game.state.maze[x][y]; }
    // Whether the pause's screen shows the text on board cell (x, y).
    static ::testing::AssertionResult shows(const Pause& p, int x, int y, std::string_view text) {
        return textAt(p.screen, 2 * x - 2, y - 1, text);
    }
    PauseWatch console;
    Game game;
};

TEST(Knife, KillsBothMonstersWithinReachAndNothingBeyond) {
    Field f;
    f.game.state.facing = 'd';
    f.cell(6, 5) = f.cell(7, 5) = f.cell(8, 5) = CellMonster;
    swingKnife(f.game);
    ASSERT_EQ(f.console.pauses.size(), 1u);
    const Pause& p = f.console.pauses[0];
    EXPECT_EQ(p.ms, 200);
    EXPECT_EQ(p.clears, 0);  // both strikes are on show before any redraw
    EXPECT_TRUE(Field::shows(p, 6, 5, "＃＃  "));
    EXPECT_EQ(f.cell(6, 5), CellCoin);
    EXPECT_EQ(f.cell(7, 5), CellCoin);
    EXPECT_EQ(f.cell(8, 5), CellMonster);
    EXPECT_EQ(f.console.nowMs(), 200);
}

TEST(Knife, EachDirectionSwingsItsGlyphAndRedrawsAsOften) {
    struct Case {
        char facing;
        int dx, dy;
        const char* glyph;
        int redraws;
    };
    const Case cases[] = {
        {'w', 0, -1, "｜", 2}, {'s', 0, 1, "｜", 2}, {'a', -1, 0, "－", 1}, {'d', 1, 0, "－", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.facing));
        Field f;
        f.game.state.facing = c.facing;
        f.cell(5 + 2 * c.dx, 5 + 2 * c.dy) = CellMonster;
        f.cell(5 + 3 * c.dx, 5 + 3 * c.dy) = CellMonster;  // out of reach
        swingKnife(f.game);
        ASSERT_EQ(f.console.pauses.size(), 1u);
        const Pause& p = f.console.pauses[0];
        EXPECT_TRUE(Field::shows(p, 5 + c.dx, 5 + c.dy, c.glyph));
        EXPECT_TRUE(Field::shows(p, 5 + 2 * c.dx, 5 + 2 * c.dy, "＃"));
        EXPECT_EQ(f.cell(5 + c.dx, 5 + c.dy), CellEmpty);
        EXPECT_EQ(f.cell(5 + 2 * c.dx, 5 + 2 * c.dy), CellCoin);
        EXPECT_EQ(f.cell(5 + 3 * c.dx, 5 + 3 * c.dy), CellMonster);
        EXPECT_EQ(f.console.clearCount(), c.redraws);
    }
}

// Walls, the entrance, the exit and coins stop both weapons before the cell, and shield
// whatever lies behind them.
TEST(Weapons, BlockingCellsShieldWhatLiesBehind) {
    for (const int blocker : {CellWall, CellEntrance, CellExit, CellCoin}) {
        SCOPED_TRACE(blocker);
        Field knife;
        knife.game.state.facing = 'a';
        knife.cell(4, 5) = blocker;
        knife.cell(3, 5) = CellMonster;
        swingKnife(knife.game);
        ASSERT_EQ(knife.console.pauses.size(), 1u);
        EXPECT_EQ(knife.console.pauses[0].screen.dump(), "");  // nothing drawn
        EXPECT_EQ(knife.cell(3, 5), CellMonster);
        EXPECT_EQ(knife.cell(4, 5), blocker);
        EXPECT_EQ(knife.console.clearCount(), 1);

        Field gun;
        gun.game.state.facing = 's';
        gun.cell(5, 6) = blocker;
        gun.cell(5, 7) = CellMonster;
        fireGun(gun.game);
        EXPECT_TRUE(gun.console.pauses.empty());  // no bullet flies
        EXPECT_EQ(gun.cell(5, 7), CellMonster);
        EXPECT_EQ(gun.console.clearCount(), 1);
    }
}

TEST(Gun, BulletFliesACellPerStepAndKillsOnlyTheFirstMonster) {
    Field f;
    f.game.state.facing = 'd';
    f.cell(9, 5) = CellMonster;
    f.cell(11, 5) = CellMonster;
    fireGun(f.game);
    const auto& pauses = f.console.pauses;
    ASSERT_EQ(pauses.size(), 4u);
    for (int step = 1; step <= 3; ++step) {
        SCOPED_TRACE(step);
        const Pause& p = pauses[step - 1];
        EXPECT_EQ(p.ms, 60);
        EXPECT_EQ(p.clears, step);  // one full redraw per step
        EXPECT_TRUE(Field::shows(p, 5 + step, 5, "·"));
        // The redraw has erased the previous dot: a single bullet is on the board.
        const std::string row = p.screen.rowText(4);
        EXPECT_EQ(row.find("·"), row.rfind("·")) << p.screen.dump();
    }
    EXPECT_EQ(pauses[3].ms, 200);
    EXPECT_EQ(pauses[3].clears, 4);
    EXPECT_TRUE(Field::shows(pauses[3], 9, 5, "＃"));
    EXPECT_EQ(f.cell(9, 5), CellCoin);
    EXPECT_EQ(f.cell(11, 5), CellMonster);
    EXPECT_EQ(f.console.clearCount(), 5);
    EXPECT_EQ(f.console.nowMs(), 3 * 60 + 200);
}

TEST(Weapons, WithoutAFacingBothOnlyRedraw) {
    Field f;
    f.cell(6, 5) = f.cell(5, 6) = f.cell(4, 5) = f.cell(5, 4) = CellMonster;
    swingKnife(f.game);
    fireGun(f.game);
    EXPECT_TRUE(f.console.pauses.empty());
    EXPECT_EQ(f.console.clearCount(), 2);
    for (const auto& [x, y] : {std::pair{6, 5}, {5, 6}, {4, 5}, {5, 4}}) {
        EXPECT_EQ(f.cell(x, y), CellMonster);
    }
}

// In war-god mode the player may stand in the frame or beyond it; the cells past the board,
// which the grid holds as zero, stop the weapons like walls.
TEST(Weapons, TheBoardsEdgeStopsThemWhereverThePlayerStands) {
    struct Case {
        int x, y;
        char facing;
    };
    const Case cases[] = {{Size, 5, 'd'},
                          {5, Size, 's'},
                          {1, 1, 'w'},
                          {1, 5, 'a'},
                          {Size + 1, 5, 'd'},
                          {MazeGridSize - 1, 5, 'd'},
                          {5, MazeGridSize - 1, 's'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " " << c.facing);
        Field f;
        f.game.state.mode = ModeWarGod;
        f.game.state.playerX = c.x;
        f.game.state.playerY = c.y;
        f.game.state.facing = c.facing;
        fireGun(f.game);
        EXPECT_TRUE(f.console.pauses.empty());
        swingKnife(f.game);
        ASSERT_EQ(f.console.pauses.size(), 1u);
        EXPECT_EQ(f.console.pauses[0].screen.rowText(c.y - 1), f.console.screen().rowText(c.y - 1))
            << "the knife drew on the player's row";
    }
    // Standing inside a wall of the frame, the weapons start from the player's cell.
    Field f;
    f.game.state.playerX = 1;
    f.game.state.playerY = 5;
    f.game.state.facing = 'd';
    f.cell(4, 5) = CellMonster;
    fireGun(f.game);
    EXPECT_EQ(f.cell(4, 5), CellCoin);
}

}  // namespace
}  // namespace tarnwick
