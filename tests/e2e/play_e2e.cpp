// The real binary in a pseudo-terminal: a default game with its board, panel and countdown,
// the pause screen and the way back to the main menu, an auto-walk game that ends on its
// victory screen with its records, boards walked through the window of a small terminal, the arrow
// keys, the key line and the seed of the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "e2e_support.h"
#include "storage/temp_folder.h"
#include "support/screen_assert.h"

namespace tarnwick::e2e {
namespace {

using testing::countOf;

constexpr Colours GreenOnBlack{2, 0};
constexpr Colours BlueOnBlue{4, 4};
constexpr Colours BlueOnYellow{4, 3};
constexpr Colours WhiteOnCyan{7, 6};
constexpr Colours Red{1, -1};

// The seed of this day carves a board whose way is the shortest there is (45 cells), so that
// the auto-walk takes 9 s.
constexpr const char* ShortWalkDay = "@2024-01-30 00:00:00";

// How often a glyph stands on the board of a size, one glyph per two-column cell.
int glyphsOnBoard(const PtySession& session, int size, std::string_view glyph) {
    int count = 0;
    for (int cell = 0; cell < size * size; ++cell) {
        count += shows(session, 2 * (cell % size), cell / size, glyph) ? 1 : 0;
    }
    return count;
}

TEST(PlayE2e, ADefaultGamePausesAndReturnsToTheMainMenu) {
    FixedClock clock;
    PtySession session;
    START_OR_SKIP(session);
    awaitMainMenu(session);
    session.sendKeys("1");
    // The countdown comes with the first tick; the panel stands beside the 25 columns.
    awaitText(session, 58, 3, "剩余时间为： 5");
    awaitText(session, 58, 5, "当前生命值： ●");
    awaitText(session, 58, 7, "当前金币 ￥：  50");
    awaitText(session, 58, 9, "当前模式为： 限时模式");
    awaitText(session, 58, 11, "当前已装备");
    // A 25 x 25 board: the entrance above the start, the exit in the right border, walls.
    EXPECT_TRUE(shows(session, 2, 0, "入")) << screenOf(session);
    EXPECT_EQ(session.colours(2, 0), GreenOnBlack);
    EXPECT_TRUE(shows(session, 48, 23, "出")) << screenOf(session);
    EXPECT_EQ(session.colours(48, 23).fg, Red.fg);
    EXPECT_TRUE(shows(session, 0, 24, "██")) << screenOf(session);
    EXPECT_EQ(session.colours(0, 24), BlueOnBlue);
    EXPECT_EQ(session.row(25), "");  // nothing below the board
    // Three monsters and three coins (the monsters step while we look).
    EXPECT_TRUE(session.waitUntil([&] {
        return glyphsOnBoard(session, 25, "怪") == 3 && glyphsOnBoard(session, 25, "￥") == 3;
    })) << screenOf(session);
    if (!shows(session, 2, 1, "￥")) {  // a coin placed on the start hides the player
        EXPECT_TRUE(shows(session, 2, 1, "〇")) << screenOf(session);
        EXPECT_EQ(session.colours(2, 1), WhiteOnCyan);
    }

    session.sendKeys("0");
    awaitText(session, 43, 14, "游戏已暂停，按 0 返回主菜单");
    awaitText(session, 43, 18, "按其他任意键继续游戏！");
    EXPECT_EQ(session.colours(43, 14), GreenOnBlack);
    EXPECT_EQ(session.row(0), "");
    session.sendKeys("0");
    quitFromMenu(session);
}

// A timed game whose terminal is made too small waits behind the size notice: no tick, no
// monster step, no countdown; grown again, it goes on where it stood.
TEST(PlayE2e, ATimedGameWaitsWhileTheTerminalIsTooSmall) {
    FixedClock clock;
    PtySession session;
    START_OR_SKIP(session);
    awaitMainMenu(session);
    session.sendKeys("1");
    awaitText(session, 58, 3, "剩余时间为： 5");
    const auto monsters = [&] {
        std::string cells;
        for (int cell = 0; cell < 25 * 25; ++cell) {
            cells += shows(session, 2 * (cell % 25), cell / 25, "怪") ? "M" : ".";
        }
        return cells;
    };
    const auto secondsLeft = [&] { return std::atoi(session.textAt(71, 3, 3).c_str()); };
    // Just after a monster step, so that the next one is half a second away.
    const std::string stepped = monsters();
    ASSERT_TRUE(session.waitUntil([&] { return monsters() != stepped; })) << screenOf(session);
    const std::string before = monsters();
    const int secondsBefore = secondsLeft();
    session.resize(50, 12);
    ASSERT_TRUE(session.waitUntil([&] { return session.row(11).starts_with("窗口太小啦"); }))
        << screenOf(session);
    session.settle(5s);
    session.resize(100, 30);
    awaitText(session, 58, 9, "当前模式为： 限时模式");
    // The repaint may reach the terminal in pieces: it is whole once the board's last cell is.
    ASSERT_TRUE(session.waitUntil([&] { return shows(session, 48, 24, "██"); }))
        << screenOf(session);
    EXPECT_EQ(monsters(), before) << screenOf(session);
    EXPECT_LE(secondsBefore - secondsLeft(), 1) << screenOf(session);
    EXPECT_TRUE(session.waitUntil([&] { return secondsLeft() < secondsBefore - 1; }, 3s))
        << screenOf(session);
    session.sendKeys("00");
    quitFromMenu(session);
}

// On 80 x 24 the 25 rows of the board are seen through the window, which follows the walk.
TEST(PlayE2e, AnAutoWalkGameEndsOnItsVictoryScreenAndReturnsToTheMenu) {
    FixedClock clock(ShortWalkDay);
    PtySession session({.columns = 80, .rows = 24});
    START_OR_SKIP(session);
    changeSetting(session, "22");  // mode settings, auto-walk
    checkPlayAtEachFrame(session, "自走模式");
    session.sendKeys("1");
    awaitText(session, 58, 9, "当前模式为： 自走模式");
    // The walk takes 200 ms per cell of the way, then the tune 3.3 s. The player is seen on
    // its way, away from the start.
    EXPECT_TRUE(session.waitUntil([&] {
        return !shows(session, 2, 1, "〇") && glyphsOnBoard(session, 25, "〇") == 1;
    })) << screenOf(session);
    awaitText(session, 43, 12, "YOU WIN !!!", 60s);
    EXPECT_EQ(session.colours(43, 12), BlueOnYellow);
    // After the tune the game's time comes below the texts, and the screen moves up a row.
    awaitText(session, 43, 15, "游戏结束", 10s);
    awaitText(session, 43, 17, "关闭游戏请点击右上角 X");
    awaitText(session, 43, 21, "继续游戏按任意键回到主菜单栏目");
    EXPECT_EQ(session.colours(43, 21), BlueOnYellow);
    // 45 cells of the way at 200 ms: 9 s of game time, the first time won.
    awaitText(session, 43, 23, "本局用时 9.0 秒   新纪录！");
    // The records screen (key 5) and --records show the won game with its time.
    const std::string row = "自走模式    25    1       1       9.0 秒";
    session.sendKeys("x5");
    awaitText(session, 8, 4, row);
    session.sendKeys("x");
    quitFromMenu(session);
    // --records with its output to a file.
    const std::string printed = session.filesFolder() + "/printed";
    ASSERT_EQ(std::system(("XDG_STATE_HOME=" + session.filesFolder() + "/state " +
                           PtySession::binaryPath() + " --records >" + printed)
                              .c_str()),
              0);
    EXPECT_NE(storage::fileText(printed).find("\n" + row + "  "), std::string::npos);
}

// A 45 x 45 board, walked in war-god mode along its frame (where no monster can step) from the
// entrance to the exit: begun on 160 x 60, most of it on 80 x 24 through the window, and back.
TEST(PlayE2e, AWarGodWalkOverTheLargestBoardFollowsThePlayerThroughResizes) {
    FixedClock clock;
    PtySession session({.columns = 160, .rows = 60});
    START_OR_SKIP(session);
    changeSetting(session, "16x");  // size factor 6
    changeSetting(session, "24");   // war-god mode
    session.sendKeys("1w" + std::string(10, 'd'));
    awaitText(session, 22, 0, "〇");
    session.resize(80, 24);
    // The panel moves to the right edge; the window takes the 24 whole cells left of it.
    awaitText(session, 51, 9, "当前模式为： 战神模式");
    checkPlayAtEachFrame(session, "战神模式");
    session.sendKeys(std::string(33, 'd') + std::string(43, 's'));
    // On the exit, in the window's bottom-right part, once every key is taken.
    const auto arrived = [&] {
        return session.pendingInput() == 0 && shows(session, 46, 22, "〇");
    };
    ASSERT_TRUE(session.waitUntil(arrived, 20s)) << screenOf(session);
    session.settle(300ms);
    EXPECT_TRUE(arrived()) << screenOf(session);
    session.checkEachFrame(nullptr);
    session.resize(160, 60);
    awaitText(session, 88, 43, "〇");
    EXPECT_TRUE(shows(session, 98, 9, "当前模式为： 战神模式")) << screenOf(session);
    session.sendKeys("00");
    quitFromMenu(session);
}

// The picture maze's exit is walled in; a monster placed in one of the ten walls of row 38
// that join the exit's region to the start's opens it with its first step. Seed 462 places one
// in (49, 38). It was found by replaying the set-up's draws of std::rand() after srand(N) for
// N from 0 and walking each candidate in a model of the ticks: the first seed whose shortest
// way from the start through that cell to the exit (114 steps) passes no coin (the player is
// not drawn while the coin cue sounds) and that no monster caught in the model, whatever the
// delay (up to 300 ticks) before the keys came. A monster that catches the player all the
// same sends it back to the start, and the walk begins again.
TEST(PlayE2e, ThePictureMazeIsPlayedToItsExitThroughTheWindow) {
    PtySession session({.columns = 80, .rows = 24, .arguments = {"--seed", "462"}});
    START_OR_SKIP(session);
    changeSetting(session, "39");  // nine lives
    changeSetting(session, "25");  // the picture maze
    checkPlayAtEachFrame(session, "");
    session.sendKeys("1");
    ASSERT_TRUE(session.waitForText("当前金币 ￥：  10")) << screenOf(session);
    std::string walk;
    for (const std::string_view run :
         {"1s", "1d",  "12s", "3d", "11s", "1d", "9s", "11d", "1w", "1d",
          "3w", "20d", "4w",  "5d", "1s",  "1d", "1s", "1d",  "1s", "2d",
          "3s", "1d",  "8s",  "2d", "2s",  "1d", "3s", "1d",  "2s", "1d"}) {
        walk.append(static_cast<std::size_t>(std::stoi(std::string(run))), run.back());
    }
    const auto won = [&] { return session.screenText().find("YOU WIN !!!") != std::string::npos; };
    const auto lives = [&] { return countOf(session.screenText(), "●"); };
    for (int walks = 0; walks < 9 && !won(); ++walks) {  // one walk per life
        const int livesBefore = lives();
        session.sendKeys(walk);
        session.waitUntil([&] { return won() || lives() < livesBefore; }, 30s);
        if (!won()) {
            session.flushInput();  // caught: the player is at the start while the cue sounds
            session.settle(1s);
        }
    }
    awaitText(session, 43, 12, "YOU WIN !!!");
}

// A game with a fixed seed. The board of seed 42 has three open cells right of the start.
std::unique_ptr<PtySession> startSeeded(
    const char* seed, std::string_view settings = "",
    std::vector<std::pair<std::string, std::string>> environment = {}) {
    auto session = std::make_unique<PtySession>(
        SessionOptions{.arguments = {"--seed", seed}, .environment = std::move(environment)});
    if (session->started()) {
        if (!settings.empty()) {
            changeSetting(*session, settings);
        }
        awaitMainMenu(*session);
        session->sendKeys("1");
        awaitText(*session, 48, 24, "██");  // the first frame's last cell
    }
    return session;
}

// Arrow keys, CSI and SS3 by turns.
std::string arrows(char final, int count) {
    std::string keys;
    for (int i = 0; i < count; ++i) {
        keys += std::string(i % 2 == 0 ? "\x1b[" : "\x1bO") + final;
    }
    return keys;
}

TEST(PlayE2e, ArrowKeysWalkAWarGodToTheExit) {
    const auto session = startSeeded("42", "24");  // war-god: only the board's edge stops
    START_OR_SKIP(*session);
    // Through the border walls, where no monster comes: left, 23 down, 24 right, up.
    session->sendKeys(arrows('D', 1) + arrows('B', 23));
    awaitText(*session, 0, 24, "〇", 10s);
    // A lone ESC read on its own, then d; Alt-d, nothing; Ctrl-Right and Shift-Right, a step
    // each.
    session->sendKeys("\x1b");
    session->settle(300ms);
    session->sendKeys("d\033d\033[1;5C\033[1;2C" + arrows('C', 21) + arrows('A', 1));
    awaitText(*session, 48, 23, "〇", 15s);  // on the exit
}

TEST(PlayE2e, TheKeyLineFollowsThePurchasesAndArrowsAimTheGun) {
    const auto session = startSeeded("42");
    START_OR_SKIP(*session);
    EXPECT_TRUE(shows(*session, 58, 15, "wasd 移动  p 商店  0 暂停")) << screenOf(*session);
    EXPECT_NE(session->output().find("2mwasd"), std::string::npos);  // dim
    session->sendKeys("p2x");
    awaitText(*session, 58, 15, "wasd 移动  p 商店  k 挥刀  0 暂停");
    session->sendKeys("p3x");
    awaitText(*session, 58, 15, "wasd 移动  p 商店  k 挥刀  j 开枪  0 暂停");
    // Right: one step, and the gun fires along the row.
    session->sendKeys(arrows('C', 1) + "j");
    EXPECT_TRUE(session->waitUntil([&] {
        return shows(*session, 4, 1, "〇") &&
               (shows(*session, 6, 1, "·") || shows(*session, 8, 1, "·"));
    })) << screenOf(*session);
}

// A default board walked to its exit (in war-god mode, along its frame) on the small terminals
// a player may have: the player and the whole panel at every frame, with the weapons' keys on
// the key line; at 80 columns the window keeps 20 cells across beside the panel, and the hint
// points to the exit while it is out of view.
TEST(PlayE2e, ADefaultBoardIsWalkedToItsExitOnSmallTerminals) {
    for (const auto& [columns, rows] : {std::pair{80, 24}, std::pair{80, 23}, std::pair{60, 16}}) {
        SCOPED_TRACE(std::to_string(columns) + " x " + std::to_string(rows));
        PtySession session({.arguments = {"--seed", "42"}});
        START_OR_SKIP(session);
        changeSetting(session, "24");
        session.resize(columns, rows);
        session.settle();
        session.sendKeys("1p23x");
        ASSERT_TRUE(session.waitForText("wasd移动  p商店  k挥刀  j开枪  0暂停"))
            << screenOf(session);
        checkPlayAtEachFrame(session, "战神模式");
        // The exit on the board's last row but one: below the window on 23 rows and fewer.
        ASSERT_TRUE(session.waitForText(rows == 24 ? "出口 →" : "出口 ↘")) << screenOf(session);
        const std::string top = session.row(0);
        if (columns == 80) {  // the entrance and the walls of the top row, in the window
            EXPECT_GE(testing::countOf(top, "█") / 2 + 1, 20) << screenOf(session);
        }
        session.sendKeys(arrows('D', 1) + std::string(23, 's') + std::string(24, 'd') + "w");
        // On the exit, in the window's last cell beside the panel; the hint is gone.
        const auto onExit = [&] {
            const auto player = findText(session, "〇");
            const auto panel = findText(session, "当前生命值：");
            return session.pendingInput() == 0 && player && panel &&
                   panel->first - (player->first + 2) <= 3 &&
                   session.screenText().find("出口 ") == std::string::npos;
        };
        EXPECT_TRUE(session.waitUntil(onExit, 20s)) << screenOf(session);
        session.checkEachFrame(nullptr);
        session.sendKeys("00");
        quitFromMenu(session);
    }
}

// The output up to the end of the second synchronized frame: the main menu and the first board.
std::string firstFrames(const std::string& output) {
    const std::string end = "\x1b[?2026l";
    const std::size_t menu = output.find(end);
    const std::size_t board = menu == std::string::npos ? menu : output.find(end, menu + 1);
    return output.substr(0, board == std::string::npos ? board : board + end.size());
}

// Whether an SGR sequence in the output sets a colour.
bool sendsColour(const std::string& output) {
    for (std::size_t at = output.find("\x1b["); at != std::string::npos;
         at = output.find("\x1b[", at + 1)) {
        const std::size_t end = output.find_first_not_of("0123456789;", at + 2);
        for (std::size_t p = at + 2; end != std::string::npos && output[end] == 'm' && p < end;
             p = std::min(output.find(';', p), end) + 1) {
            const int value = std::atoi(output.c_str() + p);
            if (value >= 30 && value <= 49) {
                return true;
            }
        }
    }
    return false;
}

// The same seed carves the same board, and a terminal with every feature (whatever TERM or
// an empty NO_COLOR says) gets the very bytes an xterm gets.
TEST(PlayE2e, TheSameSeedCarvesTheSameFirstBoard) {
    std::vector<std::string> boards;
    std::vector<std::string> bytes;
    for (const auto& [seed, variable, value] : {std::tuple{"42", "TERM", "xterm-256color"},
                                                {"42", "TERM", "tmux-256color"},
                                                {"42", "TERM", "no-such-terminal"},
                                                {"42", "NO_COLOR", ""},
                                                {"4242", "TERM", "xterm-256color"}}) {
        const auto session = startSeeded(seed, "", {{variable, value}});
        START_OR_SKIP(*session);
        boards.emplace_back();
        for (int y = 0; y < 25; ++y) {
            boards.back() += session->textAt(0, y, 50) + "\n";
        }
        bytes.push_back(firstFrames(session->output()));
    }
    EXPECT_EQ(boards[0], boards[1]);
    EXPECT_NE(boards[0], boards[4]);
    EXPECT_TRUE(sendsColour(bytes[0]));
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(bytes[i], bytes[0]) << i;
    }
}

// Without colours the board reads by its glyphs; a terminal without an alternate screen,
// cursor hiding or synchronized output is sent none of them.
TEST(PlayE2e, TerminalsWithoutColoursShowTheBoardByItsGlyphs) {
    for (const auto& [variable, value] :
         {std::pair{"TERM", "vt100"}, {"TERM", "xterm-mono"}, {"NO_COLOR", "1"}}) {
        const auto session = startSeeded("42", "", {{variable, value}});
        START_OR_SKIP(*session);
        EXPECT_TRUE(session->waitUntil([&] {
            return glyphsOnBoard(*session, 25, "怪") == 3 && glyphsOnBoard(*session, 25, "￥") == 3;
        })) << value
            << screenOf(*session);
        EXPECT_TRUE(shows(*session, 2, 0, "入") && shows(*session, 0, 24, "██") &&
                    (shows(*session, 2, 1, "〇") || shows(*session, 2, 1, "￥")))
            << value << screenOf(*session);
        EXPECT_EQ(session->colours(0, 24), Colours{}) << value;
        EXPECT_FALSE(sendsColour(session->output())) << value;
        const bool vt100 = std::string_view(value) == "vt100";
        EXPECT_EQ(session->altScreen(), !vt100) << value;
        EXPECT_EQ(session->output().find("\x1b[?2026h") == std::string::npos, vt100) << value;
        session->sendKeys("00");
        quitFromMenu(*session);
    }
}

}  // namespace
}  // namespace tarnwick::e2e
