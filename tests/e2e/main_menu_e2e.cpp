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
#include <tuple>

#include "e2e_support.h"

namespace tarnwick::e2e {
namespace {

TEST(MainMenuE2e, ShowsTheMenuAndQuitsOnZero) {
    PtySession session;
    START_OR_SKIP(session);
    expectMenu(session);
    EXPECT_TRUE(session.altScreen());
    EXPECT_FALSE(session.cursorVisible());
    EXPECT_EQ(session.title(), "Tarnwick");
    EXPECT_EQ(session.modes().c_lflag & (ICANON | ECHO), 0u);  // raw keys
    EXPECT_NE(session.modes().c_lflag & ISIG, 0u);             // Ctrl-C and Ctrl-Z still work
    // Keys without a meaning, and whole sequences whose digits must not act as choices:
    // function keys, Home, End, Insert, Delete, PgUp and PgDn in their CSI, SS3 and Linux
    // console forms, modified arrows, Alt+digit, mouse and focus reports, colour and cursor
    // position answers, and one cut in two by a short pause.
    session.sendKeys(
        "x9\x1b[A\x1bOB\x1bOP\x1bOQ\x1bOR\x1bOS\x1b[11~\x1b[12~\x1b[13~\x1b[14~\x1b[15~"
        "\x1b[17~\x1b[18~\x1b[19~\x1b[20~\x1b[21~\x1b[23~\x1b[24~\x1b[[A\x1b[[E\x1b[1;5P"
        "\x1b[15;2~\x1b[H\x1bOH\x1b[1~\x1b[7~\x1b[F\x1bOF\x1b[4~\x1b[8~\x1b[2~\x1b[3~\x1b[5~"
        "\x1b[6~\x1b[1;5A\x1b[1;2B\x1b[1;3C\x1bO5D\0330\0331\0332\0334\x1b[M 35\x1b[M#21"
        "\x1b[<0;12;3M\x1b[<0;12;3m\x1b[32;1;4M\x1b[I\x1b[O\x1b]11;rgb:0000/0000/0000\x1b\\"
        "\x1b]10;rgb:ffff/ffff/ffff\a\x1bP1$r0m\x1b\\\x1b[12;40R\x1b[2");
    session.settle(20ms);
    session.sendKeys("4~");
    session.settle();
    expectMenu(session);
    session.sendKeys("3");
    ASSERT_TRUE(session.waitForText("用尽快的方式躲避怪兽")) << screenOf(session);
    session.sendKeys("x");
    quitFromMenu(session);
    expectRestored(session);
}

TEST(MainMenuE2e, OptionsAndRefusalsLeaveTheTerminalAlone) {
    // Standard output to a file: --version is written there; the game refuses and writes nothing.
    std::string file = (std::filesystem::temp_directory_path() / "tarnwick-XXXXXX").string();
    close(mkstemp(file.data()));
    const std::string game = std::string("'").append(PtySession::binaryPath()).append("' ");
    EXPECT_EQ(std::system((game + "--version >" + file).c_str()), 0);
    std::ifstream version(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(version), {}), "tarnwick 1.1.0\n");
    // Its one line on stderr is in the language of a Chinese locale.
    const std::string errors = file + ".err";
    EXPECT_EQ(WEXITSTATUS(std::system(("LC_ALL= LC_MESSAGES= LANG=zh_CN.UTF-8 " + game + ">" +
                                       file + " 2>" + errors + " </dev/null")
                                          .c_str())),
              1);
    EXPECT_EQ(std::filesystem::file_size(file), 0u);
    std::ifstream refusal(errors);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(refusal), {}),
              "tarnwick: 游戏需要终端，而它的标准输出不是终端\n");
    // Output that cannot be written, to a full device or a pipe whose reader left: one line
    // on stderr, in the locale's language, and status 1.
    for (const auto& [option, language] :
         {std::pair{"--records", "C"}, {"--help", "C"}, {"--version", "zh_CN.UTF-8"}}) {
        for (const auto& [to, english, chinese] :
             {std::tuple{">/dev/full", "No space left on device", "设备上没有空间"},
              {"| true", "Broken pipe", "断开的管道"}}) {
            const std::string command = std::string("(sleep 0.2; LC_ALL= LC_MESSAGES= LANG=")
                                            .append(language)
                                            .append(" HOME=/nonexistent ")
                                            .append(game + option + " 2>" + file)
                                            .append("; echo $? >>")
                                            .append(file)
                                            .append(") ")
                                            .append(to);
            EXPECT_EQ(std::system(command.c_str()), 0);
            const std::string said = std::string_view(language) == "C"
                                         ? std::string("cannot write the output: ").append(english)
                                         : std::string("无法写出输出：").append(chinese);
            std::ifstream told(file);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(told), {}),
                      std::string("tarnwick: ").append(said).append("\n1\n"));
        }
    }
    std::filesystem::remove(file);
    std::filesystem::remove(errors);
    // In a terminal: the answers, a bad value and TERM=dumb; no mode or sequence changed.
    for (const auto& [argument, variable, value, code, text] :
         {std::tuple{"--version", "TERM", "xterm", 0, "tarnwick 1.1.0"},
          {"--help", "LC_ALL", "C", 0, "Usage: tarnwick [OPTION]..."},
          {"-h", "LC_ALL", "zh_CN.UTF-8", 0, "用法：tarnwick [选项]..."},
          {"--seed=-1", "TERM", "xterm", 2, "tarnwick: bad value '-1' for --seed; try --help"},
          {"--bogus", "LANG", "zh_CN.UTF-8", 2, "tarnwick: 未知的选项 '--bogus'；请看 --help"},
          {"--mute", "TERM", "dumb", 1, "TERM is \"dumb\""}}) {
        PtySession session({.arguments = {argument}, .environment = {{variable, value}}});
        START_OR_SKIP(session);
        const auto exit = session.waitExit();
        ASSERT_TRUE(exit.has_value());
        EXPECT_TRUE(WIFEXITED(*exit) && WEXITSTATUS(*exit) == code) << text;
        EXPECT_NE(session.screenText().find(text), std::string::npos) << session.screenText();
        EXPECT_EQ(session.output().find('\x1b'), std::string::npos) << text;
        EXPECT_NE(session.modes().c_lflag & ECHO, 0u);
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
            EXPECT_NE(session.modes().c_lflag & ECHO, 0u);
        }
    }
}

