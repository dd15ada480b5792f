// The real binary on terminals that do not suit it: too small, drawing ambiguous characters
// two columns wide, answering the width probe late or never, sending flow-control keys.
#include <gtest/gtest.h>
#include <termios.h>

#include "console/screen_lines.h"
#include "e2e_support.h"

namespace tarnwick::e2e {
namespace {

// Waits for the lines of a screen, each moved left and up by the same amount.
void awaitMoved(PtySession& session, std::initializer_list<ScreenLine> lines, int left, int up) {
    for (const ScreenLine& line : lines) {
        awaitText(session, line.column - left, line.row - up, line.text);
    }
}

// On 80 x 23 (80 x 24 with a status line) the screens wider or taller than it (main menu
// 88 x 25, help 90 x 21, lives 102 x 19, records 58 x 24, shop 67 x 27) move by what the
// terminal lacks; a terminal narrower than a screen's drawing shows the notice of a size that
// holds it, never smaller than the terminal.
TEST(TerminalFitE2e, TextScreensMoveIntoEightyByTwentyThree) {
    FixedClock clock;
    PtySession session({.columns = 80, .rows = 23});
    START_OR_SKIP(session);
    awaitMoved(session, {{36, 12, "欢迎来到Tarnwick游戏"}, {43, 24, "5. 记录"}}, 8, 2);
    session.sendKeys("3");
    awaitMoved(session,
               {{40, 10, "w 上          按 p 进入商店模式"},
                {40, 18, "用尽快的方式躲避怪兽！走出迷宫！加油！胜利属于你！"},
                {45, 20, "按任意键返回上级菜单"}},
               10, 0);
    session.sendKeys("x23");
    awaitMoved(session,
               {{40, 14, "输入你想要的生命值 1 — 9 (为了较好游戏体验，建议生命值3-5之间)"},
                {40, 16, "当前生命值为："},
                {45, 18, "按其他任意键返回上级菜单"}},
               22, 0);
    session.sendKeys("x5");
    awaitMoved(session, {{8, 1, "游戏记录"}, {8, 23, "按任意键返回主菜单"}}, 0, 1);
    session.sendKeys("x1");
    ASSERT_TRUE(session.waitForText("当前金币")) << screenOf(session);
    session.sendKeys("p");
    awaitMoved(session,
               {{40, 14, "购买生命2￥        请输入 1"},
                {40, 22, "当前金额 50"},
                {45, 26, "按其他任意键返回游戏"}},
               0, 4);
    session.sendKeys("x0");
    awaitMoved(session,
               {{43, 14, "游戏已暂停，按 0 返回主菜单"}, {43, 18, "按其他任意键继续游戏！"}}, 0, 0);
    session.sendKeys("0");
    awaitMainMenu(session);

    session.resize(50, 23);
    ASSERT_TRUE(session.waitUntil([&] {
        return session.row(22) == "窗口太小啦！请放大到 52 列 23 行";
    })) << screenOf(session);
    session.resize(160, 60);
    ASSERT_TRUE(session.waitUntil([&] {
        return session.screenText().find("窗口太小") == std::string::npos;
    })) << screenOf(session);
    expectMenu(session);
    quitFromMenu(session);
}

// The lives screen's first line holds an ambiguous dash with a blank after it.
std::string livesLineSent(PtySession& session) {
    session.sendKeys("23");
    EXPECT_TRUE(session.waitForText("当前生命值为")) << screenOf(session);
    const auto at = session.output().find("生命值 1 ");
    return at == std::string::npos ? "" : session.output().substr(at, 17);
}

TEST(TerminalFitE2e, TheWidthProbesAnswerDecidesHowAmbiguousCharactersGoOut) {
    struct Case {
        const char* name;
        bool answer;
        std::string report;  // empty: the emulator's own answer
        std::string_view dash;
    };
    for (const Case& c :
         {Case{"emulator, narrow", true, "", "— 9"}, Case{"wide", true, "\x1b[1;3R", "—9 "},
          Case{"no answer", false, "", "— 9"}}) {
        SCOPED_TRACE(c.name);
        PtySession session({.answerCursorQueries = c.answer, .cursorReport = c.report});
        START_OR_SKIP(session);
        awaitMainMenu(session);
        EXPECT_NE(session.output().find("\x1b[6n"), std::string::npos);
        EXPECT_EQ(livesLineSent(session), "生命值 1 " + std::string(c.dash));
        session.sendKeys("x");
        quitFromMenu(session);
    }
}

TEST(TerminalFitE2e, AWideTerminalGetsOneBlockPerWall) {
    // The board's top row: walls, the entrance in the second cell, walls. The emulator draws
    // the blocks one column wide, so a wide game's row shows one block per wall there.
    for (const auto& [report, top] :
         {std::pair{"\x1b[1;3R", "█入███"}, std::pair{"\x1b[1;2R", "██入██"}}) {
        SCOPED_TRACE(top);
        PtySession session({.cursorReport = report});
        START_OR_SKIP(session);
        awaitMainMenu(session);
        session.sendKeys("1");
        ASSERT_TRUE(session.waitForText("当前金币")) << screenOf(session);
        EXPECT_TRUE(session.row(0).starts_with(top)) << screenOf(session);
        session.sendKeys("0");
        ASSERT_TRUE(session.waitForText("游戏已暂停")) << screenOf(session);
        session.sendKeys("0");
        quitFromMenu(session);
    }
}

TEST(TerminalFitE2e, ALateAnswerIsNoKeyAndStillCounts) {
    PtySession session({.answerCursorQueries = false});
    START_OR_SKIP(session);
    awaitMainMenu(session);
    // "1" or "3" as keys would start a game or open the help screen.
    session.sendKeys("\x1b[1;3R");
    session.settle(300ms);
    EXPECT_TRUE(menuShown(session)) << screenOf(session);
    EXPECT_EQ(livesLineSent(session), "生命值 1 —9 ");
    session.sendKeys("x");
    quitFromMenu(session);
}

TEST(TerminalFitE2e, CtrlSAndCtrlQAreKeysNotFlowControl) {
    PtySession session;
    START_OR_SKIP(session);
    expectMenu(session);
    EXPECT_EQ(session.modes().c_iflag & IXON, 0u);
    session.sendKeys("\x13");  // would stop the output under flow control
    session.sendKeys("3");
    ASSERT_TRUE(session.waitForText("用尽快的方式躲避怪兽")) << screenOf(session);
    session.sendKeys("\x11");  // leaves the help screen like any key
    quitFromMenu(session);
}

}  // namespace
}  // namespace tarnwick::e2e
