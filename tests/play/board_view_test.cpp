#include "play/board_view.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "console/test_console.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::textAt;

constexpr Style GreenOnBlack{2, 0};
constexpr Style RedOnDefault{1, ColourDefault};
constexpr Style Player{7, 6, false, true};  // white on cyan, standing out
constexpr Style BlueOnBlue{4, 4};

constexpr char LivesLabel[] = "当前生命值： ";
constexpr int LivesLabelWidth = 13;

std::string repeat(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

struct PanelFixture : ::testing::Test {
    TestConsole console;
    Game game{console};
    PanelFixture() {
        game.state.mazeWidth = 25;
        game.state.mazeHeight = 25;
    }
    // Fills the panel's rows with marks, to see what the panel prints over.
    void scribble(int column) {
        for (const int row : {5, 7, 9, 11, 13}) {
            console.gotoXY(column, row);
            console.printText(std::string(60, 'x'));
        }
    }
};

// The equipment line is the shop's; its cases are checked with the shop.
TEST_F(PanelFixture, StandsTwoColumnsPerCellRightOfTheBoard) {
    game.state.hasGun = 1;
    game.state.hasKnife = 1;
    for (const auto& [size, column] : {std::pair{25, 58}, {45, 98}, {54, 116}}) {
        console.clearScreen();
        game.state.mazeWidth = size;
        game.state.mazeHeight = size;
        drawStatusPanel(game);
        EXPECT_TRUE(textAt(console, column, 5, LivesLabel));
        EXPECT_TRUE(textAt(console, column, 7, "当前金币 ￥：  50"));
        EXPECT_TRUE(textAt(console, column, 9, "当前模式为： 限时模式"));
        EXPECT_TRUE(textAt(console, column, 11, "当前已装备    冲锋枪  瑞士军刀"));
        EXPECT_EQ(console.row(5).find_first_not_of(' '), static_cast<std::size_t>(column));
        EXPECT_EQ(console.row(13), "");
    }
}

TEST_F(PanelFixture, LivesRowShowsEachLifeAndWipesALostOne) {
    constexpr int Column = 58;
    const int lifeColumn = Column + LivesLabelWidth;
    // Up to ten lives the row ends at the same column, wiping what stood there.
    for (const int lives : {1, 3, 10}) {
        scribble(Column);
        game.state.lives = lives;
        drawStatusPanel(game);
        const std::string expected =
            LivesLabel + repeat("● ", lives) + std::string(2 * (11 - lives), ' ') + "x";
        EXPECT_TRUE(textAt(console, Column, 5, expected)) << lives << " lives";
    }
    // Past ten the row grows to the right, and a lost life leaves no dot behind.
    scribble(Column);
    game.state.lives = 12;
    drawStatusPanel(game);
    game.state.lives = 11;
    drawStatusPanel(game);
    EXPECT_TRUE(textAt(console, lifeColumn, 5, repeat("● ", 11) + "    x"));
    // No life at all: eleven blank pairs.
    scribble(Column);
    game.state.lives = 0;
    drawStatusPanel(game);
    EXPECT_TRUE(textAt(console, lifeColumn, 5, std::string(22, ' ') + "x"));
}

TEST_F(PanelFixture, NamesTheModeAndCountsLevelsOnlyWhenEndless) {
    const std::pair<Mode, std::string> modes[] = {
        {ModeTimed, "限时模式"},  {ModeAutoWalk, "自走模式"}, {ModeEndless, "无尽模式"},
        {ModeWarGod, "战神模式"}, {ModeEasterEgg, ""},
    };
    game.state.levelsCleared = 12;
    for (const auto& [mode, name] : modes) {
        console.clearScreen();
        game.state.mode = mode;
        drawStatusPanel(game);
        std::string expected = std::string(58, ' ') + "当前模式为： " + name;
        expected.erase(expected.find_last_not_of(' ') +
                       1);  // rows are read without trailing blanks
        EXPECT_EQ(console.row(9), expected) << mode;
        EXPECT_EQ(console.row(13),
                  mode == ModeEndless ? std::string(58, ' ') + "你已经闯过 12 关" : "")
            << mode;
    }
}

TEST_F(PanelFixture, KeyLineShowsDimOnlyTheKeysThatWorkNow) {
    // Mode, shop open, both weapons owned: the line.
    for (const auto& [mode, shop, weapons, keys] :
         {std::tuple{ModeTimed, 1, 0, "wasd 移动  p 商店  0 暂停"},
          {ModeWarGod, 0, 1, "wasd 移动  k 挥刀  j 开枪  0 暂停"},
          {ModeAutoWalk, 1, 1, ""}}) {
        console.clearScreen();
        game.state.mode = mode;
        game.state.shopOpen = shop;
        game.state.hasKnife = game.state.hasGun = weapons;
        drawStatusPanel(game);
        EXPECT_EQ(console.row(15), *keys ? std::string(58, ' ') + keys : "") << mode;
        EXPECT_EQ(console.screen().cell(58, 15).style.dim, *keys != 0) << mode;
    }
}

// On a terminal narrower than the panel as it is, the key line and the lives keep within
// 38 columns; a resize brings the other form back, over the rows the panel held.
TEST_F(PanelFixture, KeepsToTheNarrowFormOnANarrowTerminal) {
    game.state.lives = 26;
    game.state.hasKnife = game.state.hasGun = 1;
    console.resize(80, 24);
    drawStatusPanel(game);
    EXPECT_EQ(console.row(5), std::string(58, ' ') + LivesLabel + "● 26");
    EXPECT_EQ(console.row(15), std::string(58, ' ') + "wasd移动  p商店  k挥刀  j开枪  0暂停");
    console.resize(160, 60);
    fitStatusPanel(game);
    EXPECT_EQ(console.row(5), std::string(58, ' ') + LivesLabel + repeat("● ", 25) + "●");
    EXPECT_EQ(console.row(15), std::string(58, ' ') + "wasd 移动  p 商店  k 挥刀  j 开枪  0 暂停");
}

TEST(BoardView, RedrawPaintsEveryCellThePlayerAndThePanel) {
    TestConsole console;
    Game game(console);
    GameState& state = game.state;
    state.mazeWidth = 5;
    state.mazeHeight = 5;
    const int rows[5][5] = {
        {CellWall, CellEntrance, CellEmpty, CellWall, CellWall},
        {CellWall, CellEmpty, CellCoin, CellMonster, CellWall},
        {CellWall, CellCoin, CellWall, CellMonsterMoved, CellWall},
        {CellWall, CellEmpty, CellEmpty, CellEmpty, CellExit},
        {CellWall, CellWall, CellWall, CellWall, CellWall},
    };
    for (int y = 1; y <= 5; ++y) {
        for (int x = 1; x <= 5; ++x) {
            state.maze[x][y] = rows[y - 1][x - 1];
        }
    }
    state.maze[6][2] = CellWall;  // beyond the board: not painted
    state.playerX = 2;
    state.playerY = 3;  // standing on a coin
    console.gotoXY(0, 0);
    console.printText(std::string(40, 'x'));  // the redraw starts from a cleared screen
    redrawBoard(game);

    EXPECT_EQ(console.row(0), "██入  ████");
    EXPECT_EQ(console.row(1), "██  ￥怪██");
    EXPECT_EQ(console.row(2), "██〇██  ██");  // the player over the coin; the moved monster blank
    EXPECT_EQ(console.row(3), "██      出");
    EXPECT_EQ(console.row(4), "██████████");
    EXPECT_TRUE(textAt(console, 18, 5, LivesLabel));  // the panel of a 5-cell board
    EXPECT_TRUE(textAt(console, 18, 7, "当前金币 ￥：  50"));
    // Colours: the entrance and the exit with their full glyphs, the walls blue on blue.
    EXPECT_EQ(console.screen().cell(2, 0).style, GreenOnBlack);
    EXPECT_EQ(console.screen().cell(4, 0).style, Style{});  // the entrance's colour ends with it
    EXPECT_EQ(console.screen().cell(8, 3).style, RedOnDefault);
    EXPECT_EQ(console.screen().cell(2, 2).style, Player);
    EXPECT_EQ(console.screen().cell(0, 4).style, BlueOnBlue);
    EXPECT_EQ(console.screen().cell(6, 2).style, Style{});  // the moved monster's blank cell
}

}  // namespace
}  // namespace tarnwick
