// The real binary on terminals that do not suit it: too small, drawing ambiguous characters
// two columns wide, answering the width probe late or never, sending flow-control keys.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <termios.h>

#include "menu_checks.h"
#include "pty_session.h"

namespace tarnwick::e2e {
namespace {

constexpr std::string_view Notice = "窗口太小啦！请放大到 88 列 23 行";

void quitFromMenu(PtySession& session) {
    ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); })) << screenOf(session);
    session.sendKeys("0");
    const auto status = session.waitExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
}

TEST(TerminalFitE2e, SmallTerminalShowsTheSizeNeededUntilItGrows) {
    SessionOptions options;
    options.columns = 80;
    options.rows = 24;
    PtySession session(options);
    START_OR_SKIP(session);
    ASSERT_TRUE(session.waitUntil([&] { return session.row(23) == Notice; })) << screenOf(session);
    EXPECT_EQ(session.row(22), std::string(43, ' ') + "退出游戏请输入     0");

    session.resize(160, 60);
    ASSERT_TRUE(session.waitUntil([&] {
        return session.screenText().find("窗口太小") == std::string::npos;
    })) << screenOf(session);
    expectMenu(session);
    EXPECT_EQ(session.row(59), "");
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
        SessionOptions options;
        options.answerCursorQueries = c.answer;
        options.cursorReport = c.report;
        PtySession session(options);
        START_OR_SKIP(session);
        ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); })) << screenOf(session);
        EXPECT_NE(session.output().find("\x1b[6n"), std::string::npos);
        EXPECT_EQ(livesLineSent(session), "生命值 1 " + std::string(c.dash));
        session.sendKeys("x");
        quitFromMenu(session);
    }
}

TEST(TerminalFitE2e, ALateAnswerIsNoKeyAndStillCounts) {
    SessionOptions options;
    options.answerCursorQueries = false;
    PtySession session(options);
    START_OR_SKIP(session);
    ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); })) << screenOf(session);
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
    EXPECT_EQ(session.inputModes() & IXON, 0u);
    session.sendKeys("\x13");  // would stop the output under flow control
    session.sendKeys("3");
    ASSERT_TRUE(session.waitForText("用尽快的方式躲避怪兽")) << screenOf(session);
    session.sendKeys("\x11");  // leaves the help screen like any key
    quitFromMenu(session);
}

}  // namespace
}  // namespace tarnwick::e2e
