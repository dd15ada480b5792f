// The real binary in a pseudo-terminal: the main menu, the terminal's modes, and every way
// the program can end.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <termios.h>

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "menu_checks.h"
#include "pty_session.h"

namespace tarnwick::e2e {
namespace {

TEST(MainMenuE2e, ShowsTheMenuAndQuitsOnZero) {
    PtySession session;
    START_OR_SKIP(session);
    expectMenu(session);
    EXPECT_TRUE(session.altScreen());
    EXPECT_FALSE(session.cursorVisible());
    EXPECT_EQ(session.title(), "Tarnwick");
    EXPECT_EQ(session.localModes() & (ICANON | ECHO), 0u);  // raw keys
    EXPECT_NE(session.localModes() & ISIG, 0u);             // Ctrl-C and Ctrl-Z still work
    // Keys without a meaning, arrow keys of both forms among them, bring the menu back.
    session.sendKeys("x9\x1b[A\x1bOB");
    session.settle();
    expectMenu(session);
    session.sendKeys("0");
    const auto status = session.waitExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    expectRestored(session);
}

// Runs the game by the shell with its standard output and error going to files.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};
Outcome runToFiles(const std::string& environment, const std::string& arguments) {
    std::string out = (std::filesystem::temp_directory_path() / "tarnwick-out-XXXXXX").string();
    std::string err = out;
    close(mkstemp(out.data()));
    close(mkstemp(err.data()));
    const std::string command = environment + " '" + PtySession::binaryPath() + "' " + arguments +
                                " >" + out + " 2>" + err + " </dev/null";
    const int status = std::system(command.c_str());
    auto take = [](const std::string& path) {
        std::ifstream file(path);
        std::string text{std::istreambuf_iterator<char>(file), {}};
        std::filesystem::remove(path);
        return text;
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, take(out), take(err)};
}

TEST(MainMenuE2e, OptionsAndRefusalsLeaveTheTerminalAlone) {
    // Standard output to a file: help and version go there, the game itself refuses.
    const Outcome version = runToFiles("", "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tarnwick 1.1.0\n");
    EXPECT_TRUE(runToFiles("LC_ALL= LANG=zh_CN.UTF-8", "--help").out.starts_with("用法："));
    EXPECT_TRUE(runToFiles("LC_ALL=C", "-h").out.starts_with("Usage: tarnwick"));
    const Outcome toFile = runToFiles("", "--seed 7");
    EXPECT_EQ(toFile.status, 1);
    EXPECT_EQ(toFile.out, "");
    EXPECT_NE(toFile.err.find("needs a terminal"), std::string::npos) << toFile.err;
    // In a terminal, a bad value and TERM=dumb: one line, and no mode or sequence changed.
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::pair<std::string, std::string>> environment;
        int status;
        const char* line;
    };
    for (const Case& c : {Case{{"--seed", "-1"}, {}, 2, "bad value '-1' for --seed; try --help"},
                          Case{{}, {{"TERM", "dumb"}}, 1, "TERM is \"dumb\""}}) {
        SessionOptions options;
        options.arguments = c.arguments;
        options.environment = c.environment;
        PtySession session(options);
        START_OR_SKIP(session);
        const auto status = session.waitExit();
        ASSERT_TRUE(status.has_value());
        EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == c.status) << c.line;
        EXPECT_NE(session.output().find(c.line), std::string::npos) << session.output();
        EXPECT_EQ(session.output().find('\x1b'), std::string::npos) << c.line;
        EXPECT_NE(session.localModes() & ECHO, 0u);
    }
}

TEST(MainMenuE2e, EndingAndFatalSignalsRestoreTheTerminal) {
    struct Case {
        const char* name;
        int signal;
        bool byKey;  // sent as Ctrl-C through the pty
    };
    for (const Case c : {Case{"Ctrl-C", SIGINT, true}, Case{"SIGTERM", SIGTERM, false},
                         Case{"SIGHUP", SIGHUP, false}, Case{"SIGQUIT", SIGQUIT, false},
                         Case{"SIGSEGV", SIGSEGV, false}, Case{"SIGABRT", SIGABRT, false}}) {
        SCOPED_TRACE(c.name);
        PtySession session;
        START_OR_SKIP(session);
        ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); })) << screenOf(session);
        if (c.byKey) {
            session.sendKeys("\x03");
        } else {
            session.sendSignal(c.signal);
        }
        const auto status = session.waitExit();
        ASSERT_TRUE(status.has_value());
        ASSERT_TRUE(WIFSIGNALED(*status));
        EXPECT_EQ(WTERMSIG(*status), c.signal);
        expectRestored(session);
        if (c.signal != SIGHUP) {  // a hung-up terminal keeps no modes to look at
            EXPECT_NE(session.localModes() & ECHO, 0u);
        }
    }
}

