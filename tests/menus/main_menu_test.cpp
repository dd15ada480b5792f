#include "menus/main_menu.h"

#include <gtest/gtest.h>

#include "console/test_console.h"
#include "support/program_run.h"
#include "support/screen_assert.h"

namespace tarnwick {
namespace {

using testing::runProgram;
using testing::textAt;

constexpr Style RedOnBlack{1, 0};

void expectMainMenu(const Screen& screen) {
    EXPECT_TRUE(textAt(screen, 36, 12, "欢迎来到Tarnwick游戏"));
    EXPECT_TRUE(textAt(screen, 43, 14, "1. 开始游戏"));
    EXPECT_TRUE(textAt(screen, 43, 16, "2. 设置"));
    EXPECT_TRUE(textAt(screen, 43, 18, "3. 帮助"));
    EXPECT_TRUE(textAt(screen, 43, 20, "4. 关于(请谨慎进入因为进入可能要好久才能出来)"));
    EXPECT_TRUE(textAt(screen, 43, 22, "退出游戏请输入     0"));
    EXPECT_TRUE(textAt(screen, 43, 24, "5. 记录"));
    // The first line turns red on black and only the last resets it: every line is red.
    for (const auto& [x, y] : {std::pair{36, 12}, {43, 14}, {43, 20}, {62, 22}, {43, 24}}) {
        EXPECT_EQ(screen.cell(x, y).style, RedOnBlack) << x << "," << y;
    }
    // Nothing else on the screen.
    EXPECT_EQ(screen.rowText(0), "");
    EXPECT_EQ(screen.rowText(13), "");
}

TEST(MainMenu, ProgramShowsTheMenuUntilZero) {
    TestConsole console;
    console.pushKeys("x9A");
    console.pushKeys("\x1b[A");  // an arrow key: three keys without a meaning
    console.pushKey('0');
    const auto run = runProgram(console);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(console.title(), "Tarnwick");
    ASSERT_EQ(run.screensAtKeyReads.size(), 7u);
    for (const Screen& screen : run.screensAtKeyReads) {
        expectMainMenu(screen);
    }
    // Key 0 leaves the screen cleared with the colours reset.
    EXPECT_EQ(console.screen().dump(), "");
    EXPECT_EQ(console.screen().style(), Style{});
    EXPECT_EQ(console.keysLeft(), 0u);
}

TEST(MainMenu, ChoicesMapKeysToResults) {
    TestConsole console;
    console.pushKeys("01234567abw\xff");
    Game game(console);
    const int expected[] = {0, 1, 2, 3, 4, 5, -1, -1, -1, -1, -1, -1};
    for (const int want : expected) {
        EXPECT_EQ(mainMenu(game), want);
        EXPECT_EQ(console.screen().dump(), "");  // the menu clears itself before returning
    }
}

// The menu draws no random value, and a console whose keys end ends the program with status 0.
TEST(MainMenu, EndOfInputEndsTheProgramWithStatusZero) {
    TestConsole console;
    console.pushKey('7');
    EXPECT_EQ(runProgram(console).status, 0);
    EXPECT_EQ(console.randomDraws(), 0);
}

}  // namespace
}  // namespace tarnwick