TEST(MainMenuE2e, SuspendRestoresAndContinueRepaints) {
    PtySession session({.jobControl = true});
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
    quitFromMenu(session);
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
    EXPECT_EQ(session.modes().c_lflag & ECHO, 0u);
    expectMenu(session);
    session.sendKeys("0");
    EXPECT_TRUE(session.waitExit().has_value());
}

TEST(MainMenuE2e, InputFromNullOrClosedEndsAtOnce) {
    for (const SessionOptions& options :
         {SessionOptions{.inputFromNull = true}, SessionOptions{.inputClosed = true}}) {
        PtySession session(options);
        START_OR_SKIP(session);
        const auto status = session.waitExit(1s);
        ASSERT_TRUE(status.has_value()) << options.inputClosed << "\n" << screenOf(session);
        EXPECT_TRUE(WIFEXITED(*status));
        EXPECT_EQ(WEXITSTATUS(*status), 0);
        expectRestored(session);
    }
}

TEST(MainMenuE2e, CtrlCEndsTheGameAtOnceWhateverKeysWait) {
    // 64 KiB of keys during the About tune, and during play, then Ctrl-C.
    for (const auto& [key, shown] : {std::pair{"4", "程序设计综合实践作业"}, {"1", "当前金币"}}) {
        PtySession session;
        START_OR_SKIP(session);
        awaitMainMenu(session);
        session.sendKeys(key);
        ASSERT_TRUE(session.waitForText(shown)) << screenOf(session);
        const std::string keys(64 * 1024, 'x');
        std::size_t sent = 0;
        session.waitUntil(
            [&] { return (sent += session.sendSome(keys.substr(sent))) == keys.size(); }, 10s);
        EXPECT_EQ(sent, keys.size()) << shown;
        session.sendKeys("\x03");
        const auto status = session.waitExit(1s);
        ASSERT_TRUE(status.has_value()) << shown;
        EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == SIGINT);
        expectRestored(session);
        EXPECT_NE(session.modes().c_lflag & ECHO, 0u);
    }
}

TEST(MainMenuE2e, ResizeRepaintsWhileWaitingForAKey) {
    PtySession session({.columns = 50, .rows = 20});
    START_OR_SKIP(session);
    // The menu (52 columns wide) does not fit: what fits is shown, nothing spills into the
    // last column, and the last row tells the size needed.
    ASSERT_TRUE(session.waitForText("1. 开始")) << screenOf(session);
    EXPECT_EQ(session.row(12), std::string(36, ' ') + "欢迎来到Tarnwi");
    EXPECT_EQ(session.row(20 - 1), "窗口太小啦！请放大到 52 列 20 行");
    session.resize(100, 30);
    expectMenu(session);
    session.sendKeys("0");
    EXPECT_TRUE(session.waitExit().has_value());
}

TEST(MainMenuE2e, ResizeRepaintsWhileATunePlays) {
    PtySession session({.columns = 50, .rows = 24});
    START_OR_SKIP(session);
    ASSERT_TRUE(session.waitForText("1. 开")) << screenOf(session);
    session.sendKeys("4");  // the About screen plays its long tune before it reads a key
    ASSERT_TRUE(session.waitForText("程序设")) << screenOf(session);
    // Moved left by what the terminal lacks.
    EXPECT_EQ(session.row(16), std::string(22, ' ') + "制作人：周叶舟 韩若溪 郑明澈");
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
    PtySession session({.ignoredSignals = {SIGHUP}});
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