TEST(MainMenuE2e, SuspendRestoresAndContinueRepaints) {
    SessionOptions options;
    options.jobControl = true;
    PtySession session(options);
    START_OR_SKIP(session);
    expectMenu(session);
    session.sendKeys("\x1a");
    ASSERT_TRUE(session.waitUntil([&] { return session.gameStopped(); })) << "not stopped";
    session.settle(100ms);
    expectRestored(session);
    session.sendSignal(SIGCONT);
    ASSERT_TRUE(session.waitUntil([&] { return session.altScreen(); }));
    expectMenu(session);
    EXPECT_FALSE(session.cursorVisible());
    EXPECT_EQ(session.title(), "Tarnwick");
    session.sendKeys("0");
    const auto status = session.waitExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
}

TEST(MainMenuE2e, SuspendWithoutJobControlKeepsTheGameOnScreen) {
    // Run as its own session leader, the game's process group is orphaned: the kernel
    // discards the stop, and the game must take its terminal back at once.
    PtySession session;
    START_OR_SKIP(session);
    expectMenu(session);
    session.sendKeys("\x1a");
    session.settle(300ms);
    EXPECT_FALSE(session.gameStopped());
    EXPECT_TRUE(session.altScreen());
    EXPECT_FALSE(session.cursorVisible());
    EXPECT_EQ(session.localModes() & ECHO, 0u);
    expectMenu(session);
    session.sendKeys("0");
    EXPECT_TRUE(session.waitExit().has_value());
}

TEST(MainMenuE2e, InputFromNullEndsAtOnce) {
    SessionOptions options;
    options.inputFromNull = true;
    PtySession session(options);
    START_OR_SKIP(session);
    const auto status = session.waitExit(2s);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    expectRestored(session);
}

TEST(MainMenuE2e, ResizeRepaintsWhileWaitingForAKey) {
    SessionOptions options;
    options.columns = 60;
    options.rows = 20;
    PtySession session(options);
    START_OR_SKIP(session);
    // The menu does not fit: what fits is shown, nothing spills into the last column, and
    // the last row tells the size needed.
    ASSERT_TRUE(session.waitForText("1. 开始游戏")) << screenOf(session);
    EXPECT_EQ(session.row(12), std::string(36, ' ') + "欢迎来到Tarnwick游戏");
    EXPECT_EQ(session.row(20 - 1), "窗口太小啦！请放大到 88 列 23 行");
    session.resize(100, 30);
    expectMenu(session);
    session.sendKeys("0");
    EXPECT_TRUE(session.waitExit().has_value());
}

TEST(MainMenuE2e, ResizeRepaintsWhileATunePlays) {
    SessionOptions options;
    options.columns = 50;
    options.rows = 24;
    PtySession session(options);
    START_OR_SKIP(session);
    ASSERT_TRUE(session.waitForText("1. 开")) << screenOf(session);
    session.sendKeys("4");  // the About screen plays its long tune before it reads a key
    ASSERT_TRUE(session.waitForText("程序设")) << screenOf(session);
    EXPECT_EQ(session.row(16), std::string(43, ' ') + "制作人");  // cut at the edge
    session.resize(100, 30);
    ASSERT_TRUE(session.waitForText("制作人：周叶舟 韩若溪 郑明澈", 2s)) << screenOf(session);
    session.sendKeys("\x03");
    const auto status = session.waitExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFSIGNALED(*status));
    expectRestored(session);
}

TEST(MainMenuE2e, TheTerminalGoingAwayEndsTheProgram) {
    // With SIGHUP ignored (as under nohup) the end of the terminal shows as the end of input.
    SessionOptions options;
    options.ignoredSignals = {SIGHUP};
    PtySession session(options);
    START_OR_SKIP(session);
    ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); })) << screenOf(session);
    session.closePty();
    const auto status = session.waitExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
}

TEST(MainMenuE2e, ClosingThePtyEndsTheProgram) {
    PtySession session;
    START_OR_SKIP(session);
    ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); })) << screenOf(session);
    session.closePty();
    EXPECT_TRUE(session.waitExit().has_value());
}

}  // namespace
}  // namespace tarnwick::e2e
